// The frames-per-second counter in the running engine: its font, its place at
// the bottom of the screen, and its first sample before the first frame.

#include "widgets/WS_FpsCounter.h"

#include "core/Application.h"
#include "resources/Font.h"
#include "support/TestEngine.h"
#include "system/GraphicSystem.h"
#include "widgets/WidgetManager.h"

#include <gtest/gtest.h>

using namespace Quorvel;
using QuorvelTest::Frame;
using QuorvelTest::Pixel;
using QuorvelTest::TestEngine;

namespace {

bool lit(const Pixel& p)
{
    return p.r > 64 || p.g > 64 || p.b > 64;
}

// Lit pixels of the bottom band (rows 600 to 767) inside the columns
// [x0, x1) of the text's line box (rows 752 to 767), and anywhere else in the band.
void countBand(const Frame& frame, int x0, int x1, int& inside, int& outside)
{
    inside = 0;
    outside = 0;
    for (int y = 600; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            if (!lit(frame.at(x, y)))
                continue;
            const bool in = x >= x0 && x < x1 && y >= 752;
            (in ? inside : outside)++;
        }
    }
}

} // namespace

TEST(WS_FpsCounterGLTest, PrintsTheRateCentredAtTheBottom)
{
    ASSERT_TRUE(TestEngine::start()) << TestEngine::lastError();
    auto* counter = new WS_FpsCounter(); // kept by the manager and the timer system for the process
    ASSERT_NE(nullptr, counter->getWriter()->getFont()) << "the font \"default\" from data/";
    EXPECT_EQ(Font::load("default"), counter->getWriter()->getFont());
    EXPECT_GE(counter->getWriter()->getFont()->getRefCount(), 1);

    Application::instance()->getWidgetManager()->add(counter);
    const float reserved = counter->getWriter()->textWidth("9999");
    EXPECT_FLOAT_EQ((1024.0f - reserved) / 2.0f, counter->getX());
    EXPECT_FLOAT_EQ(752.0f, counter->getY()) << "one text size above the bottom edge";
    EXPECT_EQ(0u, GraphicSystem::instance()->getFrameCount()) << "resize starts the count";

    // One pass of the main loop: the timer ticks the counter before the
    // frame is drawn, so the first rate is 0.
    TestEngine::pass();
    EXPECT_EQ(0u, counter->getFps());
    EXPECT_EQ(1u, GraphicSystem::instance()->getFrameCount());

    const int x0 = static_cast<int>(counter->getX());
    const int digit = static_cast<int>(reserved / 4.0f);
    int inside = 0;
    int outside = 0;
    Frame zero = TestEngine::drawFrame();
    countBand(zero, x0, x0 + digit + 1, inside, outside);
    EXPECT_GT(inside, 10) << "\"0\" in the first digit's cell";
    EXPECT_EQ(0, outside);

    // Twelve more frames, then a sample of one second: two digits.
    for (int i = 0; i < 11; ++i)
        TestEngine::drawFrame();
    const uint32_t frames = GraphicSystem::instance()->getFrameCount();
    counter->tick(1);
    ASSERT_EQ(frames, counter->getFps());
    ASSERT_GE(frames, 10u);
    ASSERT_LE(frames, 99u);
    Frame twelve = TestEngine::drawFrame();
    countBand(twelve, x0 + digit, x0 + 2 * digit + 1, inside, outside);
    EXPECT_GT(inside, 5) << "the second digit";
    countBand(twelve, x0, x0 + 2 * digit + 1, inside, outside);
    EXPECT_EQ(0, outside) << "two digits, nothing beyond them";
}
