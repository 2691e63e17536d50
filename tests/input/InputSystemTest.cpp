#include "input/InputSystem.h"
#include "support/FakeScreen.h"
#include "widgets/InputHandler.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace Quorvel;
using QuorvelTest::FakeScreen;

namespace {

// An input system without a platform: events come only from the test.
class FakeInputSystem : public InputSystem {
public:
    bool hasFailed() override { return false; }
    void relativeToCentre(int32_t&, int32_t&) override {}
    void centreCursor() override { ++centred; }
    int centred = 0;
};

struct Seen {
    std::string handler;
    uint32_t kind;
    InputState state;
};

// Records every event it is offered into a log shared with other handlers,
// so that the order of the walk is visible; consumes when told to.
class RecordingHandler : public InputHandler {
public:
    RecordingHandler(std::string name, std::vector<Seen>& log, bool consumes = false)
        : name(std::move(name)), log(log), consumes(consumes)
    {
    }

    bool handleInput(uint32_t kind, const InputState& state) override
    {
        log.push_back({name, kind, state});
        return consumes;
    }

    std::string name;
    std::vector<Seen>& log;
    bool consumes;
};

std::vector<std::string> names(const std::vector<Seen>& log)
{
    std::vector<std::string> result;
    for (const Seen& seen : log)
        result.push_back(seen.handler);
    return result;
}

} // namespace

