// LevelMinimap: the minimap's box, its texture for large levels and its drawing.

#include "scene/LevelMinimap.h"

#include "math/Vector4.h"
#include "scene/LevelGeometry.h"
#include "system/OpenGL.h"
#include "widgets/HudScale.h"

#include <algorithm>
#include <vector>

namespace Quorvel {

namespace {

int32_t nextPowerOfTwo(int32_t value)
{
    int32_t power = 1;
    while (power < value)
        power *= 2;
    return power;
}

uint8_t toByte(float value)
{
    return static_cast<uint8_t>(static_cast<double>(value) * 255.0 + 0.5);
}

} // namespace

void LevelMinimap::toBytes(const Colour& colour, uint8_t rgb[3])
{
    rgb[0] = toByte(colour.r);
    rgb[1] = toByte(colour.g);
    rgb[2] = toByte(colour.b);
}

LevelMinimap::LevelMinimap(const LevelGrid& levelGrid)
    : grid(levelGrid), origin(0.0f, 0.0f, 0.0f), scale(0.0f), texture(0)
{
}

LevelMinimap::~LevelMinimap()
{
    if (texture != 0) {
        const GLuint name = texture;
        glDeleteTextures(1, &name);
    }
}

void LevelMinimap::resize(const Vector4& screenRect)
{
    screen = screenRect;
    screenKnown = true;
    // A seventh of the width for the level's larger side: 70 cells across the
    // screen for the 10 x 10 level, 7 x 32 for a 32 x 32 one.
    const int32_t side = std::max(grid.getWidth(), grid.getHeight());
    const float cellsPerWidth = CellsPerWidth / static_cast<float>(ReferenceSide) * static_cast<float>(side);
    scale = (screenRect.z - screenRect.x) / cellsPerWidth;
    origin = Vector3(screenRect.z - scale * static_cast<float>(grid.getWidth()), screenRect.y, 0.0f);
    headingWidth = HudScale::lineWidth(HudScale::forHeight(screenRect.w - screenRect.y));
}

void LevelMinimap::rebuild(bool graphics)
{
    if (texture != 0) {
        const GLuint name = texture;
        glDeleteTextures(1, &name);
        texture = 0;
    }
    if (screenKnown)
        resize(screen);
    if (graphics)
        buildTexture();
}

// One texel per cell: drawing tens of thousands of small squares every frame
// would cost more than the level itself.
void LevelMinimap::buildTexture()
{
    if (LevelGeometry::drawnWhole(grid) || texture != 0)
        return;
    const int32_t width = grid.getWidth();
    const int32_t height = grid.getHeight();
    uint8_t open[3];
    uint8_t solid[3];
    toBytes(OpenColour, open);
    toBytes(SolidColour, solid);
    const int32_t textureWidth = nextPowerOfTwo(width);
    const int32_t textureHeight = nextPowerOfTwo(height);
    std::vector<uint8_t> texels(static_cast<size_t>(textureWidth * textureHeight) * 4, 0);
    for (int32_t j = 0; j < height; ++j) {
        for (int32_t i = 0; i < width; ++i) {
            const uint8_t* colour = grid.isSolid(i, j) ? solid : open;
            uint8_t* texel = &texels[static_cast<size_t>(j * textureWidth + i) * 4];
            texel[0] = colour[0];
            texel[1] = colour[1];
            texel[2] = colour[2];
            texel[3] = 255;
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0)
        return;
    GLint unpackAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, textureWidth, textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
    texture = name;
}

void LevelMinimap::draw(const Vector3& position, const Vector3& look) const
{
    const float s = scale;
    const float left = origin.x;
    const float top = origin.y;
    const float z = origin.z;
    const int32_t width = grid.getWidth();
    const int32_t height = grid.getHeight();
    const float right = left + s * static_cast<float>(width);
    const float bottom = top + s * static_cast<float>(height);

    if (texture != 0) {
        // One texel per cell, in the same colours, drawn unlit and unblended.
        const float sMax = static_cast<float>(width) / static_cast<float>(nextPowerOfTwo(width));
        const float tMax = static_cast<float>(height) / static_cast<float>(nextPowerOfTwo(height));
        glColor3f(1.0f, 1.0f, 1.0f);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(left, top, z);
        glTexCoord2f(0.0f, tMax);
        glVertex3f(left, bottom, z);
        glTexCoord2f(sMax, tMax);
        glVertex3f(right, bottom, z);
        glTexCoord2f(sMax, 0.0f);
        glVertex3f(right, top, z);
        glEnd();
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
    } else {
        glBegin(GL_QUADS);
        glColor4f(OpenColour.r, OpenColour.g, OpenColour.b, OpenColour.a);
        glVertex3f(left, top, z);
        glVertex3f(left, bottom, z);
        glVertex3f(right, bottom, z);
        glVertex3f(right, top, z);
        glColor4f(SolidColour.r, SolidColour.g, SolidColour.b, SolidColour.a);
        for (int32_t i = 0; i < width; ++i) {
            for (int32_t j = 0; j < height; ++j) {
                if (!grid.isSolid(i, j))
                    continue;
                const float x0 = left + static_cast<float>(i) * s;
                const float x1 = left + static_cast<float>(i + 1) * s;
                const float y0 = top + static_cast<float>(j) * s;
                const float y1 = top + static_cast<float>(j + 1) * s;
                glVertex3f(x0, y0, z);
                glVertex3f(x0, y1, z);
                glVertex3f(x1, y1, z);
                glVertex3f(x1, y0, z);
            }
        }
        glEnd();
    }

    // On a map with more than ten cells a side the line grows with the map,
    // so it is never shorter on the screen than on the 10 x 10 map.
    const float cell = LevelGeometry::CellSize;
    const Vector3& p = position;
    const int32_t side = std::max(width, height);
    const Vector3 l = side > ReferenceSide ? look * (static_cast<float>(side) / static_cast<float>(ReferenceSide))
                                           : look;
    glColor3f(HeadingColour.r, HeadingColour.g, HeadingColour.b);
    if (headingWidth != 1.0f)
        glLineWidth(headingWidth);
    glBegin(GL_LINES);
    glVertex3f(left + s * p.x / cell, top + s * (-p.z / cell), z);
    glVertex3f(left + s * (p.x + l.x) / cell, top + s * (-(p.z + l.z) / cell), z);
    glEnd();
    if (headingWidth != 1.0f)
        glLineWidth(1.0f); // OpenGL's own default, which the other lines expect
}

} // namespace Quorvel
