#pragma once
// Win32InputSystem: the input system on Windows. The application offers it
// every window message; it turns key, mouse-button, wheel and cursor messages
// into engine key codes and cursor positions and dispatches them. It keeps the
// system cursor at the screen centre on request, for mouse look.

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
    void centreCursor() override; // SetCursorPos to the screen centre

    void windowCreated(HWND window) override; // centres the cursor
    int32_t handleMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) override;

    // The engine code of a virtual key (0-255). A key without a fixed code
    // gets the next free run-time code the first time it is seen and keeps it
    // for the rest of the run. The mouse and wheel codes are never handed out.
    uint32_t codeForVirtualKey(uint32_t virtualKey);

    bool wasLastKeyDownConsumed() const { return lastKeyDownConsumed; } // by the latest WM_KEYDOWN

private:
    void keyMessage(uint32_t virtualKey, LPARAM lParam, bool down);

    std::map<uint32_t, uint32_t> virtualKeyCodes; // virtual key -> engine code; 0 = none yet
    bool lastKeyDownConsumed = false;
    uint32_t nextDynamicCode = 0; // run-time codes handed out so far
};

} // namespace Quorvel
