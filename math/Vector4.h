// Vector4: a plain four-component float vector, used for screen rectangles
// (left, top, right, bottom) and homogeneous values. (0, 0, 0, 0) by default.
#pragma once

#include <algorithm>

namespace Quorvel {

class Vector4 {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;

    Vector4() = default; // (0, 0, 0, 0)
    Vector4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

    float* getData() { return &x; }
    const float* getData() const { return &x; }

    Vector4 operator+(const Vector4& b) const { return Vector4(x + b.x, y + b.y, z + b.z, w + b.w); }
    Vector4 operator-(const Vector4& b) const { return Vector4(x - b.x, y - b.y, z - b.z, w - b.w); }
    Vector4 operator*(float s) const { return Vector4(x * s, y * s, z * s, w * s); }
    Vector4 operator/(float s) const { return Vector4(x / s, y / s, z / s, w / s); }

    Vector4& operator+=(const Vector4& b)
    {
        x += b.x;
        y += b.y;
        z += b.z;
        w += b.w;
        return *this;
    }

    // Componentwise minimum, in place.
    Vector4& minimize(const Vector4& b)
    {
        x = std::min(x, b.x);
        y = std::min(y, b.y);
        z = std::min(z, b.z);
        w = std::min(w, b.w);
        return *this;
    }

    bool operator==(const Vector4& b) const { return x == b.x && y == b.y && z == b.z && w == b.w; } // exact compare
    bool operator!=(const Vector4& b) const { return !(*this == b); }
};

inline Vector4 operator*(float s, const Vector4& a)
{
    return a * s;
}

// Componentwise minimum.
inline Vector4 minimum(const Vector4& a, const Vector4& b)
{
    return Vector4(std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z), std::min(a.w, b.w));
}

} // namespace Quorvel
