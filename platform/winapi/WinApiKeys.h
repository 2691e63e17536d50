#pragma once
// WinApiKeys: the keyboard tables of the Windows-API layer. It turns a key
// position (its USB usage, see WinApiUsbKey) into what Windows reports for
// the same key (virtual-key code, PC set-1 scan code, extended-key flag, key
// or system-key message and its lParam bits) and translates virtual keys into
// characters on a US layout. Pure functions over tables.

#include "platform/winapi/include/windows.h"

#include <cstdint>

namespace Quorvel {

// What Windows would report for one physical key.
struct WinApiKey {
    uint8_t virtualKey = 0; // 0: the key has no virtual key and is not reported
    uint8_t sidedKey = 0;   // VK_LSHIFT/VK_RSHIFT... for modifiers, else virtualKey
    uint8_t scanCode = 0;   // PC set-1 scan code (the byte after any E0 prefix)
    bool extended = false;  // E0-prefixed key: lParam bit 24
};

class WinApiKeys {
public:
    // The key at a position (a WinApiUsbKey). Letters follow the active
    // layout (layoutLetter: the lower-case letter the key types there, or 0)
    // so that VK_A is the key that types a; everything else follows the key's
    // position. With Num Lock off the keypad digits and point give the
    // navigation keys (not extended), as Windows does.
    static WinApiKey translate(uint16_t usbKey, int layoutLetter, bool numLock);

    // The message Windows posts for a key event: WM_SYSKEYDOWN/WM_SYSKEYUP
    // while Alt is held without Ctrl (Alt itself included) and for F10,
    // WM_KEYDOWN/WM_KEYUP otherwise. altBefore/altAfter: whether an Alt key
    // was down before and after this event; ctrlAfter likewise for Ctrl.
    static UINT messageFor(const WinApiKey& key, bool down, bool altBefore, bool altAfter, bool ctrlAfter);

    // The lParam of a key message: repeat count 1 (bits 0-15), scan code
    // (16-23), extended flag (24), context code (29: Alt down, system-key
    // messages only), previous state (30: the key was down before; always 1
    // for a release) and transition (31: 1 for a release).
    static LPARAM keyLParam(const WinApiKey& key, UINT message, bool down, bool wasDown, bool altAfter);

    // ToAsciiEx on a US layout: the character the virtual key types under the
    // Shift, Ctrl, Alt and Caps Lock state of keyState (256 bytes, bit 7 down,
    // bit 0 toggled). Returns 1 and stores the character, or 0.
    static int toAscii(UINT virtualKey, const BYTE* keyState, WORD* character);

    // The set-1 scan code and extended flag of a virtual key (the key's first
    // position on a US keyboard), and back; 0 where there is none.
    static UINT scanCodeOf(UINT virtualKey, bool* extended = nullptr);
    static UINT virtualKeyOf(UINT scanCode, bool extended);
};

} // namespace Quorvel
