// The layer's XInput on SDL2's virtual joysticks, attached in this process as
// game controllers: connected and not, XInput's signs and ranges (SDL's up is
// negative, XInput's positive), buttons, packet numbers, unplugging; and the
// XInput libraries loaded at run time the Windows way.

#include "platform/winapi/sdl/WinApiGamepads.h"
#include "support/VirtualController.h"

#include <windows.h>
#include <xinput.h>

#include <SDL2/SDL.h>

#include <gtest/gtest.h>

namespace {

using Quorvel::WinApiGamepads;
using QuorvelTest::VirtualController;

class WinApiXInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        XINPUT_STATE state;
        // The first call starts SDL's game-controller subsystem; a machine
        // without controllers has none connected.
        XInputGetState(0, &state);
        ASSERT_NE(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u) << SDL_GetError();
    }

    static XINPUT_STATE stateOf(DWORD user, DWORD expected = ERROR_SUCCESS)
    {
        XINPUT_STATE state;
        SDL_memset(&state, 0xA5, sizeof state);
        EXPECT_EQ(XInputGetState(user, &state), expected) << "user " << user;
        return state;
    }
};

} // namespace

TEST_F(WinApiXInputTest, NoControllerAndBadArguments)
{
    for (DWORD user = 0; user < XUSER_MAX_COUNT; ++user)
        stateOf(user, ERROR_DEVICE_NOT_CONNECTED);
    XINPUT_STATE state;
    EXPECT_EQ(XInputGetState(XUSER_MAX_COUNT, &state), DWORD(ERROR_BAD_ARGUMENTS));
    EXPECT_EQ(XInputGetState(0, nullptr), DWORD(ERROR_BAD_ARGUMENTS));
    XINPUT_VIBRATION vibration = {1000, 2000};
    EXPECT_EQ(XInputSetState(0, &vibration), DWORD(ERROR_DEVICE_NOT_CONNECTED));
    EXPECT_EQ(XInputSetState(7, &vibration), DWORD(ERROR_BAD_ARGUMENTS));
}

TEST_F(WinApiXInputTest, SticksTriggersAndButtonsInXInputsConventions)
{
    VirtualController pad;
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    XINPUT_STATE rest = stateOf(0);
    EXPECT_EQ(rest.Gamepad.wButtons, 0);
    EXPECT_EQ(rest.Gamepad.sThumbLX, 0);
    EXPECT_EQ(rest.Gamepad.sThumbLY, 0);
    EXPECT_EQ(rest.Gamepad.bLeftTrigger, 0);
    EXPECT_EQ(rest.Gamepad.bRightTrigger, 0);
    stateOf(1, ERROR_DEVICE_NOT_CONNECTED);
    XINPUT_VIBRATION vibration = {65535, 0};
    EXPECT_EQ(XInputSetState(0, &vibration), DWORD(ERROR_SUCCESS)) << "no rumble on this one, and no error";

    struct Case {
        SDL_GameControllerAxis axis;
        Sint16 sdl;
        SHORT lx, ly, rx, ry;
        BYTE lt, rt;
    };
    const Case cases[] = {
        {SDL_CONTROLLER_AXIS_LEFTY, -32768, 0, 32767, 0, 0, 0, 0}, // SDL's full up is XInput's
        {SDL_CONTROLLER_AXIS_LEFTY, 32767, 0, -32767, 0, 0, 0, 0},
        {SDL_CONTROLLER_AXIS_LEFTY, -1000, 0, 1000, 0, 0, 0, 0},
        {SDL_CONTROLLER_AXIS_LEFTX, -32768, -32768, 0, 0, 0, 0, 0}, // x keeps its sign and its extreme
        {SDL_CONTROLLER_AXIS_LEFTX, 32767, 32767, 0, 0, 0, 0, 0},
        {SDL_CONTROLLER_AXIS_RIGHTX, -20000, 0, 0, -20000, 0, 0, 0},
        {SDL_CONTROLLER_AXIS_RIGHTY, 12345, 0, 0, 0, -12345, 0, 0},
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767, 0, 0, 0, 0, 255, 0},
        {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767, 0, 0, 0, 0, 0, 255},
    };
    for (const Case& c : cases) {
        pad.setAxis(c.axis, c.sdl);
        const XINPUT_STATE state = stateOf(0);
        const std::string what = "axis " + std::to_string(c.axis) + " at " + std::to_string(c.sdl);
        EXPECT_EQ(state.Gamepad.sThumbLX, c.lx) << what;
        EXPECT_EQ(state.Gamepad.sThumbLY, c.ly) << what;
        EXPECT_EQ(state.Gamepad.sThumbRX, c.rx) << what;
        EXPECT_EQ(state.Gamepad.sThumbRY, c.ry) << what;
        EXPECT_EQ(state.Gamepad.bLeftTrigger, c.lt) << what;
        EXPECT_EQ(state.Gamepad.bRightTrigger, c.rt) << what;
        const bool trigger = c.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || c.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
        pad.setAxis(c.axis, trigger ? -32768 : 0);
    }

    const struct {
        SDL_GameControllerButton button;
        WORD bit;
    } buttons[] = {
        {SDL_CONTROLLER_BUTTON_A, XINPUT_GAMEPAD_A},
        {SDL_CONTROLLER_BUTTON_B, XINPUT_GAMEPAD_B},
        {SDL_CONTROLLER_BUTTON_X, XINPUT_GAMEPAD_X},
        {SDL_CONTROLLER_BUTTON_Y, XINPUT_GAMEPAD_Y},
        {SDL_CONTROLLER_BUTTON_BACK, XINPUT_GAMEPAD_BACK},
        {SDL_CONTROLLER_BUTTON_GUIDE, 0}, // XInput has no bit for it
        {SDL_CONTROLLER_BUTTON_START, XINPUT_GAMEPAD_START},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, XINPUT_GAMEPAD_LEFT_THUMB},
        {SDL_CONTROLLER_BUTTON_RIGHTSTICK, XINPUT_GAMEPAD_RIGHT_THUMB},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, XINPUT_GAMEPAD_LEFT_SHOULDER},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, XINPUT_GAMEPAD_DPAD_UP},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, XINPUT_GAMEPAD_DPAD_DOWN},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, XINPUT_GAMEPAD_DPAD_LEFT},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, XINPUT_GAMEPAD_DPAD_RIGHT},
    };
    for (const auto& b : buttons) {
        pad.setButton(b.button, true);
        EXPECT_EQ(stateOf(0).Gamepad.wButtons, b.bit) << "SDL button " << b.button;
        pad.setButton(b.button, false);
    }
    pad.setButton(SDL_CONTROLLER_BUTTON_A, true);
    pad.setButton(SDL_CONTROLLER_BUTTON_BACK, true);
    EXPECT_EQ(stateOf(0).Gamepad.wButtons, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_BACK);
}

