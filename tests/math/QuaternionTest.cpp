#include "math/Quaternion.h"
#include "math/MathUtil.h"

#include <gtest/gtest.h>

#include <string>

using Quorvel::Matrix4;
using Quorvel::Quaternion;
using Quorvel::Vector3;

namespace {

void expectQuaternion(float w, const Vector3& v, const Quaternion& actual, const std::string& what,
                      float tolerance = 1e-6f)
{
    EXPECT_NEAR(w, actual.w, tolerance) << what << ": w";
    EXPECT_NEAR(v.x, actual.v.x, tolerance) << what << ": x";
    EXPECT_NEAR(v.y, actual.v.y, tolerance) << what << ": y";
    EXPECT_NEAR(v.z, actual.v.z, tolerance) << what << ": z";
}

void expectVector(const Vector3& expected, const Vector3& actual, const std::string& what, float tolerance = 1e-5f)
{
    EXPECT_NEAR(expected.x, actual.x, tolerance) << what << ": x";
    EXPECT_NEAR(expected.y, actual.y, tolerance) << what << ": y";
    EXPECT_NEAR(expected.z, actual.z, tolerance) << what << ": z";
}

} // namespace

TEST(QuaternionTest, ConstructionForms)
{
    expectQuaternion(1, Vector3(0, 0, 0), Quaternion(), "default is the identity", 0.0f);
    expectQuaternion(0, Vector3(1, 2, 3), Quaternion(Vector3(1, 2, 3)), "pure", 0.0f);
    expectQuaternion(4, Vector3(1, 2, 3), Quaternion(Vector3(1, 2, 3), 4.0f), "vector and scalar", 0.0f);
    expectQuaternion(4, Vector3(1, 2, 3), Quaternion(1, 2, 3, 4), "x, y, z, then w", 0.0f);
    EXPECT_EQ(2.0f, Quaternion(1, 2, 3, 4).vectorPart().y);
}

TEST(QuaternionTest, AngleAxisNormalisesTheAxis)
{
    // Angle pi about (0, 0, 2): w is cos(pi / 2) of the float pi, not exactly 0.
    Quaternion q(Quorvel::Pi, Vector3(0, 0, 2));
    EXPECT_FLOAT_EQ(Quorvel::cosine(Quorvel::HalfPi), q.w);
    EXPECT_FLOAT_EQ(0.0f, q.v.x);
    EXPECT_FLOAT_EQ(0.0f, q.v.y);
    EXPECT_FLOAT_EQ(1.0f, q.v.z);

    Quaternion set(1, 2, 3, 4);
    set.setAngleAxis(Quorvel::HalfPi, Vector3(3, 0, 4));
    const float s = Quorvel::sine(Quorvel::PiOver4);
    expectQuaternion(Quorvel::cosine(Quorvel::PiOver4), Vector3(0.6f * s, 0, 0.8f * s), set, "setter");
}

TEST(QuaternionTest, AxisRotationsMatchAngleAxis)
{
    struct Case {
        const char* name;
        Quaternion byAxis;
        Vector3 axis;
    };
    const float angle = 0.7f;
    const Case cases[] = {
        {"x", Quaternion::rotationX(angle), Vector3(1, 0, 0)},
        {"y", Quaternion::rotationY(angle), Vector3(0, 1, 0)},
        {"z", Quaternion::rotationZ(angle), Vector3(0, 0, 1)},
    };
    for (const Case& c : cases) {
        Quaternion general(angle, c.axis);
        expectQuaternion(general.w, general.v, c.byAxis, std::string("constructor ") + c.name, 0.0f);
    }
    Quaternion q;
    q.setRotationX(angle);
    expectQuaternion(Quorvel::cosine(0.35f), Vector3(Quorvel::sine(0.35f), 0, 0), q, "setRotationX", 0.0f);
    q.setRotationY(angle);
    expectQuaternion(Quorvel::cosine(0.35f), Vector3(0, Quorvel::sine(0.35f), 0), q, "setRotationY", 0.0f);
    q.setRotationZ(angle);
    expectQuaternion(Quorvel::cosine(0.35f), Vector3(0, 0, Quorvel::sine(0.35f)), q, "setRotationZ", 0.0f);
}

