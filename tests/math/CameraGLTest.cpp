#include "math/Camera.h"
#include "math/Matrix4.h"
#include "math/OrthogonalCamera.h"
#include "math/PerspectiveCamera.h"
#include "math/Quaternion.h"

#include "support/MatrixStateTest.h"
#include "system/OpenGL.h"

#include <gtest/gtest.h>

using Quorvel::Matrix4;
using Quorvel::OrthogonalCamera;
using Quorvel::PerspectiveCamera;
using Quorvel::Quaternion;
using Quorvel::Vector3;

namespace {

// Each test saves both matrices and the matrix mode, and puts them back.
class CameraGLTest : public QuorvelTest::MatrixStateTest {};

} // namespace

TEST_F(CameraGLTest, ApplyLoadsBothMatricesAndApplyViewOnlyTheView)
{
    PerspectiveCamera camera;
    camera.position = Vector3(8, 8, -8);
    camera.orientation = Quaternion::rotationY(0.5f) * Quaternion::rotationX(-0.2f);
    camera.updateProjection();

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    camera.apply();
    EXPECT_EQ(GL_MODELVIEW, matrixMode()) << "apply leaves OpenGL in model-view mode";
    Matrix4 current;
    current.readProjection();
    EXPECT_TRUE(current == camera.projection);
    current.readModelView();
    EXPECT_TRUE(current == camera.view);

    OrthogonalCamera screen(0.0f, 0.0f, 1024.0f, 768.0f);
    screen.position = Vector3(10, 20, 0);
    screen.updateProjection();
    screen.applyView();
    EXPECT_EQ(GL_MODELVIEW, matrixMode());
    current.readModelView();
    EXPECT_TRUE(current == screen.view);
    current.readProjection();
    EXPECT_TRUE(current == camera.projection) << "applyView leaves the projection alone";
}
