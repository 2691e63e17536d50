// The keyboard tables of the Windows-API layer: key positions (as SDL
// reports them on the desktop) to virtual keys,
// scan codes and extended flags; key versus system-key messages; the lParam
// bits; characters under Shift, Ctrl, Alt and Caps Lock.

#include "platform/winapi/WinApiKeyboardState.h"
#include "platform/winapi/WinApiKeys.h"
#include "platform/winapi/WinApiUsbKey.h"
#include "platform/winapi/include/windows.h"

#include <SDL2/SDL_keycode.h>
#include <SDL2/SDL_scancode.h>
#include <gtest/gtest.h>

#include <cstring>

using Quorvel::WinApiKey;
using Quorvel::WinApiKeyboardState;
using Quorvel::WinApiKeyChange;
using Quorvel::WinApiKeys;

namespace {

// The desktop hands SDL's scancodes to the tables as key positions, and a
// browser's key codes arrive as the layer's own numbering of the same
// positions: the two must be one numbering, key for key.
TEST(WinApiKeys, UsbKeysAreSdlScancodes)
{
    const struct {
        const char* name;
        int usb;
        int sdl;
    } keys[] = {
        {"A", Quorvel::USB_KEY_A, SDL_SCANCODE_A},
        {"Z", Quorvel::USB_KEY_Z, SDL_SCANCODE_Z},
        {"0", Quorvel::USB_KEY_0, SDL_SCANCODE_0},
        {"Return", Quorvel::USB_KEY_RETURN, SDL_SCANCODE_RETURN},
        {"F12", Quorvel::USB_KEY_F12, SDL_SCANCODE_F12},
        {"keypad +", Quorvel::USB_KEY_KP_PLUS, SDL_SCANCODE_KP_PLUS},
        {"keypad -", Quorvel::USB_KEY_KP_MINUS, SDL_SCANCODE_KP_MINUS},
        {"keypad 0", Quorvel::USB_KEY_KP_0, SDL_SCANCODE_KP_0},
        {"up", Quorvel::USB_KEY_UP, SDL_SCANCODE_UP},
        {"right Alt", Quorvel::USB_KEY_RALT, SDL_SCANCODE_RALT},
        {"right GUI", Quorvel::USB_KEY_RGUI, SDL_SCANCODE_RGUI},
        {"102nd key", Quorvel::USB_KEY_NONUSBACKSLASH, SDL_SCANCODE_NONUSBACKSLASH},
    };
    for (const auto& key : keys)
        EXPECT_EQ(key.usb, key.sdl) << key.name;
}

struct TranslateCase {
    const char* name;
    SDL_Scancode scancode;
    SDL_Keycode keycode;
    bool numLock;
    int virtualKey;
    int sidedKey;
    int scanCode;
    bool extended;
};

const TranslateCase translateCases[] = {
    {"A", SDL_SCANCODE_A, SDLK_a, true, 'A', 'A', 0x1E, false},
    {"W key typing z (AZERTY)", SDL_SCANCODE_W, SDLK_z, true, 'Z', 'Z', 0x11, false},
    {"1", SDL_SCANCODE_1, SDLK_1, true, '1', '1', 0x02, false},
    {"Return", SDL_SCANCODE_RETURN, SDLK_RETURN, true, VK_RETURN, VK_RETURN, 0x1C, false},
    {"keypad Enter", SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, true, VK_RETURN, VK_RETURN, 0x1C, true},
    {"left Ctrl", SDL_SCANCODE_LCTRL, SDLK_LCTRL, true, VK_CONTROL, VK_LCONTROL, 0x1D, false},
    {"right Ctrl", SDL_SCANCODE_RCTRL, SDLK_RCTRL, true, VK_CONTROL, VK_RCONTROL, 0x1D, true},
    {"left Shift", SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, true, VK_SHIFT, VK_LSHIFT, 0x2A, false},
    {"right Shift", SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, true, VK_SHIFT, VK_RSHIFT, 0x36, false},
    {"left Alt", SDL_SCANCODE_LALT, SDLK_LALT, true, VK_MENU, VK_LMENU, 0x38, false},
    {"right Alt", SDL_SCANCODE_RALT, SDLK_RALT, true, VK_MENU, VK_RMENU, 0x38, true},
    {"Insert", SDL_SCANCODE_INSERT, SDLK_INSERT, true, VK_INSERT, VK_INSERT, 0x52, true},
    {"Delete", SDL_SCANCODE_DELETE, SDLK_DELETE, true, VK_DELETE, VK_DELETE, 0x53, true},
    {"Home", SDL_SCANCODE_HOME, SDLK_HOME, true, VK_HOME, VK_HOME, 0x47, true},
    {"End", SDL_SCANCODE_END, SDLK_END, true, VK_END, VK_END, 0x4F, true},
    {"Page Up", SDL_SCANCODE_PAGEUP, SDLK_PAGEUP, true, VK_PRIOR, VK_PRIOR, 0x49, true},
    {"Page Down", SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN, true, VK_NEXT, VK_NEXT, 0x51, true},
    {"Left", SDL_SCANCODE_LEFT, SDLK_LEFT, true, VK_LEFT, VK_LEFT, 0x4B, true},
    {"Right", SDL_SCANCODE_RIGHT, SDLK_RIGHT, true, VK_RIGHT, VK_RIGHT, 0x4D, true},
    {"Up", SDL_SCANCODE_UP, SDLK_UP, true, VK_UP, VK_UP, 0x48, true},
    {"Down", SDL_SCANCODE_DOWN, SDLK_DOWN, true, VK_DOWN, VK_DOWN, 0x50, true},
    {"keypad divide", SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE, true, VK_DIVIDE, VK_DIVIDE, 0x35, true},
    {"keypad minus", SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS, false, VK_SUBTRACT, VK_SUBTRACT, 0x4A, false},
    {"keypad plus", SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, false, VK_ADD, VK_ADD, 0x4E, false},
    {"Num Lock", SDL_SCANCODE_NUMLOCKCLEAR, SDLK_NUMLOCKCLEAR, true, VK_NUMLOCK, VK_NUMLOCK, 0x45, true},
    {"Pause", SDL_SCANCODE_PAUSE, SDLK_PAUSE, true, VK_PAUSE, VK_PAUSE, 0x45, false},
    {"F10", SDL_SCANCODE_F10, SDLK_F10, true, VK_F10, VK_F10, 0x44, false},
    {"F12", SDL_SCANCODE_F12, SDLK_F12, true, VK_F12, VK_F12, 0x58, false},
    {"left Windows", SDL_SCANCODE_LGUI, SDLK_LGUI, true, VK_LWIN, VK_LWIN, 0x5B, true},
    {"grave", SDL_SCANCODE_GRAVE, SDLK_BACKQUOTE, true, VK_OEM_3, VK_OEM_3, 0x29, false},
    {"keypad 1, Num Lock on", SDL_SCANCODE_KP_1, SDLK_KP_1, true, VK_NUMPAD1, VK_NUMPAD1, 0x4F, false},
    {"keypad 1, Num Lock off", SDL_SCANCODE_KP_1, SDLK_KP_1, false, VK_END, VK_END, 0x4F, false},
    {"keypad 5, Num Lock off", SDL_SCANCODE_KP_5, SDLK_KP_5, false, VK_CLEAR, VK_CLEAR, 0x4C, false},
    {"keypad point, Num Lock off", SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, false, VK_DELETE, VK_DELETE, 0x53, false},
    {"unknown key", SDL_SCANCODE_KP_HEXADECIMAL, SDLK_KP_HEXADECIMAL, true, 0, 0, 0, false},
};

} // namespace