TEST(InputSystemTest, KeyNamesOfTheFixedTable)
{
    FakeInputSystem input;
    const struct {
        uint32_t code;
        const char* name;
    } cases[] = {
        {1, "Left Shift"}, {2, "Right Shift"},  {3, "Left Ctrl"},   {4, "Right Ctrl"}, {5, "Left Alt"},
        {6, "Right Alt"},  {8, "Backspace"},    {9, "Tab"},         {13, "Return"},    {14, "Gray Enter"},
        {15, "NumLock"},   {16, "Gray ."},      {17, "Gray 0"},     {21, "Gray 4"},    {26, "Gray 9"},
        {27, "Escape"},    {28, "Gray /"},      {29, "Gray *"},     {30, "Gray -"},    {31, "Gray +"},
        {32, "Space"},     {39, "'"},           {44, ","},          {45, "-"},         {46, "."},
        {47, "/"},         {48, "0"},           {53, "5"},          {57, "9"},         {59, ";"},
        {61, ":"},         {65, "F1"},          {73, "F9"},         {74, "F10"},       {76, "F12"},
        {77, "CapsLock"},  {78, "PrintScreen"}, {79, "ScrollLock"}, {80, "Pause"},     {81, "Ins"},
        {82, "Del"},       {83, "Home"},        {84, "End"},        {85, "PgUp"},      {86, "PgDn"},
        {87, "Left"},      {88, "Right"},       {89, "Up"},         {90, "Down"},      {91, "["},
        {92, "\\"},        {93, "]"},           {96, "`,~"},        {97, "A"},         {119, "W"},
        {122, "Z"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.name, input.keyName(c.code).c_str()) << "code " << c.code;
}

TEST(InputSystemTest, ExactlyTheListedCodesHaveNames)
{
    FakeInputSystem input;
    std::set<uint32_t> named = {1,  2,  3,  4,  5,  6,  8,  9,  13, 14, 15, 16, 27, 28, 29,
                                30, 31, 32, 39, 44, 45, 46, 47, 59, 61, 91, 92, 93, 96};
    for (uint32_t code = 17; code <= 26; ++code)
        named.insert(code);
    for (uint32_t code = 48; code <= 57; ++code)
        named.insert(code);
    for (uint32_t code = 65; code <= 90; ++code)
        named.insert(code);
    for (uint32_t code = 97; code <= 122; ++code)
        named.insert(code);
    ASSERT_EQ(101u, named.size());

    for (uint32_t code = 0; code < 600; ++code) {
        const bool hasName = input.keyName(code).length() > 0;
        EXPECT_EQ(named.count(code) == 1, hasName)
            << "code " << code << " named \"" << input.keyName(code).c_str() << "\"";
    }
}

TEST(InputSystemTest, KeyPressAndReleaseSetAndClearTheBit)
{
    FakeScreen screen(1024, 768);
    ASSERT_TRUE(screen.isRegistered());
    FakeInputSystem input;
    std::vector<Seen> log;
    RecordingHandler handler("h", log);
    input.addHandler(&handler);
    input.dispatchMouseMove(600, 300);

    EXPECT_FALSE(input.dispatchKey(119, 119, true));
    InputState state = input.getState();
    EXPECT_TRUE(state.isKeyDown(119));
    EXPECT_EQ(1u, state.getKeys().count());
    EXPECT_EQ(119u, state.getKey());
    EXPECT_EQ(119u, state.getCharacter());

    input.dispatchKey(97, 97, true); // a second key held at the same time
    input.dispatchKey(119, 0, false);
    state = input.getState();
    EXPECT_FALSE(state.isKeyDown(119));
    EXPECT_TRUE(state.isKeyDown(97));
    EXPECT_EQ(119u, state.getKey());
    EXPECT_EQ(0u, state.getCharacter());

    // Key events leave the cursor fields alone.
    EXPECT_EQ(600, state.getMouseX());
    EXPECT_EQ(300, state.getMouseY());
    EXPECT_EQ(88, state.getDeltaX());
    EXPECT_EQ(-84, state.getDeltaY());

    ASSERT_EQ(4u, log.size());
    const uint32_t kinds[] = {MouseMove, KeyDown, KeyDown, KeyUp};
    for (size_t i = 0; i < log.size(); ++i)
        EXPECT_EQ(kinds[i], log[i].kind) << "event " << i;
    // The handler sees the state as it is after the event was recorded.
    EXPECT_EQ(119u, log[1].state.getKey());
    EXPECT_TRUE(log[1].state.isKeyDown(119));
    EXPECT_FALSE(log[3].state.isKeyDown(119));
}

TEST(InputSystemTest, WheelStepsAreKeyDownsThatNeverEnterTheHeldKeys)
{
    FakeInputSystem input;
    std::vector<Seen> log;
    RecordingHandler handler("h", log);
    input.addHandler(&handler);

    for (uint32_t code : {InputSystem::WheelForward, InputSystem::WheelBackward}) {
        log.clear();
        input.dispatchKey(code, 0, true);
        EXPECT_TRUE(input.getState().getKeys().none()) << "code " << code;
        EXPECT_EQ(code, input.getState().getKey());
        ASSERT_EQ(1u, log.size());
        EXPECT_EQ(uint32_t(KeyDown), log[0].kind);
    }
    // The mouse buttons, unlike the wheel, are held keys.
    input.dispatchKey(InputSystem::MouseLeft, 0, true);
    EXPECT_TRUE(input.getState().isKeyDown(256));
}

TEST(InputSystemTest, NewestHandlerFirstAndConsumptionStopsTheWalk)
{
    FakeScreen screen(1024, 768);
    ASSERT_TRUE(screen.isRegistered());
    FakeInputSystem input;
    std::vector<Seen> log;
    RecordingHandler first("first", log);
    RecordingHandler second("second", log);
    input.addHandler(&first);
    input.addHandler(&second);

    EXPECT_FALSE(input.dispatchKey(32, 32, true));
    EXPECT_EQ((std::vector<std::string>{"second", "first"}), names(log));

    log.clear();
    second.consumes = true;
    EXPECT_TRUE(input.dispatchKey(32, 0, false));
    input.dispatchMouseMove(1, 2);
    EXPECT_EQ((std::vector<std::string>{"second", "second"}), names(log));
    // The event was recorded even though the first handler never saw it.
    EXPECT_FALSE(input.getState().isKeyDown(32));
}

TEST(InputSystemTest, EventMaskDecidesWhichKindsAHandlerIsOffered)
{
    FakeScreen screen(1024, 768);
    ASSERT_TRUE(screen.isRegistered());
    const struct {
        uint32_t mask;
        bool keyDown, keyUp, mouseMove;
    } cases[] = {
        {0, false, false, false},
        {KeyDown, true, false, false},
        {KeyUp, false, true, false},
        {MouseMove, false, false, true},
        {KeyDown | MouseMove, true, false, true},
        {0xFFFFFFF8u, false, false, false}, // only bits that are no kind
        {InputHandler::AllEvents, true, true, true},
    };
    for (const auto& c : cases) {
        FakeInputSystem input;
        std::vector<Seen> log;
        RecordingHandler masked("masked", log, true); // would consume whatever it sees
        RecordingHandler behind("behind", log);
        masked.setEventMask(c.mask);
        input.addHandler(&behind);
        input.addHandler(&masked);

        input.dispatchKey(100, 100, true);
        input.dispatchKey(100, 0, false);
        input.dispatchMouseMove(10, 10);

        // A skipped handler does not consume: the one behind it sees the event.
        const std::vector<std::string> expected = {c.keyDown ? "masked" : "behind", c.keyUp ? "masked" : "behind",
                                                   c.mouseMove ? "masked" : "behind"};
        EXPECT_EQ(expected, names(log)) << "mask " << c.mask;
    }
}

TEST(InputSystemTest, CursorOffsetsFromTheScreenCentre)
{
    const struct {
        uint32_t width, height;
        int32_t x, y;
        int32_t deltaX, deltaY;
    } cases[] = {
        {1024, 768, 600, 300, 88, -84},   {1024, 768, 512, 384, 0, 0},
        {1024, 768, 0, 0, -512, -384},    {1023, 767, 511, 383, 0, 0}, // odd sizes: the centre drops the remainder
        {1023, 767, 1022, 766, 511, 383}, {0, 0, 5, 7, 5, 7},
    };
    for (const auto& c : cases) {
        FakeScreen screen(c.width, c.height);
        ASSERT_TRUE(screen.isRegistered());
        FakeInputSystem input;
        input.dispatchKey(50, 50, true);
        input.dispatchMouseMove(c.x, c.y);
        const InputState state = input.getState();
        EXPECT_EQ(c.x, state.getMouseX());
        EXPECT_EQ(c.y, state.getMouseY());
        EXPECT_EQ(c.deltaX, state.getDeltaX()) << c.width << "x" << c.height << " at " << c.x;
        EXPECT_EQ(c.deltaY, state.getDeltaY()) << c.width << "x" << c.height << " at " << c.y;
        // A cursor event leaves the key fields alone.
        EXPECT_TRUE(state.isKeyDown(50));
        EXPECT_EQ(50u, state.getKey());
        EXPECT_EQ(50u, state.getCharacter());
    }
}

TEST(InputSystemTest, HandlerAddedDuringAnEventSeesOnlyLaterEvents)
{
    FakeInputSystem input;
    std::vector<Seen> log;
    RecordingHandler late("late", log);

    class Registrar : public InputHandler {
    public:
        Registrar(InputSystem& input, InputHandler& late) : input(input), late(late) {}
        bool handleInput(uint32_t, const InputState&) override
        {
            if (!done)
                input.addHandler(&late);
            done = true;
            return false;
        }
        InputSystem& input;
        InputHandler& late;
        bool done = false;
    } registrar(input, late);
    input.addHandler(&registrar);

    input.dispatchKey(1, 0, true);
    EXPECT_TRUE(log.empty());
    input.dispatchKey(1, 0, false);
    EXPECT_EQ((std::vector<std::string>{"late"}), names(log));
}

TEST(InputSystemTest, FirstConstructedInputSystemIsTheInstance)
{
    FakeInputSystem first;
    FakeInputSystem second;
    EXPECT_EQ(&first, InputSystem::existingInstance());
    EXPECT_EQ(&first, InputSystem::instance());
}

TEST(InputStateTest, StartsClearAndRefusesCodesPastTheKeySet)
{
    InputState state;
    EXPECT_TRUE(state.getKeys().none());
    EXPECT_EQ(0u, state.getKey());
    EXPECT_EQ(0u, state.getCharacter());
    EXPECT_EQ(0, state.getMouseX());
    EXPECT_EQ(0, state.getDeltaY());

    state.setCharacter(65);
    state.setKey(511);
    EXPECT_EQ(0u, state.getCharacter()) << "setKey clears the character";
    state.setKeyDown(511, true);
    EXPECT_TRUE(state.isKeyDown(511));
    EXPECT_FALSE(state.isKeyDown(512));
#ifdef NDEBUG
    state.setKeyDown(512, true); // a usage error, ignored in release builds
    EXPECT_EQ(1u, state.getKeys().count());
#else
    EXPECT_DEATH(state.setKeyDown(512, true), "out of range");
#endif
}

TEST(InputSystemTest, ReleaseAllKeysSendsAKeyUpForEveryHeldKeyAndButton)
{
    FakeScreen screen(1024, 768);
    FakeInputSystem input;
    std::vector<Seen> log;
    RecordingHandler handler("h", log);
    input.addHandler(&handler);
    for (uint32_t code : {119u, 1u, InputSystem::MouseLeft, InputSystem::WheelForward})
        input.dispatchKey(code, 0, true);
    log.clear();

    input.releaseAllKeys();

    ASSERT_EQ(3u, log.size()) << "a wheel step is never held, so it is never released";
    const uint32_t released[] = {1u, 119u, InputSystem::MouseLeft};
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(uint32_t(KeyUp), log[i].kind);
        EXPECT_EQ(released[i], log[i].state.getKey());
    }
    EXPECT_TRUE(input.getState().getKeys().none());

    log.clear();
    input.releaseAllKeys();
    EXPECT_TRUE(log.empty()) << "nothing held, nothing sent";
}
