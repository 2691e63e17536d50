#include "math/MathUtil.h"

#include "math/Vector2.h"
#include "math/Vector3.h"

namespace Quorvel {

namespace {

uint32_t randomState = 1;

float unitDraw()
{
    return static_cast<float>(rand() / 32767.0);
}

float centredDraw(float size)
{
    return static_cast<float>((rand() / 32767.0 - 0.5) * size);
}

} // namespace

void fillNoiseBytes(uint8_t* grid, int32_t width, int32_t height, uint32_t seed, uint8_t amplitude)
{
    const float scale = static_cast<float>(amplitude / 256.0);
    for (int32_t i = 0; i < width; ++i) {
        for (int32_t j = 0; j < height; ++j) {
            uint32_t hash = noiseHash(static_cast<uint32_t>(i) * 67u + seed + static_cast<uint32_t>(j) * 59u);
            float value = static_cast<float>(hash >> 24) * scale;
            grid[static_cast<size_t>(i) * static_cast<size_t>(height) + static_cast<size_t>(j)] =
                static_cast<uint8_t>(value);
        }
    }
}

int32_t rand()
{
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int32_t>((randomState >> 16) & 0x7fffu);
}

void srand(uint32_t state)
{
    randomState = state;
}

Vector3 randomVector()
{
    Vector3 result;
    result.z = unitDraw();
    result.y = unitDraw();
    result.x = unitDraw();
    return result;
}

Vector3 randomCentredVector(float size)
{
    Vector3 result;
    result.z = centredDraw(size);
    result.y = centredDraw(size);
    result.x = centredDraw(size);
    return result;
}

Vector2 randomCentredVector2(float size)
{
    Vector2 result;
    result.y = centredDraw(size);
    result.x = centredDraw(size);
    return result;
}

} // namespace Quorvel