TEST(WinApiKeys, TranslatesSdlKeysAsWindowsReportsThem)
{
    for (const TranslateCase& c : translateCases) {
        const WinApiKey key = WinApiKeys::translate(c.scancode, c.keycode, c.numLock);
        EXPECT_EQ(c.virtualKey, key.virtualKey) << c.name;
        EXPECT_EQ(c.sidedKey, key.sidedKey) << c.name;
        EXPECT_EQ(c.scanCode, key.scanCode) << c.name;
        EXPECT_EQ(c.extended, key.extended) << c.name;
    }
}

namespace {

struct MessageCase {
    const char* name;
    int virtualKey;
    bool down;
    bool altBefore;
    bool altAfter;
    bool ctrlAfter;
    UINT message;
    uint32_t lParam; // for a key not down before a press
};

WinApiKey keyOf(int virtualKey)
{
    const SDL_Scancode scancode = virtualKey == VK_MENU ? SDL_SCANCODE_LALT
        : virtualKey == VK_F10                          ? SDL_SCANCODE_F10
        : virtualKey == VK_F4                           ? SDL_SCANCODE_F4
                                                        : SDL_Scancode(SDL_SCANCODE_A + (virtualKey - 'A'));
    return WinApiKeys::translate(scancode, 0, true);
}

const MessageCase messageCases[] = {
    {"X pressed", 'X', true, false, false, false, WM_KEYDOWN, 0x002D0001},
    {"X released", 'X', false, false, false, false, WM_KEYUP, 0xC02D0001},
    {"Alt pressed", VK_MENU, true, false, true, false, WM_SYSKEYDOWN, 0x20380001},
    {"Alt released", VK_MENU, false, true, false, false, WM_SYSKEYUP, 0xC0380001},
    {"X pressed with Alt", 'X', true, true, true, false, WM_SYSKEYDOWN, 0x202D0001},
    {"X released with Alt", 'X', false, true, true, false, WM_SYSKEYUP, 0xE02D0001},
    {"F4 pressed with Alt", VK_F4, true, true, true, false, WM_SYSKEYDOWN, 0x203E0001},
    {"F10 pressed", VK_F10, true, false, false, false, WM_SYSKEYDOWN, 0x00440001},
    {"F10 released", VK_F10, false, false, false, false, WM_SYSKEYUP, 0xC0440001},
    {"X with Ctrl and Alt (AltGr)", 'X', true, true, true, true, WM_KEYDOWN, 0x002D0001},
};

} // namespace

