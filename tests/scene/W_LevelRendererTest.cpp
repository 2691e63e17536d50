// The level's logic without OpenGL: walking, collision with solid cells and
// the grid's edge, mouse look, the density keys and the minimap's geometry.

#include "scene/AllocationCounter.h"
#include "scene/SceneTestSupport.h"

#include "core/Config.h"
#include "core/Log.h"
#include "input/ControlSettings.h"
#include "input/InputSystem.h"
#include "math/MathUtil.h"
#include "math/Vector4.h"
#include "scene/LevelGrid.h"
#include "scene/W_LevelRenderer.h"
#include "support/TempDir.h"
#include "widgets/InputHandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using Quorvel::InputState;
using Quorvel::Vector3;
using Quorvel::W_LevelRenderer;

namespace {

// An input system that only counts the requests to centre the cursor.
class CountingInputSystem : public Quorvel::InputSystem {
public:
    int centred = 0;
    bool hasFailed() override { return false; }
    void relativeToCentre(int32_t&, int32_t&) override {}
    void centreCursor() override { ++centred; }
};

class W_LevelRendererTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(&timer, Quorvel::TimerSystem::existingInstance()) << "another timer system is registered";
        ASSERT_EQ(&input, Quorvel::InputSystem::existingInstance()) << "another input system is registered";
    }

    bool key(uint32_t kind, uint32_t code)
    {
        InputState state;
        state.setKey(code);
        return level.handleInput(kind, state);
    }
    bool mouse(int32_t dx, int32_t dy)
    {
        InputState state;
        state.setDeltaX(dx);
        state.setDeltaY(dy);
        return level.handleInput(Quorvel::MouseMove, state);
    }
    // Holds the keys down, ticks count times with the given periods, lets go.
    void walk(const std::string& keys, int count, uint32_t periods = 1)
    {
        for (char k : keys)
            key(Quorvel::KeyDown, static_cast<uint32_t>(k));
        for (int i = 0; i < count; ++i)
            level.tick(periods);
        for (char k : keys)
            key(Quorvel::KeyUp, static_cast<uint32_t>(k));
    }

    SceneTest::ManualTimerSystem timer;
    CountingInputSystem input;
    W_LevelRenderer level{Quorvel::SkyDome::WithoutGraphics()};
};

void expectVector(const Vector3& actual, const Vector3& expected, const std::string& what, float tolerance = 1e-4f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
    EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}

} // namespace

TEST_F(W_LevelRendererTest, StartsInTheMiddleOfTheFirstCellRegisteredForTicks)
{
    expectVector(level.getPlayerPosition(), Vector3(8.0f, 8.0f, -8.0f), "start");
    EXPECT_EQ(level.getYaw(), 0.0f);
    EXPECT_EQ(level.getPitch(), 0.0f);
    EXPECT_TRUE(level.isVisible());
    EXPECT_EQ(level.getInterval(), 20u);
    EXPECT_EQ(level.getState(), Quorvel::TimerEvent::Starting);
    ASSERT_EQ(timer.getEvents().size(), 1u);
    EXPECT_EQ(timer.getEvents()[0], static_cast<Quorvel::TimerEvent*>(&level));
    EXPECT_FLOAT_EQ(level.getSky()->getDensity(), 0.4f);
    expectVector(level.getCamera().position, Vector3(8.0f, 8.0f, -8.0f), "camera");
}

TEST_F(W_LevelRendererTest, KeysMoveAlongTheViewOneUnitPerPeriod)
{
    struct Case {
        const char* keys;
        Vector3 step;
    };
    const float diagonal = 1.0f;
    const Case cases[] = {
        {"w", Vector3(0.0f, 0.0f, -1.0f)},          {"s", Vector3(0.0f, 0.0f, 1.0f)},
        {"d", Vector3(1.0f, 0.0f, 0.0f)},           {"a", Vector3(-1.0f, 0.0f, 0.0f)},
        {"ws", Vector3(0.0f, 0.0f, 0.0f)},          {"ad", Vector3(0.0f, 0.0f, 0.0f)},
        {"wd", Vector3(diagonal, 0.0f, -diagonal)}, {"wsad", Vector3(0.0f, 0.0f, 0.0f)},
    };
    for (const Case& c : cases) {
        const Vector3 start(40.0f, 8.0f, -40.0f); // middle of the open cell (2, 2)
        level.setPlayerPosition(start);
        walk(c.keys, 1);
        expectVector(level.getPlayerPosition() - start, c.step, c.keys);
    }
    // A diagonal step is longer by the square root of 2.
    level.setPlayerPosition(Vector3(40.0f, 8.0f, -40.0f));
    walk("wd", 1);
    EXPECT_NEAR((level.getPlayerPosition() - Vector3(40.0f, 8.0f, -40.0f)).length(), 1.4142135f, 1e-5f);
}

TEST_F(W_LevelRendererTest, OneTickOfFivePeriodsWalksAsFarAsFiveTicksOfOne)
{
    level.setPlayerPosition(Vector3(40.0f, 8.0f, -40.0f));
    walk("w", 1, 5);
    const Vector3 once = level.getPlayerPosition();
    level.setPlayerPosition(Vector3(40.0f, 8.0f, -40.0f));
    walk("w", 5, 1);
    expectVector(once, level.getPlayerPosition(), "5 periods at once");
    expectVector(once, Vector3(40.0f, 8.0f, -45.0f), "5 units forward");
}

