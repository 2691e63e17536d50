#include "widgets/WS_FpsCounter.h"

#include "math/Vector4.h"
#include "resources/Font.h"
#include "support/FakeScreen.h"
#include "system/TimerSystem.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Quorvel;

namespace {

// A timer system on a clock the test sets by hand.
class HandClock : public TimerSystem {
public:
    uint32_t now = 0;
    uint32_t getTime() override { return now; }
    bool hasFailed() override { return false; }
};

// A font in which every digit advances 10 / 16 text units, so "9999" is 40
// pixels wide at size 16.
Font& digitFont()
{
    static Font font;
    Glyph digit;
    digit.advance = 10.0f / 16.0f;
    for (char c = '0'; c <= '9'; ++c)
        font.setGlyph(static_cast<unsigned char>(c), digit);
    return font;
}

std::unique_ptr<TextWriter> digitWriter()
{
    return std::make_unique<TextWriter>(&digitFont(), Vector3(1, 1, 1), 16.0f);
}

class WS_FpsCounterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(&clock, TimerSystem::existingInstance()) << "another timer system is registered";
        ASSERT_TRUE(screen.isRegistered()) << "another graphic system is registered";
    }

    // Both outlive the counters of a test, which leave the clock when destroyed.
    HandClock clock;
    QuorvelTest::FakeScreen screen{1024, 768};
    QuorvelTest::FakeScreen* fake = &screen;
};

} // namespace

TEST_F(WS_FpsCounterTest, JoinsTheTimerSystemVisibleAndDeaf)
{
    {
        WS_FpsCounter counter(WS_FpsCounter::AlignCentre, WS_FpsCounter::AlignBottom, digitWriter());
        EXPECT_TRUE(counter.isVisible());
        EXPECT_EQ(0u, counter.getEventMask());
        EXPECT_EQ(1000u, counter.getInterval());
        EXPECT_EQ(TimerEvent::Starting, counter.getState());
        EXPECT_EQ(0u, counter.getFps()) << "nothing measured yet";
        ASSERT_EQ(1u, clock.getEvents().size());
        EXPECT_EQ(static_cast<TimerEvent*>(&counter), clock.getEvents()[0]);
        EXPECT_EQ(1, digitFont().getRefCount()) << "its writer holds the font";
    }
    EXPECT_TRUE(clock.getEvents().empty()) << "a destroyed counter leaves the timer system";
    EXPECT_EQ(0, digitFont().getRefCount()) << "and its writer releases the font";
}

TEST_F(WS_FpsCounterTest, AlignmentCodesPlaceTheText)
{
    struct Case {
        int32_t hAlign, vAlign;
        float x, y;
    };
    const Case cases[] = {
        {4, 3, 492, 752}, // the default: centred at the bottom
        {1, 1, 984, 0},   // right, top
        {0, 0, 0, 0},     // unknown codes: left, top
        {3, 4, 0, 376},   // left, centred
        {4, 4, 492, 376}, {1, 3, 984, 752}, {3, 1, 0, 0}, {7, -1, 0, 0},
    };
    for (const Case& c : cases) {
        WS_FpsCounter counter(c.hAlign, c.vAlign, digitWriter());
        EXPECT_TRUE(counter.resize(Vector4(0, 0, 1024, 768)));
        EXPECT_FLOAT_EQ(c.x, counter.getX()) << "hAlign " << c.hAlign << ", vAlign " << c.vAlign;
        EXPECT_FLOAT_EQ(c.y, counter.getY()) << "hAlign " << c.hAlign << ", vAlign " << c.vAlign;
    }

    // The rectangle's origin is not added: only its size counts.
    WS_FpsCounter counter(4, 3, digitWriter());
    counter.resize(Vector4(100, 50, 1024, 768));
    EXPECT_FLOAT_EQ(492.0f, counter.getX());
    EXPECT_FLOAT_EQ(752.0f, counter.getY());
}

