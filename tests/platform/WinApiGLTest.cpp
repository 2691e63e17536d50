// The Windows-API layer on a real display (the test command's Xvfb, a
// 1024x768 screen at 24 bits): a full-screen window with an OpenGL context
// made through the layer's calls in the engine's order, real X key and mouse
// input injected with xte and xdotool and checked as the Windows messages
// with their wParam and lParam bits, the cursor, the swap-control entry
// points, close requests and display-mode changes the screen cannot make.

#include "platform/winapi/include/windows.h"
#include "system/OpenGL.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const char* const windowTitle = "WinApi GL Test";

struct Seen {
    MSG message;
    SHORT keyState; // GetKeyState(wParam) while the procedure handled a key message
};

std::vector<Seen> seen; // every message the test window's procedure received

bool isKeyMessage(UINT message)
{
    return message >= WM_KEYDOWN && message <= WM_SYSKEYUP && message != WM_CHAR && message != WM_SYSCHAR;
}

LRESULT CALLBACK testProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Seen entry = {};
    entry.message.hwnd = window;
    entry.message.message = message;
    entry.message.wParam = wParam;
    entry.message.lParam = lParam;
    if (isKeyMessage(message))
        entry.keyState = GetKeyState(int(wParam));
    seen.push_back(entry);
    if (message == WM_CLOSE)
        return 0; // kept open, as the engine does: a close is only a request
    return DefWindowProcA(window, message, wParam, lParam);
}

bool haveTool(const char* name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

bool run(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

class WinApiGL : public ::testing::Test {
protected:
    static HWND window;
    static HDC dc;
    static HGLRC context;
    static LONG modeResult;

    // The engine's order: class, display mode, window, device context, pixel
    // format, rendering context; then shown, brought forward and focused.
    static void SetUpTestSuite()
    {
        WNDCLASSEXA record = {};
        record.cbSize = sizeof(WNDCLASSEXA);
        record.lpfnWndProc = testProc;
        record.hInstance = GetModuleHandleA(nullptr);
        record.hIcon = record.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
        record.style = CS_OWNDC;
        record.hbrBackground = CreateSolidBrush(RGB(0, 0, 0));
        record.lpszClassName = "WinApiGLTest";
        RegisterClassExA(&record);

        DEVMODEA mode = {};
        mode.dmSize = sizeof(DEVMODEA);
        mode.dmBitsPerPel = 32;
        mode.dmPelsWidth = 1024;
        mode.dmPelsHeight = 768;
        mode.dmDisplayFrequency = 0;
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
        modeResult = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);

        window = CreateWindowExA(WS_EX_APPWINDOW, "WinApiGLTest", windowTitle, WS_POPUP, 0, 0, 1024, 768, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        dc = GetDC(window);
        PIXELFORMATDESCRIPTOR format = {};
        format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
        format.nVersion = 1;
        format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        format.iPixelType = PFD_TYPE_RGBA;
        format.cColorBits = 32;
        format.cDepthBits = 16;
        format.iLayerType = PFD_MAIN_PLANE;
        if (SetPixelFormat(dc, ChoosePixelFormat(dc, &format), &format)) {
            context = wglCreateContext(dc);
            wglMakeCurrent(dc, context);
        }
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetFocus(window);
        ShowCursor(FALSE);
        if (context) {
            glClearColor(0, 0, 0, 0);
            glClear(GL_COLOR_BUFFER_BIT);
            SwapBuffers(dc);
        }
        // Let the window system settle, then start from an empty queue.
        pumpFor(300);
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, window);
        ASSERT_NE(nullptr, context);
        pumpFor(50);
        seen.clear();
    }

    // Handles messages the way the main loop does for the given time.
    static void pumpFor(int milliseconds)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        do {
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&m);
                DispatchMessageA(&m);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        } while (std::chrono::steady_clock::now() < end);
    }

    // Handles messages until `count` messages of the window pass the filter
    // (or 5 seconds pass), and a little longer to catch any extra ones.
    template <typename Filter>
    static std::vector<MSG> collect(size_t count, Filter filter)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        auto matching = [&] {
            std::vector<MSG> result;
            for (const Seen& entry : seen)
                if (entry.message.hwnd == window && filter(entry.message))
                    result.push_back(entry.message);
            return result;
        };
        while (matching().size() < count && std::chrono::steady_clock::now() < end)
            pumpFor(10);
        pumpFor(100);
        return matching();
    }
};

