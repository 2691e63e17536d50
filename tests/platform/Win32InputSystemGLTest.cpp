// Real keyboard and mouse input on a display: events are injected into the X
// server and travel through the window messages to the input system's
// handlers, as a user's key presses do.

#include "platform/win32/Win32InputSystem.h"

#include "support/TestEngine.h"
#include "widgets/InputHandler.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

using namespace Quorvel;
using QuorvelTest::TestEngine;

namespace {

struct Event {
    uint32_t kind;
    InputState state;
};

// Registered in front of the widget manager; records and declines.
class Recorder : public InputHandler {
public:
    bool handleInput(uint32_t kind, const InputState& state) override
    {
        events.push_back({kind, state});
        return false;
    }
    std::vector<Event> events;
};

class Win32InputSystemGLTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestEngine::start()) << TestEngine::lastError();
        static Recorder shared; // the input system keeps its handlers for the process
        static bool added = false;
        if (!added)
            InputSystem::instance()->addHandler(&shared);
        added = true;
        recorder = &shared;
        settle();
        recorder->events.clear();
    }

    // Runs an X input tool and pumps the window messages until `count` events
    // have arrived (or a second has passed).
    void inject(const std::string& command, size_t count)
    {
        ASSERT_EQ(0, std::system(command.c_str())) << command;
        for (int i = 0; i < 100 && recorder->events.size() < count; ++i) {
            TestEngine::pumpMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        TestEngine::pumpMessages();
    }

    void settle()
    {
        for (int i = 0; i < 10; ++i) {
            TestEngine::pumpMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    Recorder* recorder = nullptr;
};

} // namespace

TEST_F(Win32InputSystemGLTest, KeyPressesArriveWithCodeAndCharacter)
{
    const struct {
        const char* command;
        uint32_t code;      // of the key's last event
        uint32_t character; // carried by its key-down
    } cases[] = {
        {"xte 'key a'", 97, 'a'},      {"xte 'keydown Shift_L' 'key a' 'keyup Shift_L'", 97, 'A'},
        {"xte 'key w'", 119, 'w'},     {"xte 'key 5'", 53, '5'},
        {"xte 'key Return'", 13, 13},  {"xte 'key KP_Enter'", 14, 13},
        {"xte 'key Control_R'", 4, 0}, {"xte 'key Control_L'", 3, 0},
        {"xte 'key F1'", 65, 0},
    };
    for (const auto& c : cases) {
        recorder->events.clear();
        inject(c.command, 2);
        // Find the key-down and key-up of the key (a modifier may come first).
        const Event* down = nullptr;
        const Event* up = nullptr;
        for (const Event& event : recorder->events) {
            if (event.state.getKey() != c.code)
                continue;
            if (event.kind == KeyDown && down == nullptr)
                down = &event;
            if (event.kind == KeyUp)
                up = &event;
        }
        ASSERT_NE(nullptr, down) << c.command;
        ASSERT_NE(nullptr, up) << c.command;
        EXPECT_EQ(c.character, down->state.getCharacter()) << c.command;
        EXPECT_TRUE(down->state.isKeyDown(c.code)) << c.command;
        EXPECT_EQ(0u, up->state.getCharacter()) << c.command;
        EXPECT_TRUE(InputSystem::instance()->getState().getKeys().none()) << "all released after " << c.command;
    }
}

TEST_F(Win32InputSystemGLTest, CursorOffsetsAndTheCentredCursorIsSilent)
{
    inject("xdotool mousemove 600 300", 1);
    ASSERT_FALSE(recorder->events.empty());
    const InputState& moved = recorder->events.back().state;
    EXPECT_EQ(uint32_t(MouseMove), recorder->events.back().kind);
    EXPECT_EQ(600, moved.getMouseX());
    EXPECT_EQ(300, moved.getMouseY());
    EXPECT_EQ(88, moved.getDeltaX());
    EXPECT_EQ(-84, moved.getDeltaY());

    // Putting the cursor back at the centre is our own move: it reaches no one.
    recorder->events.clear();
    InputSystem::instance()->centreCursor();
    settle();
    EXPECT_TRUE(recorder->events.empty());
}

TEST_F(Win32InputSystemGLTest, ButtonsAndWheel)
{
    const struct {
        const char* command;
        uint32_t code;
        size_t events; // a wheel step is a key-down alone
    } cases[] = {
        {"xdotool click 1", 256, 2}, {"xdotool click 3", 258, 2}, {"xdotool click 2", 257, 2},
        {"xdotool click 4", 259, 1}, {"xdotool click 5", 260, 1},
    };
    for (const auto& c : cases) {
        recorder->events.clear();
        inject(c.command, c.events);
        std::vector<uint32_t> kinds;
        for (const Event& event : recorder->events) {
            if (event.kind != MouseMove) {
                EXPECT_EQ(c.code, event.state.getKey()) << c.command;
                kinds.push_back(event.kind);
            }
        }
        const std::vector<uint32_t> expected = c.events == 2 ? std::vector<uint32_t>{KeyDown, KeyUp}
                                                             : std::vector<uint32_t>{KeyDown};
        EXPECT_EQ(expected, kinds) << c.command;
        EXPECT_TRUE(InputSystem::instance()->getState().getKeys().none()) << c.command;
    }
}
