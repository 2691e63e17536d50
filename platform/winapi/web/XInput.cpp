// The xinput part of the layer in a browser: no controller is connected
// (the page does not read the browser's gamepads).

#include "platform/winapi/include/xinput.h"

DWORD WINAPI XInputGetState(DWORD, XINPUT_STATE*)
{
    return ERROR_DEVICE_NOT_CONNECTED;
}

DWORD WINAPI XInputSetState(DWORD, XINPUT_VIBRATION*)
{
    return ERROR_DEVICE_NOT_CONNECTED;
}
