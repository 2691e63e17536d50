#include "platform/win32/Win32InputSystem.h"

#include "support/FakeScreen.h"
#include "support/QuietApplication.h"
#include "support/TempDir.h"
#include "widgets/InputHandler.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

using namespace Quorvel;

namespace {

struct Event {
    uint32_t kind;
    InputState state;
};

class RecordingHandler : public InputHandler {
public:
    bool handleInput(uint32_t kind, const InputState& state) override
    {
        events.push_back({kind, state});
        return consumes;
    }
    std::vector<Event> events;
    bool consumes = false;
};

constexpr LPARAM Extended = LPARAM(1) << 24;

LPARAM keyParam(uint32_t scanCode, bool extended = false)
{
    return LPARAM(1) | LPARAM(scanCode & 0xFF) << 16 | (extended ? Extended : 0);
}

LPARAM pointParam(uint32_t x, uint32_t y)
{
    return static_cast<LPARAM>((y & 0xFFFF) << 16 | (x & 0xFFFF));
}

WPARAM wheelParam(int16_t distance)
{
    return static_cast<WPARAM>(static_cast<uint32_t>(static_cast<uint16_t>(distance)) << 16);
}

// A fresh Win32 input system for every test, on a 1024 x 768 screen, owned
// by a test application that goes away with it at the end of the test.
class Win32InputSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(nullptr, Application::existingInstance()) << "an earlier test left an application registered";
        ASSERT_EQ(nullptr, InputSystem::existingInstance()) << "an earlier test left an input system registered";
        ASSERT_TRUE(screen.isRegistered());
        application = std::make_unique<QuorvelTest::QuietApplication>();
        input = new Win32InputSystem();
        ASSERT_EQ((std::vector<Win32Subsystem*>{input}), application->getSubsystems());
        input->addHandler(&handler);
    }

    void key(uint32_t virtualKey, bool down, LPARAM lParam = keyParam(0))
    {
        input->handleMessage(nullptr, down ? WM_KEYDOWN : WM_KEYUP, virtualKey, lParam);
    }

    QuorvelTest::TempDir dir; // the application writes its log here
    QuorvelTest::FakeScreen screen{1024, 768};
    std::unique_ptr<QuorvelTest::QuietApplication> application;
    Win32InputSystem* input = nullptr; // owned by the application
    RecordingHandler handler;
};

} // namespace

TEST_F(Win32InputSystemTest, EveryVirtualKeyRowGivesItsEngineCode)
{
    std::vector<std::pair<uint32_t, uint32_t>> rows = {
        {0x10, 1},  {0x11, 3},  {0x12, 5},  {0x08, 8},  {0x09, 9},  {0x0D, 13}, {0x90, 15}, {0x6E, 16},
        {0x1B, 27}, {0x6F, 28}, {0x6A, 29}, {0x6D, 30}, {0x6B, 31}, {0x20, 32}, {0xDE, 39}, {0xBC, 44},
        {0xBD, 45}, {0xBE, 46}, {0xBF, 47}, {0xBA, 59}, {0xBB, 61}, {0x14, 77}, {0x2C, 78}, {0x91, 79},
        {0x13, 80}, {0x2D, 81}, {0x2E, 82}, {0x24, 83}, {0x23, 84}, {0x21, 85}, {0x22, 86}, {0x25, 87},
        {0x27, 88}, {0x26, 89}, {0x28, 90}, {0xDB, 91}, {0xDC, 92}, {0xDD, 93}, {0xC0, 96},
    };
    for (uint32_t n = 0; n < 26; ++n)
        rows.push_back({0x41 + n, 97 + n}); // letters
    for (uint32_t n = 0; n < 10; ++n)
        rows.push_back({0x30 + n, 48 + n}); // digits
    for (uint32_t n = 0; n < 12; ++n)
        rows.push_back({0x70 + n, 65 + n}); // F1 to F12
    for (uint32_t n = 0; n < 10; ++n)
        rows.push_back({0x60 + n, 17 + n}); // keypad digits
    ASSERT_EQ(97u, rows.size());

    for (const auto& row : rows) {
        handler.events.clear();
        key(row.first, true);
        key(row.first, false);
        ASSERT_EQ(2u, handler.events.size()) << "virtual key " << row.first;
        EXPECT_EQ(uint32_t(KeyDown), handler.events[0].kind);
        EXPECT_EQ(row.second, handler.events[0].state.getKey()) << "virtual key " << row.first;
        EXPECT_TRUE(handler.events[0].state.isKeyDown(row.second)) << "virtual key " << row.first;
        EXPECT_EQ(uint32_t(KeyUp), handler.events[1].kind);
        EXPECT_EQ(row.second, handler.events[1].state.getKey()) << "virtual key " << row.first;
        EXPECT_EQ(0u, handler.events[1].state.getCharacter()) << "virtual key " << row.first;
        EXPECT_FALSE(handler.events[1].state.isKeyDown(row.second)) << "virtual key " << row.first;
    }
    // Listed keys hand out no run-time codes.
    EXPECT_EQ(128u, input->codeForVirtualKey(VK_LWIN));
}

