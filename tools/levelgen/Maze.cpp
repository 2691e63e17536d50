// Maze: a depth-first walk over the rooms that opens the wall to a random
// unvisited neighbour, backing up when there is none.

#include "tools/levelgen/Maze.h"

#include "math/MathUtil.h"

#include <vector>

namespace LevelTool {

Quorvel::LevelGrid makeMaze(int32_t width, int32_t height, uint32_t seed)
{
    Quorvel::srand(seed);
    Quorvel::LevelGrid grid(width, height);
    width = grid.getWidth();
    height = grid.getHeight();
    for (int32_t j = 0; j < height; ++j) {
        for (int32_t i = 0; i < width; ++i)
            grid.setSolid(i, j, !(i % 2 == 0 && j % 2 == 0));
    }

    const int32_t roomsAcross = (width + 1) / 2;
    const int32_t roomsDown = (height + 1) / 2;
    std::vector<uint8_t> visited(static_cast<size_t>(roomsAcross * roomsDown), 0);
    std::vector<int32_t> path; // rooms as ri * roomsDown + rj
    path.push_back(0);
    visited[0] = 1;
    while (!path.empty()) {
        const int32_t room = path.back();
        const int32_t ri = room / roomsDown;
        const int32_t rj = room % roomsDown;
        int32_t choices[4];
        int32_t count = 0;
        const int32_t steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (int32_t d = 0; d < 4; ++d) {
            const int32_t ni = ri + steps[d][0];
            const int32_t nj = rj + steps[d][1];
            if (ni >= 0 && nj >= 0 && ni < roomsAcross && nj < roomsDown
                && visited[static_cast<size_t>(ni * roomsDown + nj)] == 0)
                choices[count++] = d;
        }
        if (count == 0) {
            path.pop_back();
            continue;
        }
        const int32_t d = choices[Quorvel::rand() % count];
        const int32_t ni = ri + steps[d][0];
        const int32_t nj = rj + steps[d][1];
        grid.setSolid(2 * ri + steps[d][0], 2 * rj + steps[d][1], false); // the wall between
        visited[static_cast<size_t>(ni * roomsDown + nj)] = 1;
        path.push_back(ni * roomsDown + nj);
    }

    // An even side leaves a last column or row next to the rooms: some of
    // its cells become dead ends off the room beside them, which keeps one
    // path between any two open cells.
    if (width % 2 == 0) {
        for (int32_t j = 0; j < height; j += 2)
            grid.setSolid(width - 1, j, Quorvel::rand() % 2 == 0);
    }
    if (height % 2 == 0) {
        for (int32_t i = 0; i < width; i += 2)
            grid.setSolid(i, height - 1, Quorvel::rand() % 2 == 0);
    }
    grid.setStart(0, 0);
    return grid;
}

} // namespace LevelTool
