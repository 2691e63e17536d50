#pragma once
// WinApiGamepads: the layer's XInput on SDL2's game-controller API. It starts
// SDL's game-controller subsystem on first use, keeps up to four controllers
// in the slots of XInput's four users (a controller keeps its slot until it is
// unplugged; a new one takes the lowest free slot), and turns SDL's readings
// into XInput's conventions: thumbsticks -32768 to 32767 with up positive
// (SDL's up is negative), triggers 0 to 255, XINPUT_GAMEPAD_* button bits and
// a packet number that changes with the state. Joystick events are left out
// of SDL's event queue: the state is polled (SDL_GameControllerUpdate), so the
// layer's event pump never sees them. Main thread only.

#include "platform/winapi/include/xinput.h"

#include <SDL2/SDL.h>

#include <array>

namespace Quorvel {

class WinApiGamepads {
public:
    static WinApiGamepads& instance();

    DWORD getState(DWORD userIndex, XINPUT_STATE* state);
    DWORD setState(DWORD userIndex, XINPUT_VIBRATION* vibration);

    // SDL's readings in XInput's form (public for the tests of the conversion).
    static SHORT thumbUp(Sint16 sdlAxis); // SDL's down-positive axis as up-positive
    static BYTE trigger(Sint16 sdlAxis);  // 0 to 32767 as 0 to 255, below 0 as 0
    static WORD buttons(SDL_GameController* controller);

private:
    struct Slot {
        SDL_GameController* controller = nullptr;
        SDL_JoystickID id = -1;
        XINPUT_GAMEPAD last = {};
        DWORD packet = 0;
    };

    WinApiGamepads() = default;
    bool start();   // the game-controller subsystem, once; false when SDL refuses it
    void refresh(); // polls SDL, drops unplugged controllers and takes in new ones
    void read(Slot& slot);

    bool started = false;
    std::array<Slot, XUSER_MAX_COUNT> slots;
};

} // namespace Quorvel
