// Quaternion: a rotation quaternion with the scalar part w first and the
// vector part v second; identity (w = 1, v = 0) by default. Angles are
// radians. No operation renormalises: build orientations afresh rather than
// accumulating many products.
#pragma once

#include "math/Matrix4.h"
#include "math/MathUtil.h"
#include "math/Vector3.h"

namespace Quorvel {

class Quaternion {
public:
    float w = 1.0f;
    Vector3 v;

    Quaternion() = default;                                    // identity
    explicit Quaternion(const Vector3& v_) : w(0.0f), v(v_) {} // pure: (0, v)
    Quaternion(const Vector3& v_, float w_) : w(w_), v(v_) {}
    Quaternion(float x, float y, float z, float w_) : w(w_), v(x, y, z) {}
    Quaternion(float angle, const Vector3& axis) { setAngleAxis(angle, axis); } // axis normalised first

    // Rotation by angle about an axis (normalised first), in place.
    void setAngleAxis(float angle, const Vector3& axis)
    {
        float half = angle / 2.0f;
        w = cosine(half);
        v = axis.normalized() * sine(half);
    }
    void setRotationX(float angle)
    {
        float half = angle / 2.0f;
        w = cosine(half);
        v = Vector3(sine(half), 0.0f, 0.0f);
    }
    void setRotationY(float angle)
    {
        float half = angle / 2.0f;
        w = cosine(half);
        v = Vector3(0.0f, sine(half), 0.0f);
    }
    void setRotationZ(float angle)
    {
        float half = angle / 2.0f;
        w = cosine(half);
        v = Vector3(0.0f, 0.0f, sine(half));
    }

    static Quaternion rotationX(float angle)
    {
        Quaternion q;
        q.setRotationX(angle);
        return q;
    }
    static Quaternion rotationY(float angle)
    {
        Quaternion q;
        q.setRotationY(angle);
        return q;
    }
    static Quaternion rotationZ(float angle)
    {
        Quaternion q;
        q.setRotationZ(angle);
        return q;
    }

    const Vector3& vectorPart() const { return v; }

    Quaternion conjugate() const { return Quaternion(-v, w); }
    Quaternion inverse() const { return conjugate() / squaredNorm(); } // no guard for the zero quaternion
    float squaredNorm() const { return w * w + dot(v, v); }
    float norm() const { return squareRoot(squaredNorm()); }

    Quaternion operator+(const Quaternion& q) const { return Quaternion(v + q.v, w + q.w); }
    Quaternion operator*(float s) const { return Quaternion(v * s, w * s); }
    Quaternion operator/(float s) const { return Quaternion(v / s, w / s); }

    // Hamilton product: this rotation applied after q.
    Quaternion operator*(const Quaternion& q) const
    {
        return Quaternion(q.v * w + v * q.w + cross(v, q.v), w * q.w - dot(v, q.v));
    }
    Quaternion& operator*=(const Quaternion& q)
    {
        *this = *this * q;
        return *this;
    }

    // Vector part of q * (0, u) * conjugate(q).
    Vector3 rotate(const Vector3& u) const { return (*this * Quaternion(u) * conjugate()).v; }

    Matrix4 toMatrix() const
    {
        const float x = v.x, y = v.y, z = v.z;
        // clang-format off
        return Matrix4(1.0f - 2.0f * (y * y + z * z), 2.0f * (x * y - w * z), 2.0f * (x * z + w * y), 0.0f,
                       2.0f * (x * y + w * z), 1.0f - 2.0f * (x * x + z * z), 2.0f * (y * z - w * x), 0.0f,
                       2.0f * (x * z - w * y), 2.0f * (y * z + w * x), 1.0f - 2.0f * (x * x + y * y), 0.0f,
                       0.0f, 0.0f, 0.0f, 1.0f);
        // clang-format on
    }
};

inline Quaternion operator*(float s, const Quaternion& q)
{
    return q * s;
}

} // namespace Quorvel
