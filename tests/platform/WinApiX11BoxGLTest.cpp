// The desktop's message box on X11, driven as a user would from outside: it
// is found on the display by its title, then keys, clicks and a close
// request are sent to it. Needs DISPLAY (the test command's Xvfb).

#include "platform/winapi/sdl/WinApiX11Box.h"

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace Quorvel {
namespace {

constexpr int Yes = 6, No = 7, Cancel = 2;
const std::vector<WinApiX11Box::Button> YesNoCancel = {{Yes, "Yes"}, {No, "No"}, {Cancel, "Cancel"}};

class WinApiX11Box_ : public ::testing::Test {
protected:
    void SetUp() override
    {
        display = XOpenDisplay(nullptr);
        if (!display)
            GTEST_SKIP() << "no X display";
    }

    void TearDown() override
    {
        if (display)
            XCloseDisplay(display);
    }

    // The top-level window with that WM_NAME (Latin-1), or 0.
    Window find(const std::string& name)
    {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count && !found; ++i) {
                char* title = nullptr;
                if (XFetchName(display, children[i], &title) && title) {
                    if (name == title)
                        found = children[i];
                    XFree(title);
                }
            }
            if (children)
                XFree(children);
        }
        return found;
    }

    // Waits up to 5 s for the box to be on the screen (mapped).
    Window waitFor(const std::string& name)
    {
        for (int i = 0; i < 100; ++i) {
            const Window window = find(name);
            XWindowAttributes attributes;
            if (window && XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable)
                return window;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return 0;
    }

    void key(Window window, KeySym symbol, unsigned state = 0)
    {
        for (int type : {KeyPress, KeyRelease}) {
            XEvent event = {};
            event.xkey.type = type;
            event.xkey.display = display;
            event.xkey.window = window;
            event.xkey.root = DefaultRootWindow(display);
            event.xkey.keycode = XKeysymToKeycode(display, symbol);
            event.xkey.state = state;
            event.xkey.same_screen = True;
            XSendEvent(display, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
        }
        XFlush(display);
    }

    void button(Window window, int type, int x, int y)
    {
        XEvent event = {};
        event.xbutton.type = type;
        event.xbutton.display = display;
        event.xbutton.window = window;
        event.xbutton.root = DefaultRootWindow(display);
        event.xbutton.button = Button1;
        event.xbutton.x = x;
        event.xbutton.y = y;
        event.xbutton.same_screen = True;
        XSendEvent(display, window, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
        XFlush(display);
    }

    void closeRequest(Window window)
    {
        XEvent event = {};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
    }

    // Shows a box with Yes, No and Cancel on a thread, hands its window to
    // act once it is on the screen (found by its WM_NAME, the title unless
    // given), and returns what show() returned.
    int run(const std::string& title, const std::string& text, const std::function<void(Window)>& act,
            const std::string& wmName = "")
    {
        std::atomic<bool> takeDown{false};
        int answer = 0;
        std::thread box([&] { answer = WinApiX11Box::show(title, text, YesNoCancel, 0, 2, 0, takeDown); });
        const Window window = waitFor(wmName.empty() ? title : wmName);
        EXPECT_NE(0u, window) << title << ": no box on the screen";
        if (window)
            act(window);
        else
            takeDown.store(true);
        box.join();
        return answer;
    }

    Display* display = nullptr;
};

TEST_F(WinApiX11Box_, KeysPressTheFocusedButtonOrTheEscapeDefault)
{
    struct Case {
        const char* what;
        std::vector<std::pair<KeySym, unsigned>> keys;
        int expected;
    };
    const Case cases[] = {
        {"Return", {{XK_Return, 0}}, Yes},
        {"keypad Enter", {{XK_KP_Enter, 0}}, Yes},
        {"Escape", {{XK_Escape, 0}}, Cancel},
        {"Tab, Return", {{XK_Tab, 0}, {XK_Return, 0}}, No},
        {"Right, Right, Space", {{XK_Right, 0}, {XK_Right, 0}, {XK_space, 0}}, Cancel},
        {"Left from the first wraps to the last", {{XK_Left, 0}, {XK_Return, 0}}, Cancel},
        {"Shift+Tab goes back", {{XK_Tab, 0}, {XK_Tab, 0}, {XK_Tab, ShiftMask}, {XK_Return, 0}}, No},
        {"other keys do nothing", {{XK_a, 0}, {XK_Down, 0}, {XK_Return, 0}}, Yes},
    };
    for (const Case& c : cases) {
        const int answer = run("Box keys", "Keys", [&](Window window) {
            for (const auto& k : c.keys)
                key(window, k.first, k.second);
        });
        EXPECT_EQ(c.expected, answer) << c.what;
    }
}

TEST_F(WinApiX11Box_, AClickPressesTheButtonItIsReleasedOn)
{
    // The buttons stand in a row at the bottom right; the last is the
    // corner's.
    auto corner = [&](Window window) {
        XWindowAttributes attributes;
        XGetWindowAttributes(display, window, &attributes);
        return std::make_pair(attributes.width - 24, attributes.height - 24);
    };
    EXPECT_EQ(Cancel, run("Box click", "Click", [&](Window window) {
                  const auto at = corner(window);
                  button(window, ButtonPress, at.first, at.second);
                  button(window, ButtonRelease, at.first, at.second);
              }));
    // Pressed on the button, let go in the text: nothing is pressed.
    EXPECT_EQ(No, run("Box click away", "Click", [&](Window window) {
                  const auto at = corner(window);
                  button(window, ButtonPress, at.first, at.second);
                  button(window, ButtonRelease, 4, 4);
                  key(window, XK_Tab);
                  key(window, XK_Return);
              }));
}

TEST_F(WinApiX11Box_, ACloseRequestOrATakeDownEndsItAsClosedAndTheWindowGoes)
{
    EXPECT_EQ(WinApiX11Box::Closed, run("Box close", "Close me", [&](Window window) { closeRequest(window); }));
    EXPECT_EQ(0u, find("Box close")) << "the window is gone";

    std::atomic<bool> takeDown{false};
    int answer = 0;
    std::thread box([&] { answer = WinApiX11Box::show("Box taken down", "Text", YesNoCancel, 0, 2, 0, takeDown); });
    ASSERT_NE(0u, waitFor("Box taken down"));
    const auto asked = std::chrono::steady_clock::now();
    takeDown.store(true);
    box.join();
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(2));
    EXPECT_EQ(WinApiX11Box::Closed, answer);
    EXPECT_EQ(0u, find("Box taken down")) << "the window is gone";
}

TEST_F(WinApiX11Box_, TitleAndTextOfAnyBytesAreShownAndTheBoxFitsItsText)
{
    // U+2013 is outside Latin-1: WM_NAME has '?' for it, _NET_WM_NAME has
    // the UTF-8 as given. Broken UTF-8 and control bytes in the text are
    // shown as '?', not read past.
    const std::string title = "Gr\xC3\xB6\xC3\x9F"
                              "e \xE2\x80\x93 box";
    const std::string latin1 = "Gr\xF6\xDF"
                               "e ? box";
    std::string text = "A line of eighty characters, like the ones the layer wraps long messages into.";
    text += "\nbroken: \xC3 \xE2\x80 \xF8\x88\x80\x80\x80 \x01\t end\n\xF0\x9F\x98\x80\n";
    const int answer = run(
        title, text,
        [&](Window window) {
            Atom type = None;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            ASSERT_EQ(Success,
                      XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 256, False,
                                         AnyPropertyType, &type, &format, &count, &after, &data));
            EXPECT_EQ(title, std::string(reinterpret_cast<char*>(data), count));
            XFree(data);
            XWindowAttributes attributes;
            XGetWindowAttributes(display, window, &attributes);
            EXPECT_GT(attributes.width, 400) << "eighty characters fit";
            EXPECT_LT(attributes.width, WidthOfScreen(attributes.screen));
            EXPECT_LT(attributes.height, 200);
            key(window, XK_Escape);
        },
        latin1);
    EXPECT_EQ(Cancel, answer);
}

TEST_F(WinApiX11Box_, WithoutButtonsNothingIsShown)
{
    std::atomic<bool> takeDown{false};
    EXPECT_EQ(WinApiX11Box::NotShown, WinApiX11Box::show("Box none", "Text", {}, 0, 0, 0, takeDown));
}

} // namespace
} // namespace Quorvel
