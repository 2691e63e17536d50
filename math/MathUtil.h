// Free math helpers shared by the whole engine: the angle constants, sine,
// cosine and square root on floats, the integer value-noise hash and its
// friends, the engine's own random generator and the random vectors built on it.
//
// Angles are radians. Trigonometry and square roots are taken in double
// precision on the float argument and rounded back to float once.
#pragma once

#include <cmath>
#include <cstdint>

namespace Quorvel {

class Vector2;
class Vector3;

// Angle constants, all derived from pi as the single-precision 3.1415927 with
// float arithmetic, so every build sees exactly the same values.
inline constexpr float Pi = 3.1415927f;
inline constexpr float DegToRad = Pi / 180.0f;
inline constexpr float Degree = Pi / 180.0f; // same value as DegToRad
inline constexpr float RadToDeg = 180.0f / Pi;
inline constexpr float PiOver6 = Pi / 6.0f;
inline constexpr float PiOver4 = Pi / 4.0f;
inline constexpr float PiOver3 = Pi / 3.0f;
inline constexpr float HalfPi = Pi / 2.0f;
inline constexpr float ThreeHalvesPi = Pi * 1.5f;
inline constexpr float TwoPi = Pi + Pi;
inline constexpr float ArcMinute = Pi / 10800.0f;
inline constexpr float ArcSecond = Pi / 648000.0f;

inline float sine(float angle)
{
    return static_cast<float>(std::sin(static_cast<double>(angle)));
}
inline float cosine(float angle)
{
    return static_cast<float>(std::cos(static_cast<double>(angle)));
}
inline float squareRoot(float value)
{
    return static_cast<float>(std::sqrt(static_cast<double>(value)));
}

// Value noise. All arithmetic is on unsigned 32-bit integers, wrapping.
inline uint32_t noiseHash(uint32_t n)
{
    uint32_t k = (n << 13) ^ n;
    return k * (k * k * 15731u + 789221u) + 1376312589u;
}

inline uint32_t noiseHashPositive(uint32_t n)
{
    return noiseHash(n) & 0x7fffffffu;
}

// A float in [-1, 1].
inline float noiseValue(uint32_t n)
{
    return static_cast<float>(1.0 - (2.0 * noiseHashPositive(n)) / 2147483647.0);
}

// Fills a width x height grid of bytes (grid[i * height + j] for column-first
// index i below width and j below height) with noise of the given amplitude:
// each byte is the top eight bits of noiseHash(i * 67 + seed + j * 59) scaled
// by amplitude / 256, truncated, so 0 to amplitude - 1. The grid must hold
// width * height bytes; non-positive sizes write nothing.
void fillNoiseBytes(uint8_t* grid, int32_t width, int32_t height, uint32_t seed, uint8_t amplitude);

// The engine's own random generator: a 32-bit linear congruential state,
// 1 at program start, advanced as state * 214013 + 2531011 before every draw;
// a draw is (state >> 16) & 0x7fff, so 0 to 32767. The engine never reseeds
// it, so every run draws the same sequence. Always call it qualified or from
// inside namespace Quorvel: the C library's rand() is a different generator.
int32_t rand();

// Sets the generator's state. The engine never calls it; tests use srand(1)
// to start again from the program-start sequence (41, 18467, 6334, ...).
void srand(uint32_t state);

// Random vectors. The draws fill the components from the last to the first
// (z, then y, then x), which fixes which component gets which draw.
Vector3 randomVector();                   // each component rand() / 32767.0, in [0, 1]
Vector3 randomCentredVector(float size);  // each component (rand() / 32767.0 - 0.5) * size
Vector2 randomCentredVector2(float size); // likewise; the first draw goes to y

} // namespace Quorvel