HWND WinApiGL::window = nullptr;
HDC WinApiGL::dc = nullptr;
HGLRC WinApiGL::context = nullptr;
LONG WinApiGL::modeResult = DISP_CHANGE_FAILED;

DEVMODEA modeOf(DWORD width, DWORD height, DWORD bits, DWORD refresh = 0)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmBitsPerPel = bits;
    mode.dmDisplayFrequency = refresh;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    return mode;
}

} // namespace

TEST_F(WinApiGL, FullScreenWindowAndContextComeUpInTheEngineOrder)
{
    EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, modeResult) << "1024x768 at 32 bits is the screen's own true-colour mode";
    DEVMODEA current = {};
    current.dmSize = sizeof(DEVMODEA);
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));
    EXPECT_EQ(1024u, current.dmPelsWidth);
    EXPECT_EQ(768u, current.dmPelsHeight);
    EXPECT_EQ(32u, current.dmBitsPerPel);

    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(window, GetFocus());
    POINT origin = {0, 0};
    ASSERT_TRUE(ClientToScreen(window, &origin));
    EXPECT_EQ(0, origin.x);
    EXPECT_EQ(0, origin.y);

    EXPECT_EQ(context, wglGetCurrentContext());
    EXPECT_EQ(dc, wglGetCurrentDC());
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    ASSERT_NE(nullptr, version);
    EXPECT_GE(version[0], '2') << version;
    GLboolean doubleBuffer = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffer);
    EXPECT_EQ(GL_TRUE, doubleBuffer);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);

    PIXELFORMATDESCRIPTOR described = {};
    const int count = DescribePixelFormat(dc, GetPixelFormat(dc), sizeof(described), &described);
    EXPECT_GT(count, 0);
    EXPECT_TRUE(described.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_EQ(16, described.cDepthBits) << "the closest format to what was asked";
    EXPECT_FALSE(SetPixelFormat(dc, GetPixelFormat(dc) % count + 1, &described))
        << "a window's pixel format is set once";

    // Drawing reaches the window: clear to a colour and read it back.
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    GLubyte pixel[4] = {};
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(0, pixel[0]);
    EXPECT_EQ(255, pixel[1]);
    EXPECT_TRUE(SwapBuffers(dc));
}

TEST_F(WinApiGL, ModeChangeFailsHonestlyForModesTheScreenLacks)
{
    struct Case {
        const char* name;
        DEVMODEA mode;
        DWORD flags;
        LONG expected;
    };
    DEVMODEA noSize = modeOf(1024, 768, 32);
    noSize.dmSize = 0;
    const Case cases[] = {
        {"a size the screen has not", modeOf(800, 600, 32), CDS_FULLSCREEN, DISP_CHANGE_BADMODE},
        {"16 bits per pixel", modeOf(1024, 768, 16), CDS_FULLSCREEN, DISP_CHANGE_BADMODE},
        {"24 bits, the same true-colour mode", modeOf(1024, 768, 24), CDS_TEST, DISP_CHANGE_SUCCESSFUL},
        {"registry update", modeOf(1024, 768, 32), CDS_UPDATEREGISTRY, DISP_CHANGE_BADFLAGS},
        {"record size missing", noSize, CDS_FULLSCREEN, DISP_CHANGE_BADPARAM},
    };
    for (const Case& c : cases) {
        DEVMODEA mode = c.mode;
        EXPECT_EQ(c.expected, ChangeDisplaySettingsA(&mode, c.flags)) << c.name;
    }
    DEVMODEA current = {};
    current.dmSize = sizeof(DEVMODEA);
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));
    EXPECT_EQ(1024u, current.dmPelsWidth) << "failed changes leave the mode alone";
}

