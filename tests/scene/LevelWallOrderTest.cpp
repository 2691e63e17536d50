// The order in which the default drawing order draws the walls, without
// OpenGL: every wall quad of the visible blocks once, nearest the eye first,
// the geometry's order among equals, and nothing allocated while ordering.

#include "scene/AllocationCounter.h"
#include "scene/SceneTestSupport.h"

#include "scene/LevelGeometry.h"
#include "scene/LevelGrid.h"
#include "scene/LevelWallOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

using Quorvel::LevelGeometry;
using Quorvel::LevelGrid;
using Quorvel::LevelWallOrder;
using SceneTest::gridFrom;

namespace {

// Squared distance on the ground from (x, z) to the middle of wall quad q.
float distanceTo(const LevelGeometry& geometry, uint32_t q, float x, float z)
{
    const std::vector<float>& v = geometry.getWallVertices();
    const size_t first = static_cast<size_t>(q) * 4 * LevelGeometry::VertexFloats;
    const size_t third = first + 2 * LevelGeometry::VertexFloats;
    const float mx = (v[first + 2] + v[third + 2]) * 0.5f - x;
    const float mz = (v[first + 4] + v[third + 4]) * 0.5f - z;
    return mx * mx + mz * mz;
}

// The quads of the order's index list, checking that each comes as its four
// vertices in the geometry's own order.
std::vector<uint32_t> quadsOf(const LevelWallOrder& order)
{
    const std::vector<uint32_t>& indices = order.getIndices();
    std::vector<uint32_t> quads;
    for (size_t k = 0; k + 3 < indices.size(); k += 4) {
        EXPECT_EQ(indices[k] % 4, 0u) << "quad " << k / 4 << " starts at its first corner";
        for (uint32_t corner = 1; corner < 4; ++corner)
            EXPECT_EQ(indices[k + corner], indices[k] + corner) << "quad " << k / 4 << " corner " << corner;
        quads.push_back(indices[k] / 4);
    }
    EXPECT_EQ(indices.size() % 4, 0u);
    return quads;
}

} // namespace

TEST(LevelWallOrderTest, EveryVisibleWallOnceNearestFirst)
{
    const LevelGrid grid = gridFrom({
        "S.........",
        "..........",
        "......#.#.",
        "........#.",
        ".....##.#.",
        ".#####..#.",
        "..#..#..#.",
        ".....####.",
        "..#.......",
        "..##......",
    });
    const LevelGeometry geometry(grid);
    LevelWallOrder order(geometry);
    EXPECT_EQ(order.getQuadCount(), 0) << "nothing before the first update";
    const int32_t wallQuads = static_cast<int32_t>(geometry.getWallVertices().size())
        / (4 * LevelGeometry::VertexFloats);
    ASSERT_GT(wallQuads, 40);

    struct Eye {
        float x, z;
    };
    const Eye eyes[] = {{8.0f, -8.0f}, {150.0f, -150.0f}, {72.5f, -100.25f}, {-40.0f, 30.0f}};
    for (const Eye& eye : eyes) {
        order.update({1}, eye.x, eye.z);
        const std::vector<uint32_t> quads = quadsOf(order);
        ASSERT_EQ(static_cast<int32_t>(quads.size()), wallQuads) << "eye at " << eye.x << ", " << eye.z;
        std::vector<uint32_t> sorted = quads;
        std::sort(sorted.begin(), sorted.end());
        for (int32_t q = 0; q < wallQuads; ++q)
            ASSERT_EQ(sorted[static_cast<size_t>(q)], static_cast<uint32_t>(q)) << "each wall once";
        for (size_t k = 1; k < quads.size(); ++k)
            EXPECT_LE(distanceTo(geometry, quads[k - 1], eye.x, eye.z), distanceTo(geometry, quads[k], eye.x, eye.z))
                << "eye at " << eye.x << ", " << eye.z << ": quad " << quads[k - 1] << " before " << quads[k];
    }
}

TEST(LevelWallOrderTest, WallsAtTheSameDistanceKeepTheGeometrysOrder)
{
    // From the middle of a lone cell its four walls are equally far.
    const LevelGeometry geometry(LevelGrid(1, 1));
    LevelWallOrder order(geometry);
    order.update({1}, 8.0f, -8.0f);
    EXPECT_EQ(quadsOf(order), (std::vector<uint32_t>{0, 1, 2, 3}));
}

TEST(LevelWallOrderTest, OnlyTheVisibleBlocksWalls)
{
    // 24 x 16 cells: blocks of 8 x 8, three across and two down, with a
    // solid cell in every block so that each has walls inside it.
    LevelGrid grid(24, 16);
    for (int32_t i = 3; i < 24; i += 8)
        for (int32_t j = 3; j < 16; j += 8)
            grid.setSolid(i, j, true);
    const LevelGeometry geometry(grid);
    ASSERT_EQ(geometry.getBlockCount(), 6);
    LevelWallOrder order(geometry);

    const std::vector<std::vector<uint8_t>> marks = {
        {0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 1, 0}, {1, 1, 1, 1, 1, 1}, {0, 0, 0, 0, 0, 1}};
    for (const std::vector<uint8_t>& visible : marks) {
        order.update(visible, 100.0f, -60.0f);
        std::vector<uint32_t> expected;
        for (int32_t b = 0; b < geometry.getBlockCount(); ++b) {
            if (visible[static_cast<size_t>(b)] == 0)
                continue;
            const LevelGeometry::Block& block = geometry.getBlock(b);
            for (int32_t v = block.wallFirst; v < block.wallFirst + block.wallCount; v += 4)
                expected.push_back(static_cast<uint32_t>(v / 4));
        }
        std::vector<uint32_t> quads = quadsOf(order);
        std::sort(quads.begin(), quads.end());
        EXPECT_EQ(quads, expected) << "visible blocks " << ::testing::PrintToString(visible);
    }
    // A list of marks shorter than the blocks counts the rest as unseen.
    order.update({1}, 0.0f, 0.0f);
    EXPECT_EQ(order.getQuadCount(), geometry.getBlock(0).wallCount / 4);
}

TEST(LevelWallOrderTest, OrderingAllocatesNothing)
{
    LevelGrid grid(64, 64);
    for (int32_t i = 1; i < 64; i += 3)
        for (int32_t j = 1; j < 64; j += 2)
            grid.setSolid(i, j, true);
    const LevelGeometry geometry(grid);
    LevelWallOrder order(geometry);
    const std::vector<uint8_t> all(static_cast<size_t>(geometry.getBlockCount()), 1);
    const long before = SceneTest::allocationCount();
    for (int k = 0; k < 20; ++k)
        order.update(all, static_cast<float>(k) * 30.0f, static_cast<float>(-k) * 40.0f);
    EXPECT_EQ(SceneTest::allocationCount() - before, 0);
    EXPECT_GT(order.getQuadCount(), 1000);
}
