// The window side of the Windows-API layer that needs no display: the class
// registry, window creation and its messages, posting, peeking, translating
// and dispatching, the default procedure, close requests from signals, the
// clock. No window is shown here.

#include "platform/winapi/include/windows.h"

#include "platform/winapi/WinApiSignals.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

struct Call {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Call> calls;
std::vector<CREATESTRUCTA> creations; // copies of what WM_NCCREATE/WM_CREATE carried
LRESULT createAnswer = 0;             // what the recording procedure answers to WM_CREATE

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    calls.push_back(Call{window, message, wParam, lParam});
    if (message == WM_NCCREATE || message == WM_CREATE)
        creations.push_back(*reinterpret_cast<const CREATESTRUCTA*>(lParam));
    if (message == WM_CREATE)
        return createAnswer;
    if (message == WM_USER + 1)
        return LRESULT(wParam * 2);
    return DefWindowProcA(window, message, wParam, lParam);
}

WNDCLASSEXA classRecord(const char* name)
{
    WNDCLASSEXA record = {};
    record.cbSize = sizeof(WNDCLASSEXA);
    record.lpfnWndProc = recordingProc;
    record.hInstance = GetModuleHandleA(nullptr);
    record.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    record.lpszClassName = name;
    return record;
}

std::vector<UINT> messagesOf(HWND window)
{
    std::vector<UINT> result;
    for (const Call& call : calls)
        if (call.window == window)
            result.push_back(call.message);
    return result;
}

class WinApiWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
        calls.clear();
        creations.clear();
        createAnswer = 0;
    }

    // A hidden window of a class of its own.
    HWND makeWindow(const std::string& className)
    {
        WNDCLASSEXA record = classRecord(className.c_str());
        if (!RegisterClassExA(&record))
            return nullptr;
        return CreateWindowExA(0, className.c_str(), "test", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }
};

} // namespace