TEST_F(Win32InputSystemTest, ExtendedFlagPicksTheRightHandTwin)
{
    const struct {
        uint32_t virtualKey;
        bool extended;
        uint32_t code;
    } cases[] = {
        {VK_SHIFT, false, 1},   {VK_SHIFT, true, 2}, // right Shift normally arrives plain
        {VK_CONTROL, false, 3}, {VK_CONTROL, true, 4},  {VK_MENU, false, 5},
        {VK_MENU, true, 6},     {VK_RETURN, false, 13}, {VK_RETURN, true, 14}, // keypad Enter
        {VK_LEFT, true, 87},    {VK_INSERT, true, 81},                         // the flag means nothing elsewhere
        {VK_DIVIDE, true, 28},  {'A', true, 97},
    };
    for (const auto& c : cases) {
        handler.events.clear();
        key(c.virtualKey, true, keyParam(0x1D, c.extended));
        key(c.virtualKey, false, keyParam(0x1D, c.extended));
        ASSERT_EQ(2u, handler.events.size());
        EXPECT_EQ(c.code, handler.events[0].state.getKey())
            << "virtual key " << c.virtualKey << (c.extended ? " extended" : "");
        EXPECT_EQ(c.code, handler.events[1].state.getKey())
            << "virtual key " << c.virtualKey << (c.extended ? " extended" : "");
        EXPECT_TRUE(handler.events[1].state.getKeys().none());
    }
}

TEST_F(Win32InputSystemTest, KeyDownCarriesTheTranslatedCharacter)
{
    // No modifier held, Caps Lock off: the unshifted character of the key.
    const struct {
        uint32_t virtualKey;
        uint32_t scanCode;
        uint32_t character;
    } cases[] = {
        {'A', 0x1E, 'a'},          {'W', 0x11, 'w'},      {'1', 0x02, '1'},      {VK_SPACE, 0x39, ' '},
        {VK_OEM_COMMA, 0x33, ','}, {VK_RETURN, 0x1C, 13}, {VK_ESCAPE, 0x01, 27}, {VK_F1, 0x3B, 0},
        {VK_LEFT, 0x4B, 0},        {VK_SHIFT, 0x2A, 0},
    };
    for (const auto& c : cases) {
        handler.events.clear();
        key(c.virtualKey, true, keyParam(c.scanCode));
        key(c.virtualKey, false, keyParam(c.scanCode));
        ASSERT_EQ(2u, handler.events.size());
        EXPECT_EQ(c.character, handler.events[0].state.getCharacter()) << "virtual key " << c.virtualKey;
        EXPECT_EQ(0u, handler.events[1].state.getCharacter()) << "release of " << c.virtualKey;
    }
}

TEST_F(Win32InputSystemTest, UnlistedKeysGetRunTimeCodesClearOfTheMouseCodes)
{
    key(VK_LWIN, true);
    key(VK_APPS, true);
    key(VK_LWIN, false);
    ASSERT_EQ(3u, handler.events.size());
    EXPECT_EQ(128u, handler.events[0].state.getKey());
    EXPECT_EQ(129u, handler.events[1].state.getKey());
    EXPECT_EQ(128u, handler.events[2].state.getKey());
    EXPECT_TRUE(handler.events[2].state.isKeyDown(129));
    EXPECT_FALSE(handler.events[2].state.isKeyDown(128));

    // Every virtual key without a row: 159 of the 256, codes handed out in
    // order of first sight, never a mouse or wheel code, all below 512.
    std::set<uint32_t> codes = {128, 129};
    uint32_t previous = 129;
    for (uint32_t vk = 0; vk < 256; ++vk) {
        const uint32_t code = input->codeForVirtualKey(vk);
        if (code < 128 || vk == VK_LWIN || vk == VK_APPS)
            continue;
        EXPECT_GT(code, previous) << "virtual key " << vk;
        EXPECT_TRUE(code < 256 || code > 260) << "virtual key " << vk << " got mouse code " << code;
        EXPECT_LT(code, 512u);
        codes.insert(code);
        previous = code;
    }
    EXPECT_EQ(159u, codes.size());
    EXPECT_EQ(255u + 5u + 31u, previous); // 128 codes below 256, the other 31 after 260
}

