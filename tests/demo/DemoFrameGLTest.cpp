// The demonstration's frame on a real OpenGL context, composed as start-up
// composes it (level, counter, crosshair, the walk's sounds): both drawing orders give the same
// picture at the standing frame and at poses all along the timedemo's path
// (pixel for pixel but where two walls tie on a shared edge); and in
// steady state a frame, a timedemo frame included, allocates nothing, with
// the sound system playing (on SDL's silent driver) and fed meanwhile. A
// level file dropped on the window (an SDL drop event, as the desktop's drag
// and drop gives it) restarts the walk in that level, minimap and all.

#include "scene/AllocationCounter.h"
#include "support/TestEngine.h"

#include "core/Application.h"
#include "demo/LevelDrop.h"
#include "demo/Timedemo.h"
#include "demo/WalkSounds.h"
#include "math/Vector4.h"
#include "scene/LevelFile.h"
#include "scene/LevelGrid.h"
#include "scene/LevelMinimap.h"
#include "scene/TimedemoPath.h"
#include "scene/W_LevelRenderer.h"
#include "system/OpenGL.h"
#include "system/SoundSystem.h"
#include "widgets/WSCrosshair.h"
#include "widgets/WS_FpsCounter.h"
#include "widgets/WidgetManager.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

using Quorvel::TimedemoPath;
using Quorvel::W_LevelRenderer;
using QuorvelTest::Frame;
using QuorvelTest::TestEngine;

namespace {

// The three widgets of the demonstration, added once for the whole program
// after the engine is up, and never destroyed (the widget manager keeps them).
struct Composition {
    W_LevelRenderer* level = nullptr;
    Quorvel::WS_FpsCounter* counter = nullptr;
    Quorvel::WSCrosshair* crosshair = nullptr;
    Quorvel::WalkSounds* sounds = nullptr;
};

const Composition& composition()
{
    static Composition widgets;
    if (!widgets.level) {
        Quorvel::WidgetManager* manager = Quorvel::Application::instance()->getWidgetManager();
        widgets.level = new W_LevelRenderer();
        widgets.counter = new Quorvel::WS_FpsCounter();
        widgets.crosshair = new Quorvel::WSCrosshair();
        manager->add(widgets.level);
        manager->add(widgets.counter);
        manager->add(widgets.crosshair);
        widgets.crosshair->show();
        widgets.sounds = new Quorvel::WalkSounds(*widgets.level, Quorvel::SoundSystem::instance()->getMixer());
    }
    return widgets;
}

class DemoFrameGLTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestEngine::start()) << TestEngine::lastError();
        widgets = composition();
        ASSERT_NE(widgets.level->getFloorTexture(), nullptr);
        ASSERT_NE(widgets.counter->getWriter()->getFont(), nullptr);
    }
    void TearDown() override
    {
        if (widgets.level)
            widgets.level->setSkyFirst(false);
    }

    Composition widgets;
};

// Where two read-back frames differ: count and the first position.
struct Difference {
    long pixels = 0;
    int x = -1, y = -1;
};

Difference compare(const Frame& a, const Frame& b)
{
    Difference difference;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (a.at(x, y) != b.at(x, y)) {
                if (difference.pixels++ == 0) {
                    difference.x = x;
                    difference.y = y;
                }
            }
        }
    }
    return difference;
}

} // namespace

