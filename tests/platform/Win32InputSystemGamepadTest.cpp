// The Windows input system's gamepad, through the layer's XInput on SDL's
// virtual controllers: XInput loaded by name or not at all, buttons as keys,
// sticks and triggers as GamepadMove events, unplugging; and the walk-through
// driven by a virtual controller: walking speed in proportion to the push,
// the dead zones, the look rate, the density buttons, Back quitting with exit
// code 0, and an unplug that stops the walk.

#include "platform/win32/Win32InputSystem.h"

#include "input/QuitOnEscape.h"
#include "math/MathUtil.h"
#include "scene/SceneTestSupport.h"
#include "scene/W_LevelRenderer.h"
#include "support/FakeScreen.h"
#include "support/LogLines.h"
#include "support/QuietApplication.h"
#include "support/TempDir.h"
#include "support/VirtualController.h"
#include "widgets/InputHandler.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Quorvel;
using QuorvelTest::VirtualController;

namespace {

struct Event {
    uint32_t kind;
    InputState state;
};

class RecordingHandler : public InputHandler {
public:
    bool handleInput(uint32_t kind, const InputState& state) override
    {
        events.push_back({kind, state});
        return false;
    }
    std::vector<Event> events;
};

class Win32InputSystemGamepadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(nullptr, Application::existingInstance()) << "an earlier test left an application registered";
        ASSERT_EQ(nullptr, InputSystem::existingInstance()) << "an earlier test left an input system registered";
        application = std::make_unique<QuorvelTest::QuietApplication>();
        input = new Win32InputSystem();
        input->addHandler(&handler);
        ASSERT_TRUE(input->hasXInput()) << "the layer serves xinput1_4.dll";
        input->setGamepadSearchInterval(0); // a controller plugged in is found at the next update
        input->update();                    // no controller yet; starts SDL's game controllers
        ASSERT_TRUE(handler.events.empty());
    }

    // The events one update dispatched.
    std::vector<Event> update()
    {
        handler.events.clear();
        input->update();
        return handler.events;
    }

    QuorvelTest::TempDir dir; // the application writes its log here
    QuorvelTest::FakeScreen screen{1024, 768};
    std::unique_ptr<QuorvelTest::QuietApplication> application;
    Win32InputSystem* input = nullptr; // owned by the application
    RecordingHandler handler;
};

} // namespace

