#pragma once
// InputState: the record of what the keyboard and mouse did last, kept by the
// input system and handed to every input handler with each event. A plain
// value type: the set of keys held down, the latest key event, the latest
// cursor position with its offset from the screen centre (pixels, y down) and
// the gamepad's sticks and triggers (its buttons are keys).

#include <bitset>
#include <cassert>
#include <cstdint>

namespace Quorvel {

struct InputState {
    static constexpr uint32_t KeyCount = 512; // engine key codes run from 0 to 511

    // The gamepad in use: sticks -32768 to 32767 with up and right positive,
    // triggers 0 to 255; all 0 and not connected when there is none.
    struct Gamepad {
        bool connected = false;
        int16_t leftX = 0;
        int16_t leftY = 0;
        int16_t rightX = 0;
        int16_t rightY = 0;
        uint8_t leftTrigger = 0;
        uint8_t rightTrigger = 0;

        bool operator==(const Gamepad& o) const
        {
            return connected == o.connected && leftX == o.leftX && leftY == o.leftY && rightX == o.rightX
                && rightY == o.rightY && leftTrigger == o.leftTrigger && rightTrigger == o.rightTrigger;
        }
        bool operator!=(const Gamepad& o) const { return !(*this == o); }
    };

    // Sets or clears the bit of one key. A code of KeyCount or more is a usage
    // error: it asserts in debug builds and is ignored in release builds.
    void setKeyDown(uint32_t code, bool down)
    {
        assert(code < KeyCount && "key code out of range");
        if (code < KeyCount)
            keys.set(code, down);
    }
    bool isKeyDown(uint32_t code) const { return code < KeyCount && keys.test(code); }
    const std::bitset<KeyCount>& getKeys() const { return keys; }

    void setKey(uint32_t code)
    {
        key = code;
        character = 0;
    } // also clears the character
    uint32_t getKey() const { return key; }

    void setCharacter(uint32_t value) { character = value; }
    uint32_t getCharacter() const { return character; } // single-byte character set, 0 if none

    void setMouseX(int32_t value) { mouseX = value; }
    int32_t getMouseX() const { return mouseX; }
    void setMouseY(int32_t value) { mouseY = value; }
    int32_t getMouseY() const { return mouseY; }

    void setDeltaX(int32_t value) { deltaX = value; }
    int32_t getDeltaX() const { return deltaX; } // mouseX - screen width / 2
    void setDeltaY(int32_t value) { deltaY = value; }
    int32_t getDeltaY() const { return deltaY; } // mouseY - screen height / 2

    void setGamepad(const Gamepad& value) { gamepad = value; }
    const Gamepad& getGamepad() const { return gamepad; }

    std::bitset<KeyCount> keys; // bit n set while key n is held down
    uint32_t key = 0;           // code of the latest key event, down or up
    uint32_t character = 0;     // character of the latest key event
    int32_t mouseX = 0;         // client pixels, origin top-left
    int32_t mouseY = 0;
    int32_t deltaX = 0;
    int32_t deltaY = 0;
    Gamepad gamepad;
};

} // namespace Quorvel