TEST_F(WinApiGL, SingleBufferedFormatReallyHasOneBuffer)
{
    WNDCLASSEXA record = {};
    record.cbSize = sizeof(WNDCLASSEXA);
    record.lpfnWndProc = DefWindowProcA;
    record.lpszClassName = "WinApiGLSingle";
    RegisterClassExA(&record);
    const HWND single =
        CreateWindowExA(0, "WinApiGLSingle", "single", WS_POPUP, 10, 10, 64, 64, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, single);
    const HDC singleDc = GetDC(single);
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    format.cColorBits = 32;
    format.cDepthBits = 16;
    const int chosen = ChoosePixelFormat(singleDc, &format);
    PIXELFORMATDESCRIPTOR described = {};
    DescribePixelFormat(singleDc, chosen, sizeof(described), &described);
    EXPECT_FALSE(described.dwFlags & PFD_DOUBLEBUFFER);
    ASSERT_TRUE(SetPixelFormat(singleDc, chosen, &format));
    const HGLRC singleContext = wglCreateContext(singleDc);
    ASSERT_NE(nullptr, singleContext);
    EXPECT_EQ(context, wglGetCurrentContext()) << "creating a context does not make it current";
    ASSERT_TRUE(wglMakeCurrent(singleDc, singleContext));
    GLboolean doubleBuffer = GL_TRUE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffer);
    EXPECT_EQ(GL_FALSE, doubleBuffer);
    EXPECT_FALSE(wglMakeCurrent(dc, singleContext)) << "the contexts' pixel formats differ";

    ASSERT_TRUE(wglMakeCurrent(dc, context));
    EXPECT_TRUE(wglDeleteContext(singleContext));
    EXPECT_TRUE(DestroyWindow(single));
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffer);
    EXPECT_EQ(GL_TRUE, doubleBuffer);
}

TEST_F(WinApiGL, SwapControlEntryPointsAreServedWithoutFailingHard)
{
    using SwapInterval = int (*)(int);
    using GetSwapInterval = int (*)();
    const PROC setProc = wglGetProcAddress("wglSwapIntervalEXT");
    const PROC getProc = wglGetProcAddress("wglGetSwapIntervalEXT");
    ASSERT_NE(nullptr, setProc);
    ASSERT_NE(nullptr, getProc);
    const auto set = reinterpret_cast<SwapInterval>(reinterpret_cast<void (*)()>(setProc));
    const auto get = reinterpret_cast<GetSwapInterval>(reinterpret_cast<void (*)()>(getProc));
    for (int interval : {1, 0}) {
        const int result = set(interval);
        EXPECT_TRUE(result == TRUE || result == FALSE) << result;
        if (result == TRUE) {
            EXPECT_EQ(interval, get()) << "a successful setting reads back";
        }
    }
    EXPECT_NE(nullptr, wglGetProcAddress("glActiveTextureARB"));
    EXPECT_EQ(nullptr, wglGetProcAddress("wglNoSuchEntryPoint"));

    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_EQ(nullptr, wglGetProcAddress("wglSwapIntervalEXT")) << "no current context, no entry points";
    ASSERT_TRUE(wglMakeCurrent(dc, context));
}

