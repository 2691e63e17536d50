// Vector2: a plain two-component float vector (texture coordinates, screen
// offsets, shader uniforms). Copied freely; no owned memory.
#pragma once

#include "math/MathUtil.h"

namespace Quorvel {

class Vector2 {
public:
    float x = 0.0f;
    float y = 0.0f;

    Vector2() = default; // (0, 0)
    Vector2(float x_, float y_) : x(x_), y(y_) {}
    explicit Vector2(float s) : x(s), y(s) {}

    float* getData() { return &x; } // x, y: for glTexCoord2fv and the like
    const float* getData() const { return &x; }

    Vector2 operator+(const Vector2& b) const { return Vector2(x + b.x, y + b.y); }
    Vector2 operator-(const Vector2& b) const { return Vector2(x - b.x, y - b.y); }
    Vector2 operator-() const { return Vector2(-x, -y); }
    Vector2 operator*(float s) const { return Vector2(x * s, y * s); }
    Vector2 operator/(float s) const { return *this * (1.0f / s); } // reciprocal taken once

    Vector2& operator+=(const Vector2& b)
    {
        x += b.x;
        y += b.y;
        return *this;
    }
    Vector2& operator-=(const Vector2& b)
    {
        x -= b.x;
        y -= b.y;
        return *this;
    }
    Vector2& operator*=(float s)
    {
        x *= s;
        y *= s;
        return *this;
    }

    float squaredLength() const { return x * x + y * y; }
    float length() const { return squareRoot(squaredLength()); }

    void normalize() { *this = *this * (1.0f / length()); } // no guard for the zero vector
    Vector2 normalized() const { return *this * (1.0f / length()); }
};

inline Vector2 operator*(float s, const Vector2& a)
{
    return a * s;
}
inline float dot(const Vector2& a, const Vector2& b)
{
    return a.x * b.x + a.y * b.y;
}
inline float cross(const Vector2& a, const Vector2& b)
{
    return a.x * b.y - a.y * b.x;
}

} // namespace Quorvel
