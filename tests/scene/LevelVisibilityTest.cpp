// Which blocks the eye sees, on small grids without OpenGL: a wall hides
// what lies behind it, the view's width and direction choose the rays, and
// a small level is always seen whole.

#include "scene/SceneTestSupport.h"

#include "math/MathUtil.h"
#include "math/Vector3.h"
#include "scene/LevelGeometry.h"
#include "scene/LevelGrid.h"
#include "scene/LevelVisibility.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using Quorvel::LevelGeometry;
using Quorvel::LevelGrid;
using Quorvel::LevelVisibility;
using Quorvel::Vector3;

namespace {

// 24 x 24 open cells, 3 x 3 blocks of 8; with wall, column 8 (the first of
// the middle column of blocks) is solid from top to bottom.
LevelGrid field(bool wall)
{
    LevelGrid grid(24, 24);
    for (int32_t j = 0; j < 24 && wall; ++j)
        grid.setSolid(8, j, true);
    return grid;
}

// The eye in the middle of cell (2, 12), looking along yaw (0 looks towards
// -z, that is +j; a quarter turn back looks towards +x, +i).
LevelVisibility::View view(float yaw, float pitch = 0.0f)
{
    return LevelVisibility::View{Vector3(40.0f, 8.0f, -200.0f), yaw, pitch, 60.0f, 4.0f / 3.0f};
}

constexpr float TowardsPlusI = Quorvel::TwoPi - Quorvel::HalfPi;
constexpr float TowardsMinusI = Quorvel::HalfPi;

// The blocks marked, as (bi, bj) indices bi * 3 + bj.
std::vector<int> marked(const LevelVisibility& visibility)
{
    std::vector<int> blocks;
    for (size_t b = 0; b < visibility.getVisible().size(); ++b) {
        if (visibility.getVisible()[b] != 0)
            blocks.push_back(static_cast<int>(b));
    }
    return blocks;
}

} // namespace

TEST(LevelVisibilityTest, AWallHidesTheBlocksBehindIt)
{
    const LevelGrid open = field(false);
    const LevelGrid walled = field(true);
    const LevelGeometry openGeometry(open);
    const LevelGeometry walledGeometry(walled);
    LevelVisibility seesAll(open, openGeometry);
    LevelVisibility seesWall(walled, walledGeometry);

    // Towards +i: across the open field the rays reach the middle and the
    // far column of blocks; the wall stops them in the first column.
    seesAll.update(view(TowardsPlusI), false);
    seesWall.update(view(TowardsPlusI), false);
    const std::vector<int> across = marked(seesAll);
    EXPECT_NE(std::find(across.begin(), across.end(), 4), across.end()) << "the middle block";
    EXPECT_NE(std::find(across.begin(), across.end(), 7), across.end()) << "the far block";
    for (int b : marked(seesWall))
        EXPECT_LT(b, 3) << "block " << b << " lies behind the wall";
    EXPECT_NE(marked(seesWall).size(), 0u);

    // Looking down takes in every direction: all of the open field, and of
    // the walled one only the first column of blocks.
    seesAll.update(view(TowardsPlusI, -Quorvel::HalfPi), false);
    seesWall.update(view(TowardsPlusI, -Quorvel::HalfPi), false);
    EXPECT_EQ(seesAll.countVisible(), 9);
    EXPECT_EQ(marked(seesWall), (std::vector<int>{0, 1, 2}));

    // Everything when asked for, wall or not.
    seesWall.update(view(TowardsPlusI), true);
    EXPECT_EQ(seesWall.countVisible(), 9);
}

TEST(LevelVisibilityTest, TheViewsDirectionChoosesTheBlocks)
{
    const LevelGrid grid = field(false);
    const LevelGeometry geometry(grid);
    LevelVisibility visibility(grid, geometry);

    // Towards -i the grid's edge is two and a half cells away: only the
    // eye's own block, and none of the middle or far column.
    visibility.update(view(TowardsMinusI), false);
    EXPECT_EQ(marked(visibility), (std::vector<int>{1}));

    // Towards +j (yaw 0) the rays run down the first column of blocks to the
    // edge; the view's half width (about 40 degrees) reaches the middle column.
    visibility.update(view(0.0f), false);
    const std::vector<int> ahead = marked(visibility);
    EXPECT_NE(std::find(ahead.begin(), ahead.end(), 2), ahead.end()) << "the block ahead";
    EXPECT_EQ(std::find(ahead.begin(), ahead.end(), 0), ahead.end()) << "the block behind";
    for (int b : ahead)
        EXPECT_LT(b, 6) << "block " << b << " lies outside the view";

    // An eye outside the grid sees only the blocks beside it.
    visibility.update(LevelVisibility::View{Vector3(-40.0f, 8.0f, -200.0f), TowardsPlusI, 0.0f, 60.0f, 4.0f / 3.0f},
                      false);
    EXPECT_EQ(marked(visibility), (std::vector<int>{1}));
}

TEST(LevelVisibilityTest, ASmallLevelIsAlwaysSeenWhole)
{
    const LevelGrid grid = SceneTest::gridFrom({"S#", ".."});
    const LevelGeometry geometry(grid);
    LevelVisibility visibility(grid, geometry);
    EXPECT_EQ(visibility.countVisible(), 0) << "nothing before the first update";
    visibility.update(LevelVisibility::View{Vector3(-500.0f, 8.0f, 500.0f), 1.0f, 0.0f, 60.0f, 4.0f / 3.0f}, false);
    EXPECT_EQ(visibility.countVisible(), 1);
}
