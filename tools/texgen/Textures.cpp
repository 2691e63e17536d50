// Drawing of the procedural textures. All noise comes from the engine's
// integer noise hash; every pattern tiles seamlessly with its own size.

#include "tools/texgen/Textures.h"

#include "math/MathUtil.h"

#include <cmath>

namespace TexGen {

namespace {

using GltTools::Image;

// A lattice value in [0, 1) for integer coordinates, wrapped to the period so
// that the noise tiles.
float lattice(int32_t x, int32_t y, int32_t period, uint32_t seed)
{
    const uint32_t wx = static_cast<uint32_t>(((x % period) + period) % period);
    const uint32_t wy = static_cast<uint32_t>(((y % period) + period) % period);
    const uint32_t h = Quorvel::noiseHash(wx * 1619u + wy * 31337u + seed * 6971u);
    return static_cast<float>(h >> 8) / 16777216.0f;
}

float smooth(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

// Value noise in [0, 1): cells of the given size in pixels over an image of
// the given width (a multiple of the cell size), smoothly interpolated.
float valueNoise(uint32_t px, uint32_t py, uint32_t cell, uint32_t imageSize, uint32_t seed)
{
    const int32_t period = static_cast<int32_t>(imageSize / cell);
    const int32_t cx = static_cast<int32_t>(px / cell);
    const int32_t cy = static_cast<int32_t>(py / cell);
    const float fx = smooth(static_cast<float>(px % cell) / static_cast<float>(cell));
    const float fy = smooth(static_cast<float>(py % cell) / static_cast<float>(cell));
    const float a = lattice(cx, cy, period, seed);
    const float b = lattice(cx + 1, cy, period, seed);
    const float c = lattice(cx, cy + 1, period, seed);
    const float d = lattice(cx + 1, cy + 1, period, seed);
    const float top = a + (b - a) * fx;
    const float bottom = c + (d - c) * fx;
    return top + (bottom - top) * fy;
}

// Several octaves of value noise from cells of firstCell pixels down to 2,
// normalised to [0, 1).
float fractalNoise(uint32_t px, uint32_t py, uint32_t firstCell, uint32_t imageSize, uint32_t seed)
{
    float sum = 0.0f;
    float weight = 0.0f;
    float amplitude = 1.0f;
    for (uint32_t cell = firstCell; cell >= 2; cell /= 2) {
        sum += valueNoise(px, py, cell, imageSize, seed + cell) * amplitude;
        weight += amplitude;
        amplitude *= 0.55f;
    }
    return sum / weight;
}

// Per-pixel speckle in [0, 1), not interpolated.
float speckle(uint32_t px, uint32_t py, uint32_t seed)
{
    return lattice(static_cast<int32_t>(px), static_cast<int32_t>(py), 1 << 16, seed + 77u);
}

uint8_t toByte(float value)
{
    if (value <= 0.0f)
        return 0;
    if (value >= 255.0f)
        return 255;
    return static_cast<uint8_t>(value + 0.5f);
}

void setRgb(Image& image, uint32_t x, uint32_t y, float r, float g, float b)
{
    uint8_t* pixel = image.at(x, y);
    pixel[0] = toByte(r);
    pixel[1] = toByte(g);
    pixel[2] = toByte(b);
}

float minFloat(float a, float b)
{
    return a < b ? a : b;
}

} // namespace

// Four square stone tiles (2 x 2) with dark grout between them; each tile has
// its own tint, a mottled surface and edges that darken towards the grout.
Image makeFloor()
{
    constexpr uint32_t Size = 256;
    constexpr uint32_t Tile = 128;
    constexpr float Grout = 3.0f; // half the grout width on each tile edge
    Image image(Size, Size, 3);
    for (uint32_t y = 0; y < Size; ++y) {
        for (uint32_t x = 0; x < Size; ++x) {
            const uint32_t tile = (y / Tile) * 2 + x / Tile;
            const float tx = static_cast<float>(x % Tile) + 0.5f;
            const float ty = static_cast<float>(y % Tile) + 0.5f;
            const float edge = minFloat(minFloat(tx, Tile - tx), minFloat(ty, Tile - ty));
            const float mottle = fractalNoise(x, y, 32, Size, 11);
            const float grain = speckle(x, y, 12);
            if (edge < Grout) {
                const float shade = 58.0f + grain * 18.0f;
                setRgb(image, x, y, shade, shade * 0.95f, shade * 0.9f);
                continue;
            }
            const float tint = lattice(static_cast<int32_t>(tile), 0, 4, 13) * 0.16f - 0.08f;
            float light = 0.72f + mottle * 0.45f + grain * 0.08f + tint;
            if (edge < Grout + 5.0f)
                light *= 0.8f + 0.2f * (edge - Grout) / 5.0f; // bevel into the grout
            setRgb(image, x, y, 150.0f * light, 143.0f * light, 130.0f * light);
        }
    }
    return image;
}

// Courses of bricks, 64 x 32 pixels with every other course shifted by half
// a brick, laid in light mortar. Each brick has its own shade of red.
Image makeWall()
{
    constexpr uint32_t Size = 256;
    constexpr uint32_t BrickWidth = 64;
    constexpr uint32_t BrickHeight = 32;
    constexpr uint32_t Mortar = 4;
    Image image(Size, Size, 3);
    for (uint32_t y = 0; y < Size; ++y) {
        const uint32_t course = y / BrickHeight;
        const uint32_t shift = (course % 2) * (BrickWidth / 2);
        for (uint32_t x = 0; x < Size; ++x) {
            const uint32_t bx = (x + shift) % Size;
            const uint32_t brick = course * (Size / BrickWidth) + bx / BrickWidth;
            const uint32_t inX = bx % BrickWidth;
            const uint32_t inY = y % BrickHeight;
            const float grain = speckle(x, y, 21);
            if (inX < Mortar || inY < Mortar) {
                const float shade = 165.0f + grain * 25.0f;
                setRgb(image, x, y, shade, shade * 0.97f, shade * 0.9f);
                continue;
            }
            const float tone = lattice(static_cast<int32_t>(brick), 7, 1 << 16, 22);
            const float mottle = fractalNoise(x, y, 16, Size, 23);
            const float light = 0.78f + tone * 0.3f + mottle * 0.25f + grain * 0.1f;
            setRgb(image, x, y, 158.0f * light, (62.0f + tone * 20.0f) * light, 46.0f * light);
        }
    }
    return image;
}

// Light plaster in four square panels framed by a darker recessed border.
Image makeCeiling()
{
    constexpr uint32_t Size = 256;
    constexpr uint32_t Panel = 128;
    Image image(Size, Size, 3);
    for (uint32_t y = 0; y < Size; ++y) {
        for (uint32_t x = 0; x < Size; ++x) {
            const float px = static_cast<float>(x % Panel) + 0.5f;
            const float py = static_cast<float>(y % Panel) + 0.5f;
            const float edge = minFloat(minFloat(px, Panel - px), minFloat(py, Panel - py));
            const float mottle = fractalNoise(x, y, 64, Size, 31);
            const float grain = speckle(x, y, 32);
            float light = 0.88f + mottle * 0.12f + grain * 0.04f;
            if (edge < 4.0f)
                light *= 0.62f;
            else if (edge < 8.0f)
                light *= 1.06f; // the raised lip of the frame catches the light
            setRgb(image, x, y, 212.0f * light, 208.0f * light, 196.0f * light);
        }
    }
    return image;
}

// A soft white disc whose alpha falls smoothly from 1 at the centre to 0 at
// the rim. The colour carries the same falloff, so the blob also looks right
// where only its colour is used (additive blending, or an upload without alpha).
Image makeBlob()
{
    constexpr uint32_t Size = 64;
    constexpr float Radius = Size / 2.0f;
    Image image(Size, Size, 4);
    for (uint32_t y = 0; y < Size; ++y) {
        for (uint32_t x = 0; x < Size; ++x) {
            const float dx = (static_cast<float>(x) + 0.5f - Radius) / Radius;
            const float dy = (static_cast<float>(y) + 0.5f - Radius) / Radius;
            const float squared = dx * dx + dy * dy;
            const float falloff = squared >= 1.0f ? 0.0f : (1.0f - squared) * (1.0f - squared);
            const uint8_t value = toByte(falloff * 255.0f);
            uint8_t* pixel = image.at(x, y);
            pixel[0] = value;
            pixel[1] = value;
            pixel[2] = value;
            pixel[3] = value;
        }
    }
    return image;
}

// Bone white with a faint yellowing in broad patches and fine pores.
Image makeSkeleton()
{
    constexpr uint32_t Size = 128;
    Image image(Size, Size, 3);
    for (uint32_t y = 0; y < Size; ++y) {
        for (uint32_t x = 0; x < Size; ++x) {
            const float patches = fractalNoise(x, y, 32, Size, 41);
            const float grain = speckle(x, y, 42);
            const float light = 0.9f + patches * 0.1f - (grain > 0.93f ? 0.12f : 0.0f);
            const float yellow = patches * 18.0f;
            setRgb(image, x, y, 236.0f * light, (228.0f - yellow * 0.4f) * light, (206.0f - yellow) * light);
        }
    }
    return image;
}

const std::vector<TextureSpec>& allTextures()
{
    static const std::vector<TextureSpec> textures = {
        {"floor", GL_RGB, GL_REPEAT, makeFloor},       {"wall", GL_RGB, GL_REPEAT, makeWall},
        {"ceil", GL_RGB, GL_REPEAT, makeCeiling},      {"blob", GL_RGBA, GL_CLAMP, makeBlob},
        {"skeleton", GL_RGB, GL_REPEAT, makeSkeleton},
    };
    return textures;
}

} // namespace TexGen