TEST_F(Win32InputSystemTest, KeyMessageWithImpossibleVirtualKeyIsIgnored)
{
    key(0x1234, true);
    key(256, false);
    EXPECT_TRUE(handler.events.empty());
    EXPECT_TRUE(input->getState().getKeys().none());
}

TEST_F(Win32InputSystemTest, RepeatedKeyDownsEachDispatchAndReportConsumption)
{
    const LPARAM repeat = keyParam(0x11) | (LPARAM(1) << 30); // previous-state bit set
    key('W', true);
    EXPECT_FALSE(input->wasLastKeyDownConsumed());
    handler.consumes = true;
    key('W', true, repeat);
    EXPECT_TRUE(input->wasLastKeyDownConsumed());
    key('W', true, repeat);
    key('W', false);
    ASSERT_EQ(4u, handler.events.size());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(uint32_t(KeyDown), handler.events[i].kind) << "event " << i;
    EXPECT_EQ(uint32_t(KeyUp), handler.events[3].kind);
    EXPECT_TRUE(input->wasLastKeyDownConsumed()) << "key-up leaves the flag alone";
}

TEST_F(Win32InputSystemTest, CursorMessagesAwayFromTheCentreDispatchTheirOffset)
{
    EXPECT_EQ(1, input->handleMessage(nullptr, WM_MOUSEMOVE, 0, pointParam(512, 384)));
    EXPECT_TRUE(handler.events.empty()) << "the centre is where the engine put the cursor";

    const struct {
        uint32_t x, y;
        int32_t deltaX, deltaY;
    } cases[] = {
        {513, 384, 1, 0},
        {512, 383, 0, -1},
        {600, 300, 88, -84},
        {0, 767, -512, 383},
    };
    for (const auto& c : cases) {
        handler.events.clear();
        input->handleMessage(nullptr, WM_MOUSEMOVE, 0, pointParam(c.x, c.y));
        ASSERT_EQ(1u, handler.events.size()) << c.x << "," << c.y;
        const InputState& state = handler.events[0].state;
        EXPECT_EQ(uint32_t(MouseMove), handler.events[0].kind);
        EXPECT_EQ(int32_t(c.x), state.getMouseX());
        EXPECT_EQ(int32_t(c.y), state.getMouseY());
        EXPECT_EQ(c.deltaX, state.getDeltaX()) << c.x << "," << c.y;
        EXPECT_EQ(c.deltaY, state.getDeltaY()) << c.x << "," << c.y;
    }

    int32_t x = 600, y = 300;
    input->relativeToCentre(x, y);
    EXPECT_EQ(88, x);
    EXPECT_EQ(-84, y);
}

TEST_F(Win32InputSystemTest, MouseButtonsAndWheel)
{
    const struct {
        uint32_t message;
        WPARAM wParam;
        uint32_t kind;
        uint32_t code;
        bool held; // the code's bit in keys afterwards
    } cases[] = {
        {WM_LBUTTONDOWN, 0, KeyDown, 256, true},
        {WM_LBUTTONUP, 0, KeyUp, 256, false},
        {WM_MBUTTONDOWN, 0, KeyDown, 257, true},
        {WM_MBUTTONUP, 0, KeyUp, 257, false},
        {WM_RBUTTONDOWN, 0, KeyDown, 258, true},
        {WM_RBUTTONUP, 0, KeyUp, 258, false},
        {WM_MOUSEWHEEL, wheelParam(120), KeyDown, 259, false},
        {WM_MOUSEWHEEL, wheelParam(-120), KeyDown, 260, false},
        {WM_MOUSEWHEEL, wheelParam(0), KeyDown, 260, false},
        {WM_MOUSEWHEEL, wheelParam(-32768), KeyDown, 260, false},
    };
    for (const auto& c : cases) {
        handler.events.clear();
        EXPECT_EQ(1, input->handleMessage(nullptr, c.message, c.wParam, pointParam(5, 5)));
        ASSERT_EQ(1u, handler.events.size()) << "message " << c.message;
        const InputState& state = handler.events[0].state;
        EXPECT_EQ(c.kind, handler.events[0].kind) << "message " << c.message;
        EXPECT_EQ(c.code, state.getKey()) << "message " << c.message;
        EXPECT_EQ(0u, state.getCharacter());
        EXPECT_EQ(c.held, state.isKeyDown(c.code)) << "message " << c.message;
        EXPECT_EQ(0, state.getMouseX()) << "button messages carry no cursor position";
    }
}

