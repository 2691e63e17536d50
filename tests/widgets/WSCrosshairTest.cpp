#include "widgets/WSCrosshair.h"

#include "math/Vector4.h"
#include "widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <string>

using namespace Quorvel;

TEST(WSCrosshairTest, StartsHiddenAndDeclinesInput)
{
    WSCrosshair crosshair;
    EXPECT_FALSE(crosshair.isVisible());
    EXPECT_EQ(0u, crosshair.getEventMask());
    EXPECT_TRUE(crosshair.init());
    const InputState state;
    for (uint32_t kind : {KeyDown, KeyUp, MouseMove})
        EXPECT_FALSE(crosshair.handleInput(kind, state)) << "kind " << kind;

    // Offered input by the manager, it still declines, so widgets after it see the event.
    WidgetManager manager;
    manager.add(&crosshair);
    EXPECT_FALSE(manager.handleInput(KeyDown, state));
}

TEST(WSCrosshairTest, CentreIsTheMiddleOfTheRectangle)
{
    const struct {
        Vector4 rect;
        float x, y;
    } cases[] = {
        {Vector4(0, 0, 1024, 768), 512, 384},
        {Vector4(100, 50, 300, 250), 200, 150},
        {Vector4(0, 0, 1023, 767), 511.5f, 383.5f}, // odd sizes keep the half pixel
    };
    for (const auto& c : cases) {
        WSCrosshair crosshair;
        EXPECT_TRUE(crosshair.resize(c.rect));
        EXPECT_FLOAT_EQ(c.x, crosshair.getCentre().x) << "rect " << c.rect.z << "x" << c.rect.w;
        EXPECT_FLOAT_EQ(c.y, crosshair.getCentre().y) << "rect " << c.rect.z << "x" << c.rect.w;
        EXPECT_FLOAT_EQ(0.0f, crosshair.getCentre().z);
    }
}

TEST(WSCrosshairTest, FourArmsAroundAnOpenCentre)
{
    WSCrosshair crosshair;
    crosshair.resize(Vector4(0, 0, 1024, 768));
    // Pairs of (outer end, inner end): left, right, top, bottom arm.
    const float expected[8][2] = {
        {502, 384}, {509, 384}, {522, 384}, {515, 384}, {512, 374}, {512, 381}, {512, 394}, {512, 387},
    };
    const auto points = crosshair.segments();
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_FLOAT_EQ(expected[i][0], points[i].x) << "vertex " << i;
        EXPECT_FLOAT_EQ(expected[i][1], points[i].y) << "vertex " << i;
        EXPECT_FLOAT_EQ(0.0f, points[i].z) << "vertex " << i;
    }
}

// On a 1080-line screen the arms grow by 1080 / 768 and are drawn 2 pixels
// wide; up to 768 lines they keep their size and width, whatever the width.
TEST(WSCrosshairTest, ArmsGrowWithTallScreens)
{
    const struct {
        Vector4 rect;
        float scale;
        float lineWidth;
    } cases[] = {
        {Vector4(0, 0, 1024, 768), 1.0f, 1.0f},     {Vector4(0, 0, 1920, 768), 1.0f, 1.0f},
        {Vector4(0, 0, 800, 600), 1.0f, 1.0f},      {Vector4(0, 0, 1920, 1080), 1.40625f, 2.0f},
        {Vector4(0, 0, 3840, 2160), 2.8125f, 3.0f},
    };
    for (const auto& c : cases) {
        WSCrosshair crosshair;
        crosshair.resize(c.rect);
        const std::string what = std::to_string(int(c.rect.z)) + "x" + std::to_string(int(c.rect.w));
        EXPECT_FLOAT_EQ(crosshair.getScale(), c.scale) << what;
        EXPECT_EQ(crosshair.getLineWidth(), c.lineWidth) << what;
        const auto points = crosshair.segments();
        const Vector3 centre = crosshair.getCentre();
        // Left arm: outer end, inner end.
        EXPECT_FLOAT_EQ(centre.x - points[0].x, WSCrosshair::ArmEnd * c.scale) << what;
        EXPECT_FLOAT_EQ(centre.x - points[1].x, WSCrosshair::ArmStart * c.scale) << what;
        // Bottom arm.
        EXPECT_FLOAT_EQ(points[6].y - centre.y, WSCrosshair::ArmEnd * c.scale) << what;
        EXPECT_FLOAT_EQ(points[7].y - centre.y, WSCrosshair::ArmStart * c.scale) << what;
    }
}
