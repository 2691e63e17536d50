#include "math/Vector4.h"

#include <gtest/gtest.h>

using Quorvel::Vector4;

TEST(Vector4Test, ArithmeticAndMinimum)
{
    Vector4 zero;
    EXPECT_TRUE(zero == Vector4(0, 0, 0, 0));

    Vector4 a(1, 8, -2, 4);
    Vector4 b(3, 2, -5, 4);
    EXPECT_TRUE(a + b == Vector4(4, 10, -7, 8));
    EXPECT_TRUE(a - b == Vector4(-2, 6, 3, 0));
    EXPECT_TRUE(a * 2.0f == Vector4(2, 16, -4, 8));
    EXPECT_TRUE(a / 2.0f == Vector4(0.5f, 4, -1, 2));
    EXPECT_TRUE(Quorvel::minimum(a, b) == Vector4(1, 2, -5, 4)) << "componentwise";

    Vector4 c = a;
    c += b;
    EXPECT_TRUE(c == Vector4(4, 10, -7, 8));
    c.minimize(Vector4(5, 0, 0, 9));
    EXPECT_TRUE(c == Vector4(4, 0, -7, 8));
}

TEST(Vector4Test, EqualityNeedsAllFourComponents)
{
    const Vector4 base(0, 0, 1024, 768);
    const Vector4 differing[] = {
        Vector4(1, 0, 1024, 768),
        Vector4(0, 1, 1024, 768),
        Vector4(0, 0, 1023, 768),
        Vector4(0, 0, 1024, 767),
    };
    EXPECT_TRUE(base == Vector4(0, 0, 1024, 768));
    EXPECT_FALSE(base != Vector4(0, 0, 1024, 768));
    for (const Vector4& other : differing) {
        EXPECT_FALSE(base == other) << other.x << ", " << other.y << ", " << other.z << ", " << other.w;
        EXPECT_TRUE(base != other);
    }
    EXPECT_TRUE(Vector4(0.0f, 0, 0, 0) == Vector4(-0.0f, 0, 0, 0)) << "plain float comparison";
}
