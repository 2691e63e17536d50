// The level on a real OpenGL context, added to the widget manager after its
// init as the demonstration does: what a frame shows at the start (sky,
// floor, a wall, the minimap's colours), and a level without textures.

#include "support/TestEngine.h"

#include "core/Application.h"
#include "math/Vector4.h"
#include "resources/Texture.h"
#include "scene/W_LevelRenderer.h"
#include "widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <cstdlib>

using Quorvel::W_LevelRenderer;
using QuorvelTest::Frame;
using QuorvelTest::Pixel;

namespace {

bool near(const Pixel& actual, const Pixel& expected, int tolerance)
{
    return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance
        && std::abs(actual.b - expected.b) <= tolerance;
}

class W_LevelRendererGLTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QuorvelTest::TestEngine::start()) << QuorvelTest::TestEngine::lastError(); }
};

} // namespace

TEST_F(W_LevelRendererGLTest, FirstFrameShowsSkyFloorWallsAndMinimap)
{
    // Never destroyed: the widget manager keeps it, as in the demonstration.
    auto* level = new W_LevelRenderer();
    ASSERT_NE(level->getFloorTexture(), nullptr);
    ASSERT_NE(level->getWallTexture(), nullptr);
    ASSERT_NE(level->getCeilingTexture(), nullptr);
    Quorvel::Application::instance()->getWidgetManager()->add(level);
    EXPECT_FLOAT_EQ(level->getMapScale(), 1024.0f / 70.0f) << "add resized it to the screen";
    level->tick(1);

    const Frame frame = QuorvelTest::TestEngine::drawFrame();
    ASSERT_EQ(frame.width, 1024);

    // Above the horizon: sky, blue or white cloud, never black.
    const Pixel sky = frame.at(300, 40);
    EXPECT_GE(sky.b, sky.r) << ::testing::PrintToString(sky);
    EXPECT_GT(sky.b, 120) << ::testing::PrintToString(sky);

    // Below it, straight ahead: the grey stone floor.
    const Pixel floor = frame.at(512, 700);
    EXPECT_LT(std::abs(floor.r - floor.b), 50) << ::testing::PrintToString(floor);
    EXPECT_GT(floor.g, 60) << ::testing::PrintToString(floor);

    // To the left at eye height: the brick wall along the grid's edge (x = 0).
    const Pixel wall = frame.at(100, 384);
    EXPECT_GT(wall.r, wall.b + 40) << ::testing::PrintToString(wall);

    // Minimap: grey background in open cell (3, 3), orange in solid cell (1, 5),
    // and the red heading from the player in cell (0, 0) along -z, which is
    // downwards on the map: from y = 7.3 to 11.9 at x = 885.
    EXPECT_TRUE(near(frame.at(929, 51), Pixel{128, 128, 128}, 2)) << ::testing::PrintToString(frame.at(929, 51));
    EXPECT_TRUE(near(frame.at(899, 80), Pixel{178, 102, 0}, 2)) << ::testing::PrintToString(frame.at(899, 80));
    bool red = false;
    for (int y = 8; y <= 11; ++y) {
        for (int x = 884; x <= 886; ++x)
            red = red || frame.at(x, y) == Pixel{255, 0, 0};
    }
    EXPECT_TRUE(red) << "heading line near (885, 8..11)";
    // Just left of the minimap lies the sky again.
    EXPECT_FALSE(near(frame.at(870, 51), Pixel{128, 128, 128}, 10));
}

TEST_F(W_LevelRendererGLTest, DrawRestoresMatricesAndLeavesNoTextureOrDepthTest)
{
    W_LevelRenderer level{Quorvel::SkyDome::WithoutGraphics()};
    level.resize(Quorvel::Vector4(0.0f, 0.0f, 1024.0f, 768.0f));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 1024.0, 768.0, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    level.draw();

    GLfloat after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    EXPECT_EQ(std::vector<float>(projection, projection + 16), std::vector<float>(after, after + 16));
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    EXPECT_FLOAT_EQ(after[0], 1.0f);
    EXPECT_FLOAT_EQ(after[12], 0.0f);
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_FALSE);
    EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Without textures the floor and walls are drawn plain white rather than
    // not at all; there is no sky behind them.
    glFinish();
    Pixel floor;
    glReadBuffer(GL_BACK);
    glReadPixels(512, 768 - 1 - 700, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, &floor);
    EXPECT_EQ(floor, (Pixel{255, 255, 255}));
    Pixel sky;
    glReadPixels(300, 768 - 1 - 40, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, &sky);
    EXPECT_EQ(sky, (Pixel{0, 0, 0}));
}
