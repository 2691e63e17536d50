#include "math/Matrix4.h"

#include "system/OpenGL.h"

#include <cstring>
#include <utility>

namespace Quorvel {

Matrix4::Matrix4(float s)
{
    for (int index = 0; index < 16; ++index)
        m[index] = 0.0f;
    m[0] = m[5] = m[10] = m[15] = s;
}

Matrix4::Matrix4(const float* storage)
{
    std::memcpy(m, storage, sizeof(m));
}

// clang-format off
Matrix4::Matrix4(float a1, float a2, float a3, float a4,
                 float a5, float a6, float a7, float a8,
                 float a9, float a10, float a11, float a12,
                 float a13, float a14, float a15, float a16)
{
    m[0] = a1;  m[4] = a2;  m[8] = a3;   m[12] = a4;
    m[1] = a5;  m[5] = a6;  m[9] = a7;   m[13] = a8;
    m[2] = a9;  m[6] = a10; m[10] = a11; m[14] = a12;
    m[3] = a13; m[7] = a14; m[11] = a15; m[15] = a16;
}
// clang-format on

bool Matrix4::operator==(const Matrix4& b) const
{
    for (int index = 0; index < 16; ++index)
        if (m[index] != b.m[index])
            return false;
    return true;
}

Matrix4& Matrix4::operator*=(float s)
{
    for (float& element : m)
        element *= s;
    return *this;
}

Matrix4 Matrix4::operator*(float s) const
{
    Matrix4 result(*this);
    result *= s;
    return result;
}

Matrix4 Matrix4::operator*(const Matrix4& b) const
{
    Matrix4 result(0.0f);
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += m[k * 4 + row] * b.m[column * 4 + k];
            result.m[column * 4 + row] = sum;
        }
    }
    return result;
}

Matrix4 affineProduct(const Matrix4& a, const Matrix4& b)
{
    Matrix4 result;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = a(0, row) * b(column, 0) + a(1, row) * b(column, 1) + a(2, row) * b(column, 2);
            if (column == 3)
                sum += a(3, row);
            result(column, row) = sum;
        }
    }
    return result;
}

Matrix4& Matrix4::operator*=(const Matrix4& b)
{
    *this = affineProduct(*this, b);
    return *this;
}

void Matrix4::transpose()
{
    for (int row = 0; row < 4; ++row)
        for (int column = row + 1; column < 4; ++column)
            std::swap(m[column * 4 + row], m[row * 4 + column]);
}

Matrix4 Matrix4::transposed() const
{
    Matrix4 result(*this);
    result.transpose();
    return result;
}

Vector3 Matrix4::rotate(const Vector3& v) const
{
    return Vector3(m[0] * v.x + m[4] * v.y + m[8] * v.z, m[1] * v.x + m[5] * v.y + m[9] * v.z,
                   m[2] * v.x + m[6] * v.y + m[10] * v.z);
}

Vector3 Matrix4::transformPoint(const Vector3& p) const
{
    return Vector3(m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12], m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                   m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]);
}

Vector3 Matrix4::projectPoint(const Vector3& p) const
{
    Vector3 result = transformPoint(p);
    float w = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
    return Vector3(result.x / w, result.y / w, result.z / w);
}

Matrix4 Matrix4::translation(const Vector3& t)
{
    Matrix4 result;
    result.m[12] = t.x;
    result.m[13] = t.y;
    result.m[14] = t.z;
    return result;
}

Matrix4 Matrix4::scale(const Vector3& s)
{
    Matrix4 result;
    result.m[0] = s.x;
    result.m[5] = s.y;
    result.m[10] = s.z;
    return result;
}

Matrix4 Matrix4::rotationX(float angle)
{
    float c = cosine(angle);
    float s = sine(angle);
    // clang-format off
    return Matrix4(1, 0, 0, 0,
                   0, c, -s, 0,
                   0, s, c, 0,
                   0, 0, 0, 1);
    // clang-format on
}

Matrix4 Matrix4::rotationY(float angle)
{
    float c = cosine(angle);
    float s = sine(angle);
    // clang-format off
    return Matrix4(c, 0, s, 0,
                   0, 1, 0, 0,
                   -s, 0, c, 0,
                   0, 0, 0, 1);
    // clang-format on
}

Matrix4 Matrix4::rotationZ(float angle)
{
    float c = cosine(angle);
    float s = sine(angle);
    // clang-format off
    return Matrix4(c, -s, 0, 0,
                   s, c, 0, 0,
                   0, 0, 1, 0,
                   0, 0, 0, 1);
    // clang-format on
}

void Matrix4::loadProjection() const
{
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(m);
}

void Matrix4::loadModelView() const
{
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(m);
}

void Matrix4::readProjection()
{
    glGetFloatv(GL_PROJECTION_MATRIX, m);
}

void Matrix4::readModelView()
{
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
}

} // namespace Quorvel
