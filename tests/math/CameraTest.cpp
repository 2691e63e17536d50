#include "math/Camera.h"
#include "math/MathUtil.h"
#include "math/OrthogonalCamera.h"
#include "math/PerspectiveCamera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using Quorvel::Matrix4;
using Quorvel::OrthogonalCamera;
using Quorvel::PerspectiveCamera;
using Quorvel::Quaternion;
using Quorvel::Vector3;

namespace {

void expectVector(const Vector3& expected, const Vector3& actual, const std::string& what, float tolerance = 1e-4f)
{
    EXPECT_NEAR(expected.x, actual.x, tolerance) << what << ": x";
    EXPECT_NEAR(expected.y, actual.y, tolerance) << what << ": y";
    EXPECT_NEAR(expected.z, actual.z, tolerance) << what << ": z";
}

void expectMatrix(const Matrix4& expected, const Matrix4& actual, const std::string& what, float tolerance = 1e-6f)
{
    for (int index = 0; index < 16; ++index)
        EXPECT_NEAR(expected.getData()[index], actual.getData()[index], tolerance) << what << ": index " << index;
}

} // namespace

TEST(CameraTest, ConstructorsSetFieldsButNoMatrix)
{
    PerspectiveCamera perspective(Vector3(1, 2, 3), Vector3(0, 0, 5), Vector3(0, 2, 0), 90.0f, 2.0f, 0.5f, 100.0f);
    expectVector(Vector3(1, 2, 3), perspective.position, "position");
    expectVector(Vector3(0, 0, 5), perspective.direction, "direction comes before up");
    expectVector(Vector3(0, 2, 0), perspective.up, "up");
    EXPECT_EQ(90.0f, perspective.fov);
    EXPECT_EQ(2.0f, perspective.aspect);
    EXPECT_EQ(0.5f, perspective.nearPlane);
    EXPECT_EQ(100.0f, perspective.farPlane);
    EXPECT_TRUE(perspective.projection == Matrix4()) << "no constructor computes a matrix";
    EXPECT_TRUE(perspective.view == Matrix4());

    PerspectiveCamera defaults;
    EXPECT_EQ(60.0f, defaults.fov);
    EXPECT_EQ(1.3333334f, defaults.aspect);
    EXPECT_EQ(1.0f, defaults.nearPlane);
    EXPECT_EQ(10000.0f, defaults.farPlane);
    expectVector(Vector3(0, 1, 0), defaults.up, "default up");
    expectVector(Vector3(0, 0, 1), defaults.direction, "default direction");
    expectVector(Vector3(0, 0, 0), defaults.side, "default side");
    EXPECT_EQ(1.0f, defaults.orientation.w);

    OrthogonalCamera box;
    expectVector(Vector3(-1, -1, -1), box.minCorner, "default minCorner");
    expectVector(Vector3(1, 1, 1), box.maxCorner, "default maxCorner");
    OrthogonalCamera screen(0.0f, 0.0f, 1024.0f, 768.0f);
    expectVector(Vector3(0, 768, -1), screen.minCorner, "left, bottom, -1");
    expectVector(Vector3(1024, 0, 1), screen.maxCorner, "right, top, 1");
    OrthogonalCamera full(Vector3(1, 1, 1), Vector3(0, 0, -1), Vector3(0, 1, 0), Vector3(-2, -3, -4), Vector3(2, 3, 4));
    expectVector(Vector3(0, 0, -1), full.direction, "direction");
    expectVector(Vector3(-2, -3, -4), full.minCorner, "minCorner");
    EXPECT_TRUE(full.projection == Matrix4());
}

TEST(CameraTest, DefaultOrthogonalProjectionFlipsZ)
{
    OrthogonalCamera camera;
    camera.updateProjection();
    // clang-format off
    EXPECT_TRUE(camera.projection == Matrix4(1, 0, 0, 0,
                                             0, 1, 0, 0,
                                             0, 0, -1, 0,
                                             0, 0, 0, 1));
    // clang-format on
    EXPECT_TRUE(camera.view == Matrix4()) << "default pose gives the identity view";
}

