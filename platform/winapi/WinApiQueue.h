#pragma once
// WinApiQueue: the thread message queue of the Windows-API layer. Like the
// Windows queue it holds posted messages and input messages apart and hands
// out posted ones first, each kind in arrival order, then a pending quit.
// Consecutive cursor moves of one window merge into the latest. An input
// message carries the key-state change it stands for, which the
// caller applies when the message is removed (GetKeyState follows removal).

#include "platform/winapi/include/windows.h"

#include <cstddef>
#include <deque>

namespace Quorvel {

// The change of one key that a key message stands for.
struct WinApiKeyChange {
    uint8_t virtualKey = 0; // 0: no change
    uint8_t sidedKey = 0;
    bool down = false;
    bool repeat = false;
};

class WinApiQueue {
public:
    // Thread messages have a null window. The window filter of take: null
    // takes any message, (HWND)-1 only thread messages, anything else only
    // messages of that window. The range [first, last] filters the message
    // number unless both are 0.
    void post(const MSG& message);
    void postInput(const MSG& message, const WinApiKeyChange& change); // merges cursor moves
    void postQuit(int exitCode);

    // The first matching message: posted before input, then the quit message
    // once nothing else matches. remove: take it out of the queue.
    bool take(MSG& message, WinApiKeyChange& change, HWND window, UINT first, UINT last, bool remove);

    void removeWindow(HWND window); // drops the messages of a destroyed window
    size_t size() const { return posted.size() + input.size(); }

private:
    struct Entry {
        MSG message;
        WinApiKeyChange change;
    };

    static bool matches(const MSG& message, HWND window, UINT first, UINT last);
    static bool takeFrom(std::deque<Entry>& entries, MSG& message, WinApiKeyChange& change, HWND window, UINT first,
                         UINT last, bool remove);

    std::deque<Entry> posted;
    std::deque<Entry> input;
    bool quitPosted = false;
    int quitCode = 0;
};

} // namespace Quorvel
