#include "math/Matrix4.h"
#include "math/MathUtil.h"

#include <gtest/gtest.h>

#include <string>

using Quorvel::Matrix4;
using Quorvel::Vector3;

namespace {

// Compares all sixteen stored floats, naming the storage index that differs.
void expectStorage(const float (&expected)[16], const Matrix4& actual, const std::string& what, float tolerance = 0.0f)
{
    for (int index = 0; index < 16; ++index) {
        if (tolerance == 0.0f)
            EXPECT_EQ(expected[index], actual.getData()[index]) << what << ": index " << index;
        else
            EXPECT_NEAR(expected[index], actual.getData()[index], tolerance) << what << ": index " << index;
    }
}

void expectVector(const Vector3& expected, const Vector3& actual, const std::string& what, float tolerance = 1e-5f)
{
    EXPECT_NEAR(expected.x, actual.x, tolerance) << what << ": x";
    EXPECT_NEAR(expected.y, actual.y, tolerance) << what << ": y";
    EXPECT_NEAR(expected.z, actual.z, tolerance) << what << ": z";
}

// clang-format off
const Matrix4 numbered(1, 2, 3, 4,
                       5, 6, 7, 8,
                       9, 10, 11, 12,
                       13, 14, 15, 16);
// clang-format on

} // namespace

TEST(Matrix4Test, SixteenArgumentsAreReadByRowsAndStoredByColumns)
{
    const float storage[16] = {1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 4, 8, 12, 16};
    expectStorage(storage, numbered, "rows 1..16");

    // Element (i, j) is column i, row j.
    EXPECT_EQ(2.0f, numbered(1, 0)) << "column 1, row 0";
    EXPECT_EQ(5.0f, numbered(0, 1)) << "column 0, row 1";
    EXPECT_EQ(12.0f, numbered(3, 2)) << "column 3, row 2";

    Matrix4 copy(storage);
    EXPECT_TRUE(copy == numbered) << "the pointer form copies storage order unchanged";
    copy(2, 1) = -1.0f;
    EXPECT_EQ(-1.0f, copy.getData()[9]) << "element writes through to index i * 4 + j";
    EXPECT_TRUE(copy != numbered);

    const float* pointer = numbered;
    EXPECT_EQ(numbered.getData(), pointer) << "the conversion hands OpenGL the storage itself";
}

TEST(Matrix4Test, DefaultIsIdentityAndScalarFillsTheDiagonal)
{
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    expectStorage(identity, Matrix4(), "default");
    const float threes[16] = {3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 3};
    expectStorage(threes, Matrix4(3.0f), "scalar");
}

TEST(Matrix4Test, TranslationScaleAndTheirUse)
{
    const float translation[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1};
    expectStorage(translation, Matrix4::translation(Vector3(1, 2, 3)), "translation(1, 2, 3)");
    const float scale[16] = {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1};
    expectStorage(scale, Matrix4::scale(Vector3(2, 3, 4)), "scale(2, 3, 4)");

    Matrix4 move = Matrix4::translation(Vector3(1, 2, 3));
    expectVector(Vector3(11, 22, 33), move.transformPoint(Vector3(10, 20, 30)), "a point is moved");
    expectVector(Vector3(10, 20, 30), move.rotate(Vector3(10, 20, 30)), "a direction is not");
}

TEST(Matrix4Test, ScalarProductScalesEveryElement)
{
    float doubled[16];
    for (int index = 0; index < 16; ++index)
        doubled[index] = 2.0f * numbered.getData()[index];
    expectStorage(doubled, numbered * 2.0f, "m * 2");
    expectStorage(doubled, 2.0f * numbered, "2 * m");
    Matrix4 inPlace = numbered;
    inPlace *= 2.0f;
    expectStorage(doubled, inPlace, "m *= 2");
}

TEST(Matrix4Test, FullProductAgainstHandComputedValues)
{
    // clang-format off
    Matrix4 b(1, 0, 2, 0,
              0, 1, 0, 3,
              1, 1, 1, 1,
              0, 2, 0, 1);
    // clang-format on
    // Row r of the product is row r of numbered times b.
    // clang-format off
    Matrix4 expected(4, 13, 5, 13,
                     12, 29, 17, 33,
                     20, 45, 29, 53,
                     28, 61, 41, 73);
    // clang-format on
    EXPECT_TRUE(numbered * b == expected);

    // a * b applies b first: translate, then rotate a quarter turn about z.
    Matrix4 combined = Matrix4::rotationZ(Quorvel::HalfPi) * Matrix4::translation(Vector3(1, 0, 0));
    expectVector(Vector3(0, 2, 0), combined.transformPoint(Vector3(1, 0, 0)), "rotation after translation");
}

