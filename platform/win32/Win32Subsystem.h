#pragma once
// Win32Subsystem: the part of a platform subsystem that ties it to the Windows
// application. Constructing it registers the object with the application, which
// then calls the hooks below around window creation, for every window message
// and once per pass of the main loop. Every hook defaults to doing nothing.

#include "system/Subsystem.h"

#include <windows.h>

#include <cstdint>

namespace Quorvel {

class Win32Subsystem : public Subsystem {
public:
    // Registers this object with the application singleton (creating the
    // application on first use); the application owns it from then on.
    Win32Subsystem();
    ~Win32Subsystem() override; // does not unregister

    Win32Subsystem(const Win32Subsystem&) = delete;
    Win32Subsystem& operator=(const Win32Subsystem&) = delete;

    // Called in registration order, in this order, by Win32Application::init:
    virtual void adjustWindowClass(WNDCLASSEXA& windowClass); // before registration
    virtual void reservedHook();                              // never called
    virtual void adjustWindowParams(uint32_t& exStyle, uint32_t& style, int32_t& x, int32_t& y, int32_t& width,
                                    int32_t& height); // all start at 0
    virtual void windowCreated(HWND window);          // the window exists, not yet shown

    // Every window message except the window-created one; the result is ignored.
    virtual int32_t handleMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam);

    // Once per pass of the main loop, after the waiting messages.
    virtual void update();
};

} // namespace Quorvel