TEST_F(W_LevelRendererTest, LongTicksStopBeforeAOneCellWallLikeShortOnes)
{
    // Cell (1, 5) is a wall one cell thick between the open cells (1, 4) and
    // (1, 6); its near face lies at z = -80. Walking at it for 600 periods in
    // ticks of any length ends at the same place, short of that face: a long
    // tick must not carry the probe, and then the player, past the wall.
    struct Walk {
        const char* what;
        int32_t turn; // mouse dx before walking
        Vector3 start;
    };
    const Walk walks[] = {
        {"straight along -z", 0, Vector3(24.0f, 8.0f, -8.0f)},
        {"at an angle, sliding along the wall", 300, Vector3(20.0f, 8.0f, -40.0f)},
    };
    for (const Walk& w : walks) {
        mouse(w.turn, 0);
        Vector3 reference;
        for (uint32_t periods : {1u, 5u, 30u, 200u}) {
            level.setPlayerPosition(w.start);
            walk("w", static_cast<int>(600 / periods), periods);
            const Vector3 end = level.getPlayerPosition();
            if (periods == 1)
                reference = end;
            EXPECT_GT(end.z, -80.0f) << w.what << ", ticks of " << periods;
            EXPECT_EQ(end.x, reference.x) << w.what << ", ticks of " << periods;
            EXPECT_EQ(end.z, reference.z) << w.what << ", ticks of " << periods;
        }
        mouse(-w.turn, 0);
    }
    // Straight on, the eye stops between 4 and 5 units before the face.
    level.setPlayerPosition(Vector3(24.0f, 8.0f, -8.0f));
    walk("w", 1, 600);
    expectVector(level.getPlayerPosition(), Vector3(24.0f, 8.0f, -75.0f), "one tick of 600");

    // The longest tick the timer can report ends, at the same place.
    level.setPlayerPosition(Vector3(24.0f, 8.0f, -8.0f));
    walk("w", 1, 0xFFFFFFFFu);
    expectVector(level.getPlayerPosition(), Vector3(24.0f, 8.0f, -75.0f), "one tick of 2^32 - 1");
}

TEST_F(W_LevelRendererTest, ViewTurnsTheWalkingDirection)
{
    // A quarter turn to the left (mouse to the left) makes w walk towards -x.
    mouse(-1571, 0);
    level.setPlayerPosition(Vector3(40.0f, 8.0f, -40.0f));
    walk("w", 1);
    expectVector(level.getPlayerPosition(), Vector3(39.0f, 8.0f, -40.0f), "w after a quarter turn", 1e-3f);
    expectVector(level.getLookVector(), Vector3(-5.0f, 0.0f, 0.0f), "look vector", 1e-2f);
    // Looking down shortens a forward step by the cosine of the pitch, and the eye stays at 8.
    mouse(1571, -1000); // back to yaw 0, pitch 0.5 up
    level.setPlayerPosition(Vector3(40.0f, 8.0f, -40.0f));
    walk("w", 1);
    expectVector(level.getPlayerPosition(), Vector3(40.0f, 8.0f, -40.0f - std::cos(0.5f)), "w looking up", 1e-3f);
}

TEST_F(W_LevelRendererTest, WallsStopTheEyeBetweenFourAndFiveUnitsShort)
{
    struct Case {
        const char* what;
        Vector3 start;
        const char* keys;
        Vector3 end;
    };
    // Each end lies 4 or 5 units before the wall's face.
    const Case cases[] = {
        // Cell (1, 5) is solid: its face towards cell (1, 4) lies at z = -80.
        {"towards -z into (1, 5)", Vector3(24.0f, 8.0f, -72.0f), "w", Vector3(24.0f, 8.0f, -75.0f)},
        // Its face towards cell (0, 5) lies at x = 16.
        {"towards +x into (1, 5)", Vector3(8.0f, 8.0f, -88.0f), "d", Vector3(11.0f, 8.0f, -88.0f)},
        // Cell (2, 6) ends at x = 48 towards cell (3, 6).
        {"towards -x into (2, 6)", Vector3(56.0f, 8.0f, -104.0f), "a", Vector3(52.0f, 8.0f, -104.0f)},
        // Cell (5, 7) ends at z = -128 towards cell (5, 8).
        {"towards +z into (5, 7)", Vector3(88.0f, 8.0f, -136.0f), "s", Vector3(88.0f, 8.0f, -132.0f)},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(level.isSolidAt(c.start.x, c.start.z)) << c.what;
        level.setPlayerPosition(c.start);
        walk(c.keys, 30);
        expectVector(level.getPlayerPosition(), c.end, c.what);
    }
}

