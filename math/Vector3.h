// Vector3: the engine's three-component float vector for positions,
// directions, normals, velocities and colours (red, green, blue in x, y, z).
// A plain value: copied freely, no owned memory, (0, 0, 0) by default.
#pragma once

#include "math/MathUtil.h"
#include "math/Vector2.h"

namespace Quorvel {

class Vector3 {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vector3() = default; // (0, 0, 0)
    Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
    explicit Vector3(float s) : x(s), y(s), z(s) {}
    explicit Vector3(const Vector2& v) : x(v.x), y(v.y), z(0.0f) {}

    float* getData() { return &x; } // x, y, z: for glVertex3fv, glColor3fv
    const float* getData() const { return &x; }

    Vector3 operator+(const Vector3& b) const { return Vector3(x + b.x, y + b.y, z + b.z); }
    Vector3 operator-(const Vector3& b) const { return Vector3(x - b.x, y - b.y, z - b.z); }
    Vector3 operator-() const { return Vector3(-x, -y, -z); }
    Vector3 operator*(float s) const { return Vector3(x * s, y * s, z * s); }
    Vector3 operator/(float s) const { return *this * (1.0f / s); } // reciprocal taken once

    Vector3& operator+=(const Vector3& b)
    {
        x += b.x;
        y += b.y;
        z += b.z;
        return *this;
    }
    Vector3& operator-=(const Vector3& b)
    {
        x -= b.x;
        y -= b.y;
        z -= b.z;
        return *this;
    }
    Vector3& operator*=(float s)
    {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }

    float squaredLength() const { return x * x + y * y + z * z; }
    float length() const { return squareRoot(squaredLength()); }

    void normalize() { *this = *this * (1.0f / length()); } // no guard for the zero vector
    Vector3 normalized() const { return *this * (1.0f / length()); }
};

inline Vector3 operator*(float s, const Vector3& a)
{
    return a * s;
}
inline float dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vector3 cross(const Vector3& a, const Vector3& b)
{
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

} // namespace Quorvel
