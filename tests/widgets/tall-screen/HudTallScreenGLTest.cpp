// The overlays on a 1920 x 1080 screen, drawn by the running engine: the
// crosshair's arms longer and two pixels wide, the counter's digit taller
// than the same digit at the size used up to 768 lines, the minimap's
// heading line at least two pixels wide. (At 1024 x 768 the other drawing
// tests hold the picture as it always was.)

#include "core/Application.h"
#include "resources/Font.h"
#include "scene/W_LevelRenderer.h"
#include "support/TestEngine.h"
#include "widgets/TextWriter.h"
#include "widgets/WSCrosshair.h"
#include "widgets/WS_FpsCounter.h"
#include "widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Quorvel;
using QuorvelTest::Frame;
using QuorvelTest::Pixel;
using QuorvelTest::TestEngine;

namespace {

constexpr int ScreenWidth = 1920;
constexpr int ScreenHeight = 1080;
const Pixel White{255, 255, 255};
const Pixel Red{255, 0, 0};

bool lit(const Pixel& p)
{
    return p.r > 64 || p.g > 64 || p.b > 64;
}

// Rows from the first to the last that hold a lit pixel inside the box.
int litHeight(const Frame& frame, int x0, int y0, int x1, int y1)
{
    int top = y1;
    int bottom = y0 - 1;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (lit(frame.at(x, y))) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return bottom >= top ? bottom - top + 1 : 0;
}

// A "0" at the text size the counter has up to 768 lines, at a fixed place.
class PlainDigit : public Widget {
public:
    PlainDigit() : writer(Font::load("default"), Vector3(1.0f, 1.0f, 1.0f), WS_FpsCounter::DefaultSize)
    {
        visible = true;
    }
    void draw() override { writer.printAt(100.0f, 100.0f, "0"); }

private:
    TextWriter writer;
};

class HudTallScreenGLTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        TestEngine::setScreenSize(ScreenWidth, ScreenHeight);
        started = TestEngine::start();
    }
    void SetUp() override { ASSERT_TRUE(started) << TestEngine::lastError(); }

    static bool started;
};

bool HudTallScreenGLTest::started = false;

} // namespace

// The tests share one engine and its widget manager, which only grows:
// first the counter and a plain digit, then the crosshair, then the level.
TEST_F(HudTallScreenGLTest, OverlaysGrowWithTheScreen)
{
    WidgetManager* widgets = Application::instance()->getWidgetManager();

    // The counter prints "0" until its first sample.
    static WS_FpsCounter counter;
    static PlainDigit plain;
    widgets->add(&counter);
    widgets->add(&plain);
    ASSERT_NE(nullptr, counter.getWriter()->getFont());
    EXPECT_FLOAT_EQ(counter.getWriter()->getSize(), 22.5f) << "16 at 768 lines, times 1080 / 768";
    EXPECT_FLOAT_EQ(counter.getY(), 1080.0f - 22.5f);
    Frame text = TestEngine::drawFrame();
    ASSERT_EQ(ScreenWidth, text.width);
    ASSERT_EQ(ScreenHeight, text.height);
    const int counterHeight = litHeight(text, 860, 1000, 1060, 1080);
    const int plainHeight = litHeight(text, 90, 90, 140, 140);
    ASSERT_GT(plainHeight, 5) << "the plain digit is drawn";
    EXPECT_GE(counterHeight * 100, plainHeight * 130)
        << "counter's digit " << counterHeight << " rows, at the small size " << plainHeight;

    // The crosshair: arms from 4.2 to 14.1 pixels off the centre (960, 540),
    // two rows (or columns) wide, the centre open.
    static WSCrosshair crosshair;
    widgets->add(&crosshair);
    crosshair.show();
    Frame cross = TestEngine::drawFrame();
    for (int offset = 6; offset <= 13; ++offset) {
        for (int across : {539, 540}) {
            EXPECT_EQ(White, cross.at(960 - offset, across)) << "left arm at " << offset << ", row " << across;
            EXPECT_EQ(White, cross.at(959 + offset, across)) << "right arm at " << offset << ", row " << across;
            EXPECT_EQ(White, cross.at(across + 420, 540 - offset)) << "top arm at " << offset;
            EXPECT_EQ(White, cross.at(across + 420, 539 + offset)) << "bottom arm at " << offset;
        }
        EXPECT_NE(White, cross.at(960 - offset, 537)) << "no third row at " << offset;
        EXPECT_NE(White, cross.at(960 - offset, 542)) << "no third row at " << offset;
    }
    for (int y = 538; y <= 541; ++y)
        for (int x = 958; x <= 961; ++x)
            EXPECT_NE(White, cross.at(x, y)) << "the open centre at " << x << "," << y;
    EXPECT_NE(White, cross.at(960 - 16, 540)) << "the arms end before 16 pixels";
    EXPECT_NE(White, cross.at(960 + 15, 540)) << "the arms end before 16 pixels";
}

// Across the minimap's heading at the start, at least two pixels are red.
TEST_F(HudTallScreenGLTest, MinimapHeadingIsAtLeastTwoPixelsWide)
{
    static W_LevelRenderer level;
    Application::instance()->getWidgetManager()->add(&level);
    level.tick(1); // points the heading
    EXPECT_EQ(level.getMinimap().getHeadingWidth(), 2.0f);

    Frame frame = TestEngine::drawFrame();
    const float scale = level.getMapScale();
    const float left = level.getMapOrigin().x;
    // The player stands in the middle of cell (0, 0) looking towards -z,
    // down the map: the line runs from half a cell to 13/16 of a cell.
    const int lineX = static_cast<int>(left + scale * 0.5f);
    for (int y = static_cast<int>(scale * 0.55f); y <= static_cast<int>(scale * 0.75f); ++y) {
        int red = 0;
        for (int x = lineX - 4; x <= lineX + 4; ++x)
            red += frame.at(x, y) == Red ? 1 : 0;
        EXPECT_GE(red, 2) << "row " << y << " across the heading at x " << lineX;
        EXPECT_LE(red, 3) << "row " << y;
    }
}
