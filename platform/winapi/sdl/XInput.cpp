// The xinput part of the layer: XInput's two functions on SDL2's game
// controllers (WinApiGamepads), reached through LoadLibraryA and
// GetProcAddress as on Windows.

#include "platform/winapi/include/xinput.h"

#include "platform/winapi/sdl/WinApiGamepads.h"

DWORD WINAPI XInputGetState(DWORD userIndex, XINPUT_STATE* state)
{
    return Quorvel::WinApiGamepads::instance().getState(userIndex, state);
}

DWORD WINAPI XInputSetState(DWORD userIndex, XINPUT_VIBRATION* vibration)
{
    return Quorvel::WinApiGamepads::instance().setState(userIndex, vibration);
}