TEST_F(Win32InputSystemTest, OtherMessagesReachNoHandler)
{
    const struct {
        uint32_t message;
        WPARAM wParam;
        int32_t result;
    } cases[] = {
        {WM_SYSKEYDOWN, VK_MENU, 1}, {WM_SYSKEYDOWN, VK_F10, 1}, {WM_SYSKEYUP, VK_MENU, 1},
        {WM_CHAR, 'a', 1},           {WM_LBUTTONDBLCLK, 0, 1},   {WM_RBUTTONDBLCLK, 0, 1},
        {WM_MBUTTONDBLCLK, 0, 1},    {WM_CLOSE, 0, 1},           {WM_NULL, 0, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.result, input->handleMessage(nullptr, c.message, c.wParam, keyParam(0x38)))
            << "message " << c.message;
    EXPECT_TRUE(handler.events.empty());
    EXPECT_TRUE(input->getState().getKeys().none());

    EXPECT_EQ(0, input->handleMessage(nullptr, WM_KEYDOWN, 'Q', keyParam(0x10)));
    EXPECT_EQ(0, input->handleMessage(nullptr, WM_KEYUP, 'Q', keyParam(0x10)));
    EXPECT_FALSE(input->hasFailed());
}

TEST(Win32InputSystemInstanceTest, FirstCallCreatesTheWindowSubsystemOnce)
{
    QuorvelTest::TempDir dir;
    ASSERT_EQ(nullptr, Application::existingInstance()) << "an earlier test left an application registered";
    ASSERT_EQ(nullptr, InputSystem::existingInstance()) << "an earlier test left an input system registered";
    QuorvelTest::FakeScreen screen(1024, 768);
    auto application = std::make_unique<QuorvelTest::QuietApplication>();

    InputSystem* input = InputSystem::instance();
    EXPECT_EQ(input, InputSystem::instance()) << "created once";
    auto* win32 = dynamic_cast<Win32InputSystem*>(input);
    ASSERT_NE(nullptr, win32);
    EXPECT_EQ((std::vector<Win32Subsystem*>{win32}), application->getSubsystems());
    EXPECT_FALSE(input->hasFailed());

    application.reset(); // destroys the input system through its window-subsystem part
    EXPECT_EQ(nullptr, InputSystem::existingInstance());
}

TEST_F(Win32InputSystemTest, FocusLossReleasesHeldKeysAndButtonsThroughTheKeyUpPath)
{
    key('W', true);
    key(VK_SHIFT, true);
    input->handleMessage(nullptr, WM_LBUTTONDOWN, MK_LBUTTON, pointParam(512, 384));
    handler.events.clear();

    input->handleMessage(nullptr, WM_KILLFOCUS, 0, 0);

    std::set<uint32_t> released;
    for (const Event& event : handler.events) {
        EXPECT_EQ(uint32_t(KeyUp), event.kind);
        released.insert(event.state.getKey());
    }
    EXPECT_EQ((std::set<uint32_t>{119u, 1u, InputSystem::MouseLeft}), released);
    EXPECT_TRUE(input->getState().getKeys().none());
    EXPECT_FALSE(input->hasFocus());

    // Without the focus the cursor looks around no more.
    handler.events.clear();
    input->handleMessage(nullptr, WM_MOUSEMOVE, 0, pointParam(600, 300));
    EXPECT_TRUE(handler.events.empty());
    input->handleMessage(nullptr, WM_KILLFOCUS, 0, 0);
    EXPECT_TRUE(handler.events.empty()) << "a second focus loss releases nothing more";
}

TEST_F(Win32InputSystemTest, FocusReturnResumesMouseLookWithoutAJump)
{
    input->handleMessage(nullptr, WM_KILLFOCUS, 0, 0);
    input->handleMessage(nullptr, WM_SETFOCUS, 0, 0);
    EXPECT_TRUE(input->hasFocus());

    // Where the cursor was left while away is not a turn; the next move is.
    input->handleMessage(nullptr, WM_MOUSEMOVE, 0, pointParam(900, 100));
    EXPECT_TRUE(handler.events.empty());
    input->handleMessage(nullptr, WM_MOUSEMOVE, 0, pointParam(520, 384));
    ASSERT_EQ(1u, handler.events.size());
    EXPECT_EQ(8, handler.events[0].state.getDeltaX());

    // A resize moves the centre: the first move after it only re-centres too.
    handler.events.clear();
    input->handleMessage(nullptr, WM_SIZE, SIZE_RESTORED, pointParam(800, 600));
    input->handleMessage(nullptr, WM_MOUSEMOVE, 0, pointParam(700, 100));
    EXPECT_TRUE(handler.events.empty());
}
