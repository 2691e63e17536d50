#include "platform/winapi/WinApiKeys.h"

#include "platform/winapi/WinApiUsbKey.h"

#include <cstddef>

namespace Quorvel {

namespace {

// One row per physical key: its USB usage and what Windows reports for it
// on a US keyboard.
struct KeyRow {
    uint16_t usbKey;
    uint8_t virtualKey;
    uint8_t sidedKey; // 0: same as virtualKey
    uint8_t scanCode;
    bool extended;
};

// clang-format off
const KeyRow keyRows[] = {
    { USB_KEY_A, 'A', 0, 0x1E, false }, { USB_KEY_B, 'B', 0, 0x30, false },
    { USB_KEY_C, 'C', 0, 0x2E, false }, { USB_KEY_D, 'D', 0, 0x20, false },
    { USB_KEY_E, 'E', 0, 0x12, false }, { USB_KEY_F, 'F', 0, 0x21, false },
    { USB_KEY_G, 'G', 0, 0x22, false }, { USB_KEY_H, 'H', 0, 0x23, false },
    { USB_KEY_I, 'I', 0, 0x17, false }, { USB_KEY_J, 'J', 0, 0x24, false },
    { USB_KEY_K, 'K', 0, 0x25, false }, { USB_KEY_L, 'L', 0, 0x26, false },
    { USB_KEY_M, 'M', 0, 0x32, false }, { USB_KEY_N, 'N', 0, 0x31, false },
    { USB_KEY_O, 'O', 0, 0x18, false }, { USB_KEY_P, 'P', 0, 0x19, false },
    { USB_KEY_Q, 'Q', 0, 0x10, false }, { USB_KEY_R, 'R', 0, 0x13, false },
    { USB_KEY_S, 'S', 0, 0x1F, false }, { USB_KEY_T, 'T', 0, 0x14, false },
    { USB_KEY_U, 'U', 0, 0x16, false }, { USB_KEY_V, 'V', 0, 0x2F, false },
    { USB_KEY_W, 'W', 0, 0x11, false }, { USB_KEY_X, 'X', 0, 0x2D, false },
    { USB_KEY_Y, 'Y', 0, 0x15, false }, { USB_KEY_Z, 'Z', 0, 0x2C, false },

    { USB_KEY_1, '1', 0, 0x02, false }, { USB_KEY_2, '2', 0, 0x03, false },
    { USB_KEY_3, '3', 0, 0x04, false }, { USB_KEY_4, '4', 0, 0x05, false },
    { USB_KEY_5, '5', 0, 0x06, false }, { USB_KEY_6, '6', 0, 0x07, false },
    { USB_KEY_7, '7', 0, 0x08, false }, { USB_KEY_8, '8', 0, 0x09, false },
    { USB_KEY_9, '9', 0, 0x0A, false }, { USB_KEY_0, '0', 0, 0x0B, false },

    { USB_KEY_RETURN, VK_RETURN, 0, 0x1C, false },
    { USB_KEY_ESCAPE, VK_ESCAPE, 0, 0x01, false },
    { USB_KEY_BACKSPACE, VK_BACK, 0, 0x0E, false },
    { USB_KEY_TAB, VK_TAB, 0, 0x0F, false },
    { USB_KEY_SPACE, VK_SPACE, 0, 0x39, false },
    { USB_KEY_MINUS, VK_OEM_MINUS, 0, 0x0C, false },
    { USB_KEY_EQUALS, VK_OEM_PLUS, 0, 0x0D, false },
    { USB_KEY_LEFTBRACKET, VK_OEM_4, 0, 0x1A, false },
    { USB_KEY_RIGHTBRACKET, VK_OEM_6, 0, 0x1B, false },
    { USB_KEY_BACKSLASH, VK_OEM_5, 0, 0x2B, false },
    { USB_KEY_NONUSHASH, VK_OEM_5, 0, 0x2B, false },
    { USB_KEY_SEMICOLON, VK_OEM_1, 0, 0x27, false },
    { USB_KEY_APOSTROPHE, VK_OEM_7, 0, 0x28, false },
    { USB_KEY_GRAVE, VK_OEM_3, 0, 0x29, false },
    { USB_KEY_COMMA, VK_OEM_COMMA, 0, 0x33, false },
    { USB_KEY_PERIOD, VK_OEM_PERIOD, 0, 0x34, false },
    { USB_KEY_SLASH, VK_OEM_2, 0, 0x35, false },
    { USB_KEY_NONUSBACKSLASH, VK_OEM_102, 0, 0x56, false },
    { USB_KEY_CAPSLOCK, VK_CAPITAL, 0, 0x3A, false },

    { USB_KEY_F1, VK_F1, 0, 0x3B, false }, { USB_KEY_F2, VK_F2, 0, 0x3C, false },
    { USB_KEY_F3, VK_F3, 0, 0x3D, false }, { USB_KEY_F4, VK_F4, 0, 0x3E, false },
    { USB_KEY_F5, VK_F5, 0, 0x3F, false }, { USB_KEY_F6, VK_F6, 0, 0x40, false },
    { USB_KEY_F7, VK_F7, 0, 0x41, false }, { USB_KEY_F8, VK_F8, 0, 0x42, false },
    { USB_KEY_F9, VK_F9, 0, 0x43, false }, { USB_KEY_F10, VK_F10, 0, 0x44, false },
    { USB_KEY_F11, VK_F11, 0, 0x57, false }, { USB_KEY_F12, VK_F12, 0, 0x58, false },
    { USB_KEY_F13, VK_F13, 0, 0x64, false }, { USB_KEY_F14, VK_F14, 0, 0x65, false },
    { USB_KEY_F15, VK_F15, 0, 0x66, false }, { USB_KEY_F16, VK_F16, 0, 0x67, false },
    { USB_KEY_F17, VK_F17, 0, 0x68, false }, { USB_KEY_F18, VK_F18, 0, 0x69, false },
    { USB_KEY_F19, VK_F19, 0, 0x6A, false }, { USB_KEY_F20, VK_F20, 0, 0x6B, false },
    { USB_KEY_F21, VK_F21, 0, 0x6C, false }, { USB_KEY_F22, VK_F22, 0, 0x6D, false },
    { USB_KEY_F23, VK_F23, 0, 0x6E, false }, { USB_KEY_F24, VK_F24, 0, 0x76, false },

    { USB_KEY_PRINTSCREEN, VK_SNAPSHOT, 0, 0x37, true },
    { USB_KEY_SCROLLLOCK, VK_SCROLL, 0, 0x46, false },
    { USB_KEY_PAUSE, VK_PAUSE, 0, 0x45, false },
    { USB_KEY_INSERT, VK_INSERT, 0, 0x52, true },
    { USB_KEY_HOME, VK_HOME, 0, 0x47, true },
    { USB_KEY_PAGEUP, VK_PRIOR, 0, 0x49, true },
    { USB_KEY_DELETE, VK_DELETE, 0, 0x53, true },
    { USB_KEY_END, VK_END, 0, 0x4F, true },
    { USB_KEY_PAGEDOWN, VK_NEXT, 0, 0x51, true },
    { USB_KEY_RIGHT, VK_RIGHT, 0, 0x4D, true },
    { USB_KEY_LEFT, VK_LEFT, 0, 0x4B, true },
    { USB_KEY_DOWN, VK_DOWN, 0, 0x50, true },
    { USB_KEY_UP, VK_UP, 0, 0x48, true },

    // Num Lock is reported with the extended flag, Pause without it.
    { USB_KEY_NUMLOCKCLEAR, VK_NUMLOCK, 0, 0x45, true },
    { USB_KEY_KP_DIVIDE, VK_DIVIDE, 0, 0x35, true },
    { USB_KEY_KP_MULTIPLY, VK_MULTIPLY, 0, 0x37, false },
    { USB_KEY_KP_MINUS, VK_SUBTRACT, 0, 0x4A, false },
    { USB_KEY_KP_PLUS, VK_ADD, 0, 0x4E, false },
    { USB_KEY_KP_ENTER, VK_RETURN, 0, 0x1C, true },
    { USB_KEY_KP_1, VK_NUMPAD1, 0, 0x4F, false },
    { USB_KEY_KP_2, VK_NUMPAD2, 0, 0x50, false },
    { USB_KEY_KP_3, VK_NUMPAD3, 0, 0x51, false },
    { USB_KEY_KP_4, VK_NUMPAD4, 0, 0x4B, false },
    { USB_KEY_KP_5, VK_NUMPAD5, 0, 0x4C, false },
    { USB_KEY_KP_6, VK_NUMPAD6, 0, 0x4D, false },
    { USB_KEY_KP_7, VK_NUMPAD7, 0, 0x47, false },
    { USB_KEY_KP_8, VK_NUMPAD8, 0, 0x48, false },
    { USB_KEY_KP_9, VK_NUMPAD9, 0, 0x49, false },
    { USB_KEY_KP_0, VK_NUMPAD0, 0, 0x52, false },
    { USB_KEY_KP_PERIOD, VK_DECIMAL, 0, 0x53, false },

    { USB_KEY_LCTRL, VK_CONTROL, VK_LCONTROL, 0x1D, false },
    { USB_KEY_LSHIFT, VK_SHIFT, VK_LSHIFT, 0x2A, false },
    { USB_KEY_LALT, VK_MENU, VK_LMENU, 0x38, false },
    { USB_KEY_LGUI, VK_LWIN, 0, 0x5B, true },
    { USB_KEY_RCTRL, VK_CONTROL, VK_RCONTROL, 0x1D, true },
    { USB_KEY_RSHIFT, VK_SHIFT, VK_RSHIFT, 0x36, false },
    { USB_KEY_RALT, VK_MENU, VK_RMENU, 0x38, true },
    { USB_KEY_RGUI, VK_RWIN, 0, 0x5C, true },
    { USB_KEY_APPLICATION, VK_APPS, 0, 0x5D, true },

    { USB_KEY_MUTE, VK_VOLUME_MUTE, 0, 0x20, true },
    { USB_KEY_VOLUMEDOWN, VK_VOLUME_DOWN, 0, 0x2E, true },
    { USB_KEY_VOLUMEUP, VK_VOLUME_UP, 0, 0x30, true },
    { USB_KEY_AUDIONEXT, VK_MEDIA_NEXT_TRACK, 0, 0x19, true },
    { USB_KEY_AUDIOPREV, VK_MEDIA_PREV_TRACK, 0, 0x10, true },
    { USB_KEY_AUDIOSTOP, VK_MEDIA_STOP, 0, 0x24, true },
    { USB_KEY_AUDIOPLAY, VK_MEDIA_PLAY_PAUSE, 0, 0x22, true },
};

// Keypad keys with Num Lock off: the navigation key of the same position,
// reported without the extended flag (that is how Windows tells them apart
// from the navigation block).
struct NumLockOffRow {
    uint8_t numpadKey;
    uint8_t navigationKey;
};

const NumLockOffRow numLockOffRows[] = {
    { VK_NUMPAD0, VK_INSERT }, { VK_NUMPAD1, VK_END },   { VK_NUMPAD2, VK_DOWN },
    { VK_NUMPAD3, VK_NEXT },   { VK_NUMPAD4, VK_LEFT },  { VK_NUMPAD5, VK_CLEAR },
    { VK_NUMPAD6, VK_RIGHT },  { VK_NUMPAD7, VK_HOME },  { VK_NUMPAD8, VK_UP },
    { VK_NUMPAD9, VK_PRIOR },  { VK_DECIMAL, VK_DELETE },
};

// Characters of the keys whose character does not depend on Caps Lock:
// unshifted and shifted.
struct CharRow {
    uint8_t virtualKey;
    char plain;
    char shifted;
};

const CharRow charRows[] = {
    { '0', '0', ')' }, { '1', '1', '!' }, { '2', '2', '@' }, { '3', '3', '#' },
    { '4', '4', '$' }, { '5', '5', '%' }, { '6', '6', '^' }, { '7', '7', '&' },
    { '8', '8', '*' }, { '9', '9', '(' },
    { VK_OEM_1, ';', ':' }, { VK_OEM_PLUS, '=', '+' }, { VK_OEM_COMMA, ',', '<' },
    { VK_OEM_MINUS, '-', '_' }, { VK_OEM_PERIOD, '.', '>' }, { VK_OEM_2, '/', '?' },
    { VK_OEM_3, '`', '~' }, { VK_OEM_4, '[', '{' }, { VK_OEM_5, '\\', '|' },
    { VK_OEM_6, ']', '}' }, { VK_OEM_7, '\'', '"' }, { VK_OEM_102, '\\', '|' },
    { VK_SPACE, ' ', ' ' }, { VK_RETURN, '\r', '\r' }, { VK_BACK, '\b', '\b' },
    { VK_TAB, '\t', '\t' }, { VK_ESCAPE, 0x1B, 0x1B },
    { VK_NUMPAD0, '0', '0' }, { VK_NUMPAD1, '1', '1' }, { VK_NUMPAD2, '2', '2' },
    { VK_NUMPAD3, '3', '3' }, { VK_NUMPAD4, '4', '4' }, { VK_NUMPAD5, '5', '5' },
    { VK_NUMPAD6, '6', '6' }, { VK_NUMPAD7, '7', '7' }, { VK_NUMPAD8, '8', '8' },
    { VK_NUMPAD9, '9', '9' }, { VK_MULTIPLY, '*', '*' }, { VK_ADD, '+', '+' },
    { VK_SUBTRACT, '-', '-' }, { VK_DECIMAL, '.', '.' }, { VK_DIVIDE, '/', '/' },
};

// Control characters typed with Ctrl held (and Alt not): keys other than
// letters that still give one.
struct ControlRow {
    uint8_t virtualKey;
    bool shifted;
    char character;
};

const ControlRow controlRows[] = {
    { VK_OEM_4, false, 0x1B }, { VK_OEM_5, false, 0x1C }, { VK_OEM_6, false, 0x1D },
    { VK_OEM_102, false, 0x1C }, { '6', true, 0x1E }, { VK_OEM_MINUS, true, 0x1F },
    { VK_RETURN, false, '\n' }, { VK_BACK, false, 0x7F }, { VK_SPACE, false, ' ' },
    { VK_SPACE, true, ' ' }, { VK_ESCAPE, false, 0x1B }, { VK_CANCEL, false, 0x03 },
};
// clang-format on

const KeyRow* rowOf(uint16_t usbKey)
{
    for (const KeyRow& row : keyRows)
        if (row.usbKey == usbKey)
            return &row;
    return nullptr;
}

bool isDown(const BYTE* keyState, int virtualKey)
{
    return (keyState[virtualKey] & 0x80) != 0;
}

} // namespace

WinApiKey WinApiKeys::translate(uint16_t usbKey, int layoutLetter, bool numLock)
{
    WinApiKey key;
    const KeyRow* row = rowOf(usbKey);
    if (!row)
        return key;
    key.virtualKey = row->virtualKey;
    key.sidedKey = row->sidedKey ? row->sidedKey : row->virtualKey;
    key.scanCode = row->scanCode;
    key.extended = row->extended;
    if (row->virtualKey >= 'A' && row->virtualKey <= 'Z' && layoutLetter >= 'a' && layoutLetter <= 'z')
        key.virtualKey = key.sidedKey = uint8_t(layoutLetter - 'a' + 'A');
    if (!numLock) {
        for (const NumLockOffRow& off : numLockOffRows) {
            if (off.numpadKey == key.virtualKey) {
                key.virtualKey = key.sidedKey = off.navigationKey;
                break;
            }
        }
    }
    return key;
}

UINT WinApiKeys::messageFor(const WinApiKey& key, bool down, bool altBefore, bool altAfter, bool ctrlAfter)
{
    const bool alt = down ? altAfter : altBefore;
    const bool system = (alt && !ctrlAfter) || key.virtualKey == VK_F10;
    if (down)
        return system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    return system ? WM_SYSKEYUP : WM_KEYUP;
}

LPARAM WinApiKeys::keyLParam(const WinApiKey& key, UINT message, bool down, bool wasDown, bool altAfter)
{
    uint32_t bits = 1;
    bits |= uint32_t(key.scanCode) << 16;
    if (key.extended)
        bits |= 1u << 24;
    const bool system = message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
    if (system && altAfter)
        bits |= 1u << 29;
    if (wasDown || !down)
        bits |= 1u << 30;
    if (!down)
        bits |= 1u << 31;
    // A 32-bit value, as Windows hands it: on 64-bit systems the upper half of
    // lParam stays 0 (no sign extension).
    return LPARAM(bits);
}

int WinApiKeys::toAscii(UINT virtualKey, const BYTE* keyState, WORD* character)
{
    if (!keyState || !character || virtualKey > 0xFF)
        return 0;
    const bool shift = isDown(keyState, VK_SHIFT);
    const bool control = isDown(keyState, VK_CONTROL);
    const bool alt = isDown(keyState, VK_MENU);
    const bool capsLock = (keyState[VK_CAPITAL] & 0x01) != 0;

    if (control && alt)
        return 0; // AltGr: the US layout has no characters there
    if (control) {
        if (virtualKey >= 'A' && virtualKey <= 'Z') {
            *character = WORD(virtualKey - 'A' + 1);
            return 1;
        }
        for (const ControlRow& row : controlRows) {
            if (row.virtualKey == virtualKey && row.shifted == shift) {
                *character = WORD(BYTE(row.character));
                return 1;
            }
        }
        return 0;
    }
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        const bool upper = shift != capsLock;
        *character = WORD(upper ? virtualKey : virtualKey - 'A' + 'a');
        return 1;
    }
    for (const CharRow& row : charRows) {
        if (row.virtualKey == virtualKey) {
            *character = WORD(BYTE(shift ? row.shifted : row.plain));
            return 1;
        }
    }
    return 0;
}

UINT WinApiKeys::scanCodeOf(UINT virtualKey, bool* extended)
{
    for (const KeyRow& row : keyRows) {
        if (row.virtualKey == virtualKey || (row.sidedKey && row.sidedKey == virtualKey)) {
            if (extended)
                *extended = row.extended;
            return row.scanCode;
        }
    }
    if (extended)
        *extended = false;
    return 0;
}

UINT WinApiKeys::virtualKeyOf(UINT scanCode, bool extended)
{
    for (const KeyRow& row : keyRows)
        if (row.scanCode == scanCode && row.extended == extended)
            return row.virtualKey;
    return 0;
}

} // namespace Quorvel
