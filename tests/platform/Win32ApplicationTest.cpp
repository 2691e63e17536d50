#include "platform/win32/Win32Application.h"

#include "core/Log.h"
#include "input/InputSystem.h"
#include "math/Vector4.h"
#include "platform/win32/Win32Subsystem.h"
#include "support/FakeScreen.h"
#include "support/QuietApplication.h"
#include "support/TempDir.h"
#include "widgets/Widget.h"
#include "widgets/WidgetManager.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

using namespace Quorvel;

namespace {

using QuorvelTest::QuietApplication;

// A window subsystem that writes every hook call into a shared journal as
// "name:hook". Optional actions let a test change what the hooks see or do.
class Recorder : public Win32Subsystem {
public:
    Recorder(std::string name, std::vector<std::string>& journal) : name(std::move(name)), journal(journal) {}
    ~Recorder() override { journal.push_back(name + ":destroyed"); }

    bool hasFailed() override { return failed; }
    void adjustWindowClass(WNDCLASSEXA& windowClass) override
    {
        journal.push_back(name + ":class");
        seenClass = windowClass;
        if (onClass)
            onClass(windowClass);
    }
    void adjustWindowParams(uint32_t& exStyle, uint32_t& style, int32_t& x, int32_t& y, int32_t& width,
                            int32_t& height) override
    {
        journal.push_back(name + ":params");
        seenParams = {exStyle,
                      style,
                      static_cast<uint32_t>(x),
                      static_cast<uint32_t>(y),
                      static_cast<uint32_t>(width),
                      static_cast<uint32_t>(height)};
        if (onParams)
            onParams(exStyle, style, width, height);
    }
    void windowCreated(HWND window) override
    {
        journal.push_back(name + ":created");
        seenWindow = window;
    }
    int32_t handleMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) override
    {
        journal.push_back(name + ":message " + std::to_string(message) + " " + std::to_string(wParam) + " "
                          + std::to_string(lParam) + (window ? " window" : " none"));
        return 7;
    }
    void update() override
    {
        journal.push_back(name + ":update");
        ++updates;
        if (onUpdate)
            onUpdate(updates);
    }

    std::string name;
    std::vector<std::string>& journal;
    bool failed = false;
    int updates = 0;
    WNDCLASSEXA seenClass = {};
    std::vector<uint32_t> seenParams;
    HWND seenWindow = nullptr;
    std::function<void(WNDCLASSEXA&)> onClass;
    std::function<void(uint32_t&, uint32_t&, int32_t&, int32_t&)> onParams;
    std::function<void(int)> onUpdate;
};

// A fresh application in a temporary directory for every test. The
// application owns the recorders and destroys them with itself, before the
// journal goes.
class Win32ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(nullptr, Application::existingInstance()) << "an earlier test left an application registered";
        UnregisterClassA(Win32Application::WindowClassName, GetModuleHandleA(nullptr));
        application.reset(new QuietApplication());
    }
    void TearDown() override
    {
        application.reset();
        UnregisterClassA(Win32Application::WindowClassName, GetModuleHandleA(nullptr));
    }

    Recorder* add(const std::string& name) { return new Recorder(name, journal); } // registers itself

    std::vector<std::string> logLines() const
    {
        std::vector<std::string> lines;
        std::string all = dir.read("quorvel.log");
        size_t start = 0;
        for (size_t end; (end = all.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(all.substr(start, end - start));
        return lines;
    }

    std::vector<std::string> journal;
    QuorvelTest::TempDir dir;
    std::unique_ptr<QuietApplication> application;
};

} // namespace

TEST_F(Win32ApplicationTest, SubsystemsRegisterOnConstructionAndAreDestroyedOnceInRegistrationOrder)
{
    Recorder* a = add("a");
    Recorder* b = add("b");
    application->addSubsystem(a); // held twice
    EXPECT_EQ((std::vector<Win32Subsystem*>{a, b, a}), application->getSubsystems());

    application->updateSubsystems();
    EXPECT_EQ((std::vector<std::string>{"a:update", "b:update", "a:update"}), journal);

    journal.clear();
    application.reset();
    EXPECT_EQ((std::vector<std::string>{"a:destroyed", "b:destroyed"}), journal);
}

