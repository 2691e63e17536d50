#pragma once
// WinApiMessages: the thread's message queue and where its messages come
// from: the system's events (keys, mouse, window changes, dropped files) and
// the termination signals turned into window messages, the dropped-file
// handles that WM_DROPFILES carries, and the keyboard states that follow
// them (GetKeyState as of the latest message removed, GetAsyncKeyState as
// of now).

#include "platform/winapi/WinApiDrops.h"
#include "platform/winapi/WinApiKeyboardState.h"
#include "platform/winapi/WinApiQueue.h"
#include "platform/winapi/include/windows.h"

#include <cstdint>
#include <string>

union SDL_Event;

namespace Quorvel {

class WinApiFocus;
class WinApiHandles;
struct WinApiKey;

enum class WinApiMouseButton { Left, Right, Middle, X1, X2 };

class WinApiVideo;
class WinApiWindows;
struct WinApiWindow;

class WinApiMessages {
public:
    WinApiMessages(WinApiVideo& video, WinApiWindows& windows, WinApiFocus& focus, WinApiHandles& handles);

    BOOL post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void postQuit(int exitCode) { queue.postQuit(exitCode); }
    BOOL peek(MSG* message, HWND window, UINT first, UINT last, UINT flags);
    BOOL get(MSG* message, HWND window, UINT first, UINT last);
    BOOL translate(const MSG* message); // WM_CHAR and WM_SYSCHAR for key messages
    LRESULT dispatch(const MSG* message);
    void removeWindow(HWND window) { queue.removeWindow(window); }

    // A file dropped on a window, as the system's drag and drop hands it
    // over (SDL's drop events here; a backend of its own may call it too):
    // posts WM_DROPFILES with a new HDROP holding the path to the window,
    // or with a null window to the window with the keyboard focus, else
    // the foreground one. FALSE, with nothing posted, when that window does
    // not exist or has not accepted files (DragAcceptFiles), or the path is
    // empty, longer than WinApiDrops::MaxPathLength or holds a zero byte.
    BOOL postDroppedFile(HWND window, const std::string& path);
    WinApiDrops& drops() { return dropped; }

    const WinApiKeyboardState& keyState();
    const WinApiKeyboardState& asyncKeyState();
    void readLocks(); // Caps, Num and Scroll Lock as the display has them

    // What each system reports, as Windows reports it: a key went down or up
    // (window: the one it is typed into, or none), the pointer moved or a
    // button went down or up over a window (client coordinates), the wheel
    // turned (notches), the window was resized by the system.
    void keyEvent(WinApiWindow* window, const WinApiKey& key, bool down, bool autoRepeat);
    void mouseMoved(WinApiWindow& window, int x, int y);
    void buttonEvent(WinApiWindow* window, WinApiMouseButton button, bool down, bool doubleClick, int x, int y);
    void wheelEvent(WinApiWindow& window, int notchesUp, int notchesRight);
    void resized(WinApiWindow& window, int width, int height);

private:
    void pump(); // signals and the system's events -> messages
    // The system's own part (sdl/, web/).
    void pollEvents();                   // its events -> messages
    void waitForEvents(int milliseconds); // until one comes or the time is up
    void translate(const SDL_Event& event); // SDL only, as those below
    void translateKey(const SDL_Event& event);
    void translateButton(const SDL_Event& event);
    void translateWheel(const SDL_Event& event);
    void translateWindowEvent(const SDL_Event& event);
    void translateDrop(const SDL_Event& event);
    void postMouse(WinApiWindow& window, UINT message, WPARAM extra, int x, int y);
    WPARAM mouseKeyFlags() const;
    MSG makeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

    WinApiVideo& video;
    WinApiWindows& windows;
    WinApiFocus& focus;

    WinApiQueue queue;
    WinApiDrops dropped;
    WinApiKeyboardState syncKeys;  // as of the latest removed message
    WinApiKeyboardState asyncKeys; // as of the latest event
    uint32_t mouseButtons = 0;     // MK_ button flags as of the latest event
};

} // namespace Quorvel
