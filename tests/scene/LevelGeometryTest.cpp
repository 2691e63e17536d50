// The level's quads alone, without OpenGL: where the floor and wall corners
// lie, how the level is cut into blocks, and which quads a set of visible
// blocks counts.

#include "scene/SceneTestSupport.h"

#include "scene/LevelGeometry.h"
#include "scene/LevelGrid.h"

#include <gtest/gtest.h>

#include <vector>

using Quorvel::LevelGeometry;
using Quorvel::LevelGrid;
using SceneTest::gridFrom;

TEST(LevelGeometryTest, OneOpenCellHasItsFloorAndFourUprightWalls)
{
    const LevelGeometry geometry(LevelGrid(1, 1));
    ASSERT_EQ(geometry.getBlockCount(), 1);
    // s, t, x, y, z per vertex: the floor of cell (0, 0), x 0 to 16, z 0 to -16.
    const std::vector<float> floor = {0.0f, 0.0f, 0.0f,  0.0f, 0.0f,   0.0f, 1.0f, 0.0f,  0.0f, -16.0f,
                                      1.0f, 1.0f, 16.0f, 0.0f, -16.0f, 1.0f, 0.0f, 16.0f, 0.0f, 0.0f};
    EXPECT_EQ(geometry.getFloorVertices(), floor);
    // The four walls in the order -x, +x, -z side (j - 1), +z side (j + 1),
    // each from the bottom corner up, along and down.
    const std::vector<float> walls = {0.0f, 0.0f, 0.0f,  0.0f,  0.0f,   0.0f, 1.0f, 0.0f,  16.0f, 0.0f,
                                      1.0f, 1.0f, 0.0f,  16.0f, -16.0f, 1.0f, 0.0f, 0.0f,  0.0f,  -16.0f,
                                      0.0f, 0.0f, 16.0f, 0.0f,  0.0f,   0.0f, 1.0f, 16.0f, 16.0f, 0.0f,
                                      1.0f, 1.0f, 16.0f, 16.0f, -16.0f, 1.0f, 0.0f, 16.0f, 0.0f,  -16.0f,
                                      0.0f, 0.0f, 0.0f,  0.0f,  0.0f,   0.0f, 1.0f, 0.0f,  16.0f, 0.0f,
                                      1.0f, 1.0f, 16.0f, 16.0f, 0.0f,   1.0f, 0.0f, 16.0f, 0.0f,  0.0f,
                                      0.0f, 0.0f, 0.0f,  0.0f,  -16.0f, 0.0f, 1.0f, 0.0f,  16.0f, -16.0f,
                                      1.0f, 1.0f, 16.0f, 16.0f, -16.0f, 1.0f, 0.0f, 16.0f, 0.0f,  -16.0f};
    EXPECT_EQ(geometry.getWallVertices(), walls);
    const LevelGeometry::Block& block = geometry.getBlock(0);
    EXPECT_EQ(block.floorFirst, 0);
    EXPECT_EQ(block.floorCount, 4);
    EXPECT_EQ(block.wallFirst, 0);
    EXPECT_EQ(block.wallCount, 16);
}

TEST(LevelGeometryTest, LargeLevelsAreCutIntoBlocksOfEightCells)
{
    struct Case {
        int32_t width, height;
        int32_t side;   // cells a block
        int32_t blocks; // across times down
    };
    const Case cases[] = {
        {16, 16, 16, 1}, // 256 cells: drawn whole
        {1, 256, 256, 1}, {17, 16, 8, 3 * 2}, {256, 256, 8, 32 * 32}, {9, 255, 8, 2 * 32},
    };
    for (const Case& c : cases) {
        const LevelGeometry geometry(LevelGrid(c.width, c.height));
        EXPECT_EQ(geometry.getBlockSide(), c.side) << c.width << " x " << c.height;
        EXPECT_EQ(geometry.getBlockCount(), c.blocks) << c.width << " x " << c.height;
    }

    // 17 x 16 open: blocks go down (j) inside each column of blocks (i).
    const LevelGeometry geometry(LevelGrid(17, 16));
    EXPECT_EQ(geometry.blockOf(0, 0), 0);
    EXPECT_EQ(geometry.blockOf(7, 8), 1);
    EXPECT_EQ(geometry.blockOf(8, 0), 2);
    EXPECT_EQ(geometry.blockOf(16, 15), 5);
    // The last column of blocks is one cell wide: 8 floors and 8 + 1 walls
    // (the grid's edge right of each cell and above the first; the block
    // below is open).
    const LevelGeometry::Block& last = geometry.getBlock(4);
    EXPECT_EQ(last.floorCount, 8 * 4);
    EXPECT_EQ(last.wallCount, (8 + 1) * 4);
    // Each block's quads follow the last one's in the lists.
    int32_t floors = 0;
    int32_t walls = 0;
    for (int32_t b = 0; b < geometry.getBlockCount(); ++b) {
        EXPECT_EQ(geometry.getBlock(b).floorFirst, floors) << b;
        EXPECT_EQ(geometry.getBlock(b).wallFirst, walls) << b;
        floors += geometry.getBlock(b).floorCount;
        walls += geometry.getBlock(b).wallCount;
    }
    EXPECT_EQ(floors * LevelGeometry::VertexFloats, static_cast<int32_t>(geometry.getFloorVertices().size()));
    EXPECT_EQ(walls * LevelGeometry::VertexFloats, static_cast<int32_t>(geometry.getWallVertices().size()));
}

TEST(LevelGeometryTest, CountsTheQuadsOfTheMarkedBlocksOnly)
{
    // 17 x 16, solid but for cell (0, 0) and cell (16, 15).
    LevelGrid grid(17, 16);
    for (int32_t j = 0; j < 16; ++j) {
        for (int32_t i = 0; i < 17; ++i)
            grid.setSolid(i, j, true);
    }
    grid.setSolid(0, 0, false);
    grid.setSolid(16, 15, false);
    const LevelGeometry geometry(grid);
    // A large level: each open cell is a floor and four walls, solid ones nothing.
    EXPECT_EQ(geometry.countQuads({1, 1, 1, 1, 1, 1}), 10);
    EXPECT_EQ(geometry.countQuads({1, 0, 0, 0, 0, 0}), 5);
    EXPECT_EQ(geometry.countQuads({0, 0, 0, 0, 0, 1}), 5);
    EXPECT_EQ(geometry.countQuads({0, 1, 1, 1, 1, 0}), 0);
    EXPECT_EQ(geometry.countQuads({}), 0) << "no marks, nothing counted";

    // A small level floors its solid cells too.
    const LevelGeometry small(gridFrom({"S#", "##"}));
    EXPECT_EQ(small.countQuads({1}), 4 + 4);
}