TEST_F(Win32InputSystemGamepadTest, WithoutAnXInputLibraryOneLogLineAndNoGamepad)
{
    const char* const missing[] = {"xinput_none.dll", "xinput_gone.dll"};
    QuorvelTest::LogMark mark;
    EXPECT_FALSE(input->loadXInput(missing, 2));
    EXPECT_EQ(mark.since(),
              std::vector<std::string>{"Input: no XInput library (xinput_none.dll, xinput_gone.dll); no gamepad"});
    EXPECT_FALSE(input->hasXInput());
    VirtualController pad;
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    pad.setButton(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(update().empty()) << "no gamepad without XInput";
    EXPECT_EQ(input->getGamepadUser(), -1);

    // The usual names find the layer's XInput again, in the usual order.
    EXPECT_TRUE(input->loadXInput(Win32InputSystem::XInputLibraries, 3));
    EXPECT_FALSE(update().empty());
}

TEST_F(Win32InputSystemGamepadTest, ButtonsBecomeKeysAndSticksGamepadMoves)
{
    QuorvelTest::LogMark mark;
    VirtualController pad;
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    std::vector<Event> events = update();
    ASSERT_EQ(events.size(), 1u) << "the controller at rest: one GamepadMove";
    EXPECT_EQ(events[0].kind, uint32_t(GamepadMove));
    EXPECT_TRUE(events[0].state.getGamepad().connected);
    EXPECT_EQ(input->getGamepadUser(), 0);
    EXPECT_TRUE(update().empty()) << "nothing changed";

    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pad.setAxis(SDL_CONTROLLER_AXIS_RIGHTX, 20000);
    pad.setAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    events = update();
    ASSERT_EQ(events.size(), 1u);
    const InputState::Gamepad moved = events[0].state.getGamepad();
    EXPECT_EQ(moved.leftY, 32767) << "up is positive";
    EXPECT_EQ(moved.rightX, 20000);
    EXPECT_EQ(moved.rightTrigger, 255);
    EXPECT_EQ(input->getState().getGamepad(), moved);

    const struct {
        SDL_GameControllerButton button;
        uint32_t code;
    } buttons[] = {
        {SDL_CONTROLLER_BUTTON_A, InputSystem::PadA},
        {SDL_CONTROLLER_BUTTON_BACK, InputSystem::PadBack},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, InputSystem::PadLeftShoulder},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, InputSystem::PadRightShoulder},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, InputSystem::PadUp},
        {SDL_CONTROLLER_BUTTON_Y, InputSystem::PadY},
    };
    for (const auto& b : buttons) {
        pad.setButton(b.button, true);
        events = update();
        ASSERT_EQ(events.size(), 1u) << "button " << b.button;
        EXPECT_EQ(events[0].kind, uint32_t(KeyDown)) << "button " << b.button;
        EXPECT_EQ(events[0].state.getKey(), b.code) << "button " << b.button;
        EXPECT_TRUE(input->getState().isKeyDown(b.code)) << "button " << b.button;
        pad.setButton(b.button, false);
        events = update();
        ASSERT_EQ(events.size(), 1u) << "button " << b.button;
        EXPECT_EQ(events[0].kind, uint32_t(KeyUp)) << "button " << b.button;
        EXPECT_FALSE(input->getState().isKeyDown(b.code)) << "button " << b.button;
    }

    // Unplugged with a button held and a stick pushed: the button goes up,
    // the sticks centre and the gamepad is gone.
    pad.setButton(SDL_CONTROLLER_BUTTON_X, true);
    update();
    ASSERT_TRUE(input->getState().isKeyDown(InputSystem::PadX));
    pad.unplug();
    events = update();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, uint32_t(KeyUp));
    EXPECT_EQ(events[0].state.getKey(), InputSystem::PadX);
    EXPECT_EQ(events[1].kind, uint32_t(GamepadMove));
    EXPECT_EQ(events[1].state.getGamepad(), InputState::Gamepad()) << "centred and not connected";
    EXPECT_EQ(input->getGamepadUser(), -1);
    EXPECT_TRUE(update().empty());
    EXPECT_EQ(mark.since(), (std::vector<std::string>{"Input: gamepad 0 connected", "Input: gamepad 0 disconnected"}));
}

TEST_F(Win32InputSystemGamepadTest, FocusLossLetsGoAndFocusReturnReadsAfresh)
{
    VirtualController pad;
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTX, 30000);
    pad.setButton(SDL_CONTROLLER_BUTTON_B, true);
    update();
    ASSERT_TRUE(input->getState().isKeyDown(InputSystem::PadB));

    handler.events.clear();
    input->handleMessage(nullptr, WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(input->getState().isKeyDown(InputSystem::PadB));
    EXPECT_EQ(input->getState().getGamepad().leftX, 0) << "the stick lets go";
    EXPECT_TRUE(input->getState().getGamepad().connected);
    EXPECT_TRUE(update().empty()) << "nothing is read without the focus";

    input->handleMessage(nullptr, WM_SETFOCUS, 0, 0);
    update();
    EXPECT_TRUE(input->getState().isKeyDown(InputSystem::PadB)) << "still held when the focus returns";
    EXPECT_EQ(input->getState().getGamepad().leftX, 30000);
}