TEST_F(WinApiGL, InjectedKeysArriveAsWindowsKeyMessages)
{
    if (!haveTool("xte"))
        GTEST_SKIP() << "xte is not installed";
    struct Expected {
        UINT message;
        WPARAM virtualKey;
        uint32_t lParam;
    };
    struct Case {
        const char* command;
        std::vector<Expected> expected;
    };
    const Case cases[] = {
        {"xte 'key a'", {{WM_KEYDOWN, 'A', 0x001E0001}, {WM_KEYUP, 'A', 0xC01E0001}}},
        {"xte 'key Control_L'", {{WM_KEYDOWN, VK_CONTROL, 0x001D0001}, {WM_KEYUP, VK_CONTROL, 0xC01D0001}}},
        {"xte 'key Control_R'", {{WM_KEYDOWN, VK_CONTROL, 0x011D0001}, {WM_KEYUP, VK_CONTROL, 0xC11D0001}}},
        {"xte 'key Shift_R'", {{WM_KEYDOWN, VK_SHIFT, 0x00360001}, {WM_KEYUP, VK_SHIFT, 0xC0360001}}},
        {"xte 'key Return'", {{WM_KEYDOWN, VK_RETURN, 0x001C0001}, {WM_KEYUP, VK_RETURN, 0xC01C0001}}},
        {"xte 'key KP_Enter'", {{WM_KEYDOWN, VK_RETURN, 0x011C0001}, {WM_KEYUP, VK_RETURN, 0xC11C0001}}},
        {"xte 'key KP_Subtract'", {{WM_KEYDOWN, VK_SUBTRACT, 0x004A0001}, {WM_KEYUP, VK_SUBTRACT, 0xC04A0001}}},
        {"xte 'key KP_Divide'", {{WM_KEYDOWN, VK_DIVIDE, 0x01350001}, {WM_KEYUP, VK_DIVIDE, 0xC1350001}}},
        {"xte 'key Insert'", {{WM_KEYDOWN, VK_INSERT, 0x01520001}, {WM_KEYUP, VK_INSERT, 0xC1520001}}},
        {"xte 'key Left'", {{WM_KEYDOWN, VK_LEFT, 0x014B0001}, {WM_KEYUP, VK_LEFT, 0xC14B0001}}},
        {"xte 'key F10'", {{WM_SYSKEYDOWN, VK_F10, 0x00440001}, {WM_SYSKEYUP, VK_F10, 0xC0440001}}},
        {"xte 'key Alt_L'", {{WM_SYSKEYDOWN, VK_MENU, 0x20380001}, {WM_SYSKEYUP, VK_MENU, 0xC0380001}}},
        {"xte 'keydown Alt_L' 'key x' 'keyup Alt_L'",
         {{WM_SYSKEYDOWN, VK_MENU, 0x20380001},
          {WM_SYSKEYDOWN, 'X', 0x202D0001},
          {WM_SYSKEYUP, 'X', 0xE02D0001},
          {WM_SYSKEYUP, VK_MENU, 0xC0380001}}},
        {"xte 'keydown Control_L' 'key w' 'keyup Control_L'",
         {{WM_KEYDOWN, VK_CONTROL, 0x001D0001},
          {WM_KEYDOWN, 'W', 0x00110001},
          {WM_KEYUP, 'W', 0xC0110001},
          {WM_KEYUP, VK_CONTROL, 0xC01D0001}}},
    };
    for (const Case& c : cases) {
        seen.clear();
        ASSERT_TRUE(run(c.command)) << c.command;
        const std::vector<MSG> keys = collect(c.expected.size(), [](const MSG& m) { return isKeyMessage(m.message); });
        ASSERT_EQ(c.expected.size(), keys.size()) << c.command;
        for (size_t i = 0; i < keys.size(); ++i) {
            EXPECT_EQ(c.expected[i].message, keys[i].message) << c.command << " #" << i;
            EXPECT_EQ(c.expected[i].virtualKey, keys[i].wParam) << c.command << " #" << i;
            EXPECT_EQ(LPARAM(c.expected[i].lParam), keys[i].lParam)
                << c.command << " #" << i << std::hex << " lParam 0x" << keys[i].lParam;
        }
        // While the procedure handles a key message, GetKeyState reports the
        // key as that message left it.
        for (const Seen& entry : seen) {
            if (entry.message.hwnd != window || !isKeyMessage(entry.message.message))
                continue;
            const bool down = entry.message.message == WM_KEYDOWN || entry.message.message == WM_SYSKEYDOWN;
            EXPECT_EQ(down, entry.keyState < 0) << c.command << " key 0x" << std::hex << entry.message.wParam;
        }
    }
}

TEST_F(WinApiGL, TranslatedCharactersFollowShiftAndCapsLock)
{
    if (!haveTool("xte"))
        GTEST_SKIP() << "xte is not installed";
    struct Case {
        const char* command;
        std::string characters;
    };
    const Case cases[] = {
        {"xte 'key a'", "a"},
        {"xte 'keydown Shift_L' 'key a' 'usleep 20000' 'key 1' 'keyup Shift_L'", "A!"},
        {"xte 'keydown Shift_R' 'key minus' 'keyup Shift_R'", "_"},
        {"xte 'key Caps_Lock' 'usleep 20000' 'key a' 'usleep 20000' 'key 1' 'usleep 20000' 'key Caps_Lock' "
         "'usleep 20000' 'key a'",
         "A1a"},
        {"xte 'key KP_Add' 'usleep 20000' 'key space'", "+ "},
    };
    // Keys typed in the same instant lose their releases on the way through
    // the X server and SDL; a short pause between keys keeps them apart.
    for (const Case& c : cases) {
        seen.clear();
        ASSERT_TRUE(run(c.command)) << c.command;
        const std::vector<MSG> chars = collect(c.characters.size(), [](const MSG& m) { return m.message == WM_CHAR; });
        std::string typed;
        for (const MSG& m : chars)
            typed += char(m.wParam);
        EXPECT_EQ(c.characters, typed) << c.command;
    }
    BYTE state[256] = {};
    ASSERT_TRUE(GetKeyboardState(state));
    EXPECT_EQ(0, state[VK_CAPITAL] & 0x01) << "Caps Lock was toggled twice";
}

