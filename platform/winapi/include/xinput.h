#pragma once
// The XInput part of the Windows API for systems other than Windows: the
// game-controller state records, button bits and dead zones with the values
// Windows gives them, and the two functions, which our layer implements on
// SDL2's game-controller API (platform/winapi/XInput.cpp). Programs load
// them the Windows way, through LoadLibraryA and GetProcAddress.

#include "windows.h"

#define XUSER_MAX_COUNT 4

#define XINPUT_GAMEPAD_DPAD_UP 0x0001
#define XINPUT_GAMEPAD_DPAD_DOWN 0x0002
#define XINPUT_GAMEPAD_DPAD_LEFT 0x0004
#define XINPUT_GAMEPAD_DPAD_RIGHT 0x0008
#define XINPUT_GAMEPAD_START 0x0010
#define XINPUT_GAMEPAD_BACK 0x0020
#define XINPUT_GAMEPAD_LEFT_THUMB 0x0040
#define XINPUT_GAMEPAD_RIGHT_THUMB 0x0080
#define XINPUT_GAMEPAD_LEFT_SHOULDER 0x0100
#define XINPUT_GAMEPAD_RIGHT_SHOULDER 0x0200
#define XINPUT_GAMEPAD_A 0x1000
#define XINPUT_GAMEPAD_B 0x2000
#define XINPUT_GAMEPAD_X 0x4000
#define XINPUT_GAMEPAD_Y 0x8000

#define XINPUT_GAMEPAD_LEFT_THUMB_DEADZONE 7849
#define XINPUT_GAMEPAD_RIGHT_THUMB_DEADZONE 8689
#define XINPUT_GAMEPAD_TRIGGER_THRESHOLD 30

// Thumbstick axes -32768 to 32767, up and right positive; triggers 0 to 255.
typedef struct _XINPUT_GAMEPAD {
    WORD wButtons;
    BYTE bLeftTrigger;
    BYTE bRightTrigger;
    SHORT sThumbLX;
    SHORT sThumbLY;
    SHORT sThumbRX;
    SHORT sThumbRY;
} XINPUT_GAMEPAD, *PXINPUT_GAMEPAD;

// dwPacketNumber changes whenever the gamepad's state does.
typedef struct _XINPUT_STATE {
    DWORD dwPacketNumber;
    XINPUT_GAMEPAD Gamepad;
} XINPUT_STATE, *PXINPUT_STATE;

// Motor speeds 0 to 65535: the left motor is the low-frequency one.
typedef struct _XINPUT_VIBRATION {
    WORD wLeftMotorSpeed;
    WORD wRightMotorSpeed;
} XINPUT_VIBRATION, *PXINPUT_VIBRATION;

// The state of the controller of user 0 to 3: ERROR_SUCCESS,
// ERROR_DEVICE_NOT_CONNECTED when that user has none, ERROR_BAD_ARGUMENTS for
// another user index or a null state. Polls the controllers first, so a
// controller plugged in or out is picked up or dropped.
DWORD WINAPI XInputGetState(DWORD userIndex, XINPUT_STATE* state);
// Rumbles the user's controller where SDL can (nothing otherwise); the same
// results as XInputGetState.
DWORD WINAPI XInputSetState(DWORD userIndex, XINPUT_VIBRATION* vibration);