TEST_F(WinApiWindow, RegisterClassChecksTheRecordAndNamesWithoutCase)
{
    WNDCLASSEXA good = classRecord("RegistryClass");
    const ATOM atom = RegisterClassExA(&good);
    EXPECT_NE(0, atom);

    struct Case {
        const char* name;
        WNDCLASSEXA record;
        DWORD error;
    };
    WNDCLASSEXA duplicate = classRecord("REGISTRYCLASS");
    WNDCLASSEXA shortSize = classRecord("ShortSizeClass");
    shortSize.cbSize = 48; // the size of the record on 32-bit Windows
    WNDCLASSEXA noProc = classRecord("NoProcClass");
    noProc.lpfnWndProc = nullptr;
    WNDCLASSEXA noName = classRecord(nullptr);
    const Case cases[] = {
        {"same name in other case", duplicate, ERROR_CLASS_ALREADY_EXISTS},
        {"record size not sizeof(WNDCLASSEXA)", shortSize, ERROR_INVALID_PARAMETER},
        {"no window procedure", noProc, ERROR_INVALID_PARAMETER},
        {"no name", noName, ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(0, RegisterClassExA(&c.record)) << c.name;
        EXPECT_EQ(c.error, GetLastError()) << c.name;
    }

    WNDCLASSEXA found = {};
    ASSERT_TRUE(GetClassInfoExA(nullptr, "registryclass", &found));
    EXPECT_EQ(&recordingProc, found.lpfnWndProc);
    EXPECT_STREQ("RegistryClass", found.lpszClassName);
    EXPECT_TRUE(UnregisterClassA("RegistryClass", nullptr));
    EXPECT_FALSE(GetClassInfoExA(nullptr, "RegistryClass", &found));
    EXPECT_NE(0, RegisterClassExA(&good)) << "the name is free again";
}

TEST_F(WinApiWindow, CreateSendsNcCreateThenCreateWithTheParametersAndStaysHidden)
{
    WNDCLASSEXA record = classRecord("CreateClass");
    ASSERT_NE(0, RegisterClassExA(&record));
    int payload = 42;
    const HWND window = CreateWindowExA(WS_EX_APPWINDOW, "CreateClass", "Created", WS_POPUP, 3, 4, 320, 200, nullptr,
                                        nullptr, GetModuleHandleA(nullptr), &payload);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ((std::vector<UINT>{WM_NCCREATE, WM_CREATE}), messagesOf(window));
    ASSERT_EQ(2u, creations.size());
    for (const CREATESTRUCTA& create : creations) {
        EXPECT_EQ(&payload, create.lpCreateParams);
        EXPECT_EQ(3, create.x);
        EXPECT_EQ(4, create.y);
        EXPECT_EQ(320, create.cx);
        EXPECT_EQ(200, create.cy);
        EXPECT_EQ(LONG(WS_POPUP), create.style);
        EXPECT_EQ(DWORD(WS_EX_APPWINDOW), create.dwExStyle);
        EXPECT_STREQ("Created", create.lpszName);
    }
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    RECT client = {};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(320, client.right);
    EXPECT_EQ(200, client.bottom);
    EXPECT_NE(nullptr, GetDC(window));
    EXPECT_EQ(GetDC(window), GetDC(window)) << "one device context per window";
}

TEST_F(WinApiWindow, CreateFailsForAnUnknownClassOrWhenTheProcedureRefuses)
{
    SetLastError(0);
    EXPECT_EQ(nullptr,
              CreateWindowExA(0, "NoSuchClass", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(DWORD(ERROR_CANNOT_FIND_WND_CLASS), GetLastError());

    WNDCLASSEXA record = classRecord("RefusingClass");
    ASSERT_NE(0, RegisterClassExA(&record));
    createAnswer = -1;
    EXPECT_EQ(nullptr,
              CreateWindowExA(0, "RefusingClass", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    ASSERT_FALSE(calls.empty());
    const HWND refused = calls.front().window;
    EXPECT_EQ((std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}), messagesOf(refused));
    EXPECT_FALSE(IsWindow(refused));
}

TEST_F(WinApiWindow, PostedMessagesArePeekedAndDispatchedToTheirWindow)
{
    const HWND window = makeWindow("PostClass");
    ASSERT_NE(nullptr, window);
    calls.clear();

    EXPECT_TRUE(PostMessageA(window, WM_USER + 1, 21, 5));
    EXPECT_TRUE(PostMessageA(nullptr, WM_USER + 2, 0, 0)); // a thread message
    EXPECT_TRUE(calls.empty()) << "posting does not call the procedure";

    MSG m = {};
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(UINT(WM_USER + 1), m.message);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(window, m.hwnd);
    EXPECT_EQ(WPARAM(21), m.wParam);
    EXPECT_EQ(LPARAM(5), m.lParam);
    EXPECT_EQ(LRESULT(42), DispatchMessageA(&m)) << "dispatch returns what the procedure returned";
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(UINT(WM_USER + 1), calls[0].message);

    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(nullptr, m.hwnd);
    EXPECT_EQ(0, DispatchMessageA(&m)) << "a thread message has no procedure to go to";
    EXPECT_EQ(1u, calls.size());
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE));

    SetLastError(0);
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(uintptr_t(0x7777)), WM_USER, 0, 0));
    EXPECT_EQ(DWORD(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
}

TEST_F(WinApiWindow, TranslateMessagePostsTheCharacterOfAKeyDown)
{
    const HWND window = makeWindow("TranslateClass");
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_KEYDOWN, 'A', 0x001E0001);
    PostMessageA(window, WM_KEYDOWN, VK_F1, 0x003B0001);
    std::vector<MSG> seen;
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        seen.push_back(m);
        EXPECT_EQ(m.message == WM_KEYDOWN, bool(TranslateMessage(&m))) << "only key messages translate";
    }
    // The character is posted behind what already waits: after the F1 key,
    // which itself types nothing.
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ(UINT(WM_KEYDOWN), seen[0].message);
    EXPECT_EQ(UINT(WM_KEYDOWN), seen[1].message);
    EXPECT_EQ(UINT(WM_CHAR), seen[2].message);
    EXPECT_EQ(WPARAM('a'), seen[2].wParam);
    EXPECT_EQ(LPARAM(0x001E0001), seen[2].lParam) << "with the key message's lParam";
    EXPECT_EQ(window, seen[2].hwnd);
}

TEST_F(WinApiWindow, DestroyingAWindowSendsItsLastMessagesAndDropsItsQueue)
{
    const HWND window = makeWindow("DestroyClass");
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_USER, 0, 0);
    calls.clear();
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_EQ((std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}), messagesOf(window));
    EXPECT_FALSE(IsWindow(window));
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(DestroyWindow(window));
}

TEST_F(WinApiWindow, DefaultProcedureClosesOnAltF4AndDestroysOnClose)
{
    EXPECT_EQ(0, DefWindowProcA(nullptr, WM_KEYDOWN, 'A', 0)) << "no window: nothing to do";
    EXPECT_EQ(0, DefWindowProcA(nullptr, WM_CLOSE, 0, 0));

    const HWND window = makeWindow("DefaultClass");
    ASSERT_NE(nullptr, window);
    calls.clear();
    // Alt+F4 as Windows sends it: system key with the Alt context bit.
    SendMessageA(window, WM_SYSKEYDOWN, VK_F4, 0x203E0001);
    EXPECT_EQ((std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY, WM_NCDESTROY}),
              messagesOf(window));
    EXPECT_FALSE(IsWindow(window)) << "the default answer to WM_CLOSE destroys the window";

    const HWND other = makeWindow("DefaultClass2");
    calls.clear();
    SendMessageA(other, WM_SYSKEYDOWN, VK_F4, 0x003E0001); // F4 without Alt
    EXPECT_EQ((std::vector<UINT>{WM_SYSKEYDOWN}), messagesOf(other));
    EXPECT_TRUE(IsWindow(other));
}