TEST_F(W_LevelRendererTest, WalkingIntoAWallAtAnAngleSlidesAlongIt)
{
    // Turned 45 degrees to the left, w walks towards -x and -z. From cell (1, 4)
    // the wall of (1, 5) blocks -z while -x goes on.
    mouse(-785, 0);
    level.setPlayerPosition(Vector3(28.0f, 8.0f, -76.5f));
    walk("w", 6);
    const Vector3 end = level.getPlayerPosition();
    EXPECT_FLOAT_EQ(end.z, -76.5f) << "blocked along z";
    EXPECT_NEAR(end.x, 28.0f - 6 * std::sin(0.785f), 1e-4f) << "still sliding along x";
}

TEST_F(W_LevelRendererTest, GridEdgesStopThePlayerOnEverySide)
{
    struct Case {
        const char* what;
        Vector3 start;
        const char* keys;
        Vector3 end;
    };
    const Case cases[] = {
        {"towards -x from cell (0, 0)", Vector3(8.0f, 8.0f, -8.0f), "a", Vector3(4.0f, 8.0f, -8.0f)},
        {"towards +z from cell (0, 0)", Vector3(8.0f, 8.0f, -8.0f), "s", Vector3(8.0f, 8.0f, -4.0f)},
        {"towards +x from cell (9, 9)", Vector3(152.0f, 8.0f, -152.0f), "d", Vector3(155.0f, 8.0f, -152.0f)},
        {"towards -z from cell (9, 9)", Vector3(152.0f, 8.0f, -152.0f), "w", Vector3(152.0f, 8.0f, -155.0f)},
    };
    for (const Case& c : cases) {
        level.setPlayerPosition(c.start);
        walk(c.keys, 40);
        expectVector(level.getPlayerPosition(), c.end, c.what);
    }
}