TEST_F(Win32ApplicationTest, WindowProcedureRoutesEachMessage)
{
    add("a");
    add("b");
    struct Case {
        uint32_t message;
        bool offered; // to every subsystem, then answered by the default procedure
        bool quits;
    };
    const Case cases[] = {
        {WM_CREATE, false, false}, // answered 0, nothing else
        {0x0002, true, false},     // destroy
        {0x000F, true, false},     // paint
        {0x0100, true, false},     // key down
        {0x0200, true, false},     // mouse move
        {0x0400, true, false},     // an application's own message
        {WM_CLOSE, false, true},   // quit requested, answered 0, the window stays
    };
    HWND window = nullptr;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        journal.clear();

        const LRESULT result = windowProc(window, c.message, 12, 34);

        EXPECT_EQ(c.quits, application->isQuitRequested());
        if (c.offered) {
            const std::string tail = " " + std::to_string(c.message) + " 12 34 none";
            EXPECT_EQ((std::vector<std::string>{"a:message" + tail, "b:message" + tail}), journal);
            EXPECT_EQ(DefWindowProcA(window, c.message, 12, 34), result)
                << "the default procedure answers, not the subsystems";
        } else {
            EXPECT_TRUE(journal.empty()) << journal.front();
            EXPECT_EQ(0, result);
        }
    }
}

TEST_F(Win32ApplicationTest, RegisteringASubsystemClearsAQuitRequest)
{
    application->quit();
    ASSERT_TRUE(application->isQuitRequested());
    EXPECT_TRUE(application->addSubsystem(add("late")));
    EXPECT_FALSE(application->isQuitRequested());
}

TEST_F(Win32ApplicationTest, CloseEndsTheLoopAfterThePassThatHandledIt)
{
    Recorder* a = add("a");
    add("b");
    add("c");
    a->onUpdate = [](int pass) {
        if (pass == 2)
            windowProc(nullptr, WM_CLOSE, 0, 0);
    };

    application->run();

    EXPECT_EQ((std::vector<std::string>{"a:update", "b:update", "c:update", "a:update", "b:update", "c:update"}),
              journal)
        << "the pass that saw the close still updates every subsystem, then the loop ends";
    EXPECT_EQ((std::vector<std::string>{"Running main loop...", "Application terminated"}), logLines());
}

TEST_F(Win32ApplicationTest, InitPreparesTheWindowClassAndPassesItThroughEverySubsystem)
{
    Recorder* a = add("a");
    Recorder* b = add("b");
    a->onClass = [](WNDCLASSEXA& windowClass) { windowClass.style |= 0x20; };
    b->onClass = [b](WNDCLASSEXA&) { b->failed = true; }; // stop before the class is registered

    EXPECT_FALSE(application->init());

    EXPECT_EQ((std::vector<std::string>{"a:class", "b:class"}), journal);
    const WNDCLASSEXA& seen = a->seenClass;
    EXPECT_EQ(sizeof(WNDCLASSEXA), static_cast<size_t>(seen.cbSize));
    EXPECT_EQ(0u, static_cast<uint32_t>(seen.style));
    EXPECT_TRUE(seen.lpfnWndProc == windowProc);
    EXPECT_EQ(GetModuleHandleA(nullptr), seen.hInstance);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), seen.hIcon);
    EXPECT_EQ(seen.hIcon, seen.hIconSm);
    EXPECT_EQ(nullptr, seen.hCursor);
    EXPECT_EQ(nullptr, seen.hbrBackground);
    EXPECT_EQ(nullptr, seen.lpszMenuName);
    EXPECT_STREQ("Quorvel", seen.lpszClassName);
    EXPECT_EQ(0x20u, static_cast<uint32_t>(b->seenClass.style)) << "a later subsystem sees an earlier one's change";

    EXPECT_EQ((std::vector<std::string>{"Application initialising...", "Initialisation failed"}), logLines());
    EXPECT_TRUE(application->errors.empty()) << "the failing subsystem reports its own fault";
}

TEST_F(Win32ApplicationTest, InitPassesTheWindowParametersThroughEverySubsystem)
{
    Recorder* a = add("a");
    Recorder* b = add("b");
    a->onParams = [](uint32_t& exStyle, uint32_t& style, int32_t& width, int32_t& height) {
        exStyle |= 0x40000;
        style |= 0x80000000u;
        width = 640;
        height = 480;
    };
    b->onParams = [b](uint32_t&, uint32_t&, int32_t&, int32_t&) { b->failed = true; }; // stop before the window

    EXPECT_FALSE(application->init());

    EXPECT_EQ((std::vector<std::string>{"a:class", "b:class", "a:params", "b:params"}), journal)
        << "no window is created after a failure";
    EXPECT_EQ((std::vector<uint32_t>{0, 0, 0, 0, 0, 0}), a->seenParams) << "all six start at 0";
    EXPECT_EQ((std::vector<uint32_t>{0x40000, 0x80000000u, 0, 0, 640, 480}), b->seenParams);
    EXPECT_EQ(nullptr, application->getWindow());
}