// Asking about empty XInput slots is slow on Windows, so without a
// controller the search is spaced out; a controller plugged in meanwhile is
// found at the next search, or at once when the focus returns.
TEST_F(Win32InputSystemGamepadTest, WithoutAControllerTheSearchIsSpacedOut)
{
    input->setGamepadSearchInterval(60000);
    update(); // the fixture searched a moment ago: no search now
    VirtualController pad;
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    update();
    EXPECT_EQ(input->getGamepadUser(), -1) << "searched again before the interval passed";

    input->handleMessage(nullptr, WM_KILLFOCUS, 0, 0);
    input->handleMessage(nullptr, WM_SETFOCUS, 0, 0);
    update();
    EXPECT_EQ(input->getGamepadUser(), 0) << "the focus's return searches at once";

    input->setGamepadSearchInterval(0);
    pad.unplug();
    update();
    EXPECT_EQ(input->getGamepadUser(), -1);
    VirtualController second;
    ASSERT_TRUE(second.attached()) << SDL_GetError();
    update();
    EXPECT_EQ(input->getGamepadUser(), 0) << "with no interval every update searches";
}

namespace {

// The walk-through on the Windows input system, as the demonstration wires
// it: Back (like Escape) quits, the level hears everything else.
class GamepadWalkTest : public Win32InputSystemGamepadTest {
protected:
    void SetUp() override
    {
        Win32InputSystemGamepadTest::SetUp();
        if (HasFatalFailure())
            return;
        // After the application and the input system, which the base makes.
        timer = std::make_unique<SceneTest::ManualTimerSystem>();
        walker = std::make_unique<W_LevelRenderer>(SkyDome::WithoutGraphics());
        input->addHandler(walker.get());
        input->addHandler(&quitKey);
        pad = std::make_unique<VirtualController>();
        ASSERT_TRUE(pad->attached()) << SDL_GetError();
        input->update();
    }

    // Sets the left stick, reads the gamepad and walks periods periods from
    // the middle of cell (4, 1), looking along -z: how far the player went.
    Vector3 walkWith(Sint16 sdlX, Sint16 sdlY, uint32_t periods)
    {
        pad->setAxis(SDL_CONTROLLER_AXIS_LEFTX, sdlX);
        pad->setAxis(SDL_CONTROLLER_AXIS_LEFTY, sdlY);
        input->update();
        const Vector3 start(72.0f, 8.0f, -24.0f);
        level().setPlayerPosition(start);
        level().tick(periods);
        return level().getPlayerPosition() - start;
    }

    std::unique_ptr<SceneTest::ManualTimerSystem> timer;
    std::unique_ptr<W_LevelRenderer> walker;
    W_LevelRenderer& level() { return *walker; }
    QuitOnEscape quitKey;
    std::unique_ptr<VirtualController> pad;
};

} // namespace

TEST_F(GamepadWalkTest, LeftStickWalksInProportionBeyondTheDeadZone)
{
    const float deadZone = W_LevelRenderer::LeftStickDeadZone;
    const Sint16 halfway = Sint16(-(deadZone + (32767.0f - deadZone) / 2.0f)); // SDL's up is negative
    const struct {
        const char* what;
        Sint16 sdlY, sdlX;
        float dx, dz; // after 10 periods
    } cases[] = {
        {"full up", -32768, 0, 0.0f, -10.0f},
        {"full down", 32767, 0, 0.0f, 10.0f},
        {"halfway up", halfway, 0, 0.0f, -5.0f},
        {"full right", 0, 32767, 10.0f, 0.0f},
        {"just inside the dead zone", -7800, 0, 0.0f, 0.0f},
        {"at rest", 0, 0, 0.0f, 0.0f},
        {"full diagonal: no faster than one key", -23170, 23170, 7.071f, -7.071f},
    };
    for (const auto& c : cases) {
        const Vector3 moved = walkWith(c.sdlX, c.sdlY, 10);
        EXPECT_NEAR(moved.x, c.dx, 2e-3f) << c.what;
        EXPECT_NEAR(moved.z, c.dz, 2e-3f) << c.what;
        EXPECT_EQ(level().isWalkRequested(), c.dx != 0.0f || c.dz != 0.0f) << c.what;
    }
}

TEST_F(GamepadWalkTest, AWalkingKeyWinsOverTheStick)
{
    InputState w;
    w.setKey('w');
    level().handleInput(KeyDown, w);
    const Vector3 moved = walkWith(32767, 0, 4); // the stick pushes right
    EXPECT_NEAR(moved.x, 0.0f, 1e-5f);
    EXPECT_NEAR(moved.z, -4.0f, 1e-5f) << "w walks at the keys' speed";
}

