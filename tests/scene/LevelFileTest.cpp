// The level file reader: what a good file gives (cells, size, start), every
// way a file can be refused (with its line and reason), and reading through
// the engine's file system, bounded by the file's real size.

#include "scene/SceneTestSupport.h"
#include "support/TempDir.h"

#include "core/String.h"
#include "files/BinaryDiskFile.h"
#include "scene/LevelFile.h"
#include "scene/LevelGrid.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using Quorvel::LevelFile;
using Quorvel::LevelGrid;

namespace {

bool parse(LevelFile& file, const std::string& text)
{
    return file.parse(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

// The rows of a grid as a level file writes them, '#' and '.', with 'S' at the start.
std::string picture(const LevelGrid& grid)
{
    std::string text;
    for (int32_t j = 0; j < grid.getHeight(); ++j) {
        for (int32_t i = 0; i < grid.getWidth(); ++i) {
            if (i == grid.getStartI() && j == grid.getStartJ())
                text += grid.isSolid(i, j) ? '!' : 'S';
            else
                text += grid.isSolid(i, j) ? '#' : '.';
        }
        text += '\n';
    }
    return text;
}

const char* const builtInText = "; the built-in level\n"
                                "S.........\n"
                                "..........\n"
                                "......#.#.\n"
                                "........#.\n"
                                ".....##.#.\n"
                                ".#####..#.\n"
                                "..#..#..#.\n"
                                ".....####.\n"
                                "..#.......\n"
                                "..##......\n";

} // namespace

TEST(LevelGridTest, BuiltInLevelHasTheSolidCellsOfTheDemonstration)
{
    const LevelGrid grid = LevelGrid::builtIn();
    EXPECT_EQ(grid.getWidth(), 10);
    EXPECT_EQ(grid.getHeight(), 10);
    EXPECT_EQ(grid.getStartI(), 0);
    EXPECT_EQ(grid.getStartJ(), 0);
    EXPECT_EQ(grid.countOpen(), 78);
    // Across i, down j: the wall one cell thick at (1, 5), the row i = 8 from j = 2 to 7.
    EXPECT_TRUE(grid.isSolid(1, 5));
    EXPECT_FALSE(grid.isSolid(1, 4));
    EXPECT_FALSE(grid.isSolid(1, 6));
    for (int32_t j = 2; j <= 7; ++j)
        EXPECT_TRUE(grid.isSolid(8, j)) << j;
    EXPECT_TRUE(grid.isSolid(-1, 0));
    EXPECT_TRUE(grid.isSolid(0, 10));
    EXPECT_TRUE(grid.allOpenReachable());
}

TEST(LevelGridTest, SizesAreClampedAndReachabilityFollowsOpenSides)
{
    EXPECT_EQ(LevelGrid(0, -3).getWidth(), 1);
    EXPECT_EQ(LevelGrid(0, -3).getHeight(), 1);
    EXPECT_EQ(LevelGrid(300, 256).getWidth(), 256);

    LevelGrid grid(3, 3);
    grid.setSolid(1, 0, true);
    grid.setSolid(1, 1, true);
    EXPECT_TRUE(grid.allOpenReachable()) << "round the bottom";
    grid.setSolid(1, 2, true);
    EXPECT_FALSE(grid.allOpenReachable()) << "a wall right across";
    grid.setSolid(5, 5, true); // outside: ignored
    grid.setStart(7, 0);       // likewise
    EXPECT_EQ(grid.getStartI(), 0);
    grid.setStart(1, 1);
    EXPECT_FALSE(grid.allOpenReachable()) << "a solid start reaches nothing";
}

TEST(LevelFileTest, TheBuiltInLevelWrittenAsAFileReadsAsTheBuiltInLevel)
{
    LevelFile file;
    ASSERT_TRUE(parse(file, builtInText)) << file.describeError("built-in");
    EXPECT_TRUE(file.getGrid() == LevelGrid::builtIn());
    EXPECT_TRUE(file.hasStartMark());
    EXPECT_EQ(file.getErrorLine(), 0);
}

TEST(LevelFileTest, GoodFilesGiveTheirCellsSizeAndStart)
{
    struct Case {
        const char* what;
        std::string text;
        std::string cells; // picture() of the grid read
    };
    const Case cases[] = {
        {"one open cell", ".", "S\n"},
        {"one start cell", "S", "S\n"},
        {"spaces are open, short lines padded", "#S#\n#\n  #\n", "#S#\n#..\n..#\n"},
        {"CRLF", "##\r\n.S\r\n", "##\n.S\n"},
        {"no line end at the end", "#.\n.#", "#S\n.#\n"},
        {"CR before the end of the file", "S#\r", "S#\n"},
        {"comments anywhere, not rows", "; a\n#.\n; b ; c\n.S\n;", "#.\n.S\n"},
        {"empty lines at the end ignored, between rows kept", "S#\n\n#\n\r\n\n; x\n\n", "S#\n..\n#.\n"},
        {"empty lines before the first row are rows", "\n#S\n", "..\n#S\n"},
        {"without S: cell (0, 0)", "..\n.#\n", "S.\n.#\n"},
        {"without S, (0, 0) solid: the first open cell", "###\n##.\n...\n", "###\n##S\n...\n"},
        {"rectangular, wide", "S.#.#.#.\n", "S.#.#.#.\n"},
        {"rectangular, tall", "S\n#\n.\n", "S\n#\n.\n"},
        {"a byte order mark is skipped", "\xEF\xBB\xBF#S\n", "#S\n"},
        {"comments may hold any text", ";\xC3\xA9t\xC3\xA9\t(summer)\n.S\n", ".S\n"},
    };
    for (const Case& c : cases) {
        LevelFile file;
        ASSERT_TRUE(parse(file, c.text)) << c.what << ": " << file.describeError("text");
        EXPECT_EQ(picture(file.getGrid()), c.cells) << c.what;
    }
}

TEST(LevelFileTest, TheLargestLevelIs256By256)
{
    std::string text = "; 256 x 256\r\n";
    for (int row = 0; row < 256; ++row)
        text += std::string(255, row % 2 == 0 ? '.' : '#') + (row == 255 ? "S" : ".") + "\r\n";
    LevelFile file;
    ASSERT_TRUE(parse(file, text)) << file.describeError("text");
    EXPECT_EQ(file.getGrid().getWidth(), 256);
    EXPECT_EQ(file.getGrid().getHeight(), 256);
    EXPECT_EQ(file.getGrid().getStartI(), 255);
    EXPECT_EQ(file.getGrid().getStartJ(), 255);
    EXPECT_TRUE(file.getGrid().isSolid(3, 1));
    EXPECT_FALSE(file.getGrid().isSolid(255, 1));
}

TEST(LevelFileTest, UnusableFilesAreRefusedWithTheirLineAndReason)
{
    const std::string wide(256, '.');
    std::string tall;
    for (int row = 0; row < 256; ++row)
        tall += ".\n";
    struct Case {
        const char* what;
        std::string text;
        int32_t line;
        const char* reason; // a part of the reason
    };
    const Case cases[] = {
        {"empty", "", 1, "empty"},
        {"only comments and empty lines", "; nothing\n\n;\n", 1, "no level rows"},
        {"unknown character, comments counted", "; c\n; c\n..\n.x\n", 4, "unknown character 'x' in column 2"},
        {"tab in a row", "..\t.\n", 1, "byte 0x09 in column 3"},
        {"a lone CR", "..\r..\n", 1, "byte 0x0D in column 3"},
        {"two starts", "S.\n\n.S\n", 3, "second start 'S' (the first is on line 1)"},
        {"257 characters", "..\n" + wide + ".\n", 2, "longer than 256 characters"},
        {"257 characters with CRLF", wide + ".\r\n", 1, "longer than 256 characters"},
        {"a long comment", ";" + wide + "\n", 1, "longer than 256 characters"},
        {"257 rows", tall + "#\n", 257, "more than 256 rows"},
        {"258 rows after empty lines", tall.substr(2) + "\n\n#\n", 258, "more than 256 rows"},
        {"binary garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), 1, "byte 0x89 in column 1"},
        {"binary with no line end for long", "..GLTF" + std::string(400, '\x01'), 1, "'G' in column 3"},
        {"NUL in a row", std::string("..\0.", 4), 1, "byte 0x00 in column 3"},
        {"binary in a comment", std::string(";ab\x01", 4), 1, "binary data in a comment"},
        {"every cell solid", "; walls only\n##\n##\n", 2, "no open cell"},
        {"a start marked by another letter", "s\n", 1, "unknown character 's'"},
    };
    for (const Case& c : cases) {
        LevelFile file;
        ASSERT_TRUE(parse(file, "S")) << c.what;
        EXPECT_FALSE(parse(file, c.text)) << c.what;
        EXPECT_FALSE(file.isValid()) << c.what;
        EXPECT_EQ(file.getErrorLine(), c.line) << c.what << ": " << file.getErrorReason();
        EXPECT_NE(file.getErrorReason().find(c.reason), std::string::npos) << c.what << ": " << file.getErrorReason();
        EXPECT_TRUE(file.getGrid() == LevelGrid::builtIn()) << c.what << ": a refused file leaves the built-in level";
        EXPECT_FALSE(file.hasStartMark()) << c.what;
    }
    // Nothing is read beyond the size given: the row "S" continues past it.
    LevelFile file;
    const std::string text = "##\n##S";
    EXPECT_FALSE(file.parse(reinterpret_cast<const uint8_t*>(text.data()), 5));
    EXPECT_EQ(file.getErrorLine(), 1);
    EXPECT_NE(file.getErrorReason().find("no open cell"), std::string::npos) << file.getErrorReason();
    EXPECT_FALSE(file.parse(nullptr, 10));
}

TEST(LevelFileTest, MessagesNameTheFileTheLineAndTheReason)
{
    LevelFile file;
    parse(file, "..\n.?\n");
    EXPECT_EQ(file.describeError("levels/mine.lvl"),
              "Level file levels/mine.lvl line 2: unknown character '?' in column 2 (use '#', '.', ' ' or 'S')");
}

TEST(LevelFileTest, LoadsThroughTheFileSystemBoundedByTheRealSize)
{
    QuorvelTest::TempDir dir;
    dir.write("good.lvl", "#S\n..\n");
    dir.write("large.lvl", std::string(LevelFile::MaxFileSize + 1, '\n'));
    dir.write("empty.lvl", "");
    const std::string prefix = SceneTest::mountUnderFreshPrefix(dir.path());

    LevelFile file;
    ASSERT_TRUE(file.load((prefix + "good.lvl").c_str())) << file.describeError("good.lvl");
    EXPECT_EQ(picture(file.getGrid()), "#S\n..\n");

    struct Case {
        const char* name;
        const char* reason;
    };
    const Case cases[] = {
        {"missing.lvl", "cannot be opened"},
        {"large.lvl", "larger than 1048576 bytes"},
        {"empty.lvl", "empty"},
        {"", "cannot be opened"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(file.load((prefix + c.name).c_str())) << c.name;
        EXPECT_EQ(file.getErrorLine(), 1) << c.name;
        EXPECT_NE(file.getErrorReason().find(c.reason), std::string::npos) << c.name << ": " << file.getErrorReason();
        EXPECT_TRUE(file.getGrid() == LevelGrid::builtIn()) << c.name;
    }
}

TEST(LevelFileTest, NamesOutsideTheDataDirectoryAreRefusedWithTheirReason)
{
    // A good level beside the mounted directory, and one inside it.
    QuorvelTest::TempDir dir;
    std::filesystem::create_directories(dir.path() + "/data/levels");
    dir.write("outside.lvl", "S.\n");
    dir.write("data/levels/in..side.lvl", "#S\n");
    const std::string prefix = SceneTest::mountUnderFreshPrefix(dir.path() + "/data");

    LevelFile file;
    ASSERT_TRUE(file.load((prefix + "levels/in..side.lvl").c_str())) << file.describeError("in..side.lvl");

    struct Case {
        std::string name;
        const char* reason;
    };
    const Case cases[] = {
        {prefix + "../outside.lvl", "the name has a \"..\" part"},
        {prefix + "levels/../../outside.lvl", "the name has a \"..\" part"},
        {prefix + "..\\outside.lvl", "the name has a \"..\" part"},
        {dir.file("outside.lvl"), "the name is an absolute path"},
        {"\\levels\\outside.lvl", "the name is an absolute path"},
        {"C:\\levels\\outside.lvl", "the name is an absolute path"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(file.load((prefix + "levels/in..side.lvl").c_str()));
        EXPECT_FALSE(file.load(c.name.c_str())) << c.name;
        EXPECT_EQ(file.getErrorLine(), 1) << c.name;
        EXPECT_EQ(file.getErrorReason(), std::string(c.reason) + "; a level file is named inside the data directory")
            << c.name;
        EXPECT_TRUE(file.getGrid() == LevelGrid::builtIn()) << c.name;
    }
    EXPECT_EQ(file.describeError("data/C:\\levels\\outside.lvl"),
              "Level file data/C:\\levels\\outside.lvl line 1: the name is an absolute path; a level file is named "
              "inside the data directory");
}

TEST(LevelFileTest, WrittenLevelsReadBackAsTheSameLevel)
{
    struct Case {
        const char* what;
        LevelGrid grid;
        bool markStart;
        const char* text;
    };
    LevelGrid solidStart = SceneTest::gridFrom({".#", "S."});
    solidStart.setStart(1, 0);
    const Case cases[] = {
        {"the built-in level", LevelGrid::builtIn(), true,
         "S.........\n..........\n......#.#.\n........#.\n.....##.#.\n.#####..#.\n..#..#..#.\n.....####.\n..#.......\n"
         "..##......\n"},
        {"a start away from the corner", SceneTest::gridFrom({"##.", ".S#"}), true, "##.\n.S#\n"},
        {"the start left to the reader", SceneTest::gridFrom({"##.", ".S#"}), false, "##.\n..#\n"},
        {"a solid start is no 'S'", solidStart, true, ".#\n..\n"},
    };
    QuorvelTest::TempDir dir;
    for (const Case& c : cases) {
        const std::string text = LevelFile::toText(c.grid, c.markStart);
        EXPECT_EQ(text, c.text) << c.what;
        {
            Quorvel::BinaryDiskFile out(dir.file("out.lvl").c_str(), true);
            ASSERT_TRUE(LevelFile::save(c.grid, c.markStart, out)) << c.what;
        }
        EXPECT_EQ(dir.read("out.lvl"), text) << c.what;
        LevelFile file;
        ASSERT_TRUE(file.loadFromDisk(dir.file("out.lvl"))) << file.describeError(c.what);
        EXPECT_EQ(file.hasStartMark(), c.markStart && c.grid != solidStart) << c.what;
        // The cells always; the start too where the file marks it.
        LevelGrid read = file.getGrid();
        read.setStart(c.grid.getStartI(), c.grid.getStartJ());
        EXPECT_TRUE(read == c.grid) << c.what;
        if (file.hasStartMark()) {
            EXPECT_TRUE(file.getGrid() == c.grid) << c.what;
        }
    }

    // A file that cannot be opened for writing takes nothing.
    Quorvel::BinaryDiskFile nowhere(dir.file("no/such/dir.lvl").c_str(), true);
    EXPECT_FALSE(LevelFile::save(LevelGrid::builtIn(), true, nowhere));
}

TEST(LevelFileTest, ReadsFromTheDiskBoundedLikeThroughTheFileSystem)
{
    QuorvelTest::TempDir dir;
    dir.write("large.lvl", std::string(LevelFile::MaxFileSize + 1, '\n'));
    dir.write("limit.lvl", "S\n" + std::string(LevelFile::MaxFileSize - 2, '\n'));
    struct Case {
        const char* name;
        const char* error; // null when the file is good
    };
    const Case cases[] = {
        {"limit.lvl", nullptr},
        {"large.lvl", "Level file large.lvl line 1: the file is larger than 1048576 bytes"},
        {"missing.lvl", "Level file missing.lvl line 1: the file cannot be opened (No such file or directory)"},
    };
    for (const Case& c : cases) {
        LevelFile file;
        EXPECT_EQ(file.loadFromDisk(dir.file(c.name)), c.error == nullptr) << c.name;
        if (c.error != nullptr) {
            EXPECT_EQ(file.describeError(c.name), c.error);
        }
    }
}
