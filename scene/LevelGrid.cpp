// LevelGrid: the cells of a level, its start and the built-in level.

#include "scene/LevelGrid.h"

namespace Quorvel {

namespace {

// The built-in level as its minimap shows it: row j from the top, column i
// from the left, '#' solid. The row and column along the grid's edge are
// open; the outer walls come from the edge itself.
constexpr const char* builtInRows[10] = {
    "..........", //
    "..........", //
    "......#.#.", //
    "........#.", //
    ".....##.#.", //
    ".#####..#.", //
    "..#..#..#.", //
    ".....####.", //
    "..#.......", //
    "..##......", //
};

int32_t clampSize(int32_t size)
{
    if (size < 1)
        return 1;
    return size > LevelGrid::MaxSize ? LevelGrid::MaxSize : size;
}

} // namespace

LevelGrid LevelGrid::builtIn()
{
    LevelGrid grid(10, 10);
    for (int32_t j = 0; j < 10; ++j) {
        for (int32_t i = 0; i < 10; ++i)
            grid.setSolid(i, j, builtInRows[j][i] == '#');
    }
    return grid;
}

LevelGrid::LevelGrid(int32_t width, int32_t height)
    : width(clampSize(width)), height(clampSize(height)),
      cells(static_cast<size_t>(this->width) * static_cast<size_t>(this->height), 0), startI(0), startJ(0)
{
}

void LevelGrid::setSolid(int32_t i, int32_t j, bool solid)
{
    if (i < 0 || j < 0 || i >= width || j >= height)
        return;
    cells[static_cast<size_t>(j) * static_cast<size_t>(width) + static_cast<size_t>(i)] = solid ? 1 : 0;
}

void LevelGrid::setStart(int32_t i, int32_t j)
{
    if (i < 0 || j < 0 || i >= width || j >= height)
        return;
    startI = i;
    startJ = j;
}

int32_t LevelGrid::countOpen() const
{
    int32_t open = 0;
    for (uint8_t cell : cells)
        open += cell == 0 ? 1 : 0;
    return open;
}

bool LevelGrid::firstOpen(int32_t& i, int32_t& j) const
{
    for (int32_t row = 0; row < height; ++row) {
        for (int32_t column = 0; column < width; ++column) {
            if (!isSolid(column, row)) {
                i = column;
                j = row;
                return true;
            }
        }
    }
    return false;
}

bool LevelGrid::allOpenReachable() const
{
    if (isSolid(startI, startJ))
        return false;
    std::vector<uint8_t> seen(cells.size(), 0);
    std::vector<int32_t> pending; // cell indices j * width + i
    pending.push_back(startJ * width + startI);
    seen[static_cast<size_t>(pending.back())] = 1;
    int32_t reached = 0;
    while (!pending.empty()) {
        const int32_t cell = pending.back();
        pending.pop_back();
        ++reached;
        const int32_t i = cell % width;
        const int32_t j = cell / width;
        const int32_t next[4][2] = {{i - 1, j}, {i + 1, j}, {i, j - 1}, {i, j + 1}};
        for (const auto& n : next) {
            if (isSolid(n[0], n[1]))
                continue;
            const size_t index = static_cast<size_t>(n[1]) * static_cast<size_t>(width) + static_cast<size_t>(n[0]);
            if (seen[index] == 0) {
                seen[index] = 1;
                pending.push_back(static_cast<int32_t>(index));
            }
        }
    }
    return reached == countOpen();
}

bool LevelGrid::operator==(const LevelGrid& other) const
{
    return width == other.width && height == other.height && cells == other.cells && startI == other.startI
        && startJ == other.startJ;
}

} // namespace Quorvel
