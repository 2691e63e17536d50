#include "widgets/WSCrosshair.h"

#include "core/Application.h"
#include "support/TestEngine.h"
#include "widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace Quorvel;
using QuorvelTest::Frame;
using QuorvelTest::Pixel;
using QuorvelTest::TestEngine;

namespace {

const Pixel White{255, 255, 255};
const Pixel Black{0, 0, 0};

// White pixels in the square of the given half size around the screen centre.
int whiteAround(const Frame& frame, int half)
{
    int count = 0;
    for (int y = 384 - half; y < 384 + half; ++y)
        for (int x = 512 - half; x < 512 + half; ++x)
            count += frame.at(x, y) == White ? 1 : 0;
    return count;
}

// Whether any of the pixels on either side of a line that lies on a pixel
// boundary is white: which of the two rows (or columns) the rasteriser lights
// is its own choice.
bool whiteAcross(const Frame& frame, int x, int y, bool horizontalLine)
{
    return horizontalLine ? (frame.at(x, y - 1) == White || frame.at(x, y) == White)
                          : (frame.at(x - 1, y) == White || frame.at(x, y) == White);
}

} // namespace

TEST(WSCrosshairGLTest, DrawsFourWhiteArmsAroundAnOpenCentre)
{
    ASSERT_TRUE(TestEngine::start()) << TestEngine::lastError();
    WidgetManager* manager = Application::instance()->getWidgetManager();
    static WSCrosshair crosshair; // the manager keeps it for the rest of the process
    manager->add(&crosshair);

    Frame hidden = TestEngine::drawFrame();
    EXPECT_EQ(0, whiteAround(hidden, 20)) << "a crosshair that was never shown draws nothing";

    crosshair.show();
    Frame frame = TestEngine::drawFrame();
    ASSERT_EQ(1024, frame.width);
    ASSERT_EQ(768, frame.height);

    // Each arm runs 7 pixels from 10 to 3 units off the centre.
    for (int offset = 4; offset <= 9; ++offset) {
        EXPECT_TRUE(whiteAcross(frame, 512 - offset, 384, true)) << "left arm at " << offset;
        EXPECT_TRUE(whiteAcross(frame, 512 + offset, 384, true)) << "right arm at " << offset;
        EXPECT_TRUE(whiteAcross(frame, 512, 384 - offset, false)) << "top arm at " << offset;
        EXPECT_TRUE(whiteAcross(frame, 512, 384 + offset, false)) << "bottom arm at " << offset;
    }
    const int white = whiteAround(frame, 20);
    EXPECT_GE(white, 24);
    EXPECT_LE(white, 32);

    // The centre stays open and nothing lies off the arms.
    for (int y = 384 - 20; y < 384 + 20; ++y) {
        for (int x = 512 - 20; x < 512 + 20; ++x) {
            const bool onHorizontal = (y == 383 || y == 384) && std::abs(x - 512) <= 10;
            const bool onVertical = (x == 511 || x == 512) && std::abs(y - 384) <= 10;
            const bool inGap = std::abs(x - 512) <= 2 && std::abs(y - 384) <= 2;
            if (inGap || (!onHorizontal && !onVertical)) {
                EXPECT_EQ(Black, frame.at(x, y)) << "pixel " << x << "," << y;
            }
        }
    }
}
