#include "scene/TBasisPainter.h"

#include <gtest/gtest.h>

using Quorvel::TBasisPainter;
using Quorvel::Vector3;

namespace {

// The axis colours come with a length of their own or the unit length; a
// colour of one's own always means the stippled cross.
TEST(TBasisPainterTest, ConstructorsChooseLengthColourAndStyle)
{
    const TBasisPainter unit;
    const TBasisPainter longer(2.5f);
    const TBasisPainter yellow(Vector3(1.0f, 1.0f, 0.0f), 3.0f);
    const struct {
        const char* what;
        const TBasisPainter& painter;
        Vector3 color;
        float length;
        bool colored;
    } cases[] = {
        {"default", unit, Vector3(0.0f, 0.0f, 0.0f), 1.0f, true},
        {"length only", longer, Vector3(0.0f, 0.0f, 0.0f), 2.5f, true},
        {"colour and length", yellow, Vector3(1.0f, 1.0f, 0.0f), 3.0f, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.color.x, c.painter.getColor().x) << c.what;
        EXPECT_EQ(c.color.y, c.painter.getColor().y) << c.what;
        EXPECT_EQ(c.color.z, c.painter.getColor().z) << c.what;
        EXPECT_EQ(c.length, c.painter.getLength()) << c.what;
        EXPECT_EQ(c.colored, c.painter.isColored()) << c.what;
        EXPECT_EQ(nullptr, c.painter.getParent()) << c.what << ": a new painter is a root";
    }
}

} // namespace