TEST(WinApiKeys, ChoosesKeyOrSystemKeyMessageWithItsLParamBits)
{
    for (const MessageCase& c : messageCases) {
        const WinApiKey key = keyOf(c.virtualKey);
        const UINT message = WinApiKeys::messageFor(key, c.down, c.altBefore, c.altAfter, c.ctrlAfter);
        EXPECT_EQ(c.message, message) << c.name;
        const LPARAM lParam = WinApiKeys::keyLParam(key, message, c.down, false, c.altAfter);
        EXPECT_EQ(LPARAM(c.lParam), lParam) << c.name << std::hex << " lParam 0x" << lParam;
    }
}

TEST(WinApiKeys, LParamCarriesRepeatAndExtendedBitsUnsignExtended)
{
    const WinApiKey rightCtrl = WinApiKeys::translate(SDL_SCANCODE_RCTRL, SDLK_RCTRL, true);
    const LPARAM first = WinApiKeys::keyLParam(rightCtrl, WM_KEYDOWN, true, false, false);
    const LPARAM repeat = WinApiKeys::keyLParam(rightCtrl, WM_KEYDOWN, true, true, false);
    const LPARAM release = WinApiKeys::keyLParam(rightCtrl, WM_KEYUP, false, true, false);
    EXPECT_EQ(LPARAM(0x011D0001), first);
    EXPECT_EQ(LPARAM(0x411D0001), repeat) << "a held key repeats with the previous-state bit";
    EXPECT_EQ(LPARAM(0xC11D0001), release);
    EXPECT_GT(release, 0) << "the 32-bit value is not sign-extended into lParam";
    EXPECT_EQ(0x1D, (release >> 16) & 0xFF) << "scan code in bits 16-23";
    EXPECT_TRUE(HIWORD(release) & KF_EXTENDED);
    EXPECT_TRUE(HIWORD(release) & KF_UP);
}

namespace {

struct CharCase {
    const char* name;
    UINT virtualKey;
    bool shift, ctrl, alt, capsLock;
    int count;
    char character;
};

const CharCase charCases[] = {
    {"a", 'A', false, false, false, false, 1, 'a'},
    {"Shift+a", 'A', true, false, false, false, 1, 'A'},
    {"a with Caps Lock", 'A', false, false, false, true, 1, 'A'},
    {"Shift+a with Caps Lock", 'A', true, false, false, true, 1, 'a'},
    {"1", '1', false, false, false, false, 1, '1'},
    {"Shift+1", '1', true, false, false, false, 1, '!'},
    {"1 with Caps Lock", '1', false, false, false, true, 1, '1'},
    {"Shift+minus", VK_OEM_MINUS, true, false, false, false, 1, '_'},
    {"Shift+quote", VK_OEM_7, true, false, false, false, 1, '"'},
    {"grave", VK_OEM_3, false, false, false, false, 1, '`'},
    {"Ctrl+c", 'C', false, true, false, false, 1, 0x03},
    {"Ctrl+[", VK_OEM_4, false, true, false, false, 1, 0x1B},
    {"Ctrl+1", '1', false, true, false, false, 0, 0},
    {"Ctrl+Alt+a", 'A', false, true, true, false, 0, 0},
    {"Alt+a", 'A', false, false, true, false, 1, 'a'},
    {"Return", VK_RETURN, false, false, false, false, 1, '\r'},
    {"Ctrl+Return", VK_RETURN, false, true, false, false, 1, '\n'},
    {"Escape", VK_ESCAPE, false, false, false, false, 1, 0x1B},
    {"Backspace", VK_BACK, false, false, false, false, 1, 0x08},
    {"Space", VK_SPACE, false, false, false, false, 1, ' '},
    {"keypad 7", VK_NUMPAD7, false, false, false, false, 1, '7'},
    {"keypad plus", VK_ADD, false, false, false, false, 1, '+'},
    {"keypad minus", VK_SUBTRACT, true, false, false, false, 1, '-'},
    {"F1", VK_F1, false, false, false, false, 0, 0},
    {"Shift itself", VK_SHIFT, true, false, false, false, 0, 0},
    {"Home", VK_HOME, false, false, false, false, 0, 0},
};

} // namespace