// Up to 768 lines the text keeps the writer's size; above, it grows with the
// height and the four reserved digits and the bottom line follow.
TEST_F(WS_FpsCounterTest, TextGrowsWithTallScreens)
{
    const struct {
        float width, height;
        float size;
        float x, y; // centred at the bottom; "9999" is 2.5 sizes wide
    } cases[] = {
        {1024, 768, 16.0f, 492.0f, 752.0f}, {800, 600, 16.0f, 380.0f, 584.0f},
        {1920, 768, 16.0f, 940.0f, 752.0f}, {1920, 1080, 22.5f, 960.0f - 28.125f, 1080.0f - 22.5f},
        {1024, 768, 16.0f, 492.0f, 752.0f}, // and back: the size is not compounded
    };
    WS_FpsCounter counter(WS_FpsCounter::AlignCentre, WS_FpsCounter::AlignBottom, digitWriter());
    for (const auto& c : cases) {
        counter.resize(Vector4(0, 0, c.width, c.height));
        EXPECT_FLOAT_EQ(counter.getWriter()->getSize(), c.size) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(counter.getX(), c.x) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(counter.getY(), c.y) << c.width << "x" << c.height;
    }
    EXPECT_FLOAT_EQ(counter.getBaseSize(), 16.0f);
}

TEST_F(WS_FpsCounterTest, RateIsFramesPerWholeSecond)
{
    WS_FpsCounter counter(4, 3, digitWriter());
    fake->frames = 500;
    counter.resize(Vector4(0, 0, 1024, 768));
    EXPECT_EQ(0u, fake->frames) << "resize starts the first measurement";

    struct Case {
        uint32_t frames, count, fps;
    };
    const Case cases[] = {{121, 2, 60}, {59, 1, 59}, {0, 1, 0}, {3000, 3, 1000}, {7, 4, 1}};
    for (const Case& c : cases) {
        fake->frames = c.frames;
        counter.tick(c.count);
        EXPECT_EQ(c.fps, counter.getFps()) << c.frames << " frames over " << c.count << " s";
        EXPECT_EQ(0u, fake->frames) << "every tick restarts the count";
    }
}

TEST_F(WS_FpsCounterTest, FirstTickComesBeforeTheFirstFrame)
{
    WS_FpsCounter counter(4, 3, digitWriter());
    fake->frames = 12;
    counter.resize(Vector4(0, 0, 1024, 768));

    // The main loop: timer update, then the frame is drawn and counted.
    clock.now = 5000;
    clock.update();
    EXPECT_EQ(0u, counter.getFps()) << "the first tick finds no frame since resize";
    EXPECT_EQ(TimerEvent::Running, counter.getState());

    fake->frames = 60;
    clock.now = 6000;
    clock.update();
    EXPECT_EQ(0u, counter.getFps()) << "exactly one second is not yet more than the interval";
    clock.now = 6001;
    clock.update();
    EXPECT_EQ(60u, counter.getFps());

    fake->frames = 121; // a stall: the next tick accounts for two seconds
    clock.now = 8200;
    clock.update();
    EXPECT_EQ(60u, counter.getFps());
}

TEST_F(WS_FpsCounterTest, WithoutAFontItStillMeasures)
{
    WS_FpsCounter counter(4, 3, std::make_unique<TextWriter>(nullptr, Vector3(1, 1, 1), 16.0f));
    counter.resize(Vector4(0, 0, 1024, 768));
    EXPECT_FLOAT_EQ(512.0f, counter.getX()) << "no width reserved without a font";
    EXPECT_FLOAT_EQ(752.0f, counter.getY());
    fake->frames = 30;
    counter.tick(1);
    EXPECT_EQ(30u, counter.getFps());
    counter.draw(); // draws nothing, touches no font

    WS_FpsCounter noWriter(4, 3, nullptr);
    ASSERT_NE(nullptr, noWriter.getWriter()) << "a missing writer is replaced by one without a font";
    EXPECT_EQ(nullptr, noWriter.getWriter()->getFont());
    EXPECT_TRUE(noWriter.resize(Vector4(0, 0, 1024, 768)));
    noWriter.draw();
}
