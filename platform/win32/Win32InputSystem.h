#pragma once
// Win32InputSystem: the input system on Windows. The application offers it
// every window message; it turns key, mouse-button, wheel and cursor messages
// into engine key codes and cursor positions and dispatches them. It keeps the
// system cursor at the centre of the window's client area on request, for
// mouse look, while the window has the focus. Losing the focus releases every
// held key and button through the key-up path and shows the cursor; getting
// it back hides the cursor and re-centres it without turning the view.
//
// Gamepads come through XInput, loaded at run time (xinput1_4, then
// xinput1_3, then xinput9_1_0; without any there is no gamepad and the log
// says so once). Each update reads the first connected controller while the
// window has the focus: its buttons become key events (codes from
// GamepadButtonFirst), its sticks and triggers GamepadMove events, each only
// when it changed. A controller that goes away lets go of everything.

#include "input/InputSystem.h"
#include "platform/win32/Win32Subsystem.h"

#include <cstddef>
#include <cstdint>
#include <map>

#include <xinput.h>

namespace Quorvel {

class Win32InputSystem : public InputSystem, public Win32Subsystem {
public:
    // Registers as the input system (if none is) and with the application as
    // a window subsystem, fills the virtual-key table and reads the keyboard
    // state.
    Win32InputSystem();
    ~Win32InputSystem() override;

    bool hasFailed() override { return false; }

    static const char* const XInputLibraries[3]; // tried in this order

    // Loads the first XInput library of the names that exists, instead of
    // any loaded before; false, after one log line, when none does.
    bool loadXInput(const char* const* names, size_t count);
    bool hasXInput() const { return xinputGetState != nullptr; }
    // The XInput user whose controller is read, -1 while there is none.
    int32_t getGamepadUser() const { return gamepadUser; }
    // While no controller is connected, the four XInput users are asked at
    // most once in this many milliseconds (asking about an empty slot is slow
    // on Windows); the first update and the first after the focus returns
    // always ask.
    static constexpr uint32_t GamepadSearchMilliseconds = 2000;
    void setGamepadSearchInterval(uint32_t milliseconds) { gamepadSearchInterval = milliseconds; }

    void update() override; // reads the gamepad

    void relativeToCentre(int32_t& x, int32_t& y) override;
    void centreCursor() override; // SetCursorPos to the client area's centre; nothing without the focus

    void windowCreated(HWND window) override; // centres the cursor
    int32_t handleMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) override;

    // The engine code of a virtual key (0-255). A key without a fixed code
    // gets the next free run-time code the first time it is seen and keeps it
    // for the rest of the run. The mouse and wheel codes are never handed out.
    uint32_t codeForVirtualKey(uint32_t virtualKey);

    bool wasLastKeyDownConsumed() const { return lastKeyDownConsumed; } // by the latest WM_KEYDOWN
    bool hasFocus() const { return focused; }

private:
    typedef DWORD(WINAPI* XInputGetStateFunction)(DWORD userIndex, XINPUT_STATE* state);

    void keyMessage(uint32_t virtualKey, LPARAM lParam, bool down);
    void pollGamepad();
    // Dispatches what changed since the last state passed on.
    void applyGamepad(const XINPUT_STATE& state);
    // Lets go of every held button and centres the sticks.
    void releaseGamepad(bool connected);
    void focusLost();
    void focusGained();

    std::map<uint32_t, uint32_t> virtualKeyCodes; // virtual key -> engine code; 0 = none yet
    bool lastKeyDownConsumed = false;
    uint32_t nextDynamicCode = 0; // run-time codes handed out so far
    HWND window = nullptr;
    bool focused = true;       // until told otherwise: the window takes the focus when shown
    bool skipNextMove = false; // the first cursor move after the focus returns only re-centres
    int shownCount = 0;        // ShowCursor(TRUE) calls made at focus loss, taken back at focus gain
    HMODULE xinputLibrary = nullptr;
    XInputGetStateFunction xinputGetState = nullptr;
    int32_t gamepadUser = -1;
    uint32_t gamepadSearchInterval = GamepadSearchMilliseconds;
    bool gamepadSearched = false; // since the start or the focus's return
    DWORD lastGamepadSearch = 0;  // timeGetTime() of the latest search
    bool gamepadFresh = true; // the next state read is dispatched whatever its packet number
    DWORD gamepadPacket = 0;
    WORD gamepadButtons = 0;         // buttons dispatched as held
    InputState::Gamepad gamepadAxes; // sticks and triggers as dispatched
};

} // namespace Quorvel
