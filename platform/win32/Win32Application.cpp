// The Windows application: window class, window, main loop and the window
// procedure that routes messages to the window subsystems.

#include "platform/win32/Win32Application.h"

#include "core/Log.h"
#include "platform/win32/Win32Subsystem.h"
#include "widgets/WidgetManager.h"

#include <algorithm>
#include <cassert>
#include <vector>

namespace Quorvel {

Application* Application::instance()
{
    if (!existingInstance())
        new Win32Application(); // registers itself; lives until the process ends
    return existingInstance();
}

String Application::executablePath()
{
    // A path that does not fit is cut to the buffer, whose size is returned:
    // try again with a larger buffer.
    std::vector<char> buffer(MAX_PATH);
    while (buffer.size() <= 32768) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), DWORD(buffer.size()));
        if (length == 0)
            return String();
        if (length < buffer.size())
            return String(buffer.data(), int32_t(length));
        buffer.resize(buffer.size() * 2);
    }
    return String();
}

Win32Application::Win32Application() : window(nullptr)
{
}

Win32Application::~Win32Application()
{
    subsystems.clear();
    for (std::unique_ptr<Win32Subsystem>& subsystem : owned)
        subsystem.reset(); // in registration order
    owned.clear();
}

bool Win32Application::addSubsystem(Win32Subsystem* subsystem)
{
    assert(subsystem && "addSubsystem: null subsystem");
    if (!subsystem)
        return false;
    subsystems.push_back(subsystem);
    const bool known =
        std::any_of(owned.begin(), owned.end(),
                    [subsystem](const std::unique_ptr<Win32Subsystem>& entry) { return entry.get() == subsystem; });
    if (!known)
        owned.emplace_back(subsystem);
    quitRequested = false;
    return true;
}

bool Win32Application::anySubsystemFailed()
{
    for (size_t i = 0; i < subsystems.size(); ++i)
        if (subsystems[i]->hasFailed())
            return true;
    return false;
}

bool Win32Application::fail(const String& logLine, const String& message)
{
    if (logLine.length() > 0)
        getLog()->write(logLine);
    getLog()->write("Initialisation failed");
    if (message.length() > 0)
        error(message);
    return false;
}

bool Win32Application::init()
{
    getLog()->write("Application initialising...");

    HINSTANCE module = GetModuleHandleA(nullptr);

    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = module;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.lpszClassName = WindowClassName;

    for (size_t i = 0; i < subsystems.size(); ++i)
        subsystems[i]->adjustWindowClass(windowClass);
    // A subsystem that failed here (the display mode, say) has told the user.
    if (anySubsystemFailed())
        return fail("", "");

    if (!RegisterClassExA(&windowClass))
        return fail("Application: could not register the window class",
                    "Quorvel could not register its window class with the system.\n"
                    "Restart the program; if this keeps happening, restart the computer.");

    uint32_t exStyle = 0;
    uint32_t style = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    for (size_t i = 0; i < subsystems.size(); ++i)
        subsystems[i]->adjustWindowParams(exStyle, style, x, y, width, height);
    if (anySubsystemFailed())
        return fail("", "");

    window = CreateWindowExA(exStyle, WindowClassName, WindowTitle, style, x, y, width, height, nullptr, nullptr,
                             module, nullptr);
    if (!window)
        return fail("Application: could not create the window",
                    "Quorvel could not create its window.\n"
                    "Check the display settings in the [GraphicSystem] section of quorvel.conf.");

    for (size_t i = 0; i < subsystems.size(); ++i)
        subsystems[i]->windowCreated(window);
    if (anySubsystemFailed())
        return fail("", "");
    if (acceptsFiles())
        DragAcceptFiles(window, TRUE);

    getWidgetManager()->init();

    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    ShowCursor(FALSE);

    getLog()->write("Initialisation successful");
    return true;
}

void Win32Application::pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        // The system ends the program (the display went away, say): the main
        // loop ends with the message's exit code.
        if (message.message == WM_QUIT) {
            getLog()->printf("Application: quit message from the system, exit code %d",
                             static_cast<int>(message.wParam));
            setExitCode(static_cast<int>(message.wParam));
            quit();
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void Win32Application::updateSubsystems()
{
    for (size_t i = 0; i < subsystems.size(); ++i)
        subsystems[i]->update();
}

void Win32Application::run()
{
    getLog()->write("Running main loop...");
    while (!quitRequested) {
        pumpMessages();
        updateSubsystems();
    }
    getLog()->write("Application terminated");
}

void Win32Application::error(const String& message)
{
    MessageBoxA(nullptr, message.c_str(), nullptr, MB_OK);
}

void Win32Application::acceptFilesChanged(bool accept)
{
    if (window)
        DragAcceptFiles(window, accept ? TRUE : FALSE);
}

void Win32Application::filesDropped(HDROP drop)
{
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    if (count > MaxDroppedFiles)
        getLog()->printf("Application: %u files dropped; the first %u are read", count, MaxDroppedFiles);
    for (UINT i = 0; i < count && i < MaxDroppedFiles; ++i) {
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        if (length == 0 || length > MaxDroppedPathLength) {
            getLog()->printf("Application: dropped file %u skipped: its path is empty or longer than %u bytes", i + 1,
                             MaxDroppedPathLength);
            continue;
        }
        std::vector<char> path(length + 1);
        const UINT copied = DragQueryFileA(drop, i, path.data(), length + 1);
        if (copied == 0)
            continue;
        fileDropped(String(path.data(), int32_t(copied)));
    }
    DragFinish(drop);
}

void Win32Application::dispatchMessage(HWND target, uint32_t message, WPARAM wParam, LPARAM lParam)
{
    for (size_t i = 0; i < subsystems.size(); ++i)
        subsystems[i]->handleMessage(target, message, wParam, lParam);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return 0;
    if (message == WM_CLOSE) {
        Application::instance()->quit();
        return 0;
    }
    if (message == WM_DROPFILES) {
        if (Win32Application* application = dynamic_cast<Win32Application*>(Application::instance()))
            application->filesDropped(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    if (Win32Application* application = dynamic_cast<Win32Application*>(Application::instance()))
        application->dispatchMessage(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace Quorvel
