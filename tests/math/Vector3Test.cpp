#include "math/Vector3.h"

#include <gtest/gtest.h>

using Quorvel::Vector2;
using Quorvel::Vector3;

namespace {

void expectVector(const Vector3& expected, const Vector3& actual, const char* what)
{
    EXPECT_FLOAT_EQ(expected.x, actual.x) << what << ": x";
    EXPECT_FLOAT_EQ(expected.y, actual.y) << what << ": y";
    EXPECT_FLOAT_EQ(expected.z, actual.z) << what << ": z";
}

} // namespace

TEST(Vector3Test, ConstructionForms)
{
    expectVector(Vector3(0, 0, 0), Vector3(), "default");
    expectVector(Vector3(2.5f, 2.5f, 2.5f), Vector3(2.5f), "scalar");
    expectVector(Vector3(3, -4, 0), Vector3(Vector2(3, -4)), "from Vector2");

    Vector3 colour(0.25f, 0.5f, 0.75f);
    const float* components = colour.getData();
    EXPECT_EQ(0.25f, components[0]);
    EXPECT_EQ(0.5f, components[1]);
    EXPECT_EQ(0.75f, components[2]) << "the pointer covers x, y, z in order for glColor3fv";
}

TEST(Vector3Test, Arithmetic)
{
    Vector3 a(1, 2, 3);
    Vector3 b(-4, 0.5f, 2);
    expectVector(Vector3(-3, 2.5f, 5), a + b, "a + b");
    expectVector(Vector3(5, 1.5f, 1), a - b, "a - b");
    expectVector(Vector3(-1, -2, -3), -a, "-a");
    expectVector(Vector3(2, 4, 6), a * 2.0f, "a * 2");
    expectVector(Vector3(2, 4, 6), 2.0f * a, "2 * a");
    EXPECT_FLOAT_EQ(3.0f, Quorvel::dot(a, b));

    Vector3 c = a;
    c += b;
    expectVector(a + b, c, "a += b");
    c *= 0.5f;
    expectVector((a + b) * 0.5f, c, "*= 0.5");
}

TEST(Vector3Test, DivisionMultipliesByTheReciprocal)
{
    // 5 / 3 and 5 * (1 / 3) round to different floats; the quotient must take
    // the reciprocal once, as every other division by a scalar does.
    Vector3 v = Vector3(5, 7, 10) / 3.0f;
    EXPECT_EQ(1.66666675f, v.x);
    EXPECT_EQ(2.33333349f, v.y);
    EXPECT_EQ(3.33333349f, v.z);
}

TEST(Vector3Test, CrossProductIsRightHanded)
{
    struct Case {
        Vector3 a, b, expected;
        const char* name;
    };
    const Case cases[] = {
        {Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0, 0, 1), "x cross y"},
        {Vector3(0, 1, 0), Vector3(0, 0, 1), Vector3(1, 0, 0), "y cross z"},
        {Vector3(0, 0, 1), Vector3(1, 0, 0), Vector3(0, 1, 0), "z cross x"},
        {Vector3(0, 1, 0), Vector3(1, 0, 0), Vector3(0, 0, -1), "y cross x"},
        {Vector3(1, 2, 3), Vector3(4, 5, 6), Vector3(-3, 6, -3), "general"},
        {Vector3(1, 2, 3), Vector3(2, 4, 6), Vector3(0, 0, 0), "parallel"},
    };
    for (const Case& c : cases)
        expectVector(c.expected, Quorvel::cross(c.a, c.b), c.name);
}

TEST(Vector3Test, LengthAndNormalization)
{
    Vector3 v(3, 4, 12);
    EXPECT_FLOAT_EQ(169.0f, v.squaredLength());
    EXPECT_FLOAT_EQ(13.0f, v.length());

    Vector3 copy = v.normalized();
    expectVector(Vector3(3, 4, 12), v, "normalized leaves the original");
    expectVector(Vector3(3.0f / 13, 4.0f / 13, 12.0f / 13), copy, "normalized copy");
    v.normalize();
    expectVector(copy, v, "normalize in place");
    EXPECT_FLOAT_EQ(1.0f, v.length());
}