// The default order against the straightforward one (sky first) at the
// standing frame (the start, before the path moves) and at poses all along
// the timedemo's path. With the walls in the geometry's own order the two
// pictures are equal pixel for pixel; with the walls nearest first (the
// default) they differ at most where two walls' depths tie on an edge they
// share, which is counted and kept under 0.05 % of each frame.
TEST_F(DemoFrameGLTest, BothDrawingOrdersGiveTheSamePictureAlongTheTimedemoPath)
{
    W_LevelRenderer& level = *widgets.level;
    level.setState(Quorvel::TimerEvent::Paused); // moved by the path alone, as in the timedemo
    ASSERT_EQ(level.getYaw(), 0.0f) << "the level stands where it started";
    ASSERT_EQ(level.getPitch(), 0.0f);
    level.tick(0); // the view of the standing player, who has not moved
    TimedemoPath path;

    const long framePixels = static_cast<long>(TestEngine::Width) * TestEngine::Height;
    const long mostTies = framePixels * 5 / 10000; // 0.05 % of a frame
    int posesWithSky = 0;
    int posesWithFloor = 0;
    int compared = 0;
    long tiePixels = 0;
    int posesWithTies = 0;
    long mostInOnePose = 0;
    for (int64_t frame = -1; frame < static_cast<int64_t>(TimedemoPath::getPathFrames()); ++frame) {
        if (frame >= 0)
            path.advance(level);
        // The standing frame, every 40th frame of the path, and each 10th
        // frame of the far look up and down, where the sky or the floor fills
        // most of the screen.
        const bool steep = std::fabs(level.getPitch()) > 1.0f && frame % 10 == 0;
        if (frame >= 0 && frame % 40 != 0 && !steep)
            continue;

        level.setSkyFirst(true);
        const Frame specified = TestEngine::drawFrame();
        level.setSkyFirst(false);
        level.setWallsNearestFirst(false);
        const Frame sameWallOrder = TestEngine::drawFrame();
        level.setWallsNearestFirst(true);
        const Frame cheaper = TestEngine::drawFrame();
        ASSERT_EQ(specified.width, TestEngine::Width);
        ASSERT_EQ(sameWallOrder.rgb.size(), specified.rgb.size());
        ASSERT_EQ(cheaper.rgb.size(), specified.rgb.size());

        const Difference difference = compare(specified, sameWallOrder);
        EXPECT_EQ(difference.pixels, 0) << "frame " << frame << ": first at (" << difference.x << ", " << difference.y
                                        << "), sky first "
                                        << ::testing::PrintToString(specified.at(difference.x, difference.y))
                                        << ", sky behind "
                                        << ::testing::PrintToString(sameWallOrder.at(difference.x, difference.y));
        const Difference ties = compare(specified, cheaper);
        EXPECT_LT(ties.pixels, mostTies) << "frame " << frame << ": walls nearest first differ in " << ties.pixels
                                         << " pixels, the first at (" << ties.x << ", " << ties.y << ")";
        tiePixels += ties.pixels;
        posesWithTies += ties.pixels > 0 ? 1 : 0;
        mostInOnePose = std::max(mostInOnePose, ties.pixels);
        ++compared;

        // The poses show what the comparison is about: sky at the top, floor
        // at the bottom, in some of them.
        const QuorvelTest::Pixel top = specified.at(300, 20);
        posesWithSky += top.b > 120 && top.b >= top.r ? 1 : 0;
        const QuorvelTest::Pixel bottom = specified.at(300, 740);
        posesWithFloor += bottom.g > 60 && std::abs(bottom.r - bottom.b) < 50 ? 1 : 0;
    }
    EXPECT_GE(compared, 51);
    EXPECT_GE(posesWithSky, 10);
    EXPECT_GE(posesWithFloor, 10);
    std::printf("walls nearest first: %ld tie pixels in %d of %d poses (at most %ld in one, %.4f %% of a frame)\n",
                tiePixels, posesWithTies, compared, mostInOnePose,
                100.0 * static_cast<double>(mostInOnePose) / static_cast<double>(framePixels));
    ::testing::Test::RecordProperty("tiePixels", std::to_string(tiePixels));

    // The cheaper order leaves the depth state as it found it.
    GLint depthFunc = 0;
    GLboolean depthMask = GL_FALSE;
    GLfloat depthRange[2] = {-1.0f, -1.0f};
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    glGetFloatv(GL_DEPTH_RANGE, depthRange);
    EXPECT_EQ(depthFunc, GL_LESS);
    EXPECT_EQ(depthMask, GL_TRUE);
    EXPECT_EQ(depthRange[0], 0.0f);
    EXPECT_EQ(depthRange[1], 1.0f);
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_FALSE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DemoFrameGLTest, SteadyFramesAllocateNothing)
{
    W_LevelRenderer& level = *widgets.level;
    TimedemoPath path;
    auto frameWithInput = [&](int i) {
        path.advance(level); // keys, mouse look, density keys and a tick, like a player
        if (i % 50 == 0)
            widgets.counter->tick(1); // a second has passed: the counter's number changes
        TestEngine::pass();           // messages, timer ticks, the frame drawn and presented
    };
    for (int i = 0; i < 60; ++i)
        frameWithInput(i);
    Quorvel::SoundSystem* sound = Quorvel::SoundSystem::instance();
    ASSERT_TRUE(sound->isPlaying()) << "the device is open and fed";

    const long before = SceneTest::allocationCount();
    const uint32_t stepsBefore = widgets.sounds->getStepCount();
    for (int i = 0; i < 400; ++i)
        frameWithInput(i);
    EXPECT_EQ(SceneTest::allocationCount() - before, 0) << "allocations in 400 frames";
    EXPECT_GE(sound->getMixer().getPlayingCount(), 1u) << "the wind plays throughout";
    EXPECT_GT(widgets.sounds->getStepCount(), stepsBefore) << "the path walks, so steps were played";
    EXPECT_STRNE(widgets.counter->getText(), "0") << "the counter's text was formatted meanwhile";
}

TEST_F(DemoFrameGLTest, TimedemoFramesAllocateNothing)
{
    // The timedemo's own part of a frame (timing, moving the level along the
    // path) on top of the frame itself.
    Quorvel::Timedemo timedemo(*widgets.level, 1000, "");
    timedemo.resize(Quorvel::Vector4(0.0f, 0.0f, 1024.0f, 768.0f));
    for (int i = 0; i < 30; ++i) {
        TestEngine::pass();
        timedemo.draw();
    }
    const long before = SceneTest::allocationCount();
    for (int i = 0; i < 300; ++i) {
        TestEngine::pass();
        timedemo.draw();
    }
    EXPECT_EQ(SceneTest::allocationCount() - before, 0) << "allocations in 300 timedemo frames";
    EXPECT_EQ(timedemo.getTimes().getCount(), 329u);
    EXPECT_FALSE(timedemo.isComplete());
}