TEST(QuaternionTest, HamiltonProductOfTheUnitQuaternions)
{
    const Quaternion i(1, 0, 0, 0), j(0, 1, 0, 0), k(0, 0, 1, 0);
    struct Case {
        const char* name;
        Quaternion product;
        float w;
        Vector3 v;
    };
    const Case cases[] = {
        {"i j = k", i * j, 0, Vector3(0, 0, 1)},
        {"j i = -k", j * i, 0, Vector3(0, 0, -1)},
        {"j k = i", j * k, 0, Vector3(1, 0, 0)},
        {"k i = j", k * i, 0, Vector3(0, 1, 0)},
        {"i i = -1", i * i, -1, Vector3(0, 0, 0)},
        {"general", Quaternion(1, 2, 3, 4) * Quaternion(5, 6, 7, 8), -6, Vector3(24, 48, 48)},
    };
    for (const Case& c : cases)
        expectQuaternion(c.w, c.v, c.product, c.name, 0.0f);

    Quaternion p(1, 2, 3, 4);
    p *= Quaternion(5, 6, 7, 8);
    expectQuaternion(-6, Vector3(24, 48, 48), p, "*=", 0.0f);
}

TEST(QuaternionTest, NormConjugateAndInverse)
{
    Quaternion q(1, 2, 3, 4);
    EXPECT_FLOAT_EQ(30.0f, q.squaredNorm());
    EXPECT_FLOAT_EQ(5.4772258f, q.norm());
    expectQuaternion(4, Vector3(-1, -2, -3), q.conjugate(), "conjugate", 0.0f);
    expectQuaternion(4.0f / 30, Vector3(-1.0f / 30, -2.0f / 30, -3.0f / 30), q.inverse(), "inverse");
    expectQuaternion(1, Vector3(0, 0, 0), q * q.inverse(), "q times its inverse");

    expectQuaternion(8, Vector3(2, 4, 6), q * 2.0f, "q * 2", 0.0f);
    expectQuaternion(8, Vector3(2, 4, 6), 2.0f * q, "2 * q", 0.0f);
    expectQuaternion(2, Vector3(0.5f, 1, 1.5f), q / 2.0f, "q / 2", 0.0f);
    expectQuaternion(5, Vector3(2, 2, 3), q + Quaternion(1, 0, 0, 1), "sum", 0.0f);
}

TEST(QuaternionTest, RotatingAVectorAgreesWithTheMatrix)
{
    struct Case {
        const char* name;
        Quaternion q;
        Vector3 input, expected;
    };
    const Case cases[] = {
        {"quarter turn about y", Quaternion::rotationY(Quorvel::HalfPi), Vector3(1, 0, 0), Vector3(0, 0, -1)},
        {"quarter turn about x", Quaternion::rotationX(Quorvel::HalfPi), Vector3(0, 1, 0), Vector3(0, 0, 1)},
        {"half turn about z", Quaternion::rotationZ(Quorvel::Pi), Vector3(1, 2, 3), Vector3(-1, -2, 3)},
        {"third turn about the diagonal", Quaternion(Quorvel::TwoPi / 3, Vector3(1, 1, 1)), Vector3(1, 0, 0),
         Vector3(0, 1, 0)},
        {"identity", Quaternion(), Vector3(4, 5, 6), Vector3(4, 5, 6)},
    };
    for (const Case& c : cases) {
        expectVector(c.expected, c.q.rotate(c.input), std::string(c.name) + " (quaternion)");
        expectVector(c.expected, c.q.toMatrix().rotate(c.input), std::string(c.name) + " (matrix)");
    }
}

TEST(QuaternionTest, MatrixOfAnAxisRotationIsTheAxisRotationMatrix)
{
    for (float angle : {-2.5f, -0.3f, 0.0f, 0.9f, 3.0f}) {
        struct Case {
            const char* name;
            Matrix4 fromQuaternion, direct;
        };
        const Case cases[] = {
            {"x", Quaternion::rotationX(angle).toMatrix(), Matrix4::rotationX(angle)},
            {"y", Quaternion::rotationY(angle).toMatrix(), Matrix4::rotationY(angle)},
            {"z", Quaternion::rotationZ(angle).toMatrix(), Matrix4::rotationZ(angle)},
        };
        for (const Case& c : cases)
            for (int index = 0; index < 16; ++index)
                EXPECT_NEAR(c.direct.getData()[index], c.fromQuaternion.getData()[index], 1e-6f)
                    << c.name << " angle " << angle << " index " << index;
    }
}

TEST(QuaternionTest, ProductComposesRotationsRightToLeft)
{
    // The level renderer's orientation: yaw about y times pitch about x.
    Quaternion yaw = Quaternion::rotationY(0.8f);
    Quaternion pitch = Quaternion::rotationX(-0.4f);
    Quaternion both = yaw * pitch;
    const Vector3 forward(0, 0, -1);
    expectVector(yaw.rotate(pitch.rotate(forward)), both.rotate(forward), "pitch first, then yaw");
    expectVector(Matrix4::rotationY(0.8f).rotate(Matrix4::rotationX(-0.4f).rotate(forward)),
                 both.toMatrix().rotate(forward), "matrix of the product");
}
