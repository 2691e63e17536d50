#include "platform/winapi/WinApiKeyboardState.h"

namespace Quorvel {

void WinApiKeyboardState::press(uint8_t virtualKey, bool down, bool repeat)
{
    BYTE& value = bytes[virtualKey];
    if (down) {
        if (!repeat && !(value & 0x80))
            value ^= 0x01;
        value |= 0x80;
    } else {
        value &= BYTE(~0x80);
    }
}

void WinApiKeyboardState::apply(const WinApiKeyChange& change)
{
    if (!change.virtualKey)
        return;
    const uint8_t sided = change.sidedKey ? change.sidedKey : change.virtualKey;
    if (sided != change.virtualKey) {
        press(sided, change.down, change.repeat);
        // The generic key is down while either side is.
        uint8_t left = 0, right = 0;
        switch (change.virtualKey) {
        case VK_SHIFT:
            left = VK_LSHIFT;
            right = VK_RSHIFT;
            break;
        case VK_CONTROL:
            left = VK_LCONTROL;
            right = VK_RCONTROL;
            break;
        case VK_MENU:
            left = VK_LMENU;
            right = VK_RMENU;
            break;
        default:
            break;
        }
        const bool anyDown = (left && (bytes[left] & 0x80)) || (right && (bytes[right] & 0x80));
        press(change.virtualKey, change.down ? true : anyDown, change.repeat);
        if (!change.down && anyDown)
            bytes[change.virtualKey] |= 0x80;
    } else {
        press(change.virtualKey, change.down, change.repeat);
    }
}

void WinApiKeyboardState::setToggled(uint8_t virtualKey, bool toggled)
{
    if (toggled)
        bytes[virtualKey] |= 0x01;
    else
        bytes[virtualKey] &= BYTE(~0x01);
}

} // namespace Quorvel
