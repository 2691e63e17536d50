#pragma once
// WinApiMessages: the thread's message queue and where its messages come
// from: SDL's events (keys, mouse, window changes, dropped files) and the
// termination signals turned into window messages, the dropped-file handles
// that WM_DROPFILES carries, and the keyboard states that follow
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

private:
    void pump(); // SDL events and signals -> messages
    void translate(const SDL_Event& event);
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
    WinApiKeyboardState asyncKeys; // as of the latest SDL event
    uint32_t mouseButtons = 0;     // MK_ button flags as of the latest SDL event
};

} // namespace Quorvel