TEST_F(WinApiGL, HeldKeyRepeatsKeyDownWithThePreviousStateBit)
{
    if (!haveTool("xte") || !haveTool("xset"))
        GTEST_SKIP() << "xte or xset is not installed";
    run("xset r on");
    run("xte 'keydown d' 'usleep 1300000' 'keyup d'");
    run("xset r off");
    const std::vector<MSG> keys = collect(3, [](const MSG& m) { return isKeyMessage(m.message); });
    ASSERT_GE(keys.size(), 3u) << "at least one repetition in 1.3 s";
    EXPECT_EQ(UINT(WM_KEYDOWN), keys.front().message);
    EXPECT_EQ(0, keys.front().lParam & (1 << 30)) << "the first press: the key was up";
    for (size_t i = 1; i + 1 < keys.size(); ++i) {
        EXPECT_EQ(UINT(WM_KEYDOWN), keys[i].message) << "#" << i;
        EXPECT_EQ(WPARAM('D'), keys[i].wParam) << "#" << i;
        EXPECT_NE(0, keys[i].lParam & (1 << 30)) << "#" << i << ": a repetition, the key was down";
    }
    EXPECT_EQ(UINT(WM_KEYUP), keys.back().message) << "one release, no repeated releases";
}

TEST_F(WinApiGL, InjectedMouseArrivesAsCursorButtonAndWheelMessages)
{
    if (!haveTool("xdotool"))
        GTEST_SKIP() << "xdotool is not installed";
    ASSERT_TRUE(run("xdotool mousemove 600 300"));
    std::vector<MSG> moves = collect(1, [](const MSG& m) { return m.message == WM_MOUSEMOVE; });
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(600, GET_X_LPARAM(moves.back().lParam));
    EXPECT_EQ(300, GET_Y_LPARAM(moves.back().lParam));

    struct Case {
        const char* command;
        UINT down;
        WPARAM downFlags;
        UINT up; // 0: no release message (the wheel)
        int wheel;
    };
    const Case cases[] = {
        {"xdotool click 1", WM_LBUTTONDOWN, MK_LBUTTON, WM_LBUTTONUP, 0},
        {"xdotool click 3", WM_RBUTTONDOWN, MK_RBUTTON, WM_RBUTTONUP, 0},
        {"xdotool click 2", WM_MBUTTONDOWN, MK_MBUTTON, WM_MBUTTONUP, 0},
        {"xdotool click 4", WM_MOUSEWHEEL, 0, 0, WHEEL_DELTA},
        {"xdotool click 5", WM_MOUSEWHEEL, 0, 0, -WHEEL_DELTA},
    };
    for (const Case& c : cases) {
        seen.clear();
        ASSERT_TRUE(run(c.command)) << c.command;
        auto buttons = [](const MSG& m) { return m.message >= WM_LBUTTONDOWN && m.message <= WM_MOUSEHWHEEL; };
        const std::vector<MSG> got = collect(c.up ? 2 : 1, buttons);
        ASSERT_EQ(c.up ? 2u : 1u, got.size()) << c.command;
        EXPECT_EQ(c.down, got[0].message) << c.command;
        EXPECT_EQ(c.downFlags, LOWORD(got[0].wParam)) << c.command;
        // Client coordinates for buttons; the wheel carries screen
        // coordinates, which are the same for a window at the origin.
        EXPECT_EQ(600, GET_X_LPARAM(got[0].lParam)) << c.command;
        EXPECT_EQ(300, GET_Y_LPARAM(got[0].lParam)) << c.command;
        if (c.up) {
            EXPECT_EQ(c.up, got[1].message) << c.command;
            EXPECT_EQ(0u, LOWORD(got[1].wParam)) << c.command << ": the button is up again";
        } else {
            EXPECT_EQ(c.wheel, GET_WHEEL_DELTA_WPARAM(got[0].wParam)) << c.command;
        }
    }
}

TEST_F(WinApiGL, SetCursorPosMovesThePointerAndProducesACursorMessage)
{
    struct Target {
        int x, y;
    };
    for (const Target& target : {Target{512, 384}, Target{100, 50}, Target{512, 384}}) {
        seen.clear();
        ASSERT_TRUE(SetCursorPos(target.x, target.y));
        const std::vector<MSG> moves = collect(1, [](const MSG& m) { return m.message == WM_MOUSEMOVE; });
        ASSERT_FALSE(moves.empty()) << target.x << "," << target.y;
        EXPECT_EQ(target.x, GET_X_LPARAM(moves.back().lParam));
        EXPECT_EQ(target.y, GET_Y_LPARAM(moves.back().lParam));
        POINT where = {};
        ASSERT_TRUE(GetCursorPos(&where));
        EXPECT_EQ(target.x, where.x);
        EXPECT_EQ(target.y, where.y);
    }
}

