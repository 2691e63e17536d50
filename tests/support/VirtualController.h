#pragma once
// VirtualController: an SDL virtual joystick with the six axes and fifteen
// buttons of SDL's game-controller layout (in SDL's order), attached in the
// test process so that SDL takes it for a game controller; detached again by
// unplug() or at the end of its life. Needs SDL's joystick subsystem started
// (the layer's XInputGetState starts it). For the tests of the layer and of
// the platform classes on other systems than Windows.

#include <SDL2/SDL.h>

namespace QuorvelTest {

class VirtualController {
public:
    VirtualController()
    {
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = 15;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1u;
        desc.button_mask = (1u << 15) - 1u;
        desc.name = "Quorvel test controller";
        index = SDL_JoystickAttachVirtualEx(&desc);
        joystick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        if (joystick) {
            // Triggers rest at their lowest reading.
            setAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
            setAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
        }
    }
    ~VirtualController() { unplug(); }

    bool attached() const { return joystick != nullptr; }
    void setAxis(SDL_GameControllerAxis axis, Sint16 value) { SDL_JoystickSetVirtualAxis(joystick, axis, value); }
    void setButton(SDL_GameControllerButton button, bool down)
    {
        SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
    }
    void unplug()
    {
        if (!joystick)
            return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id)
                SDL_JoystickDetachVirtual(i);
    }

private:
    int index = -1;
    SDL_Joystick* joystick = nullptr;
};

} // namespace QuorvelTest
