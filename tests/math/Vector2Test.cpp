#include "math/Vector2.h"

#include <gtest/gtest.h>

using Quorvel::Vector2;

TEST(Vector2Test, ConstructionAndArithmetic)
{
    Vector2 zero;
    EXPECT_EQ(0.0f, zero.x);
    EXPECT_EQ(0.0f, zero.y);
    Vector2 same(1.5f);
    EXPECT_EQ(1.5f, same.x);
    EXPECT_EQ(1.5f, same.y);

    Vector2 a(1, 2);
    Vector2 b(3, -1);
    struct Case {
        Vector2 value;
        float x, y;
        const char* name;
    };
    const Case cases[] = {
        {a + b, 4, 1, "a + b"},    {a - b, -2, 3, "a - b"},
        {-a, -1, -2, "-a"},        {a * 3.0f, 3, 6, "a * 3"},
        {3.0f * a, 3, 6, "3 * a"}, {Vector2(5, 10) / 3.0f, 1.66666675f, 3.33333349f, "reciprocal quotient"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.x, c.value.x) << c.name;
        EXPECT_EQ(c.y, c.value.y) << c.name;
    }

    Vector2 c = a;
    c += b;
    c *= 2.0f;
    EXPECT_EQ(8.0f, c.x);
    EXPECT_EQ(2.0f, c.y);
}

TEST(Vector2Test, ProductsAndLength)
{
    Vector2 a(3, 4);
    Vector2 b(-2, 5);
    EXPECT_FLOAT_EQ(14.0f, Quorvel::dot(a, b));
    EXPECT_FLOAT_EQ(23.0f, Quorvel::cross(a, b)) << "a.x b.y - a.y b.x";
    EXPECT_FLOAT_EQ(-23.0f, Quorvel::cross(b, a));
    EXPECT_FLOAT_EQ(25.0f, a.squaredLength());
    EXPECT_FLOAT_EQ(5.0f, a.length());

    Vector2 unit = a.normalized();
    EXPECT_FLOAT_EQ(0.6f, unit.x);
    EXPECT_FLOAT_EQ(0.8f, unit.y);
    EXPECT_EQ(3.0f, a.x) << "normalized leaves the original";
    a.normalize();
    EXPECT_FLOAT_EQ(0.6f, a.x);
    EXPECT_FLOAT_EQ(0.8f, a.y);
}
