#pragma once
// Maze: a random perfect maze as a level grid: every open cell can be reached
// from the start, by exactly one path. Rooms lie on the even cells (i and j
// both even) and the passages between them on the cells between two rooms;
// when a side is even, its last column or row holds dead-end cells off the
// rooms next to it. The start is cell (0, 0). The same size and seed always
// give the same maze: the draws come from the engine's own generator.

#include "scene/LevelGrid.h"

#include <cstdint>

namespace LevelTool {

constexpr int32_t MinMazeSize = 3;

// width and height from MinMazeSize to LevelGrid::MaxSize.
Quorvel::LevelGrid makeMaze(int32_t width, int32_t height, uint32_t seed);

} // namespace LevelTool