TEST(Matrix4Test, AffineProductIgnoresBothBottomRows)
{
    Matrix4 a = numbered;
    // clang-format off
    Matrix4 b(1, 0, 2, 0,
              0, 1, 0, 3,
              1, 1, 1, 1,
              0, 2, 0, 1);
    // clang-format on
    // Upper 3 x 4 of a times b with both bottom rows taken as (0, 0, 0, 1).
    // clang-format off
    Matrix4 expected(4, 5, 5, 13,
                     12, 13, 17, 33,
                     20, 21, 29, 53,
                     0, 0, 0, 1);
    // clang-format on
    EXPECT_TRUE(Quorvel::affineProduct(a, b) == expected);

    Matrix4 inPlace = a;
    inPlace *= b;
    EXPECT_TRUE(inPlace == expected) << "*= is the affine product, not the full one";

    // A projection loses its perspective row this way but keeps it in the full product.
    // clang-format off
    Matrix4 perspective(1, 0, 0, 0,
                        0, 1, 0, 0,
                        0, 0, 1, 0,
                        0, 0, -1, 0);
    // clang-format on
    Matrix4 affine = Quorvel::affineProduct(perspective, Matrix4());
    EXPECT_EQ(0.0f, affine(2, 3)) << "perspective row dropped";
    EXPECT_EQ(1.0f, affine(3, 3));
    Matrix4 full = perspective * Matrix4();
    EXPECT_EQ(-1.0f, full(2, 3)) << "full product keeps it";
}

TEST(Matrix4Test, TransposeSwapsRowsAndColumns)
{
    // clang-format off
    Matrix4 expected(1, 5, 9, 13,
                     2, 6, 10, 14,
                     3, 7, 11, 15,
                     4, 8, 12, 16);
    // clang-format on
    EXPECT_TRUE(numbered.transposed() == expected);
    Matrix4 inPlace = numbered;
    inPlace.transpose();
    EXPECT_TRUE(inPlace == expected);
    inPlace.transpose();
    EXPECT_TRUE(inPlace == numbered) << "twice gives the original";
}

TEST(Matrix4Test, AxisRotationsTurnCounterClockwise)
{
    struct Case {
        Matrix4 rotation;
        Vector3 input, expected;
        const char* name;
    };
    const Case cases[] = {
        {Matrix4::rotationX(Quorvel::HalfPi), Vector3(0, 1, 0), Vector3(0, 0, 1), "x: y to z"},
        {Matrix4::rotationY(Quorvel::HalfPi), Vector3(0, 0, 1), Vector3(1, 0, 0), "y: z to x"},
        {Matrix4::rotationZ(Quorvel::HalfPi), Vector3(1, 0, 0), Vector3(0, 1, 0), "z: x to y"},
        {Matrix4::rotationY(Quorvel::Pi), Vector3(1, 2, 3), Vector3(-1, 2, -3), "y half turn"},
        {Matrix4::rotationZ(-Quorvel::PiOver4), Vector3(1, 1, 5), Vector3(1.4142135f, 0, 5), "z -45 degrees"},
    };
    for (const Case& c : cases) {
        expectVector(c.expected, c.rotation.rotate(c.input), c.name);
        expectVector(c.expected, c.rotation.transformPoint(c.input), c.name);
    }
    Matrix4 r = Matrix4::rotationX(0.3f);
    EXPECT_FLOAT_EQ(Quorvel::cosine(0.3f), r(1, 1));
    EXPECT_FLOAT_EQ(-Quorvel::sine(0.3f), r(2, 1)) << "row 1, column 2 is -sin";
    EXPECT_FLOAT_EQ(Quorvel::sine(0.3f), r(1, 2)) << "row 2, column 1 is sin";
}

TEST(Matrix4Test, ProjectPointDividesByW)
{
    // clang-format off
    Matrix4 perspective(2, 0, 0, 0,
                        0, 2, 0, 0,
                        0, 0, 1, 1,
                        0, 0, -1, 0);
    // clang-format on
    // (1, 2, -4, 1) becomes (2, 4, -3, 4).
    expectVector(Vector3(0.5f, 1.0f, -0.75f), perspective.projectPoint(Vector3(1, 2, -4)), "projected");
    expectVector(Vector3(2, 4, -3), perspective.transformPoint(Vector3(1, 2, -4)), "transformPoint ignores w");
}
