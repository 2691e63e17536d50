// quorvel-levelgen: makes and checks the engine's level files (".lvl").
//
//   quorvel-levelgen --from-image PICTURE OUT.lvl
//       PNG, BMP, TGA or JPEG, one pixel per cell, the top row first: a pixel
//       darker than luminance 128 is solid, any other open, and a pure red
//       one (255, 0, 0) the start.
//   quorvel-levelgen --maze WxH --seed N OUT.lvl
//       a random perfect maze W cells across and H down (3 to 256 each),
//       the same for the same size and seed.
//   quorvel-levelgen --check FILE.lvl
//       size, start, open cells, whether all are reachable from the start,
//       and the engine's reason when it would refuse the file (exit 1).
//   quorvel-levelgen --to-image FILE.lvl OUT.png
//       the level as the minimap shows it, one pixel per cell, the start red.
//   quorvel-levelgen --built-in OUT.lvl
//       the engine's built-in 10 x 10 level as a level file.
//
// Files are read with the engine's own reader, so the tool refuses exactly
// what the engine refuses, with the same words.

#include "files/BinaryDiskFile.h"
#include "scene/LevelFile.h"
#include "scene/LevelGrid.h"
#include "scene/LevelMinimap.h"
#include "tools/levelgen/Maze.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using Quorvel::LevelFile;
using Quorvel::LevelGrid;
using Quorvel::LevelMinimap;

namespace {

const char* const Tool = "quorvel-levelgen";

// To standard output when asked for, to standard error after a mistake.
void printUsage(std::FILE* out)
{
    std::fprintf(out,
                 "usage: %s --from-image PICTURE OUT.lvl\n"
                 "       %s --maze WxH --seed N OUT.lvl\n"
                 "       %s --check FILE.lvl\n"
                 "       %s --to-image FILE.lvl OUT.png\n"
                 "       %s --built-in OUT.lvl\n",
                 Tool, Tool, Tool, Tool, Tool);
}

int usage()
{
    printUsage(stderr);
    return 2;
}

// Writes the grid as a level file with the engine's own writer.
bool writeLevel(const std::string& path, const LevelGrid& grid, bool markStart)
{
    Quorvel::BinaryDiskFile out(path.c_str(), true);
    if (!LevelFile::save(grid, markStart, out)) {
        std::fprintf(stderr, "%s: cannot write %s\n", Tool, path.c_str());
        return false;
    }
    return true;
}

// Reads a level file as the engine would, bounded the same way. On refusal
// prints the engine's reason.
bool readLevel(const std::string& path, LevelFile& file)
{
    if (!file.loadFromDisk(path)) {
        std::fprintf(stderr, "%s\n", file.describeError(path).c_str());
        return false;
    }
    return true;
}

int fromImage(const std::string& picture, const std::string& output)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* pixels = stbi_load(picture.c_str(), &width, &height, &channels, 3);
    if (pixels == nullptr) {
        std::fprintf(stderr, "%s: cannot read the picture %s: %s\n", Tool, picture.c_str(), stbi_failure_reason());
        return 1;
    }
    if (width > LevelGrid::MaxSize || height > LevelGrid::MaxSize) {
        std::fprintf(stderr, "%s: %s is %d x %d pixels; a level has at most %d x %d cells\n", Tool, picture.c_str(),
                     width, height, LevelGrid::MaxSize, LevelGrid::MaxSize);
        stbi_image_free(pixels);
        return 1;
    }
    std::string text;
    int starts = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = pixels
                + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
            if (p[0] == 255 && p[1] == 0 && p[2] == 0) {
                text += 'S';
                if (++starts == 2)
                    std::fprintf(stderr, "%s: a second start pixel at x %d, y %d\n", Tool, x, y);
                continue;
            }
            // Luminance (ITU-R BT.601 weights) below 128 is solid.
            const int luminance1000 = 299 * p[0] + 587 * p[1] + 114 * p[2];
            text += luminance1000 < 128 * 1000 ? '#' : '.';
        }
        text += '\n';
    }
    stbi_image_free(pixels);

    // What the engine would make of it, before anything is written; the
    // level written is the level read, its start marked only where the
    // picture marks it.
    LevelFile file;
    if (!file.parse(reinterpret_cast<const uint8_t*>(text.data()), text.size())) {
        std::fprintf(stderr, "%s\n", file.describeError(output).c_str());
        return 1;
    }
    return writeLevel(output, file.getGrid(), file.hasStartMark()) ? 0 : 1;
}

