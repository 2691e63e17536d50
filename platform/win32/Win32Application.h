#pragma once
// Win32Application: the Windows application. It owns the registered window
// subsystems (Win32Subsystem), creates the one window "Quorvel Application"
// of the class "Quorvel" with their hooks, and runs the main loop that offers
// every window message to them and updates them once per pass. Files dropped
// on the window (WM_DROPFILES) go to the application's drop handlers.

#include "core/Application.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace Quorvel {

class Win32Subsystem;

class Win32Application : public Application {
public:
    Win32Application();
    ~Win32Application() override; // destroys the subsystems in registration order

    // Registers the window class, lets every subsystem adjust the class and the
    // window, creates the window, tells the subsystems, initialises the widget
    // manager and shows the window. Returns false, with the window class or
    // window failure logged and reported through error(), when the class
    // cannot be registered or the window cannot be created, and when a
    // subsystem reports a failure (hasFailed) after one of the hook steps; the
    // failing subsystem has then logged and reported its fault. The caller
    // ends the process with a non-zero exit code.
    bool init() override;

    // Until quit is requested: handles every waiting message, then updates
    // every subsystem. The flag is tested only at the top of a pass, so a close
    // handled in a pass still lets that pass update every subsystem once.
    void run() override;

    // A modal message box with the text, no owner, the system's caption, OK.
    void error(const String& message) override;

    // Appends the subsystem (held twice when registered twice, but owned and
    // destroyed once), clears a pending quit request, returns true.
    virtual bool addSubsystem(Win32Subsystem* subsystem);

    // Offers the message to every subsystem in registration order; results ignored.
    void dispatchMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam);

    // One pass of the main loop in two halves, for the loop and for tests:
    // translate and dispatch every waiting message (never waits), then update
    // every subsystem in registration order.
    void pumpMessages();
    void updateSubsystems();

    // Reads the paths of a drop (at most MaxDroppedFiles of at most
    // MaxDroppedPathLength bytes each; others are skipped with a log line),
    // hands each to the drop handlers and hands the drop back.
    void filesDropped(HDROP drop);
    static constexpr uint32_t MaxDroppedFiles = 16;
    static constexpr uint32_t MaxDroppedPathLength = 32767; // bytes, the longest path Windows knows

    HWND getWindow() const { return window; }
    const std::vector<Win32Subsystem*>& getSubsystems() const { return subsystems; }

    static constexpr const char* WindowClassName = "Quorvel";
    static constexpr const char* WindowTitle = "Quorvel Application";

protected:
    void acceptFilesChanged(bool accept) override; // tells the window, once it exists

private:
    bool anySubsystemFailed();
    bool fail(const String& logLine, const String& message);

    // Registration order, may repeat. Walked by index: a subsystem created
    // inside a hook or an update joins the list without upsetting the walk.
    std::vector<Win32Subsystem*> subsystems;
    std::vector<std::unique_ptr<Win32Subsystem>> owned; // each subsystem once
    HWND window;
};

// The window procedure of the class "Quorvel": the window-created message is
// answered 0 and offered to no one; the close message requests quit and is
// answered 0 (the window stays); dropped files go to filesDropped and are
// answered 0; every other message is offered to every
// subsystem before the system's default procedure answers it.
LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace Quorvel
