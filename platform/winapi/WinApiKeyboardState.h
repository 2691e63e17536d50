#pragma once
// WinApiKeyboardState: one keyboard state in the Windows layout, 256 bytes,
// one per virtual key: bit 7 while the key is down, bit 0 toggled by every
// press (the lock state for Caps, Num and Scroll Lock). The generic modifier
// keys (VK_SHIFT, VK_CONTROL, VK_MENU) are down while either side is.

#include "platform/winapi/WinApiQueue.h"

#include <cstdint>

namespace Quorvel {

class WinApiKeyboardState {
public:
    void apply(const WinApiKeyChange& change);
    void setToggled(uint8_t virtualKey, bool toggled);

    BYTE byte(int virtualKey) const { return virtualKey >= 0 && virtualKey < 256 ? bytes[virtualKey] : 0; }
    bool isDown(int virtualKey) const { return (byte(virtualKey) & 0x80) != 0; }
    const BYTE* data() const { return bytes; }

private:
    void press(uint8_t virtualKey, bool down, bool repeat);

    BYTE bytes[256] = {};
};

} // namespace Quorvel
