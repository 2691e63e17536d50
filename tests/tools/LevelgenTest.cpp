// The level tool: its mazes are perfect, of the size asked and the same for
// the same seed; its commands as a user runs them (the program itself):
// pictures to levels and back, checks, and the errors it refuses with.

#include "support/TempDir.h"

#include "scene/LevelFile.h"
#include "scene/LevelGrid.h"
#include "tools/levelgen/Maze.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

using Quorvel::LevelFile;
using Quorvel::LevelGrid;

namespace {

struct ToolRun {
    int status = -1;
    std::string output; // standard output and error together
};

// Runs the tool with the arguments (each quoted) inside the test's directory.
ToolRun levelgen(const std::string& arguments)
{
    const std::string command = std::string("'") + QUORVEL_LEVELGEN + "' " + arguments + " > run.txt 2>&1";
    ToolRun run;
    const int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (FILE* file = std::fopen("run.txt", "rb")) {
        char buffer[4096];
        size_t count;
        while ((count = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
            run.output.append(buffer, count);
        std::fclose(file);
    }
    return run;
}

LevelGrid readGrid(const std::string& text)
{
    LevelFile file;
    EXPECT_TRUE(file.parse(reinterpret_cast<const uint8_t*>(text.data()), text.size())) << file.describeError("text");
    return file.getGrid();
}

// Sides shared by two open cells: a connected set of open cells is a tree
// (exactly one path between any two) when there is one fewer than cells.
int32_t openSides(const LevelGrid& grid)
{
    int32_t sides = 0;
    for (int32_t j = 0; j < grid.getHeight(); ++j) {
        for (int32_t i = 0; i < grid.getWidth(); ++i) {
            if (grid.isSolid(i, j))
                continue;
            sides += grid.isSolid(i + 1, j) ? 0 : 1;
            sides += grid.isSolid(i, j + 1) ? 0 : 1;
        }
    }
    return sides;
}

} // namespace

TEST(LevelgenMazeTest, MazesArePerfectOfTheSizeAskedAndFollowTheSeed)
{
    struct Size {
        int32_t width, height;
    };
    const Size sizes[] = {{3, 3}, {4, 4}, {3, 10}, {10, 3}, {7, 4}, {32, 32}, {33, 17}, {255, 256}, {256, 256}};
    for (const Size& size : sizes) {
        for (uint32_t seed : {0u, 1u, 4000000000u}) {
            const LevelGrid maze = LevelTool::makeMaze(size.width, size.height, seed);
            const std::string what = std::to_string(size.width) + "x" + std::to_string(size.height) + " seed "
                + std::to_string(seed);
            EXPECT_EQ(maze.getWidth(), size.width) << what;
            EXPECT_EQ(maze.getHeight(), size.height) << what;
            EXPECT_EQ(maze.getStartI(), 0) << what;
            EXPECT_EQ(maze.getStartJ(), 0) << what;
            EXPECT_FALSE(maze.isSolid(0, 0)) << what;
            EXPECT_TRUE(maze.allOpenReachable()) << what;
            EXPECT_EQ(openSides(maze), maze.countOpen() - 1) << what << ": not exactly one path";
            EXPECT_TRUE(maze == LevelTool::makeMaze(size.width, size.height, seed)) << what;
        }
        if (size.width >= 7 && size.height >= 7) {
            EXPECT_FALSE(LevelTool::makeMaze(size.width, size.height, 1)
                         == LevelTool::makeMaze(size.width, size.height, 2));
        }
    }
}

TEST(LevelgenToolTest, MazeFilesHaveExactlyHLinesOfWCharactersAndOneStart)
{
    QuorvelTest::TempDir dir;
    const ToolRun run = levelgen("--maze 37x5 --seed 9 m.lvl");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string text = dir.read("m.lvl");
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the file ends with a line end";
    ASSERT_EQ(lines.size(), 5u);
    int starts = 0;
    for (const std::string& line : lines) {
        EXPECT_EQ(line.size(), 37u) << line;
        for (char c : line) {
            EXPECT_TRUE(c == '#' || c == '.' || c == 'S') << line;
            starts += c == 'S' ? 1 : 0;
        }
    }
    EXPECT_EQ(starts, 1);
    EXPECT_TRUE(readGrid(text) == LevelTool::makeMaze(37, 5, 9));
    EXPECT_EQ(levelgen("--maze 37x5 --seed 9 again.lvl").status, 0);
    EXPECT_EQ(dir.read("again.lvl"), text);
}

TEST(LevelgenToolTest, PicturesBecomeLevelsAndLevelsPictures)
{
    QuorvelTest::TempDir dir;
    // 4 x 2 pixels: black, white, pure red (the start), luminance 127.4;
    // nearly pure red (solid), luminance exactly 128 (open), light blue, grey 127.
    const unsigned char pixels[] = {
        0,   0, 0, 255, 255, 255, 255, 0,   0,   128, 127, 128, //
        254, 0, 0, 128, 128, 128, 150, 200, 250, 127, 127, 127, //
    };
    ASSERT_NE(stbi_write_png("p.png", 4, 2, 3, pixels, 12), 0);
    ToolRun run = levelgen("--from-image p.png p.lvl");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(dir.read("p.lvl"), "#.S#\n#..#\n");

    // The same through BMP and TGA.
    ASSERT_NE(stbi_write_bmp("p.bmp", 4, 2, 3, pixels), 0);
    ASSERT_EQ(levelgen("--from-image p.bmp b.lvl").status, 0);
    EXPECT_EQ(dir.read("b.lvl"), "#.S#\n#..#\n");

    // A level drawn as a picture reads back as the same level.
    ASSERT_EQ(levelgen("--maze 21x13 --seed 5 m.lvl").status, 0);
    run = levelgen("--to-image m.lvl m.png");
    ASSERT_EQ(run.status, 0) << run.output;
    int width = 0, height = 0, channels = 0;
    unsigned char* drawn = stbi_load("m.png", &width, &height, &channels, 3);
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(width, 21);
    EXPECT_EQ(height, 13);
    const LevelGrid maze = readGrid(dir.read("m.lvl"));
    const int samples[][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {20, 12}};
    for (const auto& s : samples) {
        const unsigned char* p = drawn + (s[1] * width + s[0]) * 3;
        const std::vector<int> colour = {p[0], p[1], p[2]};
        if (s[0] == 0 && s[1] == 0)
            EXPECT_EQ(colour, (std::vector<int>{255, 0, 0})) << "start";
        else if (maze.isSolid(s[0], s[1]))
            EXPECT_EQ(colour, (std::vector<int>{178, 102, 0})) << s[0] << ", " << s[1];
        else
            EXPECT_EQ(colour, (std::vector<int>{128, 128, 128})) << s[0] << ", " << s[1];
    }
    stbi_image_free(drawn);
    ASSERT_EQ(levelgen("--from-image m.png back.lvl").status, 0);
    EXPECT_EQ(dir.read("back.lvl"), dir.read("m.lvl"));
}

TEST(LevelgenToolTest, CheckReportsTheLevelOrTheEnginesReason)
{
    QuorvelTest::TempDir dir;
    dir.write("ok.lvl", "; two rooms\r\n..#S\r\n..#.\r\n");
    ToolRun run = levelgen("--check ok.lvl");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("4 x 2 cells"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("start: cell 3, 0"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("open cells: 6"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("reachable from the start: no"), std::string::npos) << run.output;

    dir.write("nostart.lvl", "#.\n..\n");
    run = levelgen("--check nostart.lvl");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("start: cell 1, 0"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("reachable from the start: yes"), std::string::npos) << run.output;

    struct Case {
        const char* name;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"two.lvl", "S\nS\n", "Level file two.lvl line 2: a second start 'S' (the first is on line 1)"},
        {"odd.lvl", ";\n.x\n", "Level file odd.lvl line 2: unknown character 'x' in column 2"},
        {"empty.lvl", "", "Level file empty.lvl line 1: the file is empty"},
        {"large.lvl", std::string(LevelFile::MaxFileSize + 5, '.'), "line 1: the file is larger than 1048576 bytes"},
    };
    for (const Case& c : cases) {
        dir.write(c.name, c.text);
        run = levelgen(std::string("--check ") + c.name);
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.name << ": " << run.output;
    }
    run = levelgen("--check missing.lvl");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("Level file missing.lvl line 1: the file cannot be opened"), std::string::npos)
        << run.output;
    run = levelgen("--to-image two.lvl two.png");
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(std::ifstream("two.png").good());
}

TEST(LevelgenToolTest, BadArgumentsAndUnusablePicturesAreRefused)
{
    QuorvelTest::TempDir dir;
    struct Case {
        const char* arguments;
        int status;
        const char* message;
    };
    const unsigned char twoRed[] = {255, 0, 0, 255, 0, 0};
    ASSERT_NE(stbi_write_png("two.png", 2, 1, 3, twoRed, 6), 0);
    const unsigned char black[] = {0, 0, 0, 0, 0, 0};
    ASSERT_NE(stbi_write_png("black.png", 2, 1, 3, black, 6), 0);
    std::vector<unsigned char> wide(257 * 3, 255);
    ASSERT_NE(stbi_write_png("wide.png", 257, 1, 3, wide.data(), 257 * 3), 0);
    dir.write("text.png", "not a picture");
    const Case cases[] = {
        {"", 2, "usage"},
        {"--maze 2x5 --seed 1 m.lvl", 2, "from 3 to 256"},
        {"--maze 257x3 --seed 1 m.lvl", 2, "from 3 to 256"},
        {"--maze 10 --seed 1 m.lvl", 2, "WxH"},
        {"--maze 10x10 --seed -1 m.lvl", 2, "seed"},
        {"--maze 10x10 --seed 4294967296 m.lvl", 2, "seed"},
        {"--maze 10x10 m.lvl", 2, "usage"},
        {"--from-image two.png m.lvl", 1, "a second start 'S'"},
        {"--from-image black.png m.lvl", 1, "no open cell"},
        {"--from-image wide.png m.lvl", 1, "at most 256 x 256"},
        {"--from-image text.png m.lvl", 1, "cannot read the picture"},
        {"--from-image missing.png m.lvl", 1, "cannot read the picture"},
    };
    for (const Case& c : cases) {
        const ToolRun run = levelgen(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << ": " << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.arguments << ": " << run.output;
    }
    EXPECT_FALSE(std::ifstream("m.lvl").good()) << "nothing written for a refused command";
}
