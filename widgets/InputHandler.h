#pragma once
// InputHandler: base of every object that can be offered a keyboard or mouse
// event. The input system offers events to its registered handlers, newest
// first; the widget manager offers them to its widgets in order of addition.

#include "input/InputState.h"

#include <cstdint>

namespace Quorvel {

// Input event kinds: single bits, so that they combine into an event mask.
enum InputEventKind : uint32_t {
    KeyDown = 1,     // a key or mouse button went down; wheel steps arrive as KeyDown
    KeyUp = 2,       // a key or mouse button went up
    MouseMove = 4,   // the cursor moved
    GamepadMove = 8, // a gamepad's sticks or triggers moved, or it came or went; its buttons are keys
};

class InputHandler {
public:
    static constexpr uint32_t AllEvents = 0xFFFFFFFFu;

    InputHandler() = default;
    virtual ~InputHandler() = default; // handlers may be owned and deleted through a base pointer

    // Offers one event; the details are read from state. Returning true
    // consumes the event: nobody after this handler sees it. Declines here.
    virtual bool handleInput(uint32_t kind, const InputState& state);

    // Kinds accepted when registered directly with the input system; the
    // widget manager offers its widgets every kind regardless of their mask.
    uint32_t getEventMask() const { return eventMask; }
    void setEventMask(uint32_t mask) { eventMask = mask; }

protected:
    uint32_t eventMask = AllEvents;
};

} // namespace Quorvel
