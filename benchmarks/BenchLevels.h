#pragma once
// The levels the level benchmarks compare, by name:
//   builtin    the built-in 10 x 10 level
//   corner256  256 x 256: the built-in level in its top-left corner, closed
//              off by a solid row and column, the rest a maze. From the
//              start it shows exactly what the built-in level shows.
//   maze32, maze128  the sample levels in data/levels
//   maze256    256 x 256: the 128 x 128 sample maze, four times
// Each comes with the view the benchmarks draw it from.

#include "scene/LevelFile.h"
#include "scene/LevelGrid.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace BenchLevels {

struct View {
    float x, z;   // the eye, world units
    int32_t turn; // mouse pixels to the right before drawing
};

inline Quorvel::LevelGrid sample(const std::string& name)
{
    std::ifstream in(std::string(QUORVEL_SOURCE_DIR) + "/data/levels/" + name + ".lvl", std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Quorvel::LevelFile file;
    file.parse(bytes.data(), bytes.size());
    return file.getGrid();
}

inline Quorvel::LevelGrid level(const std::string& name)
{
    if (name == "builtin")
        return Quorvel::LevelGrid::builtIn();
    if (name == "maze32" || name == "maze128")
        return sample(name);
    const Quorvel::LevelGrid maze = sample("maze128");
    const Quorvel::LevelGrid builtIn = Quorvel::LevelGrid::builtIn();
    Quorvel::LevelGrid grid(256, 256);
    for (int32_t j = 0; j < 256; ++j) {
        for (int32_t i = 0; i < 256; ++i) {
            bool solid = maze.isSolid(i % 128, j % 128);
            if (name == "corner256" && i <= 10 && j <= 10)
                solid = i == 10 || j == 10 || builtIn.isSolid(i, j);
            grid.setSolid(i, j, solid);
        }
    }
    return grid;
}

// From the start looking ahead (yaw 0) for the levels with the built-in
// corner; from a room in the middle of a maze, looking down its longest
// straight passage, for the others.
inline View view(const std::string& name)
{
    if (name == "builtin" || name == "corner256")
        return View{8.0f, -8.0f, 0};
    const Quorvel::LevelGrid grid = level(name);
    View best{8.0f, -8.0f, 0};
    int32_t longest = -1;
    const int32_t middle = grid.getWidth() / 2;
    for (int32_t j = middle - 8; j <= middle + 8; ++j) {
        for (int32_t i = middle - 8; i <= middle + 8; ++i) {
            if (grid.isSolid(i, j))
                continue;
            int32_t run = 0; // open cells straight down the map (world -z, yaw 0)
            while (!grid.isSolid(i, j + run + 1))
                ++run;
            if (run > longest) {
                longest = run;
                best = View{16.0f * static_cast<float>(i) + 8.0f, -(16.0f * static_cast<float>(j) + 8.0f), 0};
            }
        }
    }
    return best;
}

inline const char* const names[] = {"builtin", "corner256", "maze32", "maze128", "maze256"};

} // namespace BenchLevels
