// The walker alone, on small grids without OpenGL: where a walk ends, what
// it reports (walked, bumped) for the sound of steps and of walls, the
// rounding of world points to cells, and the cap on one walk's periods.

#include "scene/SceneTestSupport.h"

#include "math/Vector3.h"
#include "scene/LevelGrid.h"
#include "scene/LevelWalker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using Quorvel::LevelGrid;
using Quorvel::LevelWalker;
using Quorvel::Vector3;
using SceneTest::gridFrom;

TEST(LevelWalkerTest, StartsInTheMiddleOfTheStartCellAtEyeHeight)
{
    const LevelGrid grid = gridFrom({"...", "..S"});
    const LevelWalker walker(grid);
    EXPECT_EQ(walker.getPosition().x, 40.0f);
    EXPECT_EQ(walker.getPosition().y, 8.0f);
    EXPECT_EQ(walker.getPosition().z, -24.0f);
    EXPECT_FALSE(walker.walked());
    EXPECT_FALSE(walker.bumped());
}

TEST(LevelWalkerTest, EachWalkReportsWhetherItMovedAndWhetherAWallHeldItBack)
{
    // Three cells across, one down, the middle one solid: from (8, -8) the
    // wall's face lies at x = 16, the grid's edge at x = 0 and z = 0, -16.
    const LevelGrid grid = gridFrom({"S#."});
    struct Case {
        const char* what;
        Vector3 start;
        Vector3 step;
        uint32_t periods;
        Vector3 end;
        bool walked;
        bool bumped;
    };
    const Case cases[] = {
        {"free steps", Vector3(8.0f, 8.0f, -8.0f), Vector3(1.0f, 0.0f, 0.0f), 2, Vector3(10.0f, 8.0f, -8.0f), true,
         false},
        {"up to the wall, then held", Vector3(8.0f, 8.0f, -8.0f), Vector3(1.0f, 0.0f, 0.0f), 10,
         Vector3(11.0f, 8.0f, -8.0f), true, true},
        {"already at the wall", Vector3(11.0f, 8.0f, -8.0f), Vector3(1.0f, 0.0f, 0.0f), 1, Vector3(11.0f, 8.0f, -8.0f),
         false, true},
        {"sliding along the edge", Vector3(8.0f, 8.0f, -4.0f), Vector3(-1.0f, 0.0f, 1.0f), 2,
         Vector3(6.0f, 8.0f, -4.0f), true, true},
        {"no step", Vector3(8.0f, 8.0f, -8.0f), Vector3(0.0f, 0.0f, 0.0f), 5, Vector3(8.0f, 8.0f, -8.0f), false, false},
        {"no periods", Vector3(11.0f, 8.0f, -8.0f), Vector3(1.0f, 0.0f, 0.0f), 0, Vector3(11.0f, 8.0f, -8.0f), false,
         false},
    };
    for (const Case& c : cases) {
        LevelWalker walker(grid);
        // A blocked walk first, so that each case shows its own flags, not left-overs.
        walker.setPosition(Vector3(11.0f, 8.0f, -8.0f));
        walker.walk(Vector3(1.0f, 0.0f, 0.0f), 1);
        ASSERT_TRUE(walker.bumped());
        walker.setPosition(c.start);
        walker.walk(c.step, c.periods);
        EXPECT_EQ(walker.getPosition().x, c.end.x) << c.what;
        EXPECT_EQ(walker.getPosition().y, c.end.y) << c.what;
        EXPECT_EQ(walker.getPosition().z, c.end.z) << c.what;
        EXPECT_EQ(walker.walked(), c.walked) << c.what;
        EXPECT_EQ(walker.bumped(), c.bumped) << c.what;
    }
}

TEST(LevelWalkerTest, PointsRoundToCellsTowardsMinusInfinity)
{
    struct Case {
        float scaled;
        int32_t cell;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {0.0f, 0},  {0.999f, 0}, {1.0f, 1}, {-0.5f, -1},    {-1.0f, -1},     {3.5f, 3},    {4.0f, 4},     {4.999f, 4},
        {5.0f, -1}, {-1.5f, -1}, {nan, -1}, {infinity, -1}, {-infinity, -1}, {3.0e9f, -1}, {-3.0e9f, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LevelWalker::cellIndex(c.scaled, 4), c.cell) << c.scaled;

    // 4 x 1 cells: x from 0 to 64, z from -16 to 0.
    const LevelGrid grid(4, 1);
    const LevelWalker walker(grid);
    EXPECT_FALSE(walker.isSolidAt(0.0f, -0.001f));
    EXPECT_TRUE(walker.isSolidAt(-0.001f, -8.0f));
    EXPECT_TRUE(walker.isSolidAt(8.0f, 0.001f));
    EXPECT_FALSE(walker.isSolidAt(63.99f, -15.99f));
    EXPECT_TRUE(walker.isSolidAt(64.0f, -8.0f));
    EXPECT_TRUE(walker.isSolidAt(8.0f, -16.0f));
    EXPECT_TRUE(walker.isSolidAt(nan, -8.0f));
}

TEST(LevelWalkerTest, OneWalkCoversAtMostMaxPeriodsPerTick)
{
    // Small steps on the largest open grid never reach a wall within the
    // cap, so the cap alone decides where a long walk ends.
    const LevelGrid grid(LevelGrid::MaxSize, LevelGrid::MaxSize);
    const Vector3 step(0.01f, 0.0f, 0.0f);
    auto endAfter = [&](uint32_t periods) {
        LevelWalker walker(grid);
        walker.walk(step, periods);
        return walker.getPosition().x;
    };
    const float capped = endAfter(LevelWalker::MaxPeriodsPerTick);
    EXPECT_EQ(endAfter(LevelWalker::MaxPeriodsPerTick + 1), capped);
    EXPECT_EQ(endAfter(0xFFFFFFFFu), capped);
    EXPECT_LT(endAfter(LevelWalker::MaxPeriodsPerTick - 1), capped);
    EXPECT_NEAR(capped, 8.0f + 655.36f, 1.0f);
}
