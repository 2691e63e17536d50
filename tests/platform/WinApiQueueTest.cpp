// The message queue of the Windows-API layer: posted messages before input,
// each in arrival order, filters, quit last, merged cursor moves.

#include "platform/winapi/WinApiQueue.h"
#include "platform/winapi/include/windows.h"

#include <gtest/gtest.h>

#include <vector>

using Quorvel::WinApiKeyChange;
using Quorvel::WinApiQueue;

namespace {

const HWND windowA = reinterpret_cast<HWND>(uintptr_t(0x1000));
const HWND windowB = reinterpret_cast<HWND>(uintptr_t(0x2000));

MSG message(HWND window, UINT number, WPARAM wParam = 0, LPARAM lParam = 0)
{
    MSG m = {};
    m.hwnd = window;
    m.message = number;
    m.wParam = wParam;
    m.lParam = lParam;
    return m;
}

// Takes everything the filter lets through, in order; returns wParams.
std::vector<WPARAM> drain(WinApiQueue& queue, HWND window = nullptr, UINT first = 0, UINT last = 0)
{
    std::vector<WPARAM> taken;
    MSG m;
    WinApiKeyChange change;
    while (queue.take(m, change, window, first, last, true))
        taken.push_back(m.wParam);
    return taken;
}

} // namespace

TEST(WinApiQueue, PostedMessagesComeBeforeInputEachInArrivalOrder)
{
    WinApiQueue queue;
    queue.postInput(message(windowA, WM_KEYDOWN, 1), WinApiKeyChange());
    queue.post(message(windowA, WM_USER, 2));
    queue.postInput(message(windowA, WM_KEYUP, 3), WinApiKeyChange());
    queue.post(message(nullptr, WM_USER, 4));
    EXPECT_EQ((std::vector<WPARAM>{2, 4, 1, 3}), drain(queue));
    EXPECT_EQ(0u, queue.size());
}

TEST(WinApiQueue, FiltersByWindowAndMessageRange)
{
    struct Case {
        const char* name;
        HWND window;
        UINT first, last;
        std::vector<WPARAM> expected;
    };
    const Case cases[] = {
        {"everything", nullptr, 0, 0, {1, 2, 3, 4}},
        {"window A", windowA, 0, 0, {1, 3}},
        {"thread messages only", reinterpret_cast<HWND>(-1), 0, 0, {4}},
        {"key messages", nullptr, WM_KEYFIRST, WM_KEYLAST, {1, 2}},
        {"window B's mouse messages", windowB, WM_MOUSEFIRST, WM_MOUSELAST, {}},
        {"window A's mouse messages", windowA, WM_MOUSEFIRST, WM_MOUSELAST, {3}},
    };
    for (const Case& c : cases) {
        WinApiQueue queue;
        queue.post(message(windowA, WM_KEYDOWN, 1));
        queue.post(message(windowB, WM_CHAR, 2));
        queue.post(message(windowA, WM_LBUTTONDOWN, 3));
        queue.post(message(nullptr, WM_USER, 4));
        EXPECT_EQ(c.expected, drain(queue, c.window, c.first, c.last)) << c.name;
        EXPECT_EQ(4 - c.expected.size(), queue.size()) << c.name << ": the others stay";
    }
}

TEST(WinApiQueue, NoRemoveLeavesTheMessageAndKeyChangeTravelsWithIt)
{
    WinApiQueue queue;
    WinApiKeyChange change;
    change.virtualKey = VK_SHIFT;
    change.sidedKey = VK_RSHIFT;
    change.down = true;
    queue.postInput(message(windowA, WM_KEYDOWN, VK_SHIFT), change);
    MSG m;
    WinApiKeyChange seen;
    ASSERT_TRUE(queue.take(m, seen, nullptr, 0, 0, false));
    EXPECT_EQ(1u, queue.size());
    ASSERT_TRUE(queue.take(m, seen, nullptr, 0, 0, true));
    EXPECT_EQ(VK_RSHIFT, seen.sidedKey);
    EXPECT_TRUE(seen.down);
    EXPECT_FALSE(queue.take(m, seen, nullptr, 0, 0, true));
}

TEST(WinApiQueue, QuitComesOnlyWhenNothingElseIsWaitingAndOnlyOnce)
{
    WinApiQueue queue;
    queue.postQuit(7);
    queue.postInput(message(windowA, WM_MOUSEMOVE), WinApiKeyChange());
    MSG m;
    WinApiKeyChange change;
    ASSERT_TRUE(queue.take(m, change, nullptr, 0, 0, true));
    EXPECT_EQ(UINT(WM_MOUSEMOVE), m.message);
    EXPECT_FALSE(queue.take(m, change, windowA, 0, 0, true)) << "quit is a thread message";
    EXPECT_FALSE(queue.take(m, change, nullptr, WM_KEYFIRST, WM_KEYLAST, true)) << "outside the range";
    ASSERT_TRUE(queue.take(m, change, nullptr, 0, 0, true));
    EXPECT_EQ(UINT(WM_QUIT), m.message);
    EXPECT_EQ(WPARAM(7), m.wParam);
    EXPECT_FALSE(queue.take(m, change, nullptr, 0, 0, true));
}

TEST(WinApiQueue, ConsecutiveCursorMovesMergeIntoTheLatest)
{
    WinApiQueue queue;
    queue.postInput(message(windowA, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)), WinApiKeyChange());
    queue.postInput(message(windowA, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2)), WinApiKeyChange());
    queue.postInput(message(windowA, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)), WinApiKeyChange());
    queue.postInput(message(windowA, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 3)), WinApiKeyChange());
    queue.postInput(message(windowB, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4, 4)), WinApiKeyChange());
    std::vector<LPARAM> seen;
    MSG m;
    WinApiKeyChange change;
    while (queue.take(m, change, nullptr, 0, 0, true))
        seen.push_back(m.lParam);
    EXPECT_EQ((std::vector<LPARAM>{MAKELPARAM(2, 2), MAKELPARAM(2, 2), MAKELPARAM(3, 3), MAKELPARAM(4, 4)}), seen)
        << "a click and another window separate the moves";
}

TEST(WinApiQueue, RemoveWindowDropsOnlyItsMessages)
{
    WinApiQueue queue;
    queue.post(message(windowA, WM_USER, 1));
    queue.postInput(message(windowA, WM_KEYDOWN, 2), WinApiKeyChange());
    queue.post(message(windowB, WM_USER, 3));
    queue.post(message(nullptr, WM_USER, 4));
    queue.removeWindow(windowA);
    EXPECT_EQ((std::vector<WPARAM>{3, 4}), drain(queue));
}