TEST(WinApiKeys, ToAsciiExTranslatesUnderModifiersOnAUsLayout)
{
    for (const CharCase& c : charCases) {
        BYTE state[256] = {};
        if (c.shift)
            state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
        if (c.ctrl)
            state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
        if (c.alt)
            state[VK_MENU] = state[VK_LMENU] = 0x80;
        if (c.capsLock)
            state[VK_CAPITAL] = 0x01;
        state[c.virtualKey] |= 0x80;
        WORD out = 0xBEEF;
        const int count = ToAsciiEx(c.virtualKey, MapVirtualKeyA(c.virtualKey, MAPVK_VK_TO_VSC), state, &out, 0,
                                    GetKeyboardLayout(0));
        EXPECT_EQ(c.count, count) << c.name;
        if (c.count == 1)
            EXPECT_EQ(WORD(BYTE(c.character)), out) << c.name;
        else
            EXPECT_EQ(0xBEEF, out) << c.name << ": nothing is written without a character";
    }
}

TEST(WinApiKeys, MapVirtualKeyConvertsBetweenKeysScanCodesAndCharacters)
{
    EXPECT_EQ(0x1Eu, MapVirtualKeyA('A', MAPVK_VK_TO_VSC));
    EXPECT_EQ(0x1Du, MapVirtualKeyA(VK_RCONTROL, MAPVK_VK_TO_VSC));
    EXPECT_EQ(UINT('A'), MapVirtualKeyA(0x1E, MAPVK_VSC_TO_VK));
    EXPECT_EQ(UINT(VK_NUMLOCK), MapVirtualKeyA(0xE045, MAPVK_VSC_TO_VK_EX));
    EXPECT_EQ(UINT(VK_PAUSE), MapVirtualKeyA(0x45, MAPVK_VSC_TO_VK_EX));
    EXPECT_EQ(UINT('A'), MapVirtualKeyA('A', MAPVK_VK_TO_CHAR)) << "letters map to their capital";
    EXPECT_EQ(UINT(';'), MapVirtualKeyA(VK_OEM_1, MAPVK_VK_TO_CHAR));
    EXPECT_EQ(0u, MapVirtualKeyA(VK_F5, MAPVK_VK_TO_CHAR));
}

TEST(WinApiKeyboardState, GenericModifierStaysDownWhileEitherSideIs)
{
    WinApiKeyboardState state;
    auto change = [&](uint8_t sided, bool down) {
        WinApiKeyChange c;
        c.virtualKey = VK_SHIFT;
        c.sidedKey = sided;
        c.down = down;
        state.apply(c);
    };
    change(VK_LSHIFT, true);
    change(VK_RSHIFT, true);
    change(VK_LSHIFT, false);
    EXPECT_TRUE(state.isDown(VK_SHIFT)) << "right Shift is still held";
    EXPECT_FALSE(state.isDown(VK_LSHIFT));
    EXPECT_TRUE(state.isDown(VK_RSHIFT));
    change(VK_RSHIFT, false);
    EXPECT_FALSE(state.isDown(VK_SHIFT));
}

TEST(WinApiKeyboardState, TogglesOnPressesOnlyNotOnRepeatsOrReleases)
{
    WinApiKeyboardState state;
    WinApiKeyChange caps;
    caps.virtualKey = caps.sidedKey = VK_CAPITAL;
    caps.down = true;
    state.apply(caps);
    EXPECT_EQ(0x81, state.byte(VK_CAPITAL));
    caps.repeat = true;
    state.apply(caps);
    EXPECT_EQ(0x81, state.byte(VK_CAPITAL)) << "a repeat does not toggle";
    caps.down = false;
    caps.repeat = false;
    state.apply(caps);
    EXPECT_EQ(0x01, state.byte(VK_CAPITAL)) << "released, still toggled on";
    caps.down = true;
    state.apply(caps);
    caps.down = false;
    state.apply(caps);
    EXPECT_EQ(0x00, state.byte(VK_CAPITAL)) << "second press toggles off";
}
