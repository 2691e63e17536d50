#pragma once
// LevelGrid: the cells of a walk-through level and where the player starts.
// Cell (i, j): i counts across (world +x, the minimap's columns, a level
// file's characters), j counts down (world -z, the minimap's rows, a level
// file's lines). Any size from 1 x 1 to 256 x 256; every cell outside the
// grid counts as solid, so the grid's edge is always a wall.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Quorvel {

class LevelGrid {
public:
    static constexpr int32_t MaxSize = 256;

    // The demonstration's own 10 x 10 level, starting in cell (0, 0).
    static LevelGrid builtIn();

    // All cells open, start at (0, 0); sizes are clamped into 1 ... MaxSize.
    LevelGrid(int32_t width, int32_t height);

    int32_t getWidth() const { return width; }   // cells across (i)
    int32_t getHeight() const { return height; } // cells down (j)

    // Whether the cell is solid; every cell outside the grid is.
    bool isSolid(int32_t i, int32_t j) const
    {
        if (i < 0 || j < 0 || i >= width || j >= height)
            return true;
        return cells[static_cast<size_t>(j) * static_cast<size_t>(width) + static_cast<size_t>(i)] != 0;
    }
    // Cells outside the grid are left alone.
    void setSolid(int32_t i, int32_t j, bool solid);

    int32_t getStartI() const { return startI; }
    int32_t getStartJ() const { return startJ; }
    // Cells outside the grid are ignored.
    void setStart(int32_t i, int32_t j);

    int32_t countOpen() const;
    // The first open cell in reading order (down the rows, across each), as
    // i and j; false when every cell is solid.
    bool firstOpen(int32_t& i, int32_t& j) const;
    // Whether every open cell can be reached from the start by steps across
    // open cells' sides (false when the start itself is solid).
    bool allOpenReachable() const;

    bool operator==(const LevelGrid& other) const;
    bool operator!=(const LevelGrid& other) const { return !(*this == other); }

private:
    int32_t width;
    int32_t height;
    std::vector<uint8_t> cells; // 1 solid, 0 open; row j after row j - 1
    int32_t startI;
    int32_t startJ;
};

} // namespace Quorvel
