#pragma once
// InputSystem: the engine's keyboard and mouse subsystem. It keeps the one
// InputState record, the table of key names and a list of input handlers (not
// owned, newest first) to which it offers every key and cursor event until one
// consumes it. The platform layer derives from it and feeds it events.
//
// Engine key codes are below 512: printable keys carry their unshifted
// character (digits 48-57, letters 97-122), control and navigation keys the
// free codes below 128, mouse buttons 256-258, the wheel 259 (forward) and
// 260 (backward). The platform hands out codes from 128 to keys it has no
// fixed code for. A gamepad's buttons are keys too, with the codes from
// GamepadButtonFirst (480) on, one per bit of the gamepad's button word; its
// sticks and triggers arrive as GamepadMove events.

#include "core/RegisteredInstance.h"
#include "core/String.h"
#include "input/InputState.h"
#include "input/KeyNames.h"
#include "system/Subsystem.h"

#include <cstdint>
#include <list>

namespace Quorvel {

class InputHandler;

class InputSystem : public Subsystem, public RegisteredInstance<InputSystem> {
public:
    // Fixed codes that the platform layer and the widgets use by name.
    static constexpr uint32_t MouseLeft = 256;
    static constexpr uint32_t MouseMiddle = 257;
    static constexpr uint32_t MouseRight = 258;
    static constexpr uint32_t WheelForward = 259;  // away from the user
    static constexpr uint32_t WheelBackward = 260; // towards the user
    static constexpr uint32_t FirstDynamicCode = 128;
    // Gamepad buttons, GamepadButtonFirst + the bit's position in the word.
    static constexpr uint32_t GamepadButtonFirst = 480;
    static constexpr uint32_t GamepadButtonCount = 16;
    static constexpr uint32_t PadUp = 480;
    static constexpr uint32_t PadDown = 481;
    static constexpr uint32_t PadLeft = 482;
    static constexpr uint32_t PadRight = 483;
    static constexpr uint32_t PadStart = 484;
    static constexpr uint32_t PadBack = 485;
    static constexpr uint32_t PadLeftThumb = 486;
    static constexpr uint32_t PadRightThumb = 487;
    static constexpr uint32_t PadLeftShoulder = 488;
    static constexpr uint32_t PadRightShoulder = 489;
    static constexpr uint32_t PadA = 492;
    static constexpr uint32_t PadB = 493;
    static constexpr uint32_t PadX = 494;
    static constexpr uint32_t PadY = 495;

    // The one input system. The first call creates the platform's input
    // system unless one has already been constructed (a test's fake, say).
    // Defined by the platform layer.
    static InputSystem* instance();

    InputSystem(); // registers itself as the instance when none is registered
    ~InputSystem() override;

    InputSystem(const InputSystem&) = delete;
    InputSystem& operator=(const InputSystem&) = delete;

    // Subtracts half the screen width from x and half the screen height from
    // y (integer halves, remainder dropped).
    virtual void relativeToCentre(int32_t& x, int32_t& y) = 0;
    // Moves the system cursor to the centre of the screen.
    virtual void centreCursor() = 0;

    // Puts a handler at the front of the list. It must outlive the input
    // system; there is no removal. A null handler is a usage error.
    void addHandler(InputHandler* handler);

    InputState getState() const { return state; }

    // The human-readable name of a key code, empty for a code without one.
    String keyName(uint32_t code) const;

    // Records a key event (the wheel codes never enter the held-key set) and
    // offers KeyDown or KeyUp to the handlers; true if one consumed it. A code
    // of 512 or more is a usage error.
    bool dispatchKey(uint32_t code, uint32_t character, bool down);
    // Records a cursor position and its offset from the screen centre and
    // offers MouseMove to the handlers.
    void dispatchMouseMove(int32_t x, int32_t y);
    // Records the gamepad's sticks and triggers and offers GamepadMove to
    // the handlers.
    void dispatchGamepad(const InputState::Gamepad& gamepad);
    // Releases every held key and button through dispatchKey, lowest code
    // first, as if each had been let go (for a window that lost the focus,
    // which sees no more key-ups).
    void releaseAllKeys();

private:
    bool offer(uint32_t kind);

    InputState state;
    KeyNames keyNames;
    std::list<InputHandler*> handlers; // front = newest; a list so a handler may add another mid-walk
};

} // namespace Quorvel
