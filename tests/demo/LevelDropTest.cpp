// A level file dropped on the window: accepted, it restarts the walk in it
// with the configured level's log line; refused (too large, malformed,
// missing, not a file), it leaves the walk as it was with the reader's words
// and "the walk goes on".

#include "demo/LevelDrop.h"

#include "core/Log.h"
#include "core/String.h"
#include "scene/LevelFile.h"
#include "scene/LevelGrid.h"
#include "scene/SceneTestSupport.h"
#include "scene/W_LevelRenderer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using Quorvel::LevelDrop;
using Quorvel::W_LevelRenderer;

namespace {

class LevelDropTest : public ::testing::Test {
protected:
    // The log's lines so far.
    std::vector<std::string> logLines() const
    {
        std::vector<std::string> lines;
        std::ifstream file(dir.file("drop.log"));
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }

    QuorvelTest::TempDir dir;
    SceneTest::ManualTimerSystem timer;
    W_LevelRenderer level{Quorvel::SkyDome::WithoutGraphics()};
    Quorvel::Log log{Quorvel::String(dir.file("drop.log").c_str())};
    LevelDrop drop{level, log};
};

} // namespace

TEST_F(LevelDropTest, AnAcceptedFileRestartsTheWalkInItsLevel)
{
    dir.write("room.lvl", "; a room\n#####\n#..S#\n#...#\n#####\n");
    level.setPlayerPosition(Quorvel::Vector3(40.0f, 8.0f, -40.0f));

    EXPECT_TRUE(drop.load(dir.file("room.lvl")));
    EXPECT_EQ(level.getGrid().getWidth(), 5);
    EXPECT_EQ(level.getGrid().getHeight(), 4);
    EXPECT_EQ(level.getGrid().getStartI(), 3);
    EXPECT_EQ(level.getGrid().getStartJ(), 1);
    EXPECT_FLOAT_EQ(level.getPlayerPosition().x, 3 * 16.0f + 8.0f) << "at the file's start";
    EXPECT_FLOAT_EQ(level.getPlayerPosition().z, -(1 * 16.0f + 8.0f));
    EXPECT_EQ(logLines(), std::vector<std::string>{"Level file " + dir.file("room.lvl") + ": 5 x 4 cells"});
}

TEST_F(LevelDropTest, ARefusedFileIsLoggedAndChangesNothing)
{
    // Larger than the reader reads: a sparse file, so that nothing is written
    // to the disk; it is refused on its size, before any byte is read.
    {
        std::ofstream big(dir.file("big.lvl"), std::ios::binary);
        big.seekp(static_cast<std::streamoff>(Quorvel::LevelFile::MaxFileSize));
        big.put('#');
    }
    dir.write("bad.lvl", "#S#\n#x#\n");
    dir.write("empty.lvl", "");
    struct Case {
        std::string name;
        std::string line; // after "Level file PATH "
    };
    const Case cases[] = {
        {"big.lvl", "line 1: the file is larger than 1048576 bytes"},
        {"bad.lvl", "line 2: unknown character 'x' in column 2 (use '#', '.', ' ' or 'S')"},
        {"empty.lvl", "line 1: the file is empty"},
        {"missing.lvl", "line 1: the file cannot be opened (No such file or directory)"},
    };
    const Quorvel::LevelGrid before = level.getGrid();
    level.setPlayerPosition(Quorvel::Vector3(40.0f, 8.0f, -40.0f));
    size_t lines = 0;
    for (const Case& c : cases) {
        EXPECT_FALSE(drop.load(dir.file(c.name))) << c.name;
        EXPECT_TRUE(level.getGrid() == before) << c.name;
        EXPECT_FLOAT_EQ(level.getPlayerPosition().x, 40.0f) << c.name << ": the walk goes on where it was";
        const std::vector<std::string> logged = logLines();
        ASSERT_EQ(logged.size(), ++lines) << c.name;
        EXPECT_EQ(logged.back(), "Level file " + dir.file(c.name) + " " + c.line + "; the walk goes on");
    }
    // A directory is no level file either.
    EXPECT_FALSE(drop.load(dir.path()));
    EXPECT_TRUE(level.getGrid() == before);
}

TEST_F(LevelDropTest, ThePathIsShownOnOneLine)
{
    EXPECT_EQ(LevelDrop::shown("/tmp/a\nb\r\x7f.lvl"), "/tmp/a?b??.lvl");
    EXPECT_EQ(LevelDrop::shown("C:\\levels\\\xC3\xA9.lvl"), "C:\\levels\\\xC3\xA9.lvl"); // other bytes stay
    dir.write("line\nbreak.lvl", "S\n");
    EXPECT_TRUE(drop.load(dir.file("line\nbreak.lvl")));
    EXPECT_EQ(logLines(), std::vector<std::string>{"Level file " + dir.path() + "/line?break.lvl: 1 x 1 cells"});
}
