#pragma once
// MatrixStateTest: a fixture for tests that load OpenGL matrices. It brings
// the test engine up, saves both matrices and the matrix mode before each
// test and puts them back after it, checking that no OpenGL error is left.

#include "support/TestEngine.h"
#include "system/OpenGL.h"

#include <gtest/gtest.h>

namespace QuorvelTest {

class MatrixStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestEngine::start()) << TestEngine::lastError();
        glPushAttrib(GL_TRANSFORM_BIT);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
    }
    void TearDown() override
    {
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glPopAttrib();
        EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
    }

    static GLint matrixMode()
    {
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        return mode;
    }
};

} // namespace QuorvelTest
