#include "core/Log.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

using Quorvel::Log;
using Quorvel::String;

TEST(LogTest, WritesOneFlushedLinePerMessageAndTruncates)
{
    QuorvelTest::TempDir dir;
    dir.write("run.log", "a previous run's line\n");
    {
        Log log("run.log");
        log.write("first");
        EXPECT_EQ("first\n", dir.read("run.log")) << "each line is flushed at once";
        log.write("");
        log.write("two\nlines");
        log.printf("%s=%d", "width", 1024);
    }
    EXPECT_EQ("first\n\ntwo\nlines\nwidth=1024\n", dir.read("run.log"));
}

TEST(LogTest, PrintfCutsLongTextAt1023Bytes)
{
    QuorvelTest::TempDir dir;
    {
        Log log("long.log");
        std::string huge(5000, 'x');
        log.printf("%s", huge.c_str());
        log.write("after");
    }
    EXPECT_EQ(std::string(1023, 'x') + "\nafter\n", dir.read("long.log"));
}

TEST(LogTest, UnopenableFileLosesLinesSilently)
{
    QuorvelTest::TempDir dir;
    Log log("no/such/directory/x.log");
    log.write("lost");
    log.printf("%d", 1);
    SUCCEED();
}
