// The minimap's colours as the bytes of the large levels' map texture and of
// the level tool's pictures: the same colours the small maps draw, rounded.

#include "scene/LevelMinimap.h"

#include "math/Vector4.h"
#include "scene/LevelGrid.h"

#include <gtest/gtest.h>

using Quorvel::LevelMinimap;

TEST(LevelMinimapTest, ColoursBecomeTheBytesOfTheMapPictures)
{
    struct Case {
        const char* what;
        LevelMinimap::Colour colour;
        int r, g, b;
    };
    const Case cases[] = {
        {"open", LevelMinimap::OpenColour, 128, 128, 128},
        {"solid", LevelMinimap::SolidColour, 178, 102, 0},
        {"heading", LevelMinimap::HeadingColour, 255, 0, 0},
        {"nearly half", LevelMinimap::Colour{0.498f, 0.0f, 1.0f, 1.0f}, 127, 0, 255},
    };
    for (const Case& c : cases) {
        uint8_t rgb[3] = {1, 2, 3};
        LevelMinimap::toBytes(c.colour, rgb);
        EXPECT_EQ(rgb[0], c.r) << c.what;
        EXPECT_EQ(rgb[1], c.g) << c.what;
        EXPECT_EQ(rgb[2], c.b) << c.what;
    }
}

// The heading line is one pixel wide up to 768 lines and at least two on a
// 1080-line screen; the map's box does not depend on the height.
TEST(LevelMinimapTest, HeadingLineWidensOnTallScreens)
{
    const struct {
        float width, height;
        float headingWidth;
    } cases[] = {
        {1024, 768, 1.0f}, {800, 600, 1.0f}, {1920, 768, 1.0f}, {1920, 1080, 2.0f}, {3840, 2160, 3.0f},
    };
    const Quorvel::LevelGrid grid = Quorvel::LevelGrid::builtIn();
    for (const auto& c : cases) {
        LevelMinimap map(grid);
        map.resize(Quorvel::Vector4(0, 0, c.width, c.height));
        EXPECT_EQ(map.getHeadingWidth(), c.headingWidth) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(map.getScale(), c.width / 70.0f) << c.width << "x" << c.height;
    }
}
