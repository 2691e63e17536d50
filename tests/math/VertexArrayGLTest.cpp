#include "math/VertexArray.h"

#include "support/TestEngine.h"
#include "system/OpenGL.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using Quorvel::AttributeKind;
using Quorvel::VertexArray;

namespace {

// Each test leaves the client arrays as it found them.
class VertexArrayGLTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QuorvelTest::TestEngine::start()) << QuorvelTest::TestEngine::lastError();
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        for (GLenum array : {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY, GL_TEXTURE_COORD_ARRAY})
            glDisableClientState(array);
    }
    void TearDown() override
    {
        glPopClientAttrib();
        EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
    }

    static GLint integer(GLenum name)
    {
        GLint value = -1;
        glGetIntegerv(name, &value);
        return value;
    }
    static const void* pointer(GLenum name)
    {
        GLvoid* value = nullptr;
        glGetPointerv(name, &value);
        return value;
    }
};

// A vertex of 32 bytes: position (12), normal (12), colour (4 bytes), pad (4).
struct MeshVertex {
    float position[3];
    float normal[3];
    uint8_t colour[4];
    uint32_t pad;
};
static_assert(sizeof(MeshVertex) == 32, "interleaved layout");

} // namespace

TEST_F(VertexArrayGLTest, BindPointsEachKindAtItsOffsetWithTheStride)
{
    MeshVertex vertices[3] = {};
    VertexArray array;
    ASSERT_TRUE(array.setData(3, sizeof(MeshVertex), vertices, true));
    array.addAttribute(AttributeKind::TexCoord, 28, 1, GL_FLOAT); // listed first on purpose
    array.addAttribute(AttributeKind::Position, 0, 3, GL_FLOAT);
    array.addAttribute(AttributeKind::Normal, 12, 3, GL_FLOAT);
    array.addAttribute(AttributeKind::Color, 24, 4, GL_UNSIGNED_BYTE);
    array.bind();

    const uint8_t* data = array.getData();
    struct Case {
        const char* name;
        GLenum enabled, pointerName, strideName, typeName, sizeName;
        const void* expectedPointer;
        GLint expectedType, expectedSize;
    };
    const Case cases[] = {
        {"position", GL_VERTEX_ARRAY, GL_VERTEX_ARRAY_POINTER, GL_VERTEX_ARRAY_STRIDE, GL_VERTEX_ARRAY_TYPE,
         GL_VERTEX_ARRAY_SIZE, data, GL_FLOAT, 3},
        {"colour", GL_COLOR_ARRAY, GL_COLOR_ARRAY_POINTER, GL_COLOR_ARRAY_STRIDE, GL_COLOR_ARRAY_TYPE,
         GL_COLOR_ARRAY_SIZE, data + 24, GL_UNSIGNED_BYTE, 4},
        {"texture coordinate", GL_TEXTURE_COORD_ARRAY, GL_TEXTURE_COORD_ARRAY_POINTER, GL_TEXTURE_COORD_ARRAY_STRIDE,
         GL_TEXTURE_COORD_ARRAY_TYPE, GL_TEXTURE_COORD_ARRAY_SIZE, data + 28, GL_FLOAT, 1},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(glIsEnabled(c.enabled)) << c.name;
        EXPECT_EQ(c.expectedPointer, pointer(c.pointerName)) << c.name;
        EXPECT_EQ(32, integer(c.strideName)) << c.name;
        EXPECT_EQ(c.expectedType, integer(c.typeName)) << c.name;
        EXPECT_EQ(c.expectedSize, integer(c.sizeName)) << c.name;
    }
    // Normals have no size: only type, stride and pointer are passed.
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_EQ(static_cast<const void*>(data + 12), pointer(GL_NORMAL_ARRAY_POINTER));
    EXPECT_EQ(32, integer(GL_NORMAL_ARRAY_STRIDE));
    EXPECT_EQ(GL_FLOAT, integer(GL_NORMAL_ARRAY_TYPE));
}

TEST_F(VertexArrayGLTest, BindFollowsListOrderSkipsUnknownKindsAndDisablesNothing)
{
    float vertices[12] = {};
    VertexArray array;
    ASSERT_TRUE(array.setData(2, 24, vertices, true));
    array.addAttribute(static_cast<AttributeKind>(7), 0, 3, GL_FLOAT);
    array.addAttribute(AttributeKind::Position, 0, 3, GL_FLOAT);
    array.addAttribute(AttributeKind::Position, 12, 2, GL_FLOAT); // the later record wins

    glEnableClientState(GL_NORMAL_ARRAY);
    array.bind();

    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_EQ(static_cast<const void*>(array.getData() + 12), pointer(GL_VERTEX_ARRAY_POINTER));
    EXPECT_EQ(2, integer(GL_VERTEX_ARRAY_SIZE));
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY)) << "bind leaves other arrays enabled";
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY)) << "the unknown kind enabled nothing";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
}

TEST_F(VertexArrayGLTest, BindBeforeSetDataBindsNothing)
{
    VertexArray array;
    array.addAttribute(AttributeKind::Position, 0, 3, GL_FLOAT);
    array.addAttribute(AttributeKind::TexCoord, 24, 2, GL_FLOAT);
    array.bind();
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY)) << "no array may point at an offset from nothing";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_EQ(nullptr, pointer(GL_VERTEX_ARRAY_POINTER));
}

TEST_F(VertexArrayGLTest, BoundArrayDrawsAnIndexedTriangle)
{
    // A green triangle covering the centre of the screen, in clip space.
    MeshVertex vertices[3] = {
        {{-0.5f, -0.5f, 0.0f}, {0, 0, 1}, {0, 255, 0, 255}, 0},
        {{0.5f, -0.5f, 0.0f}, {0, 0, 1}, {0, 255, 0, 255}, 0},
        {{0.0f, 0.5f, 0.0f}, {0, 0, 1}, {0, 255, 0, 255}, 0},
    };
    VertexArray array;
    ASSERT_TRUE(array.setData(3, sizeof(MeshVertex), vertices, true));
    array.addAttribute(AttributeKind::Position, 0, 3, GL_FLOAT);
    array.addAttribute(AttributeKind::Color, 24, 4, GL_UNSIGNED_BYTE);
    std::memset(vertices, 0, sizeof(vertices)); // the array drew from its own copy

    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_VIEWPORT_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glViewport(0, 0, QuorvelTest::TestEngine::Width, QuorvelTest::TestEngine::Height);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);

    const GLuint indices[3] = {0, 1, 2};
    array.bind();
    glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_INT, indices);
    glFinish();

    uint8_t centre[3] = {1, 1, 1};
    uint8_t corner[3] = {1, 1, 1};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(QuorvelTest::TestEngine::Width / 2, QuorvelTest::TestEngine::Height / 2, 1, 1, GL_RGB,
                 GL_UNSIGNED_BYTE, centre);
    glReadPixels(5, 5, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, corner);

    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();

    EXPECT_EQ(0, centre[0]);
    EXPECT_EQ(255, centre[1]) << "the triangle covers the centre in its vertex colour";
    EXPECT_EQ(0, centre[2]);
    EXPECT_EQ(0, corner[1]) << "and not the corner";
}