TEST(CameraTest, ScreenCameraPutsTheOriginTopLeft)
{
    OrthogonalCamera camera(0.0f, 0.0f, 1024.0f, 768.0f);
    camera.updateProjection();
    struct Case {
        Vector3 screen, clip;
        const char* name;
    };
    const Case cases[] = {
        {Vector3(0, 0, 0), Vector3(-1, 1, 0), "top-left"},
        {Vector3(1024, 768, 0), Vector3(1, -1, 0), "bottom-right"},
        {Vector3(512, 384, 0), Vector3(0, 0, 0), "centre"},
        {Vector3(1024, 0, 0), Vector3(1, 1, 0), "top-right"},
    };
    for (const Case& c : cases)
        expectVector(c.clip, camera.projection.projectPoint(camera.view.transformPoint(c.screen)), c.name, 1e-6f);
}

TEST(CameraTest, OrthogonalProjectionOfAnOffCentreBox)
{
    OrthogonalCamera camera(Vector3(), Vector3(0, 0, 1), Vector3(0, 1, 0), Vector3(2, -1, 1), Vector3(6, 3, 9));
    camera.updateProjection();
    // clang-format off
    expectMatrix(Matrix4(0.5f, 0, 0, -2,
                         0, 0.5f, 0, -0.5f,
                         0, 0, -0.25f, -1.25f,
                         0, 0, 0, 1),
                 camera.projection, "box (2, -1, 1) to (6, 3, 9)");
    // clang-format on
}

TEST(CameraTest, PerspectiveProjection)
{
    PerspectiveCamera camera;
    camera.updateProjection();
    const float k = 1.0f / (1.0f - 10000.0f);
    // clang-format off
    expectMatrix(Matrix4(1.2990381f, 0, 0, 0,
                         0, 1.7320508f, 0, 0,
                         0, 0, 10001.0f * k, 20000.0f * k,
                         0, 0, -1, 0),
                 camera.projection, "defaults", 1e-6f);
    // clang-format on
    EXPECT_FLOAT_EQ(-1.0002f, camera.projection(2, 2));
    EXPECT_FLOAT_EQ(-2.0002f, camera.projection(3, 2));

    // A point on the near plane maps to depth -1, on the far plane to +1.
    expectVector(Vector3(0, 0, -1), camera.projection.projectPoint(Vector3(0, 0, -1)), "near plane", 1e-5f);
    expectVector(Vector3(0, 0, 1), camera.projection.projectPoint(Vector3(0, 0, -10000)), "far plane", 1e-3f);

    PerspectiveCamera square(Vector3(), Vector3(0, 0, 1), Vector3(0, 1, 0), 90.0f, 1.0f, 2.0f, 6.0f);
    square.updateProjection();
    // clang-format off
    expectMatrix(Matrix4(1, 0, 0, 0,
                         0, 1, 0, 0,
                         0, 0, -2, -6,
                         0, 0, -1, 0),
                 square.projection, "90 degrees, near 2, far 6", 1e-6f);
    // clang-format on
    // The top edge of the view at depth 4 lies at y = 4.
    expectVector(Vector3(0, 1, 0.5f), square.projection.projectPoint(Vector3(0, 4, -4)), "top edge", 1e-6f);
}

TEST(CameraTest, UpdateProjectionAlsoBuildsTheView)
{
    OrthogonalCamera box;
    box.position = Vector3(1, 2, 3);
    box.updateProjection();
    EXPECT_TRUE(box.view == Matrix4::translation(Vector3(-1, -2, -3)));

    PerspectiveCamera perspective;
    perspective.position = Vector3(1, 2, 3);
    perspective.updateProjection();
    EXPECT_TRUE(perspective.view == Matrix4::translation(Vector3(-1, -2, -3)))
        << "default basis and orientation leave only the translation";
}

