// The level on a real OpenGL context, added to the widget manager after its
// init as the demonstration does: what a frame shows at the start (sky,
// floor, a wall, the minimap's colours), and a level without textures.

#include "support/TestEngine.h"

#include "core/Application.h"
#include "math/Vector4.h"
#include "resources/Texture.h"
#include "input/InputState.h"
#include "scene/LevelFile.h"
#include "scene/LevelGrid.h"
#include "scene/W_LevelRenderer.h"
#include "widgets/InputHandler.h"
#include "widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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
    // The level's textures replace its white colour; what is drawn next
    // (the coloured text and minimap) needs the colour multiplied again.
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
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

namespace {

// Draws the level alone, as the widget manager would (its orthographic
// screen camera, a cleared screen), and reads the frame back.
Frame drawAlone(W_LevelRenderer& level)
{
    const int width = QuorvelTest::TestEngine::Width;
    const int height = QuorvelTest::TestEngine::Height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    level.draw();
    glFinish();
    Frame frame;
    frame.width = width;
    frame.height = height;
    frame.rgb.resize(static_cast<size_t>(width * height * 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    return frame;
}

// Turns the view by a mouse motion, puts the player at (x, z) and ticks once.
void look(W_LevelRenderer& level, int32_t dx, int32_t dy, float x, float z)
{
    Quorvel::InputState state;
    state.setDeltaX(dx);
    state.setDeltaY(dy);
    level.handleInput(Quorvel::MouseMove, state);
    level.setPlayerPosition(Quorvel::Vector3(x, 8.0f, z));
    level.tick(1);
}

// Pixels whose colours differ by more than tolerance in a channel.
int differingPixels(const Frame& a, const Frame& b, int tolerance = 0)
{
    int count = 0;
    for (size_t k = 0; k + 2 < a.rgb.size() && k + 2 < b.rgb.size(); k += 3) {
        bool differs = false;
        for (size_t c = k; c < k + 3; ++c)
            differs = differs || std::abs(static_cast<int>(a.rgb[c]) - static_cast<int>(b.rgb[c])) > tolerance;
        count += differs ? 1 : 0;
    }
    return count;
}

Quorvel::LevelGrid loadLevel(const char* name)
{
    Quorvel::LevelFile file;
    EXPECT_TRUE(file.load(name)) << file.describeError(name);
    return file.getGrid();
}

} // namespace

TEST_F(W_LevelRendererGLTest, TheBuiltInLevelFileDrawsTheBuiltInLevelsFrames)
{
    const Quorvel::LevelGrid grid = loadLevel("levels/builtin.lvl");
    ASSERT_TRUE(grid == Quorvel::LevelGrid::builtIn());
    W_LevelRenderer builtIn;
    W_LevelRenderer fromFile(grid);
    const Quorvel::Vector4 screen(0.0f, 0.0f, 1024.0f, 768.0f);
    builtIn.resize(screen);
    fromFile.resize(screen);
    struct View {
        int32_t dx, dy;
        float x, z;
    };
    const View views[] = {{0, 0, 8.0f, -8.0f}, {-700, 300, 40.0f, -40.0f}, {2500, -200, 150.0f, -150.0f}};
    for (const View& v : views) {
        look(builtIn, v.dx, v.dy, v.x, v.z);
        look(fromFile, v.dx, v.dy, v.x, v.z);
        const Frame expected = drawAlone(builtIn);
        const Frame actual = drawAlone(fromFile);
        EXPECT_EQ(differingPixels(expected, actual), 0) << "view at " << v.x << ", " << v.z;
        EXPECT_TRUE(expected.at(929, 51) == (Pixel{128, 128, 128})) << "minimap drawn";
    }
}

TEST_F(W_LevelRendererGLTest, LargeLevelsShowWhatDrawingEverythingShows)
{
    // A hall of scattered pillars, where the eye sees far in most
    // directions, and a maze, where it sees little.
    Quorvel::LevelGrid hallGrid(96, 80);
    for (int32_t j = 0; j < 80; ++j) {
        for (int32_t i = 0; i < 96; ++i)
            hallGrid.setSolid(i, j, (i * 7 + j * 13) % 23 == 0 && i > 1);
    }
    const Quorvel::LevelGrid& hall = hallGrid;
    const Quorvel::LevelGrid maze = loadLevel("levels/maze128.lvl");
    ASSERT_EQ(maze.getWidth(), 128);

    // Turned and tipped various ways (each added to the view before), from
    // open cells: the blocks chosen as visible leave no pixel out.
    struct View {
        int32_t dx, dy;
        int32_t i, j;
    };
    const View views[] = {
        {0, 0, 0, 0},         {-785, 0, 0, 0},       {1571, -600, 64, 64}, {700, 900, 64, 64},
        {2000, 0, 90, 30},    {-300, -2500, 30, 70}, {0, 5000, 40, 40},    {1200, -1800, 40, 60},
        {3000, -1000, 2, 78}, {-4500, 800, 94, 2},   {600, 300, 50, 10},
    };
    for (const Quorvel::LevelGrid* grid : {&hall, &maze}) {
        W_LevelRenderer level(*grid);
        level.resize(Quorvel::Vector4(0.0f, 0.0f, 1024.0f, 768.0f));
        ASSERT_GT(level.getBlockCount(), 1);
        for (const View& v : views) {
            const std::string where = std::to_string(grid->getWidth()) + " wide, cell " + std::to_string(v.i) + ", "
                + std::to_string(v.j) + " turned " + std::to_string(v.dx) + ", " + std::to_string(v.dy);
            if (grid->isSolid(v.i, v.j))
                continue;
            look(level, v.dx, v.dy, 16.0f * static_cast<float>(v.i) + 8.0f, -(16.0f * static_cast<float>(v.j) + 8.0f));
            level.setDrawAll(false);
            const Frame culled = drawAlone(level);
            const int32_t visibleBlocks = level.countVisibleBlocks();
            level.setDrawAll(true);
            const Frame whole = drawAlone(level);
            // Software rasterisers may sample a texture a shade differently
            // when the same quad comes in another batch; a quad left out
            // shows sky or floor where a wall should be.
            EXPECT_EQ(differingPixels(culled, whole, 8), 0) << where;
            EXPECT_LT(visibleBlocks, level.getBlockCount()) << where;
        }
    }
}

TEST_F(W_LevelRendererGLTest, ALargeLevelsMinimapComesFromItsPicture)
{
    W_LevelRenderer level(loadLevel("levels/maze128.lvl"));
    level.resize(Quorvel::Vector4(0.0f, 0.0f, 1024.0f, 768.0f));

    // The minimap from its texture: 1024 / 896 pixels a cell from x = 877.7.
    // Cell (3, 3) lies between rooms: solid; (4, 4) is a room: open.
    look(level, 0, 0, 8.0f, -8.0f);
    const Frame frame = drawAlone(level);
    EXPECT_EQ(frame.at(881, 3), (Pixel{178, 102, 0}));
    EXPECT_EQ(frame.at(882, 5), (Pixel{128, 128, 128}));
    EXPECT_NE(frame.at(875, 60), (Pixel{128, 128, 128})) << "nothing left of the box";
    EXPECT_NE(frame.at(1000, 150), (Pixel{128, 128, 128})) << "nothing below the box";
    // The heading line, as long on the screen as on the 10 x 10 map, starts
    // in the start cell's middle.
    bool red = false;
    for (int y = 0; y <= 6; ++y) {
        for (int x = 877; x <= 880; ++x)
            red = red || frame.at(x, y) == Pixel{255, 0, 0};
    }
    EXPECT_TRUE(red) << "heading line at the start";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
