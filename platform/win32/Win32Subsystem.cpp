// Registration of a window subsystem with the application, and the empty hooks.

#include "platform/win32/Win32Subsystem.h"

#include "platform/win32/Win32Application.h"

#include <cassert>

namespace Quorvel {

Win32Subsystem::Win32Subsystem()
{
    // The first subsystem brings the application into being. Only the Windows
    // application keeps window subsystems; an application of another kind (a
    // test's own) leaves this one unregistered.
    Win32Application* application = dynamic_cast<Win32Application*>(Application::instance());
    assert(application && "Win32Subsystem needs a Win32Application");
    if (application)
        application->addSubsystem(this);
}

Win32Subsystem::~Win32Subsystem() = default;

void Win32Subsystem::adjustWindowClass(WNDCLASSEXA&)
{
}

void Win32Subsystem::reservedHook()
{
}

void Win32Subsystem::adjustWindowParams(uint32_t&, uint32_t&, int32_t&, int32_t&, int32_t&, int32_t&)
{
}

void Win32Subsystem::windowCreated(HWND)
{
}

int32_t Win32Subsystem::handleMessage(HWND, uint32_t, WPARAM, LPARAM)
{
    return 0;
}

void Win32Subsystem::update()
{
}

} // namespace Quorvel