namespace {

// A file dropped on the engine's window, as SDL reports a drop from the desktop.
void dropOnWindow(const std::string& path)
{
    SDL_Event event = {};
    event.type = SDL_DROPFILE;
    event.drop.file = SDL_strdup(path.c_str());
    event.drop.windowID = SDL_GetWindowID(SDL_GL_GetCurrentWindow());
    SDL_PushEvent(&event);
}

// Minimap cells whose middle pixel is not the grid's colour (open grey or
// solid orange), the player's cell and its neighbours left out (the heading line).
int minimapMismatches(const Frame& frame, const W_LevelRenderer& level)
{
    const Quorvel::LevelGrid& grid = level.getGrid();
    uint8_t open[3];
    uint8_t solid[3];
    Quorvel::LevelMinimap::toBytes(Quorvel::LevelMinimap::OpenColour, open);
    Quorvel::LevelMinimap::toBytes(Quorvel::LevelMinimap::SolidColour, solid);
    const float s = level.getMapScale();
    const int playerI = static_cast<int>(level.getPlayerPosition().x / W_LevelRenderer::CellSize);
    const int playerJ = static_cast<int>(-level.getPlayerPosition().z / W_LevelRenderer::CellSize);
    int mismatches = 0;
    for (int j = 0; j < grid.getHeight(); ++j) {
        for (int i = 0; i < grid.getWidth(); ++i) {
            if (std::abs(i - playerI) <= 1 && std::abs(j - playerJ) <= 1)
                continue;
            const int x = static_cast<int>(level.getMapOrigin().x + (static_cast<float>(i) + 0.5f) * s);
            const int y = static_cast<int>(level.getMapOrigin().y + (static_cast<float>(j) + 0.5f) * s);
            const QuorvelTest::Pixel pixel = frame.at(x, y);
            const uint8_t* colour = grid.isSolid(i, j) ? solid : open;
            if (std::abs(pixel.r - colour[0]) > 3 || std::abs(pixel.g - colour[1]) > 3
                || std::abs(pixel.b - colour[2]) > 3)
                ++mismatches;
        }
    }
    return mismatches;
}

} // namespace

TEST_F(DemoFrameGLTest, ADroppedLevelFileRestartsTheWalkInIt)
{
    W_LevelRenderer& level = *widgets.level;
    Quorvel::Application* application = Quorvel::Application::instance();
    Quorvel::LevelDrop drop(level, *application->getLog());
    application->addFileDropHandler(&drop);
    const int32_t state = level.getState();
    level.setState(Quorvel::TimerEvent::Paused);

    // A refused file changes nothing.
    {
        std::ofstream bad("drop-bad.lvl");
        bad << "S.x\n";
    }
    const Quorvel::LevelGrid before = level.getGrid();
    dropOnWindow("drop-bad.lvl");
    TestEngine::pumpMessages();
    EXPECT_TRUE(level.getGrid() == before) << "a refused file leaves the level";

    // The 32 x 32 maze: the walk restarts in it, the minimap shows it.
    const std::string maze = std::string(QUORVEL_SOURCE_DIR) + "/data/levels/maze32.lvl";
    Quorvel::LevelFile expected;
    ASSERT_TRUE(expected.loadFromDisk(maze));
    dropOnWindow(maze);
    TestEngine::pumpMessages();
    EXPECT_TRUE(level.getGrid() == expected.getGrid())
        << "now " << level.getGrid().getWidth() << " x " << level.getGrid().getHeight();
    EXPECT_FLOAT_EQ(level.getMapScale(), 1024.0f / 224.0f) << "the map fits the corner box";
    Frame frame = TestEngine::drawFrame();
    EXPECT_EQ(minimapMismatches(frame, level), 0) << "the minimap shows the dropped maze";

    // Its frames allocate nothing, as the built-in level's do.
    for (int i = 0; i < 10; ++i)
        TestEngine::pass();
    const long allocations = SceneTest::allocationCount();
    for (int i = 0; i < 100; ++i)
        TestEngine::pass();
    EXPECT_EQ(SceneTest::allocationCount() - allocations, 0) << "allocations in 100 frames of the dropped level";

    // Back to the built-in level for the other tests of this program.
    application->removeFileDropHandler(&drop);
    level.setLevel(Quorvel::LevelGrid::builtIn());
    level.setState(state);
    frame = TestEngine::drawFrame();
    EXPECT_EQ(minimapMismatches(frame, level), 0) << "the built-in level's minimap again";
}