TEST_F(WinApiWindow, TerminationSignalBecomesACloseMessage)
{
    // Test programs end at once on these signals; an engine program has the
    // layer's handlers from its start.
    Quorvel::WinApiSignals::install();
    const HWND window = makeWindow("SignalClass");
    ASSERT_NE(nullptr, window);
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
        std::raise(signalNumber);
        MSG m = {};
        bool closed = false;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            closed = closed || (m.message == WM_CLOSE && m.hwnd == window);
        EXPECT_TRUE(closed) << "signal " << signalNumber;
    }
}

TEST_F(WinApiWindow, SignalBeforeAnyWindowClosesTheFirstWindowMade)
{
    Quorvel::WinApiSignals::install();
    std::raise(SIGHUP);
    MSG m = {};
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
    const HWND window = makeWindow("EarlySignalClass");
    ASSERT_NE(nullptr, window);
    bool closed = false;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
        closed = closed || (m.message == WM_CLOSE && m.hwnd == window);
    EXPECT_TRUE(closed);
}

TEST_F(WinApiWindow, StyleAndPlacementChangesReachTheWindowProcedure)
{
    const HWND window = makeWindow("PlacementClass");
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(LONG(WS_POPUP), GetWindowLongA(window, GWL_STYLE));
    EXPECT_EQ(LONG(WS_POPUP), SetWindowLongA(window, GWL_STYLE, LONG(WS_OVERLAPPEDWINDOW)));
    EXPECT_EQ(LONG(WS_OVERLAPPEDWINDOW), GetWindowLongA(window, GWL_STYLE));
    EXPECT_EQ(0, GetWindowLongA(window, 12345));

    struct Case {
        const char* name;
        int x, y, width, height;
        UINT flags;
        std::vector<UINT> messages;
        RECT client;
    };
    const Case cases[] = {
        {"move and size", 10, 20, 300, 200, 0, {WM_MOVE, WM_SIZE}, {0, 0, 300, 200}},
        {"same place again", 10, 20, 300, 200, 0, {}, {0, 0, 300, 200}},
        {"size only", 99, 99, 320, 240, SWP_NOMOVE, {WM_SIZE}, {0, 0, 320, 240}},
        {"frame changed", 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED, {WM_SIZE}, {0, 0, 320, 240}},
        {"move only", 5, 6, 1, 1, SWP_NOSIZE, {WM_MOVE}, {0, 0, 320, 240}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        calls.clear();
        EXPECT_TRUE(SetWindowPos(window, HWND_TOP, c.x, c.y, c.width, c.height, c.flags));
        EXPECT_EQ(c.messages, messagesOf(window));
        RECT client = {};
        GetClientRect(window, &client);
        EXPECT_EQ(c.client.right, client.right);
        EXPECT_EQ(c.client.bottom, client.bottom);
    }
    RECT outer = {};
    GetWindowRect(window, &outer);
    EXPECT_EQ(5, outer.left);
    EXPECT_EQ(6, outer.top);
}

TEST(WinApiFiles, FullPathNameJoinsTheWorkingDirectory)
{
    char cwd[1024];
    ASSERT_NE(nullptr, getcwd(cwd, sizeof cwd));
    const std::string expected = std::string(cwd) + (std::string(cwd) == "/" ? "" : "/") + "quorvel.conf";
    char path[1024];
    LPSTR filePart = nullptr;
    EXPECT_EQ(DWORD(expected.size()), GetFullPathNameA("quorvel.conf", sizeof path, path, &filePart));
    EXPECT_EQ(expected, path);
    ASSERT_NE(nullptr, filePart);
    EXPECT_STREQ("quorvel.conf", filePart);
    EXPECT_EQ(DWORD(6), GetFullPathNameA("/a/b/c", sizeof path, path, nullptr));
    EXPECT_STREQ("/a/b/c", path);
    char tiny[4];
    EXPECT_EQ(DWORD(expected.size() + 1), GetFullPathNameA("quorvel.conf", sizeof tiny, tiny, nullptr))
        << "too small: the size needed, nothing written";
    EXPECT_EQ(DWORD(0), GetFullPathNameA("", sizeof path, path, nullptr));
}

TEST(WinApiClock, TimeGetTimeIsTheMonotonicMillisecondClockIn32Bits)
{
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint32_t expected = uint32_t(uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u);
    const DWORD first = timeGetTime();
    EXPECT_LE(first - expected, 5u) << "milliseconds since the system started, wrapped to 32 bits";
    Sleep(25);
    const DWORD second = timeGetTime();
    EXPECT_GE(second - first, 25u);
    EXPECT_LT(second - first, 5000u);
}

TEST(WinApiModule, ModuleIconAndBrushHandlesAreUsable)
{
    EXPECT_NE(nullptr, GetModuleHandleA(nullptr));
    EXPECT_EQ(nullptr, GetModuleHandleA("nosuchmodule.dll"));
    EXPECT_NE(nullptr, LoadIconA(nullptr, IDI_APPLICATION));
    EXPECT_NE(nullptr, GetStockObject(BLACK_BRUSH));
    const HBRUSH first = CreateSolidBrush(RGB(0, 0, 0));
    EXPECT_NE(nullptr, first);
    EXPECT_NE(first, CreateSolidBrush(RGB(0, 0, 0)));
}
