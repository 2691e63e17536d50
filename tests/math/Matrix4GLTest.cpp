#include "math/Matrix4.h"
#include "math/Vector3.h"

#include "support/MatrixStateTest.h"
#include "system/OpenGL.h"

#include <gtest/gtest.h>

using Quorvel::Matrix4;
using Quorvel::Vector3;

namespace {

// Each test saves both matrices and the matrix mode, and puts them back.
class Matrix4GLTest : public QuorvelTest::MatrixStateTest {};

} // namespace

TEST_F(Matrix4GLTest, MatrixLoadsAndReadsStorageUnchanged)
{
    const Matrix4 numbered(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    numbered.loadProjection();
    EXPECT_EQ(GL_PROJECTION, matrixMode());
    Matrix4 translation = Matrix4::translation(Vector3(1, 2, 3));
    translation.loadModelView();
    EXPECT_EQ(GL_MODELVIEW, matrixMode());

    Matrix4 projection(0.0f);
    projection.readProjection();
    EXPECT_TRUE(projection == numbered) << "column-major storage goes to OpenGL without conversion";
    Matrix4 modelView(0.0f);
    modelView.readModelView();
    EXPECT_TRUE(modelView == translation);

    // OpenGL agrees on the storage order: its own translation lands at 12..14.
    glLoadIdentity();
    glTranslatef(4, 5, 6);
    modelView.readModelView();
    EXPECT_TRUE(modelView == Matrix4::translation(Vector3(4, 5, 6)));
}
