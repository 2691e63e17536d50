#include "platform/winapi/WinApiQueue.h"

#include <algorithm>

namespace Quorvel {

void WinApiQueue::post(const MSG& message)
{
    posted.push_back(Entry{message, WinApiKeyChange()});
}

void WinApiQueue::postInput(const MSG& message, const WinApiKeyChange& change)
{
    // Cursor moves that nobody has taken yet merge into the latest, as on
    // Windows: a reader sees where the cursor is, not every step it took.
    if (message.message == WM_MOUSEMOVE && !input.empty()) {
        Entry& last = input.back();
        if (last.message.message == WM_MOUSEMOVE && last.message.hwnd == message.hwnd
            && last.message.wParam == message.wParam) {
            last.message = message;
            return;
        }
    }
    input.push_back(Entry{message, change});
}

void WinApiQueue::postQuit(int exitCode)
{
    quitPosted = true;
    quitCode = exitCode;
}

bool WinApiQueue::matches(const MSG& message, HWND window, UINT first, UINT last)
{
    if (window == reinterpret_cast<HWND>(-1)) {
        if (message.hwnd)
            return false;
    } else if (window && message.hwnd != window) {
        return false;
    }
    if (first == 0 && last == 0)
        return true;
    return message.message >= first && message.message <= last;
}

bool WinApiQueue::takeFrom(std::deque<Entry>& entries, MSG& message, WinApiKeyChange& change, HWND window, UINT first,
                           UINT last, bool remove)
{
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (!matches(it->message, window, first, last))
            continue;
        message = it->message;
        change = it->change;
        if (remove)
            entries.erase(it);
        return true;
    }
    return false;
}

bool WinApiQueue::take(MSG& message, WinApiKeyChange& change, HWND window, UINT first, UINT last, bool remove)
{
    if (takeFrom(posted, message, change, window, first, last, remove))
        return true;
    if (takeFrom(input, message, change, window, first, last, remove))
        return true;
    if (!quitPosted)
        return false;
    MSG quit = {};
    quit.message = WM_QUIT;
    quit.wParam = WPARAM(quitCode);
    if (window && window != reinterpret_cast<HWND>(-1))
        return false;
    if (!matches(quit, window, first, last))
        return false;
    message = quit;
    change = WinApiKeyChange();
    if (remove)
        quitPosted = false;
    return true;
}

void WinApiQueue::removeWindow(HWND window)
{
    if (!window)
        return;
    auto ofWindow = [window](const Entry& entry) { return entry.message.hwnd == window; };
    posted.erase(std::remove_if(posted.begin(), posted.end(), ofWindow), posted.end());
    input.erase(std::remove_if(input.begin(), input.end(), ofWindow), input.end());
}

} // namespace Quorvel
