// Matrix4: a 4 x 4 float matrix stored in OpenGL's column-major order, so it
// is handed to glLoadMatrixf / glMultMatrixf unchanged. The element in row r,
// column c lives at index c * 4 + r; an affine matrix keeps its translation at
// indices 12, 13 and 14. Matrices act on column vectors; angles are radians.
// Identity by default.
#pragma once

#include "math/MathUtil.h"
#include "math/Vector3.h"

namespace Quorvel {

class Matrix4 {
public:
    Matrix4() : Matrix4(1.0f) {}            // identity
    explicit Matrix4(float s);              // s on the diagonal, 0 elsewhere
    explicit Matrix4(const float* storage); // 16 floats in storage (column-major) order
    // The sixteen arguments are read by rows: a1..a4 are row 0, a5..a8 row 1, ...
    // clang-format off
    Matrix4(float a1, float a2, float a3, float a4,
            float a5, float a6, float a7, float a8,
            float a9, float a10, float a11, float a12,
            float a13, float a14, float a15, float a16);
    // clang-format on

    // Element (i, j) is the float at index i * 4 + j: i picks the column, j the row.
    float& operator()(int i, int j) { return m[i * 4 + j]; }
    float operator()(int i, int j) const { return m[i * 4 + j]; }

    float* getData() { return m; }
    const float* getData() const { return m; }
    operator const float*() const { return m; } // for glLoadMatrixf

    bool operator==(const Matrix4& b) const; // exact compare of all 16 floats
    bool operator!=(const Matrix4& b) const { return !(*this == b); }

    Matrix4& operator*=(float s);
    Matrix4 operator*(float s) const;
    Matrix4 operator*(const Matrix4& b) const; // full product: b first, then this
    Matrix4& operator*=(const Matrix4& b);     // *this = affineProduct(*this, b)

    void transpose();
    Matrix4 transposed() const;

    Vector3 rotate(const Vector3& v) const;         // upper-left 3 x 3 only
    Vector3 transformPoint(const Vector3& p) const; // upper 3 x 4 times (x, y, z, 1)
    Vector3 projectPoint(const Vector3& p) const;   // full product, then divided by w

    static Matrix4 translation(const Vector3& t);
    static Matrix4 scale(const Vector3& s);
    static Matrix4 rotationX(float angle);
    static Matrix4 rotationY(float angle);
    static Matrix4 rotationZ(float angle);

    // OpenGL: the load operations select the matrix mode and load the storage;
    // the read operations fetch the current matrix into the storage.
    void loadProjection() const;
    void loadModelView() const;
    void readProjection();
    void readModelView();

private:
    float m[16];
};

inline Matrix4 operator*(float s, const Matrix4& a)
{
    return a * s;
}

// The product of the upper 3 x 4 parts of a and b, as if both bottom rows
// were (0, 0, 0, 1); the result's bottom row is (0, 0, 0, 1). A perspective
// row in either operand is ignored.
Matrix4 affineProduct(const Matrix4& a, const Matrix4& b);

} // namespace Quorvel
