#pragma once
// Win32InputSystem: the input system on Windows. The application offers it
// every window message; it turns key, mouse-button, wheel and cursor messages
// into engine key codes and cursor positions and dispatches them. It keeps the
// system cursor at the centre of the window's client area on request, for
// mouse look, while the window has the focus. Losing the focus releases every
// held key and button through the key-up path and shows the cursor; getting
// it back hides the cursor and re-centres it without turning the view.

#include "input/InputSystem.h"
#include "platform/win32/Win32Subsystem.h"

#include <cstdint>
#include <map>

namespace Quorvel {

class Win32InputSystem : public InputSystem, public Win32Subsystem {
public:
    // Registers as the input system (if none is) and with the application as
    // a window subsystem, fills the virtual-key table and reads the keyboard
    // state.
    Win32InputSystem();
    ~Win32InputSystem() override;

    bool hasFailed() override { return false; }

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
    void keyMessage(uint32_t virtualKey, LPARAM lParam, bool down);
    void focusLost();
    void focusGained();

    std::map<uint32_t, uint32_t> virtualKeyCodes; // virtual key -> engine code; 0 = none yet
    bool lastKeyDownConsumed = false;
    uint32_t nextDynamicCode = 0; // run-time codes handed out so far
    HWND window = nullptr;
    bool focused = true;       // until told otherwise: the window takes the focus when shown
    bool skipNextMove = false; // the first cursor move after the focus returns only re-centres
    int shownCount = 0;        // ShowCursor(TRUE) calls made at focus loss, taken back at focus gain
};

} // namespace Quorvel