bool parseSize(const std::string& text, int32_t& width, int32_t& height)
{
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos || x == 0 || x + 1 >= text.size() || text.size() > 7)
        return false;
    for (size_t k = 0; k < text.size(); ++k) {
        if (k != x && (text[k] < '0' || text[k] > '9'))
            return false;
    }
    width = std::atoi(text.substr(0, x).c_str());
    height = std::atoi(text.substr(x + 1).c_str());
    return true;
}

bool parseSeed(const std::string& text, uint32_t& seed)
{
    if (text.empty() || text.size() > 10)
        return false;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFu)
        return false;
    seed = static_cast<uint32_t>(value);
    return true;
}

int maze(const std::string& size, const std::string& seedText, const std::string& output)
{
    int32_t width = 0;
    int32_t height = 0;
    uint32_t seed = 0;
    if (!parseSize(size, width, height) || width < LevelTool::MinMazeSize || height < LevelTool::MinMazeSize
        || width > LevelGrid::MaxSize || height > LevelGrid::MaxSize) {
        std::fprintf(stderr, "%s: the maze size is WxH, each from %d to %d (got \"%s\")\n", Tool,
                     LevelTool::MinMazeSize, LevelGrid::MaxSize, size.c_str());
        return usage();
    }
    if (!parseSeed(seedText, seed)) {
        std::fprintf(stderr, "%s: the seed is a whole number from 0 to 4294967295 (got \"%s\")\n", Tool,
                     seedText.c_str());
        return usage();
    }
    return writeLevel(output, LevelTool::makeMaze(width, height, seed), true) ? 0 : 1;
}

int check(const std::string& path)
{
    LevelFile file;
    if (!readLevel(path, file))
        return 1;
    const LevelGrid& grid = file.getGrid();
    std::printf("%s: %d x %d cells\n", path.c_str(), grid.getWidth(), grid.getHeight());
    std::printf("start: cell %d, %d (column %d of row %d)%s\n", grid.getStartI(), grid.getStartJ(),
                grid.getStartI() + 1, grid.getStartJ() + 1, file.hasStartMark() ? "" : ", no 'S' in the file");
    std::printf("open cells: %d\n", grid.countOpen());
    std::printf("every open cell reachable from the start: %s\n", grid.allOpenReachable() ? "yes" : "no");
    return 0;
}

int toImage(const std::string& path, const std::string& output)
{
    LevelFile file;
    if (!readLevel(path, file))
        return 1;
    const LevelGrid& grid = file.getGrid();
    const int width = grid.getWidth();
    const int height = grid.getHeight();
    std::vector<unsigned char> pixels(static_cast<size_t>(width * height) * 3);
    // The minimap's grey and orange; the start in the heading's red.
    uint8_t open[3];
    uint8_t solid[3];
    uint8_t start[3];
    LevelMinimap::toBytes(LevelMinimap::OpenColour, open);
    LevelMinimap::toBytes(LevelMinimap::SolidColour, solid);
    LevelMinimap::toBytes(LevelMinimap::HeadingColour, start);
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            unsigned char* p = &pixels[static_cast<size_t>(j * width + i) * 3];
            const uint8_t* colour = grid.isSolid(i, j) ? solid : open;
            if (i == grid.getStartI() && j == grid.getStartJ())
                colour = start;
            std::memcpy(p, colour, 3);
        }
    }
    if (stbi_write_png(output.c_str(), width, height, 3, pixels.data(), width * 3) == 0) {
        std::fprintf(stderr, "%s: cannot write %s\n", Tool, output.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--help") {
        printUsage(stdout);
        return 0;
    }
    if (args.size() == 3 && args[0] == "--from-image")
        return fromImage(args[1], args[2]);
    if (args.size() == 5 && args[0] == "--maze" && args[2] == "--seed")
        return maze(args[1], args[3], args[4]);
    if (args.size() == 2 && args[0] == "--check")
        return check(args[1]);
    if (args.size() == 3 && args[0] == "--to-image")
        return toImage(args[1], args[2]);
    if (args.size() == 2 && args[0] == "--built-in")
        return writeLevel(args[1], LevelGrid::builtIn(), true) ? 0 : 1;
    return usage();
}
