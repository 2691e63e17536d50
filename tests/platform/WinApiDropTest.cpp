// Files dropped on a window in the Windows-API layer, without a display:
// WM_DROPFILES reaches only a window that accepted files, DragQueryFileA
// answers as on Windows (the count, each path's length, a bounded copy cut to
// the buffer, 0 for a handle it did not give or one handed back), and the
// handles a receiver never hands back do not pile up.

#include "platform/winapi/include/windows.h"

#include "platform/winapi/WinApiDrops.h"
#include "platform/winapi/WinApiHost.h"
#include "platform/winapi/include/shellapi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Quorvel::WinApiDrops;
using Quorvel::WinApiHost;

namespace {

LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

class WinApiDropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSEXA record = {};
        record.cbSize = sizeof(WNDCLASSEXA);
        record.lpfnWndProc = plainProc;
        record.hInstance = GetModuleHandleA(nullptr);
        record.lpszClassName = "DropClass";
        RegisterClassExA(&record);
        window = CreateWindowExA(0, "DropClass", "drop", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }

    // Posts the path as a drop and takes the message: its HDROP, or null
    // when nothing was posted.
    HDROP drop(const std::string& path)
    {
        if (!WinApiHost::instance().messages().postDroppedFile(window, path))
            return nullptr;
        MSG message = {};
        if (!PeekMessageA(&message, window, WM_DROPFILES, WM_DROPFILES, PM_REMOVE))
            return nullptr;
        EXPECT_EQ(message.hwnd, window);
        EXPECT_EQ(message.lParam, 0);
        return reinterpret_cast<HDROP>(message.wParam);
    }

    HWND window = nullptr;
};

} // namespace

TEST_F(WinApiDropTest, OnlyAWindowThatAcceptedFilesReceivesADrop)
{
    EXPECT_EQ(drop("/levels/a.lvl"), nullptr) << "not accepted yet";
    DragAcceptFiles(window, TRUE);
    EXPECT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    const HDROP accepted = drop("/levels/a.lvl");
    ASSERT_NE(accepted, nullptr);
    DragFinish(accepted);
    DragAcceptFiles(window, FALSE);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    EXPECT_EQ(drop("/levels/a.lvl"), nullptr) << "no longer accepted";
    DragAcceptFiles(nullptr, TRUE); // no window: nothing happens

    // Paths that cannot be handed out are not posted.
    DragAcceptFiles(window, TRUE);
    for (const std::string& path :
         {std::string(), std::string(WinApiDrops::MaxPathLength + 1, 'a'), std::string("a\0b", 3)})
        EXPECT_EQ(drop(path), nullptr) << path.size() << " bytes";
    const HDROP longest = drop(std::string(WinApiDrops::MaxPathLength, 'a'));
    ASSERT_NE(longest, nullptr);
    EXPECT_EQ(DragQueryFileA(longest, 0, nullptr, 0), WinApiDrops::MaxPathLength);
    DragFinish(longest);

    // A window that is gone gets nothing.
    const HWND gone = window;
    DestroyWindow(window);
    EXPECT_FALSE(WinApiHost::instance().messages().postDroppedFile(gone, "/levels/a.lvl"));
}

TEST_F(WinApiDropTest, DragQueryFileAnswersAsWindowsDoes)
{
    DragAcceptFiles(window, TRUE);
    const std::string path = "/dropped/1.lvl"; // 14 bytes
    const HDROP handle = drop(path);
    ASSERT_NE(handle, nullptr);

    EXPECT_EQ(DragQueryFileA(handle, 0xFFFFFFFF, nullptr, 0), 1u) << "the count";
    EXPECT_EQ(DragQueryFileA(handle, 0, nullptr, 0), 14u) << "the length, without the zero";
    EXPECT_EQ(DragQueryFileA(handle, 0, nullptr, 5), 14u) << "a null buffer ignores the size";

    struct Case {
        UINT size;
        UINT copied;
        std::string text;
    };
    const Case cases[] = {
        {64, 14, path}, {15, 14, path}, {14, 13, "/dropped/1.lv"}, {2, 1, "/"}, {1, 0, ""},
    };
    for (const Case& c : cases) {
        std::vector<char> buffer(80, 'x');
        EXPECT_EQ(DragQueryFileA(handle, 0, buffer.data(), c.size), c.copied) << "size " << c.size;
        EXPECT_EQ(std::string(buffer.data()), c.text) << "size " << c.size << ": cut and ended by a zero";
        EXPECT_EQ(buffer[c.size], 'x') << "size " << c.size << ": nothing written past the size";
    }
    char untouched[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(DragQueryFileA(handle, 0, untouched, 0), 0u) << "no room at all";
    EXPECT_EQ(untouched[0], 'x');
    EXPECT_EQ(DragQueryFileA(handle, 1, untouched, 4), 0u) << "past the last file";
    EXPECT_EQ(untouched[0], 'x');

    // Handles it did not give, and one handed back.
    DragFinish(handle);
    for (const HDROP bad : {handle, static_cast<HDROP>(nullptr), reinterpret_cast<HDROP>(window)}) {
        SetLastError(0);
        EXPECT_EQ(DragQueryFileA(bad, 0xFFFFFFFF, nullptr, 0), 0u);
        EXPECT_EQ(DragQueryFileA(bad, 0, untouched, 4), 0u);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
        DragFinish(bad); // harmless
    }
    EXPECT_EQ(untouched[0], 'x');
}

TEST_F(WinApiDropTest, DropsNeverHandedBackDoNotPileUp)
{
    DragAcceptFiles(window, TRUE);
    WinApiDrops& drops = WinApiHost::instance().messages().drops();
    const size_t open = drops.openCount();
    const HDROP first = drop("/first.lvl");
    ASSERT_NE(first, nullptr);
    for (size_t i = 0; i < WinApiDrops::MaxOpen + 10; ++i)
        ASSERT_NE(drop("/more.lvl"), nullptr);
    EXPECT_EQ(drops.openCount(), WinApiDrops::MaxOpen);
    EXPECT_GT(WinApiDrops::MaxOpen, open);
    EXPECT_EQ(DragQueryFileA(first, 0xFFFFFFFF, nullptr, 0), 0u) << "the oldest was let go";
}

// A drop for no window in particular goes to the window with the keyboard
// focus; with no window focused or in the foreground it is not posted.
TEST_F(WinApiDropTest, ADropWithoutAWindowGoesToTheFocusedOne)
{
    DragAcceptFiles(window, TRUE);
    EXPECT_FALSE(WinApiHost::instance().messages().postDroppedFile(nullptr, "/a.lvl"));
    SetFocus(window);
    if (GetFocus() != window)
        GTEST_SKIP() << "the layer does not focus a hidden window without a display";
    ASSERT_TRUE(WinApiHost::instance().messages().postDroppedFile(nullptr, "/a.lvl"));
    MSG message = {};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_DROPFILES, WM_DROPFILES, PM_REMOVE));
    EXPECT_EQ(message.hwnd, window);
    DragFinish(reinterpret_cast<HDROP>(message.wParam));
}
