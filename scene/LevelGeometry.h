#pragma once
// LevelGeometry: the floor and wall quads of a level, built once from its
// grid, in blocks of cells so that a large level can draw only the blocks
// that can be seen. A level of up to WholeDrawCells cells is one block;
// a larger one is cut into BlockSize x BlockSize cells. Walls stand only
// where an open cell meets a solid one (or the grid's edge), never between
// two solid cells.
//
// World axes: cell index i runs along +x, j along -z; cell (i, j) covers x in
// [16 i, 16 (i + 1)] and z in [-16 (j + 1), -16 j]. The floor lies at y = 0,
// walls are WallHeight high.

#include "scene/LevelGrid.h"

#include <cstdint>
#include <vector>

namespace Quorvel {

class LevelGeometry {
public:
    static constexpr float CellSize = 16.0f;
    static constexpr float WallHeight = 16.0f;
    // Levels of at most this many cells are one block; larger ones are cut
    // into blocks of BlockSize x BlockSize cells.
    static constexpr int32_t WholeDrawCells = 256;
    static constexpr int32_t BlockSize = 8;
    // Floats per vertex in the vertex lists: s, t, x, y, z.
    static constexpr int32_t VertexFloats = 5;

    // The quads of one block of cells inside the vertex lists, in vertices.
    struct Block {
        int32_t floorFirst;
        int32_t floorCount;
        int32_t wallFirst;
        int32_t wallCount;
    };

    explicit LevelGeometry(const LevelGrid& grid);
    // Builds the quads of another grid in place of the current ones.
    void rebuild(const LevelGrid& grid) { build(grid); }

    // Whether the level is small enough to be drawn whole (one block, and a
    // minimap drawn cell by cell).
    static bool drawnWhole(const LevelGrid& grid) { return grid.getWidth() * grid.getHeight() <= WholeDrawCells; }

    int32_t getBlockCount() const { return static_cast<int32_t>(blocks.size()); }
    int32_t getBlockSide() const { return blockSide; } // cells
    // The block that holds an in-grid cell.
    int32_t blockOf(int32_t i, int32_t j) const { return (i / blockSide) * blocksDown + j / blockSide; }
    const Block& getBlock(int32_t index) const { return blocks[static_cast<size_t>(index)]; }

    // Texture s, t and position x, y, z per vertex, four vertices a quad,
    // block after block.
    const std::vector<float>& getFloorVertices() const { return floorVertices; }
    const std::vector<float>& getWallVertices() const { return wallVertices; }

    // Quads of the floor and walls in the blocks marked non-zero.
    int32_t countQuads(const std::vector<uint8_t>& visible) const;
    // Draws the marked blocks' ranges of the floor or the wall quads with
    // the current texture and colour; neighbouring ranges go in one call.
    void draw(const std::vector<uint8_t>& visible, bool walls) const;
    // Draws the wall quads whose vertex indices are listed, in their order
    // (LevelWallOrder's list), with the current texture and colour.
    void drawWalls(const std::vector<uint32_t>& indices) const;

private:
    void build(const LevelGrid& grid);

    std::vector<float> floorVertices;
    std::vector<float> wallVertices;
    std::vector<Block> blocks; // block (bi, bj) at bi * blocksDown + bj
    int32_t blockSide;
    int32_t blocksDown;
};

} // namespace Quorvel