TEST(CameraTest, ViewCarriesTheWorldIntoTheCamerasFrame)
{
    // A point that lies at offset e in the camera's own frame (before the
    // orientation and the position are applied) must come out of view as e.
    struct Case {
        const char* name;
        Vector3 position;
        Quaternion orientation;
    };
    const Case cases[] = {
        {"unrotated", Vector3(8, 8, -8), Quaternion()},
        {"yaw a quarter turn", Vector3(0, 0, 0), Quaternion::rotationY(Quorvel::HalfPi)},
        {"yaw and pitch", Vector3(8, 8, -40), Quaternion::rotationY(2.2f) * Quaternion::rotationX(-0.6f)},
        {"roll", Vector3(-3, 1, 5), Quaternion::rotationZ(1.0f)},
    };
    const Vector3 offsets[] = {Vector3(0, 0, -5), Vector3(1, 2, 3), Vector3(-4, 0, 0)};
    for (const Case& c : cases) {
        PerspectiveCamera camera;
        camera.position = c.position;
        camera.orientation = c.orientation;
        camera.updateView();
        for (const Vector3& offset : offsets) {
            Vector3 world = c.position + c.orientation.rotate(offset);
            expectVector(offset, camera.view.transformPoint(world), c.name);
        }
    }

    // By hand: turned a quarter left, the camera sees the world's -x axis ahead.
    PerspectiveCamera camera;
    camera.orientation = Quaternion::rotationY(Quorvel::HalfPi);
    camera.updateView();
    expectVector(Vector3(0, 0, -5), camera.view.transformPoint(Vector3(-5, 0, 0)), "ahead");
    expectVector(Vector3(5, 0, 0), camera.view.transformPoint(Vector3(0, 0, -5)), "to the right");
    EXPECT_NEAR(0.0f, camera.view(3, 0), 1e-6f) << "no translation at the origin";
}

TEST(CameraTest, BasisIsMadeOrthonormal)
{
    struct Case {
        const char* name;
        Vector3 direction, up, side, newUp;
    };
    const Case cases[] = {
        {"default", Vector3(0, 0, 1), Vector3(0, 1, 0), Vector3(1, 0, 0), Vector3(0, 1, 0)},
        {"long direction", Vector3(0, 0, 7), Vector3(0, 1, 0), Vector3(1, 0, 0), Vector3(0, 1, 0)},
        {"up of length 2", Vector3(0, 0, 1), Vector3(0, 2, 0), Vector3(1, 0, 0), Vector3(0, 1, 0)},
        {"looking along x", Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0, 0, -1), Vector3(0, 1, 0)},
        {"up leaning forward", Vector3(0, 0, 1), Vector3(0, 1, 1), Vector3(1, 0, 0), Vector3(0, 1, 0)},
        {"direction tilted up", Vector3(0, 1, 1), Vector3(0, 1, 0), Vector3(1, 0, 0),
         Vector3(0, 0.70710677f, -0.70710677f)},
    };
    for (const Case& c : cases) {
        PerspectiveCamera camera(Vector3(), c.direction, c.up, 60.0f, 1.0f, 1.0f, 100.0f);
        camera.updateView();
        expectVector(c.direction.normalized(), camera.direction, std::string(c.name) + " direction", 1e-6f);
        expectVector(c.side, camera.side, std::string(c.name) + " side", 1e-6f);
        expectVector(c.newUp, camera.up, std::string(c.name) + " up", 1e-6f);
        // The columns of the view's rotation are side, up and direction.
        EXPECT_FLOAT_EQ(camera.side.x, camera.view(0, 0)) << c.name;
        EXPECT_FLOAT_EQ(camera.up.x, camera.view(1, 0)) << c.name;
        EXPECT_FLOAT_EQ(camera.direction.x, camera.view(2, 0)) << c.name;
        EXPECT_FLOAT_EQ(camera.direction.z, camera.view(2, 2)) << c.name;
    }
}

TEST(CameraTest, UpParallelToDirectionGivesZeroAxesWithoutNaN)
{
    PerspectiveCamera camera(Vector3(1, 2, 3), Vector3(0, 3, 0), Vector3(0, 1, 0), 60.0f, 1.0f, 1.0f, 100.0f);
    camera.updateView();
    expectVector(Vector3(0, 0, 0), camera.side, "side", 0.0f);
    expectVector(Vector3(0, 0, 0), camera.up, "up", 0.0f);
    for (int index = 0; index < 16; ++index)
        EXPECT_FALSE(std::isnan(camera.view.getData()[index])) << "index " << index;
}