TEST_F(WinApiGL, CloseRequestFromTheWindowSystemGivesWmClose)
{
    const std::string tool = std::string(QUORVEL_BINARY_DIR) + "/tools/close-window/quorvel-close-window";
    if (access(tool.c_str(), X_OK) != 0)
        GTEST_SKIP() << "quorvel-close-window is not built";
    ASSERT_TRUE(run("'" + tool + "' '" + windowTitle + "'"));
    const std::vector<MSG> closes = collect(1, [](const MSG& m) { return m.message == WM_CLOSE; });
    EXPECT_EQ(1u, closes.size());
    EXPECT_TRUE(IsWindow(window)) << "the procedure kept the window";
}

TEST_F(WinApiGL, MessageBoxIsShownAndReturnsWhenDismissed)
{
    if (!haveTool("xdotool") || !haveTool("xwininfo"))
        GTEST_SKIP() << "xdotool or xwininfo is not installed";
    // Dismissed from outside once it is on the screen: focus it, press Return.
    std::thread dismiss([] {
        run("timeout 20 sh -c 'for i in $(seq 1 150); do "
            "w=$(xwininfo -root -tree | awk \"/\\\"WinApi box\\\"/{print \\$1; exit}\"); "
            "[ -n \"$w\" ] && exec xdotool windowfocus --sync $w key Return; sleep 0.1; done; exit 1'");
    });
    const int answer = MessageBoxA(nullptr, "shown by the layer's test", "WinApi box", MB_OK);
    dismiss.join();
    EXPECT_EQ(IDOK, answer);
}

// A screen-covering popup becomes a decorated window of 800 x 600 and back,
// as Alt+Enter does it: the real X window follows, and WM_SIZE reports each
// new client area.
TEST_F(WinApiGL, StyleAndPlacementSwitchBetweenAWindowAndFullScreen)
{
    if (!haveTool("xdotool"))
        GTEST_SKIP() << "xdotool is not installed";
    auto geometry = [] {
        std::string text;
        FILE* pipe = popen("xdotool search --name '^WinApi GL Test$' getwindowgeometry 2>/dev/null", "r");
        char buffer[256];
        while (pipe && std::fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        if (pipe)
            pclose(pipe);
        return text;
    };
    auto sizes = [] {
        std::vector<std::pair<int, int>> result;
        for (const Seen& entry : seen)
            if (entry.message.hwnd == window && entry.message.message == WM_SIZE)
                result.emplace_back(LOWORD(entry.message.lParam), HIWORD(entry.message.lParam));
        return result;
    };

    EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, ChangeDisplaySettingsA(nullptr, 0)) << "the desktop mode back";
    SetWindowLongA(window, GWL_STYLE, LONG(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    EXPECT_TRUE(SetWindowPos(window, HWND_TOP, 112, 84, 800, 600, SWP_FRAMECHANGED | SWP_SHOWWINDOW));
    pumpFor(500);
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(800, client.right);
    EXPECT_EQ(600, client.bottom);
    ASSERT_FALSE(sizes().empty());
    EXPECT_EQ(std::make_pair(800, 600), sizes().back());
    EXPECT_NE(std::string::npos, geometry().find("Geometry: 800x600")) << geometry();
    EXPECT_NE(std::string::npos, geometry().find("Position: 112,84")) << geometry();

    seen.clear();
    SetWindowLongA(window, GWL_STYLE, LONG(WS_POPUP | WS_VISIBLE));
    EXPECT_TRUE(SetWindowPos(window, HWND_TOP, 0, 0, 1024, 768, SWP_FRAMECHANGED | SWP_SHOWWINDOW));
    pumpFor(500);
    ASSERT_FALSE(sizes().empty());
    EXPECT_EQ(std::make_pair(1024, 768), sizes().back());
    EXPECT_NE(std::string::npos, geometry().find("Geometry: 1024x768")) << geometry();
    EXPECT_NE(std::string::npos, geometry().find("Position: 0,0")) << geometry();

    DEVMODEA mode = modeOf(1024, 768, 32);
    EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN)) << "as the suite began";
    pumpFor(200);
}
