// SkyDome: generation of the dome's mesh, cloud noise and lookup table, their
// upload, and the per-frame draw.

#include "scene/SkyDome.h"

#include "math/Camera.h"
#include "math/MathUtil.h"
#include "resources/ShaderProgram.h"
#include "resources/Texture.h"
#include "scene/SkyNoise.h"
#include "system/OpenGL.h"

#include <cmath>
#include <cstring>

namespace Quorvel {

Vector2 skyOffset(0.0f, 0.0f);

namespace {

constexpr float ExpBase = 0.96f;
// Octaves of the cloud noise: the first has 16 x 16 grid points of amplitude
// 127 spread over cells of 64 pixels; each further octave doubles the grid
// and halves amplitude and cell, as long as the grid fits the texture.
constexpr uint32_t FirstGrid = 16;
constexpr uint32_t FirstAmplitude = 127;
constexpr uint32_t FirstCell = 64;

} // namespace

SkyDome::SkyDome() : SkyDome(DefaultRadius, DefaultHeight, 0.0f, DefaultResolution)
{
}

SkyDome::SkyDome(SkyNoise& noise)
    : radius(DefaultRadius), height(DefaultHeight), verticalOffset(0.0f), resolution(DefaultResolution), indexCount(0),
      density(DefaultDensity), program(nullptr), offsetLocation(-1), densityLocation(-1)
{
    buildGeometry();
    buildGraphics(&noise);
}

SkyDome::SkyDome(float radius_, float height_, float verticalOffset_, uint32_t resolution_)
    : radius(radius_), height(height_), verticalOffset(verticalOffset_), resolution(resolution_ == 0 ? 1 : resolution_),
      indexCount(0), density(DefaultDensity), program(nullptr), offsetLocation(-1), densityLocation(-1)
{
    buildGeometry();
    buildGraphics(nullptr);
}

SkyDome::SkyDome(WithoutGraphics)
    : radius(DefaultRadius), height(DefaultHeight), verticalOffset(0.0f), resolution(DefaultResolution), indexCount(0),
      density(DefaultDensity), program(nullptr), offsetLocation(-1), densityLocation(-1)
{
    buildGeometry();
}

SkyDome::~SkyDome()
{
    if (program != nullptr)
        program->release();
}

void SkyDome::setDensity(float value)
{
    if (value > 1.0f)
        value = 1.0f;
    if (value < 0.0f)
        value = 0.0f;
    density = value;
}

void SkyDome::buildMesh(float radius, float height, uint32_t resolution, std::vector<float>& vertexFloats,
                        std::vector<uint32_t>& indexList)
{
    const uint32_t n = resolution;
    const float outer = radius + height;
    const float halfWidth = squareRoot(outer * outer - radius * radius);
    const float step = 2.0f * halfWidth / static_cast<float>(n);
    const float texStep = 1.0f / static_cast<float>(n + 1);
    const float curvature = 1.0f / outer;

    vertexFloats.assign(static_cast<size_t>(n + 1) * (n + 1) * 5, 0.0f);
    float* vertex = vertexFloats.data();
    for (uint32_t i = 0; i <= n; ++i) {
        for (uint32_t j = 0; j <= n; ++j) {
            const float x = static_cast<float>(j) * step - halfWidth;
            const float z = static_cast<float>(i) * step - halfWidth;
            vertex[0] = x;
            vertex[1] = -(x * x + z * z) * curvature;
            vertex[2] = z;
            vertex[3] = static_cast<float>(i) * texStep;
            vertex[4] = static_cast<float>(j) * texStep;
            vertex += 5;
        }
    }

    indexList.clear();
    indexList.reserve(static_cast<size_t>(n) * n * 6);
    for (uint32_t i = 0; i < n; ++i) {
        for (uint32_t j = 0; j < n; ++j) {
            const uint32_t b = (n + 1) * i + j;
            for (uint32_t index : {b, b + 1, b + n + 1, b + 1, b + n + 2, b + n + 1})
                indexList.push_back(index);
        }
    }
}

// Each octave's grid is interpolated bilinearly over its cells and the
// result, truncated, is added into the sum everywhere but the outer ring. The
// per-column blends along a cell row do not depend on the pixel row, so they
// are computed once per grid row; the arithmetic per pixel is the formula's
// own, in the same order, so the bytes are exactly the formula's.
void SkyDome::buildNoise(uint8_t* pixels)
{
    constexpr uint32_t Size = NoiseSize;
    std::memset(pixels, 0, static_cast<size_t>(Size) * Size);
    std::vector<uint8_t> grid(static_cast<size_t>(Size) * Size);
    std::vector<float> top(Size);
    std::vector<float> bottom(Size);
    std::vector<float> fraction(FirstCell);

    for (uint32_t n = FirstGrid, amplitude = FirstAmplitude, cell = FirstCell; n <= Size;
         n <<= 1, amplitude >>= 1, cell >>= 1) {
        // Noise of amplitude 1 is 0 everywhere and adds nothing.
        if (amplitude <= 1)
            continue;
        fillNoiseBytes(grid.data(), static_cast<int32_t>(n), static_cast<int32_t>(n), 0,
                       static_cast<uint8_t>(amplitude));
        for (uint32_t p = 0; p < cell; ++p)
            fraction[p] = cell == 1 ? 0.0f : static_cast<float>(p) / static_cast<float>(cell - 1);

        for (uint32_t gi = 0; gi < n; ++gi) {
            const uint8_t* row = &grid[static_cast<size_t>(gi) * n];
            const uint8_t* next = gi + 1 < n ? row + n : nullptr;
            for (uint32_t gj = 0; gj < n; ++gj) {
                const float here = row[gj];
                const float right = gj + 1 < n ? row[gj + 1] : 0.0f;
                const float below = next != nullptr ? next[gj] : 0.0f;
                const float diagonal = next != nullptr && gj + 1 < n ? next[gj + 1] : 0.0f;
                for (uint32_t pj = 0; pj < cell; ++pj) {
                    const float v = fraction[pj];
                    top[gj * cell + pj] = here * (1.0f - v) + right * v;
                    bottom[gj * cell + pj] = below * (1.0f - v) + diagonal * v;
                }
            }
            for (uint32_t pi = 0; pi < cell; ++pi) {
                const uint32_t y = gi * cell + pi;
                if (y == 0 || y == Size - 1)
                    continue;
                const float u = fraction[pi];
                const float keep = 1.0f - u;
                uint8_t* out = pixels + static_cast<size_t>(y) * Size;
                for (uint32_t x = 1; x < Size - 1; ++x)
                    out[x] = static_cast<uint8_t>(
                        out[x] + static_cast<uint8_t>(static_cast<int32_t>(top[x] * keep + bottom[x] * u)));
            }
        }
    }
}

void SkyDome::buildExpTable(uint8_t* table)
{
    for (uint32_t e = 0; e < ExpTableSize; ++e) {
        const float p = static_cast<float>(std::pow(static_cast<double>(ExpBase), static_cast<double>(e)));
        const float value = 255.0f - p * 255.0f;
        table[e] = static_cast<uint8_t>(static_cast<int32_t>(value));
    }
}

void SkyDome::buildGeometry()
{
    std::vector<float> vertexFloats;
    buildMesh(radius, height, resolution, vertexFloats, indices);
    indexCount = static_cast<uint32_t>(indices.size());

    const uint32_t count = (resolution + 1) * (resolution + 1);
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[static_cast<size_t>(count) * VertexStride]);
    std::memcpy(bytes.get(), vertexFloats.data(), static_cast<size_t>(count) * VertexStride);
    vertices.setData(count, VertexStride, std::move(bytes));
    vertices.addAttribute(AttributeKind::Position, 0, 3, GL_FLOAT);
    vertices.addAttribute(AttributeKind::TexCoord, 12, 2, GL_FLOAT);
}