TEST_F(WinApiXInputTest, PacketNumberChangesWithTheStateAndUnplugDisconnects)
{
    VirtualController pad;
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    const DWORD first = stateOf(0).dwPacketNumber;
    EXPECT_EQ(stateOf(0).dwPacketNumber, first) << "nothing changed";
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTX, 5000);
    const DWORD moved = stateOf(0).dwPacketNumber;
    EXPECT_NE(moved, first);
    pad.setAxis(SDL_CONTROLLER_AXIS_LEFTX, 5000);
    EXPECT_EQ(stateOf(0).dwPacketNumber, moved) << "the same reading again";
    pad.setButton(SDL_CONTROLLER_BUTTON_Y, true);
    const DWORD pressed = stateOf(0).dwPacketNumber;
    EXPECT_NE(pressed, moved);

    pad.unplug();
    stateOf(0, ERROR_DEVICE_NOT_CONNECTED);

    VirtualController again;
    ASSERT_TRUE(again.attached()) << SDL_GetError();
    const XINPUT_STATE back = stateOf(0);
    EXPECT_NE(back.dwPacketNumber, pressed) << "a new controller's first state is news";
    EXPECT_EQ(back.Gamepad.wButtons, 0) << "nothing of the old controller's state";
    EXPECT_EQ(back.Gamepad.sThumbLX, 0);

    // A second controller takes the next user; unplugging the first leaves it there.
    VirtualController second;
    ASSERT_TRUE(second.attached()) << SDL_GetError();
    second.setButton(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_EQ(stateOf(1).Gamepad.wButtons, XINPUT_GAMEPAD_B);
    again.unplug();
    stateOf(0, ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_EQ(stateOf(1).Gamepad.wButtons, XINPUT_GAMEPAD_B);
}

TEST(WinApiXInputConversionTest, ThumbAndTriggerReadings)
{
    const struct {
        Sint16 sdl;
        SHORT up;
        BYTE trigger;
    } cases[] = {
        {0, 0, 0},      {-32768, 32767, 0},   {32767, -32767, 255}, {-1, 1, 0},           {1, -1, 0},
        {128, -128, 1}, {16384, -16384, 128}, {-16384, 16384, 0},   {32766, -32766, 255},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WinApiGamepads::thumbUp(c.sdl), c.up) << c.sdl;
        EXPECT_EQ(WinApiGamepads::trigger(c.sdl), c.trigger) << c.sdl;
    }
}

TEST(WinApiXInputLibraryTest, XInputLoadsByItsWindowsNames)
{
    const struct {
        const char* name;
        bool found;
    } cases[] = {
        {"xinput1_4.dll", true}, {"XInput1_3.DLL", true}, {"xinput9_1_0", true}, {"xinput1_4.dl", false},
        {"xinput2.dll", false},  {"user32.dll", false},   {"", false},
    };
    for (const auto& c : cases) {
        SetLastError(0);
        HMODULE module = LoadLibraryA(c.name);
        EXPECT_EQ(module != nullptr, c.found) << c.name;
        if (!module) {
            EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND)) << c.name;
            continue;
        }
        typedef DWORD(WINAPI * GetStateFunction)(DWORD, XINPUT_STATE*);
        const FARPROC address = GetProcAddress(module, "XInputGetState");
        ASSERT_NE(address, nullptr) << c.name;
        auto getState = reinterpret_cast<GetStateFunction>(reinterpret_cast<void (*)()>(address));
        EXPECT_EQ(getState, &XInputGetState) << c.name;
        EXPECT_NE(GetProcAddress(module, "XInputSetState"), nullptr) << c.name;
        EXPECT_EQ(GetProcAddress(module, "XInputEnable"), nullptr) << c.name;
        EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
        EXPECT_TRUE(FreeLibrary(module)) << c.name;
    }
    EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
    EXPECT_EQ(GetProcAddress(GetModuleHandleA(nullptr), "XInputGetState"), nullptr);
    EXPECT_FALSE(FreeLibrary(GetModuleHandleA(nullptr)));
}