TEST_F(Win32ApplicationTest, AClassThatCannotBeRegisteredIsReported)
{
    add("a");
    WNDCLASSEXA taken = {};
    taken.cbSize = sizeof(WNDCLASSEXA);
    taken.lpfnWndProc = DefWindowProcA;
    taken.hInstance = GetModuleHandleA(nullptr);
    taken.lpszClassName = "Quorvel";
    ASSERT_NE(0, RegisterClassExA(&taken)) << "the class name is free at the start of a test";

    EXPECT_FALSE(application->init());

    EXPECT_EQ((std::vector<std::string>{"a:class"}), journal);
    EXPECT_EQ((std::vector<std::string>{"Application initialising...",
                                        "Application: could not register the window class", "Initialisation failed"}),
              logLines());
    ASSERT_EQ(1u, application->errors.size());
    EXPECT_NE(std::string::npos, application->errors[0].find("window class"));
}

namespace {

// An input system with no platform behind it, so that the widget manager's
// registration can be observed without a window subsystem of its own.
class PlainInputSystem : public InputSystem {
public:
    bool hasFailed() override { return false; }
    void relativeToCentre(int32_t&, int32_t&) override {}
    void centreCursor() override {}
};

// A widget that writes its init and resize calls into the subsystems' journal.
class JournalWidget : public Widget {
public:
    explicit JournalWidget(std::vector<std::string>& journal) : journal(journal) {}
    bool init() override
    {
        journal.push_back("widget:init");
        return true;
    }
    bool resize(const Vector4& r) override
    {
        std::ostringstream text;
        text << "widget:resize " << r.x << " " << r.y << " " << r.z << " " << r.w;
        journal.push_back(text.str());
        return true;
    }
    bool handleInput(uint32_t, const InputState&) override
    {
        journal.push_back("widget:input");
        return true;
    }
    std::vector<std::string>& journal;
};

} // namespace

TEST_F(Win32ApplicationTest, SuccessfulInitRunsTheHooksInOrderThenShowsTheWindow)
{
    QuorvelTest::FakeScreen screen(800, 600);
    ASSERT_TRUE(screen.isRegistered());
    PlainInputSystem input;
    ASSERT_EQ(&input, InputSystem::existingInstance());

    Recorder* a = add("a");
    Recorder* b = add("b");
    a->onParams = [](uint32_t&, uint32_t& style, int32_t& width, int32_t& height) {
        style |= WS_POPUP;
        width = 640;
        height = 480;
    };
    JournalWidget widget(journal);
    application->getWidgetManager()->add(&widget);
    const int cursorBefore = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);

    ASSERT_TRUE(application->init()) << (application->errors.empty() ? "" : application->errors[0]);

    // The hooks, each step on every subsystem in registration order, then the
    // widget manager; window messages seen on the way are checked below.
    std::vector<std::string> hooks;
    std::vector<std::string> messages;
    for (const std::string& entry : journal)
        (entry.find(":message ") == std::string::npos ? hooks : messages).push_back(entry);
    EXPECT_EQ((std::vector<std::string>{"a:class", "b:class", "a:params", "b:params", "a:created", "b:created",
                                        "widget:init", "widget:resize 0 0 800 600"}),
              hooks);
    for (const std::string& entry : messages)
        EXPECT_EQ(std::string::npos, entry.find(":message 1 ")) << "the window-created message is offered to no one";

    HWND window = application->getWindow();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, a->seenWindow);
    EXPECT_EQ(window, b->seenWindow);
    RECT rect = {};
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(640, rect.right - rect.left) << "created with the size the subsystems chose";
    EXPECT_EQ(480, rect.bottom - rect.top);
    WNDCLASSEXA registered = {};
    registered.cbSize = sizeof(WNDCLASSEXA);
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "Quorvel", &registered));
    EXPECT_TRUE(registered.lpfnWndProc == windowProc);

    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(window, GetForegroundWindow());
    EXPECT_EQ(window, GetFocus());
    EXPECT_EQ(cursorBefore - 1, ShowCursor(TRUE) - 1) << "the cursor is hidden by exactly one call";
    ShowCursor(FALSE);

    EXPECT_TRUE(application->getWidgetManager()->isInitialised());
    EXPECT_TRUE(input.dispatchKey(119, 119, true)) << "the widget manager is registered for input";
    EXPECT_EQ("widget:input", journal.back());

    EXPECT_EQ((std::vector<std::string>{"Application initialising...", "Initialisation successful"}), logLines());
    EXPECT_TRUE(application->errors.empty());

    DestroyWindow(window);
    application->pumpMessages();
}

TEST_F(Win32ApplicationTest, QuitMessageFromTheSystemEndsTheLoopWithItsExitCode)
{
    Recorder* a = add("a");
    a->onUpdate = [](int pass) {
        if (pass == 1)
            PostQuitMessage(2);
    };

    application->run();

    EXPECT_EQ((std::vector<std::string>{"a:update", "a:update"}), journal);
    EXPECT_EQ(2, application->getExitCode());
    EXPECT_EQ((std::vector<std::string>{"Running main loop...",
                                        "Application: quit message from the system, exit code 2",
                                        "Application terminated"}),
              logLines());
}