TEST_F(W_LevelRendererTest, CellsOutsideTheGridAreSolid)
{
    struct Case {
        float x, z;
        bool solid;
    };
    const Case cases[] = {
        {8.0f, -8.0f, false},                          // (0, 0)
        {-0.5f, -8.0f, true},                          // just past x = 0: cell -1, not cell 0
        {8.0f, 0.5f, true},                            // just past z = 0
        {-15.9f, -8.0f, true}, {159.9f, -8.0f, false}, // (9, 0)
        {160.0f, -8.0f, true},                         // (10, 0)
        {8.0f, -160.0f, true},                         // (0, 10)
        {24.0f, -88.0f, true},                         // (1, 5) is a wall
        {1e30f, -8.0f, true},  {-1e30f, -8.0f, true},  {NAN, -8.0f, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(level.isSolidAt(c.x, c.z), c.solid) << "x " << c.x << " z " << c.z;
}

TEST_F(W_LevelRendererTest, PitchPastTheVerticalIsIgnoredAsAWhole)
{
    EXPECT_TRUE(mouse(0, -3000)); // +1.5 rad
    EXPECT_FLOAT_EQ(level.getPitch(), 1.5f);
    mouse(0, -200); // would be 1.6, beyond HalfPi
    EXPECT_FLOAT_EQ(level.getPitch(), 1.5f);
    mouse(10, -141); // 1.5705, still within; the yaw part of a motion always counts
    EXPECT_FLOAT_EQ(level.getPitch(), 1.5f + 141 * 0.0005f);
    EXPECT_FLOAT_EQ(level.getYaw(), Quorvel::TwoPi - 0.01f);
    mouse(0, 6282); // down to -1.5705
    EXPECT_NEAR(level.getPitch(), 1.5705f - 3.141f, 1e-4f);
    mouse(0, 2);
    EXPECT_NEAR(level.getPitch(), 1.5705f - 3.141f, 1e-4f) << "past -HalfPi is ignored too";
    EXPECT_EQ(input.centred, 5) << "every mouse motion puts the cursor back";
}

TEST_F(W_LevelRendererTest, YawWrapsIntoZeroToTwoPi)
{
    struct Case {
        int32_t dx;
        float yaw;
    };
    const Case cases[] = {
        {100, Quorvel::TwoPi - 0.1f},   // below 0: + TwoPi
        {-200, 0.1f},                   // above TwoPi: - TwoPi
        {-7000, 7.1f - Quorvel::TwoPi}, // a large turn wraps once
    };
    for (const Case& c : cases) {
        mouse(c.dx, 0);
        EXPECT_NEAR(level.getYaw(), c.yaw, 1e-5f) << "dx " << c.dx;
    }
}

// Controls read from a [Controls] section, as the demonstration reads them.
Quorvel::ControlSettings controlsFrom(const std::string& section)
{
    QuorvelTest::TempDir directory;
    Quorvel::Log log(directory.file("controls.log").c_str());
    std::istringstream stream("[Controls]\n" + section);
    Quorvel::Config config(stream);
    return Quorvel::ControlSettings::read(config.getSection("Controls"), log);
}

// Each [Controls] file, then one key held for three periods from the middle
// of cell (0, 0) at yaw 0: how far the player went along x and z, and
// whether the level used the key.
TEST_F(W_LevelRendererTest, BindingsDecideWhichKeysWalk)
{
    constexpr uint32_t Up = 89, F1 = 65;
    struct Case {
        const char* controls;
        uint32_t key;
        float dx;
        float dz;
        bool used;
    };
    const Case cases[] = {
        {"", 'w', 0.0f, -3.0f, true},
        {"", Up, 0.0f, 0.0f, false},
        {"forward = Up\n", Up, 0.0f, -3.0f, true},
        {"forward = Up\n", 'w', 0.0f, 0.0f, false},
        {"forward = Up\n", 's', 0.0f, 3.0f, true},
        {"forward = S\nback = W\n", 'w', 0.0f, 3.0f, true},
        {"forward = S\nback = W\n", 's', 0.0f, -3.0f, true},
        {"left = D\nright = A\n", 'a', 3.0f, 0.0f, true},
        {"forward = Upp\n", 'w', 0.0f, -3.0f, true}, // unknown name: the default stands
        {"forward = S\n", 'w', 0.0f, -3.0f, true},   // s is back's: the default stands
        {"forward = S\n", 's', 0.0f, 3.0f, true},
        {"forward = Up\nback = Up\n", Up, 0.0f, 0.0f, false},
        {"clouds_denser = F1\n", F1, 0.0f, 0.0f, false},
    };
    const Vector3 start(72.0f, 8.0f, -8.0f); // cell (4, 0): open on every side for three units
    for (const Case& c : cases) {
        W_LevelRenderer rebound{Quorvel::SkyDome::WithoutGraphics()};
        rebound.setControls(controlsFrom(c.controls));
        rebound.setPlayerPosition(start);
        InputState state;
        state.setKey(c.key);
        EXPECT_EQ(rebound.handleInput(Quorvel::KeyDown, state), c.used) << c.controls << " key " << c.key;
        rebound.tick(3);
        EXPECT_EQ(rebound.handleInput(Quorvel::KeyUp, state), c.used) << c.controls << " key " << c.key;
        rebound.tick(3);
        const std::string what = std::string(c.controls) + " key " + std::to_string(c.key);
        expectVector(rebound.getPlayerPosition() - start, Vector3(c.dx, 0.0f, c.dz), what);
    }
}

TEST_F(W_LevelRendererTest, ReboundCloudKeysChangeTheSky)
{
    level.setControls(controlsFrom("clouds_denser = F1\nclouds_thinner = Space\n"));
    const struct {
        uint32_t key;
        float density;
    } presses[] = {{65, 0.41f}, {65, 0.42f}, {31, 0.42f}, {32, 0.41f}, {30, 0.41f}};
    for (const auto& press : presses) {
        EXPECT_FALSE(key(Quorvel::KeyDown, press.key)) << "key " << press.key;
        EXPECT_NEAR(level.getSky()->getDensity(), press.density, 1e-6f) << "after key " << press.key;
    }
}

// The turn for a motion of 100 pixels right and 100 down from yaw 0, pitch 0.
TEST_F(W_LevelRendererTest, MouseSensitivityAndInvertedLook)
{
    struct Case {
        const char* controls;
        float yaw; // after wrapping into 0 .. TwoPi
        float pitch;
    };
    const Case cases[] = {
        {"", Quorvel::TwoPi - 0.1f, -0.05f},
        {"mouse_sensitivity = 2\n", Quorvel::TwoPi - 0.2f, -0.1f},
        {"mouse_sensitivity = 0.5\n", Quorvel::TwoPi - 0.05f, -0.025f},
        {"invert_y = on\n", Quorvel::TwoPi - 0.1f, 0.05f},
        {"invert_y = on\nmouse_sensitivity = 2\n", Quorvel::TwoPi - 0.2f, 0.1f},
        {"mouse_sensitivity = 50\n", Quorvel::TwoPi - 0.1f, -0.05f}, // refused: the default stands
    };
    for (const Case& c : cases) {
        W_LevelRenderer turned{Quorvel::SkyDome::WithoutGraphics()};
        turned.setControls(controlsFrom(c.controls));
        InputState state;
        state.setDeltaX(100);
        state.setDeltaY(100);
        EXPECT_TRUE(turned.handleInput(Quorvel::MouseMove, state)) << c.controls;
        EXPECT_NEAR(turned.getYaw(), c.yaw, 1e-5f) << c.controls;
        EXPECT_NEAR(turned.getPitch(), c.pitch, 1e-6f) << c.controls;
    }
}

// Without settings the turn per pixel is exactly the fixed one, so default
// controls change no picture and no walk.
TEST_F(W_LevelRendererTest, DefaultControlsAreTheFixedOnes)
{
    EXPECT_EQ(level.getYawPerPixel(), W_LevelRenderer::YawPerPixel);
    EXPECT_EQ(level.getPitchPerPixel(), W_LevelRenderer::PitchPerPixel);
    level.setControls(controlsFrom(""));
    EXPECT_EQ(level.getYawPerPixel(), W_LevelRenderer::YawPerPixel);
    EXPECT_EQ(level.getPitchPerPixel(), W_LevelRenderer::PitchPerPixel);
    EXPECT_EQ(level.getActionMap().getKey(Quorvel::WC_ActionMap::Action::Forward), W_LevelRenderer::KeyForward);
}

// A stick reading as a push: nothing within the dead zone, then growing to 1
// at full push, in the stick's direction; never longer than 1.
TEST(W_LevelRendererStickTest, PushFromAStickReading)
{
    const float dz = W_LevelRenderer::LeftStickDeadZone;
    const struct {
        int16_t x, y;
        float pushX, pushY;
    } cases[] = {
        {0, 0, 0.0f, 0.0f},
        {7849, 0, 0.0f, 0.0f}, // on the edge: still centred
        {0, -7000, 0.0f, 0.0f},
        {5000, 5000, 0.0f, 0.0f}, // 7071 from the centre
        {32767, 0, 1.0f, 0.0f},
        {-32768, 0, -1.0f, 0.0f},                     // a little beyond full: still 1
        {0, 20308, 0.0f, 0.5f},                       // halfway from the edge to full
        {-32768, -32768, -0.70710677f, -0.70710677f}, // a corner: length 1
        {23170, 23170, 0.70710677f, 0.70710677f},
    };
    for (const auto& c : cases) {
        float x = 9.0f;
        float y = 9.0f;
        W_LevelRenderer::stickPush(c.x, c.y, dz, x, y);
        EXPECT_NEAR(x, c.pushX, 1e-4f) << c.x << ", " << c.y;
        EXPECT_NEAR(y, c.pushY, 1e-4f) << c.x << ", " << c.y;
    }
}

// The shoulder buttons change the clouds like the density keys and leave
// the event to later handlers; a gamepad report is kept and passed on.
TEST_F(W_LevelRendererTest, ShoulderButtonsAndGamepadReports)
{
    const float start = level.getSky()->getDensity();
    EXPECT_FALSE(key(Quorvel::KeyDown, Quorvel::InputSystem::PadRightShoulder));
    EXPECT_NEAR(level.getSky()->getDensity(), start + 0.01f, 1e-6f);
    EXPECT_FALSE(key(Quorvel::KeyUp, Quorvel::InputSystem::PadRightShoulder));
    EXPECT_FALSE(key(Quorvel::KeyDown, Quorvel::InputSystem::PadLeftShoulder));
    EXPECT_FALSE(key(Quorvel::KeyDown, Quorvel::InputSystem::PadLeftShoulder));
    EXPECT_NEAR(level.getSky()->getDensity(), start - 0.01f, 1e-6f);

    InputState state;
    InputState::Gamepad pad;
    pad.connected = true;
    pad.leftY = 32767;
    state.setGamepad(pad);
    EXPECT_FALSE(level.handleInput(Quorvel::GamepadMove, state));
    EXPECT_EQ(level.getGamepad(), pad);
    EXPECT_TRUE(level.isWalkRequested());
    level.tick(2);
    expectVector(level.getPlayerPosition(), Vector3(8.0f, 8.0f, -10.0f), "two periods at full push");
}

TEST_F(W_LevelRendererTest, DensityKeysChangeTheSkyButLeaveTheEventUnused)
{
    struct Case {
        float start;
        uint32_t key;
        float density;
    };
    const Case cases[] = {
        {0.005f, W_LevelRenderer::KeyGrayMinus, 0.0f}, {0.995f, W_LevelRenderer::KeyGrayPlus, 1.0f},
        {0.4f, W_LevelRenderer::KeyGrayMinus, 0.39f},  {0.4f, W_LevelRenderer::KeyGrayPlus, 0.41f},
        {1.0f, W_LevelRenderer::KeyGrayPlus, 1.0f},
    };
    for (const Case& c : cases) {
        level.getSky()->setDensity(c.start);
        EXPECT_FALSE(key(Quorvel::KeyDown, c.key)) << "key " << c.key;
        EXPECT_FLOAT_EQ(level.getSky()->getDensity(), c.density) << "from " << c.start << " key " << c.key;
    }
}

TEST_F(W_LevelRendererTest, WhichEventsAreUsed)
{
    struct Case {
        uint32_t kind;
        uint32_t code;
        bool used;
    };
    const Case cases[] = {
        {Quorvel::KeyDown, 'w', true},
        {Quorvel::KeyUp, 'w', true},
        {Quorvel::KeyDown, 'a', true},
        {Quorvel::KeyUp, 'd', true},
        {Quorvel::KeyDown, 'x', false},
        {Quorvel::KeyUp, 'x', false},
        {Quorvel::KeyUp, W_LevelRenderer::KeyGrayPlus, false},
        {8, 'w', false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(key(c.kind, c.code), c.used) << "kind " << c.kind << " key " << c.code;
}

TEST_F(W_LevelRendererTest, TickPointsTheCameraAndTheLookVector)
{
    level.tick(1);
    expectVector(level.getLookVector(), Vector3(0.0f, 0.0f, -5.0f), "look at start");
    mouse(0, -1000); // pitch 0.5: the look vector stays horizontal
    level.tick(1);
    EXPECT_EQ(level.getLookVector().y, 0.0f);
    EXPECT_NEAR(level.getLookVector().z, -5.0f * std::cos(0.5f), 1e-4f);
    const Quorvel::Quaternion& orientation = level.getCamera().orientation;
    EXPECT_NEAR(orientation.w, std::cos(0.25f), 1e-6f);
    EXPECT_NEAR(orientation.v.x, std::sin(0.25f), 1e-6f);
    // The view matrix moves the eye to the origin.
    const Vector3 eye = level.getCamera().view.transformPoint(level.getPlayerPosition());
    expectVector(eye, Vector3(0.0f, 0.0f, 0.0f), "eye in eye space");
}

TEST_F(W_LevelRendererTest, MinimapTakesASeventhOfTheWidthInTheTopRightCorner)
{
    EXPECT_TRUE(level.resize(Quorvel::Vector4(0.0f, 0.0f, 1024.0f, 768.0f)));
    EXPECT_FLOAT_EQ(level.getMapScale(), 14.628572f);
    EXPECT_FLOAT_EQ(level.getMapOrigin().x, 877.7143f);
    EXPECT_FLOAT_EQ(level.getMapOrigin().y, 0.0f);
    EXPECT_FLOAT_EQ(level.getMapOrigin().z, 0.0f);
    level.resize(Quorvel::Vector4(0.0f, 0.0f, 700.0f, 500.0f));
    EXPECT_FLOAT_EQ(level.getMapScale(), 10.0f);
    EXPECT_FLOAT_EQ(level.getMapOrigin().x, 600.0f);
}

TEST_F(W_LevelRendererTest, ProjectionFollowsTheScreenShape)
{
    struct Case {
        float width, height, aspect;
    };
    const Case cases[] = {
        {1024.0f, 768.0f, 1.3333334f}, // the default: unchanged
        {1920.0f, 1080.0f, 1.7777778f},
        {800.0f, 600.0f, 1.3333334f},
        {600.0f, 800.0f, 0.75f},
    };
    for (const Case& c : cases) {
        level.resize(Quorvel::Vector4(0.0f, 0.0f, c.width, c.height));
        EXPECT_FLOAT_EQ(level.getCamera().aspect, c.aspect) << c.width << " x " << c.height;
        // The projection matrix is rebuilt: x is scaled by 1 / (aspect tan(fov / 2)).
        const float expected = 1.0f / (c.aspect * std::tan(30.0f * 3.14159265f / 180.0f));
        EXPECT_NEAR(level.getCamera().projection.getData()[0], expected, 1e-5f) << c.width << " x " << c.height;
    }
    // An empty rectangle (a minimised window) keeps the last aspect.
    level.resize(Quorvel::Vector4(0.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_FLOAT_EQ(level.getCamera().aspect, 0.75f);
}

namespace {

using SceneTest::gridFrom;

// A level with its own renderer, on the fixture's timer and input systems.
class W_LevelRendererGridTest : public W_LevelRendererTest {
protected:
    void use(const Quorvel::LevelGrid& grid)
    {
        own.reset(new W_LevelRenderer(grid, Quorvel::SkyDome::WithoutGraphics()));
    }
    void walkOwn(const std::string& keys, int count)
    {
        for (char k : keys) {
            InputState state;
            state.setKey(static_cast<uint32_t>(k));
            own->handleInput(Quorvel::KeyDown, state);
        }
        for (int i = 0; i < count; ++i)
            own->tick(1);
        for (char k : keys) {
            InputState state;
            state.setKey(static_cast<uint32_t>(k));
            own->handleInput(Quorvel::KeyUp, state);
        }
    }
    void turnOwn(int32_t dx, int32_t dy)
    {
        InputState state;
        state.setDeltaX(dx);
        state.setDeltaY(dy);
        own->handleInput(Quorvel::MouseMove, state);
    }
    std::unique_ptr<W_LevelRenderer> own;
};

} // namespace

TEST_F(W_LevelRendererGridTest, TheBuiltInGridGivesTheBuiltInLevel)
{
    use(Quorvel::LevelGrid::builtIn());
    expectVector(own->getPlayerPosition(), level.getPlayerPosition(), "start");
    for (int32_t i = -1; i <= 10; ++i) {
        for (int32_t j = -1; j <= 10; ++j)
            EXPECT_EQ(own->isSolid(i, j), level.isSolid(i, j)) << i << ", " << j;
    }
    EXPECT_EQ(own->getBlockCount(), 1);
    own->updateVisibleBlocks();
    // 100 floor quads (solid cells too) and a wall for every open side facing a solid cell or the edge.
    EXPECT_EQ(own->countVisibleQuads(), 100 + 86);
}

TEST_F(W_LevelRendererGridTest, StartCollisionAndEdgesFollowTheGrid)
{
    // 5 across, 2 down; the start in cell (3, 1).
    use(gridFrom({"..#..", ".#.S."}));
    expectVector(own->getPlayerPosition(), Vector3(56.0f, 8.0f, -24.0f), "middle of the start cell");
    expectVector(own->getCamera().position, Vector3(56.0f, 8.0f, -24.0f), "camera");
    EXPECT_TRUE(own->isSolidAt(-0.5f, -8.0f));
    EXPECT_FALSE(own->isSolidAt(79.9f, -8.0f));
    EXPECT_TRUE(own->isSolidAt(80.0f, -8.0f)) << "past the fifth column";
    EXPECT_TRUE(own->isSolidAt(8.0f, -32.0f)) << "past the second row";
    EXPECT_TRUE(own->isSolidAt(40.0f, -8.0f)) << "cell (2, 0)";

    struct Case {
        const char* keys;
        Vector3 end;
    };
    const Case cases[] = {
        {"d", Vector3(75.0f, 8.0f, -24.0f)}, // the edge at x = 80
        {"w", Vector3(56.0f, 8.0f, -27.0f)}, // the edge at z = -32, below the last row
        {"s", Vector3(56.0f, 8.0f, -4.0f)},  // through the open (3, 0) to the edge at z = 0
        {"a", Vector3(36.0f, 8.0f, -24.0f)}, // through the open (2, 1) to the wall of (1, 1) at x = 32
    };
    for (const Case& c : cases) {
        own->setPlayerPosition(Vector3(56.0f, 8.0f, -24.0f));
        walkOwn(c.keys, 40);
        expectVector(own->getPlayerPosition(), c.end, c.keys);
    }
}

TEST_F(W_LevelRendererGridTest, MinimapFitsEveryLevelIntoTheSameCornerBox)
{
    struct Case {
        int32_t width, height;
        float scale;   // screen size of a cell on a 1024-wide screen
        float originX; // left edge of the map
    };
    const Case cases[] = {
        {10, 10, 1024.0f / 70.0f, 1024.0f - 10.0f * (1024.0f / 70.0f)},
        {32, 32, 1024.0f / 224.0f, 1024.0f - 1024.0f / 7.0f},
        {256, 256, 1024.0f / 1792.0f, 1024.0f - 1024.0f / 7.0f},
        {1, 1, 1024.0f / 7.0f, 1024.0f - 1024.0f / 7.0f},
        {20, 5, 1024.0f / 140.0f, 1024.0f - 1024.0f / 7.0f},          // wide: full width, a quarter high
        {5, 20, 1024.0f / 140.0f, 1024.0f - 5.0f * 1024.0f / 140.0f}, // tall: right-aligned
    };
    for (const Case& c : cases) {
        use(Quorvel::LevelGrid(c.width, c.height));
        EXPECT_TRUE(own->resize(Quorvel::Vector4(0.0f, 0.0f, 1024.0f, 768.0f)));
        EXPECT_NEAR(own->getMapScale(), c.scale, 1e-4f) << c.width << "x" << c.height;
        EXPECT_NEAR(own->getMapOrigin().x, c.originX, 1e-3f) << c.width << "x" << c.height;
        EXPECT_EQ(own->getMapOrigin().y, 0.0f);
        const float side = own->getMapScale() * static_cast<float>(std::max(c.width, c.height));
        EXPECT_NEAR(side, 1024.0f / 7.0f, 1e-3f) << "the box is a seventh of the width";
    }
    // The 10 x 10 numbers are exactly those of the built-in level.
    use(Quorvel::LevelGrid(10, 10));
    own->resize(Quorvel::Vector4(0.0f, 0.0f, 1024.0f, 768.0f));
    EXPECT_FLOAT_EQ(own->getMapScale(), 14.628572f);
    EXPECT_FLOAT_EQ(own->getMapOrigin().x, 877.7143f);
}

TEST_F(W_LevelRendererGridTest, WallsOnlyWhereOpenMeetsSolidAndNoFloorsUnderLargeWalls)
{
    // Small: 2 x 2 with one solid cell: 4 floor quads, 8 walls.
    use(gridFrom({"S#", ".."}));
    own->updateVisibleBlocks();
    EXPECT_EQ(own->countVisibleQuads(), 4 + 8);

    // Large (over 256 cells): 40 x 40 solid but for a 2 x 1 room: its two
    // floors and six walls, nothing for the 1598 solid cells.
    Quorvel::LevelGrid grid(40, 40);
    for (int32_t j = 0; j < 40; ++j) {
        for (int32_t i = 0; i < 40; ++i)
            grid.setSolid(i, j, true);
    }
    grid.setSolid(20, 20, false);
    grid.setSolid(21, 20, false);
    grid.setStart(20, 20);
    use(grid);
    own->setDrawAll(true);
    own->updateVisibleBlocks();
    EXPECT_EQ(own->getBlockCount(), 25);
    EXPECT_EQ(own->countVisibleQuads(), 2 + 6);
}

TEST_F(W_LevelRendererGridTest, LargeLevelsDrawOnlyWhatTheEyeCanReach)
{
    // 200 x 200, solid, with a corridor along row 100 from column 0 to 199
    // and a closed room far away at (10, 10).
    Quorvel::LevelGrid grid(200, 200);
    for (int32_t j = 0; j < 200; ++j) {
        for (int32_t i = 0; i < 200; ++i)
            grid.setSolid(i, j, !(j == 100 || (i == 10 && j == 10)));
    }
    grid.setStart(0, 100);
    use(grid);
    EXPECT_EQ(own->getBlockCount(), 25 * 25);

    // Looking along the corridor (towards +x: a quarter turn right): every
    // block along row 100 is reached, nothing else beyond the start's neighbours.
    turnOwn(1571, 0);
    own->tick(1);
    own->updateVisibleBlocks();
    EXPECT_EQ(own->countVisibleBlocks(), 25) << "the corridor's blocks, the start's among them";
    // The whole corridor: its 200 floors and 2 x 200 + 2 walls.
    EXPECT_GE(own->countVisibleQuads(), 200 + 402);

    // Looking the other way (towards -x, the grid's edge): only the start's block.
    turnOwn(-3142, 0);
    own->tick(1);
    own->updateVisibleBlocks();
    EXPECT_EQ(own->countVisibleBlocks(), 1);
    // From the middle of the corridor, looking along it one way sees half of it.
    own->setPlayerPosition(Vector3(1600.0f + 8.0f, 8.0f, -1608.0f));
    own->tick(1);
    own->updateVisibleBlocks();
    EXPECT_EQ(own->countVisibleBlocks(), 13) << "blocks 0 to 12 of the corridor";
    own->setPlayerPosition(Vector3(8.0f, 8.0f, -1608.0f));

    // Looking straight down takes in every direction: the corridor again.
    turnOwn(0, 3000);
    own->tick(1);
    own->updateVisibleBlocks();
    EXPECT_EQ(own->countVisibleBlocks(), 25);

    // Drawing everything for comparison.
    own->setDrawAll(true);
    own->updateVisibleBlocks();
    EXPECT_EQ(own->countVisibleBlocks(), 625);
}

// A level restarted in another grid is the level a fresh renderer of that
// grid would be: the parts follow the new grid, the player stands at its
// start looking down the map, the minimap fits the current screen. Only the
// held keys, the controls, the clouds and the drawing order carry over.
TEST_F(W_LevelRendererGridTest, SetLevelRestartsTheWalkAsAFreshLevelWouldStart)
{
    const Quorvel::Vector4 screen(0.0f, 0.0f, 1024.0f, 768.0f);
    Quorvel::LevelGrid large(40, 30);
    for (int32_t j = 0; j < 30; ++j) {
        for (int32_t i = 0; i < 40; ++i)
            large.setSolid(i, j, i == 0 || j == 0 || i == 39 || j == 29 || (i == 20 && j > 5));
    }
    large.setStart(30, 20);
    const Quorvel::LevelGrid small = SceneTest::gridFrom({"#S#", "#.#", "#.#"});

    level.resize(screen);
    level.setSkyFirst(true);
    walk("wd", 30);
    mouse(300, -200);
    for (const Quorvel::LevelGrid& grid : {large, small, Quorvel::LevelGrid::builtIn(), large}) {
        level.setLevel(grid);
        use(grid);
        own->resize(screen);
        const std::string size = std::to_string(grid.getWidth()) + " x " + std::to_string(grid.getHeight());
        EXPECT_TRUE(level.getGrid() == grid) << size;
        EXPECT_EQ(level.getBlockCount(), own->getBlockCount()) << size;
        EXPECT_EQ(level.getGeometry().getFloorVertices(), own->getGeometry().getFloorVertices()) << size;
        EXPECT_EQ(level.getGeometry().getWallVertices(), own->getGeometry().getWallVertices()) << size;
        EXPECT_EQ(level.getVisibility().getVisible().size(), static_cast<size_t>(own->getBlockCount())) << size;
        expectVector(level.getPlayerPosition(), own->getPlayerPosition(), size + ": at the start");
        EXPECT_EQ(level.getYaw(), 0.0f) << size;
        EXPECT_EQ(level.getPitch(), 0.0f) << size;
        EXPECT_FLOAT_EQ(level.getMapScale(), own->getMapScale()) << size;
        expectVector(level.getMapOrigin(), own->getMapOrigin(), size + ": map origin");
        EXPECT_TRUE(level.isSkyFirst()) << size;

        // Both walk the same way from there: the walker and the visibility
        // read the new grid (into its walls, never through them).
        level.tick(1);
        own->tick(1);
        expectVector(level.getLookVector(), own->getLookVector(), size + ": look");
        walk("w", 200);
        walkOwn("w", 200);
        expectVector(level.getPlayerPosition(), own->getPlayerPosition(), size + ": after walking");
        EXPECT_FALSE(level.isSolidAt(level.getPlayerPosition().x, level.getPlayerPosition().z)) << size;
        level.updateVisibleBlocks();
        own->updateVisibleBlocks();
        EXPECT_EQ(level.getVisibility().getVisible(), own->getVisibility().getVisible()) << size;
    }
}

// Restarting costs allocations once; the ticks and visibility updates of the
// new level's frames allocate nothing, as before.
TEST_F(W_LevelRendererTest, FramesAfterSetLevelAllocateNothing)
{
    Quorvel::LevelGrid grid(64, 64);
    grid.setStart(32, 32);
    level.setLevel(grid);
    key(Quorvel::KeyDown, W_LevelRenderer::KeyForward);
    level.tick(1);
    level.updateVisibleBlocks();
    const long before = SceneTest::allocationCount();
    for (int i = 0; i < 50; ++i) {
        level.tick(1);
        mouse(7, 0);
        level.updateVisibleBlocks();
    }
    EXPECT_EQ(SceneTest::allocationCount(), before);
    key(Quorvel::KeyUp, W_LevelRenderer::KeyForward);
}