void SkyDome::buildGraphics(SkyNoise* prepared)
{
    program = ShaderProgram::load("sky");
    program->acquire();

    noiseTexture.reset(new Texture());
    noiseTexture->create();
    noiseTexture->setTarget(GL_TEXTURE_2D);
    noiseTexture->bind(0);
    {
        std::vector<uint8_t> built;
        if (prepared == nullptr) {
            built.resize(static_cast<size_t>(NoiseSize) * NoiseSize);
            buildNoise(built.data());
        }
        const std::vector<uint8_t>& noise = prepared != nullptr ? prepared->get() : built;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, NoiseSize, NoiseSize, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE,
                     noise.data());
    }

    if (ShaderProgram::isSupported()) {
        program->use();
        program->setUniform1i("noiseMap", 0);
        program->setUniform1i("expTable", 1);
        program->useNone();
        offsetLocation = program->getUniformLocation("offset");
        densityLocation = program->getUniformLocation("density");
    }

    expTexture.reset(new Texture());
    expTexture->create();
    expTexture->setTarget(GL_TEXTURE_1D);
    expTexture->bind(1);
    uint8_t table[ExpTableSize];
    buildExpTable(table);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_LUMINANCE, ExpTableSize, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, table);

    // Leave no texture bound or enabled behind: the next drawing starts clean.
    expTexture->unbind();
    noiseTexture->unbind();
}

void SkyDome::draw(const Camera& camera)
{
    if (!noiseTexture)
        return; // built without graphics

    glPushAttrib(GL_POLYGON_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(camera.position.x, camera.position.y - verticalOffset + height, camera.position.z);

    noiseTexture->bind(0);
    expTexture->bind(1);
    program->use();
    program->setUniform2f(offsetLocation, skyOffset);
    program->setUniform1f(densityLocation, density);

    vertices.bind();
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indexCount), GL_UNSIGNED_INT, indices.data());

    program->useNone();
    expTexture->unbind();
    noiseTexture->unbind();

    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}

void SkyDome::drawBehind(const Camera& camera)
{
    if (!noiseTexture)
        return; // built without graphics

    glPushAttrib(GL_DEPTH_BUFFER_BIT | GL_VIEWPORT_BIT | GL_ENABLE_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL); // the far value itself passes against a cleared buffer
    glDepthMask(GL_FALSE);  // the sky is behind everything; it need not write depth
    glDepthRange(1.0, 1.0); // every sky fragment at the far depth
    draw(camera);
    glPopAttrib();
}

} // namespace Quorvel