TEST_F(GamepadWalkTest, SlowOrFastTheStickStopsShortOfAWallAndNeverTunnels)
{
    // From cell (1, 4) towards the one-cell wall of (1, 5), whose face lies at z = -80.
    for (Sint16 push : {Sint16(-32768), Sint16(-12000)}) {
        pad->setAxis(SDL_CONTROLLER_AXIS_LEFTY, push);
        input->update();
        for (uint32_t periods : {1u, 50u, 5000u}) {
            level().setPlayerPosition(Vector3(24.0f, 8.0f, -72.0f));
            for (int n = 0; n < 400 / static_cast<int>(periods) + 1; ++n)
                level().tick(periods);
            const float z = level().getPlayerPosition().z;
            EXPECT_GE(z, -76.0f) << "push " << push << ", " << periods << " periods a tick: at least 4 short";
            EXPECT_LT(z, -74.0f) << "push " << push << ", " << periods << " periods a tick: walked up to it";
        }
    }
}

TEST_F(GamepadWalkTest, RightStickLooksAtTheConfiguredRate)
{
    pad->setAxis(SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    input->update();
    level().tick(50); // one second at full push right
    EXPECT_NEAR(level().getYaw(), TwoPi - ControlSettings::DefaultStickLookSpeed, 1e-4f);
    pad->setAxis(SDL_CONTROLLER_AXIS_RIGHTX, 0);
    pad->setAxis(SDL_CONTROLLER_AXIS_RIGHTY, -32768); // up
    input->update();
    level().tick(10);
    EXPECT_NEAR(level().getPitch(), 0.2f * ControlSettings::DefaultStickLookSpeed, 1e-4f) << "up looks up";
    level().tick(500);
    EXPECT_FLOAT_EQ(level().getPitch(), HalfPi) << "and stops at straight up";

    ControlSettings inverted;
    inverted.setInvertY(true);
    inverted.setStickLookSpeed(1.0f);
    level().setControls(inverted);
    level().tick(10);
    EXPECT_NEAR(level().getPitch(), HalfPi - 0.2f, 1e-4f) << "inverted: up looks down, at 1 radian a second";

    pad->setAxis(SDL_CONTROLLER_AXIS_RIGHTY, -8000); // inside the dead zone
    input->update();
    const float pitch = level().getPitch();
    level().tick(50);
    EXPECT_EQ(level().getPitch(), pitch);
}

TEST_F(GamepadWalkTest, ShouldersChangeTheCloudsAndBackQuitsWithExitCodeZero)
{
    const float start = level().getSky()->getDensity();
    pad->setButton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    input->update();
    EXPECT_NEAR(level().getSky()->getDensity(), start + 0.01f, 1e-6f);
    input->update();
    EXPECT_NEAR(level().getSky()->getDensity(), start + 0.01f, 1e-6f) << "held, not repeated";
    pad->setButton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
    pad->setButton(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    input->update();
    pad->setButton(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, false);
    input->update();
    pad->setButton(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    input->update();
    EXPECT_NEAR(level().getSky()->getDensity(), start - 0.01f, 1e-6f);

    EXPECT_FALSE(application->isQuitRequested());
    pad->setButton(SDL_CONTROLLER_BUTTON_BACK, true);
    input->update();
    EXPECT_TRUE(application->isQuitRequested());
    EXPECT_EQ(application->getExitCode(), 0);
}

TEST_F(GamepadWalkTest, PullingTheControllerMidWalkStopsTheWalk)
{
    EXPECT_NEAR(walkWith(0, -32768, 3).z, -3.0f, 1e-5f);
    pad->unplug();
    input->update();
    EXPECT_FALSE(level().isWalkRequested());
    const Vector3 before = level().getPlayerPosition();
    level().tick(10);
    EXPECT_EQ(level().getPlayerPosition().z, before.z);
    EXPECT_FALSE(level().getGamepad().connected);
}
