// The overlays' growth on tall screens: none up to 768 lines, the height's
// share above, and lines in whole pixels.

#include "widgets/HudScale.h"

#include <gtest/gtest.h>

#include <limits>

using Quorvel::HudScale;

TEST(HudScaleTest, FactorAndLineWidthByScreenHeight)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const struct {
        float height;
        float scale;
        float lineWidth;
    } cases[] = {
        {0.0f, 1.0f, 1.0f},
        {-5.0f, 1.0f, 1.0f},
        {480.0f, 1.0f, 1.0f},
        {600.0f, 1.0f, 1.0f},
        {767.0f, 1.0f, 1.0f},
        {768.0f, 1.0f, 1.0f},
        {769.0f, 769.0f / 768.0f, 2.0f},
        {1024.0f, 4.0f / 3.0f, 2.0f},
        {1080.0f, 1.40625f, 2.0f},
        {1536.0f, 2.0f, 2.0f},
        {1600.0f, 1600.0f / 768.0f, 3.0f},
        {2160.0f, 2.8125f, 3.0f},
        {nan, 1.0f, 1.0f},
        {infinity, 1.0f, 1.0f},
    };
    for (const auto& c : cases) {
        const float scale = HudScale::forHeight(c.height);
        EXPECT_FLOAT_EQ(scale, c.scale) << "height " << c.height;
        EXPECT_EQ(HudScale::lineWidth(scale), c.lineWidth) << "height " << c.height;
    }
    EXPECT_EQ(HudScale::forHeight(768.0f), 1.0f) << "exactly 1, so nothing drawn at 768 changes";
    EXPECT_EQ(HudScale::lineWidth(nan), 1.0f);
    EXPECT_EQ(HudScale::lineWidth(0.5f), 1.0f) << "never thinner than a pixel";
}
