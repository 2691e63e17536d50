#include "platform/winapi/sdl/WinApiGamepads.h"

namespace Quorvel {

namespace {

// XInput's bit for each SDL button; SDL's guide, paddles and touchpad have none.
const struct {
    SDL_GameControllerButton button;
    WORD bit;
} buttonBits[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, XINPUT_GAMEPAD_DPAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, XINPUT_GAMEPAD_DPAD_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, XINPUT_GAMEPAD_DPAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, XINPUT_GAMEPAD_DPAD_RIGHT},
    {SDL_CONTROLLER_BUTTON_START, XINPUT_GAMEPAD_START},
    {SDL_CONTROLLER_BUTTON_BACK, XINPUT_GAMEPAD_BACK},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, XINPUT_GAMEPAD_LEFT_THUMB},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, XINPUT_GAMEPAD_RIGHT_THUMB},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, XINPUT_GAMEPAD_LEFT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_A, XINPUT_GAMEPAD_A},
    {SDL_CONTROLLER_BUTTON_B, XINPUT_GAMEPAD_B},
    {SDL_CONTROLLER_BUTTON_X, XINPUT_GAMEPAD_X},
    {SDL_CONTROLLER_BUTTON_Y, XINPUT_GAMEPAD_Y},
};

bool sameGamepad(const XINPUT_GAMEPAD& a, const XINPUT_GAMEPAD& b)
{
    return a.wButtons == b.wButtons && a.bLeftTrigger == b.bLeftTrigger && a.bRightTrigger == b.bRightTrigger
        && a.sThumbLX == b.sThumbLX && a.sThumbLY == b.sThumbLY && a.sThumbRX == b.sThumbRX && a.sThumbRY == b.sThumbRY;
}

// Rumble for as long as SDL allows; XInput rumbles until told otherwise.
constexpr Uint32 RumbleMilliseconds = 0xFFFF;

} // namespace

WinApiGamepads& WinApiGamepads::instance()
{
    static WinApiGamepads gamepads;
    return gamepads;
}

SHORT WinApiGamepads::thumbUp(Sint16 sdlAxis)
{
    // -(-32768) does not fit: SDL's highest reading up is XInput's highest.
    return sdlAxis == -32768 ? SHORT(32767) : SHORT(-sdlAxis);
}

BYTE WinApiGamepads::trigger(Sint16 sdlAxis)
{
    if (sdlAxis <= 0)
        return 0;
    return BYTE((int32_t(sdlAxis) * 255 + 16383) / 32767);
}

WORD WinApiGamepads::buttons(SDL_GameController* controller)
{
    WORD bits = 0;
    for (const auto& row : buttonBits)
        if (SDL_GameControllerGetButton(controller, row.button))
            bits = WORD(bits | row.bit);
    return bits;
}

bool WinApiGamepads::start()
{
    if (started && SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0)
        return true;
    // SDL_Quit (the layer's shutdown) closed every controller with the
    // subsystem: the slots' pointers are gone with them.
    for (Slot& slot : slots) {
        slot.controller = nullptr;
        slot.id = -1;
        slot.last = XINPUT_GAMEPAD{};
    }
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        return false;
    SDL_GameControllerEventState(SDL_IGNORE);
    SDL_JoystickEventState(SDL_IGNORE);
    started = true;
    return true;
}

void WinApiGamepads::refresh()
{
    SDL_GameControllerUpdate();
    for (Slot& slot : slots) {
        if (slot.controller && !SDL_GameControllerGetAttached(slot.controller)) {
            SDL_GameControllerClose(slot.controller);
            slot.controller = nullptr; // the packet number stays, so the next one goes on from it
            slot.id = -1;
            slot.last = XINPUT_GAMEPAD{};
        }
    }
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (!SDL_IsGameController(index))
            continue;
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        bool known = false;
        for (const Slot& slot : slots)
            known = known || (slot.controller && slot.id == id);
        if (known)
            continue;
        for (Slot& slot : slots) {
            if (slot.controller)
                continue;
            slot.controller = SDL_GameControllerOpen(index);
            if (slot.controller) {
                slot.id = id;
                ++slot.packet; // a new controller's state is news even when it is at rest
            }
            break;
        }
    }
    for (Slot& slot : slots)
        if (slot.controller)
            read(slot);
}

void WinApiGamepads::read(Slot& slot)
{
    SDL_GameController* controller = slot.controller;
    XINPUT_GAMEPAD now = {};
    now.wButtons = buttons(controller);
    now.bLeftTrigger = trigger(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    now.bRightTrigger = trigger(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    now.sThumbLX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
    now.sThumbLY = thumbUp(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY));
    now.sThumbRX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_RIGHTX);
    now.sThumbRY = thumbUp(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_RIGHTY));
    if (!sameGamepad(now, slot.last)) {
        slot.last = now;
        ++slot.packet;
    }
}

DWORD WinApiGamepads::getState(DWORD userIndex, XINPUT_STATE* state)
{
    if (userIndex >= XUSER_MAX_COUNT || !state)
        return ERROR_BAD_ARGUMENTS;
    if (!start())
        return ERROR_DEVICE_NOT_CONNECTED;
    refresh();
    const Slot& slot = slots[userIndex];
    if (!slot.controller)
        return ERROR_DEVICE_NOT_CONNECTED;
    state->dwPacketNumber = slot.packet;
    state->Gamepad = slot.last;
    return ERROR_SUCCESS;
}

DWORD WinApiGamepads::setState(DWORD userIndex, XINPUT_VIBRATION* vibration)
{
    if (userIndex >= XUSER_MAX_COUNT || !vibration)
        return ERROR_BAD_ARGUMENTS;
    if (!start())
        return ERROR_DEVICE_NOT_CONNECTED;
    refresh();
    Slot& slot = slots[userIndex];
    if (!slot.controller)
        return ERROR_DEVICE_NOT_CONNECTED;
    // A controller without rumble simply stays still.
    SDL_GameControllerRumble(slot.controller, vibration->wLeftMotorSpeed, vibration->wRightMotorSpeed,
                             RumbleMilliseconds);
    return ERROR_SUCCESS;
}

} // namespace Quorvel
