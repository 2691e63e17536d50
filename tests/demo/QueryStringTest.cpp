// A web page's query: the parameters it accepts, their decoding, every way a
// query can be wrong (each with a message naming the parameter), its bounds,
// and how the command line's --query takes it in or leaves it out.

#include "demo/CommandLine.h"
#include "demo/QueryString.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using Quorvel::CommandLine;
using Quorvel::QueryString;
using Outcome = Quorvel::CommandLine::Outcome;

TEST(QueryStringTest, AcceptedQueries)
{
    struct Case {
        std::string query;
        std::string level;
        uint32_t frames; // 0: no timedemo
        bool skyFirst;
    };
    const Case cases[] = {
        {"", "", 0, false},
        {"&&&", "", 0, false}, // empty parameters are skipped
        {"level=levels/maze32.lvl&timedemo=300&sky-first", "levels/maze32.lvl", 300, true},
        {"timedemo", "", 2000, false},
        {"timedemo=", "", 2000, false},
        {"timedemo=1", "", 1, false},
        {"timedemo=1000000", "", 1000000, false},
        {"timedemo=0042", "", 42, false},
        {"sky-first=", "", 0, true},
        {"sky-first=1", "", 0, true},
        {"&sky-first&", "", 0, true},
        {"level=levels%2Fmy+level%20%C3%A9.lvl", "levels/my level \xC3\xA9.lvl", 0, false},
        {"lev%65l=a.lvl", "a.lvl", 0, false},   // names are decoded too
        {"level=a=b.lvl", "a=b.lvl", 0, false}, // the first '=' ends the name
        {"timedemo=%33", "", 3, false},
    };
    for (const Case& c : cases) {
        QueryString query;
        EXPECT_TRUE(query.parse(c.query)) << c.query << ": " << query.getError();
        EXPECT_EQ(query.getLevel(), c.level) << c.query;
        EXPECT_EQ(query.isTimedemo(), c.frames != 0) << c.query;
        EXPECT_EQ(query.getTimedemoFrames(), c.frames) << c.query;
        EXPECT_EQ(query.isSkyFirst(), c.skyFirst) << c.query;
        EXPECT_TRUE(query.getError().empty()) << c.query;
    }
}

TEST(QueryStringTest, BadQueriesAreRefusedNamingTheParameter)
{
    struct Case {
        std::string query;
        std::string message; // a part of the error text
    };
    const Case cases[] = {
        {"colour=red", "unknown query parameter 'colour=red'"},
        {"Level=a.lvl", "unknown query parameter 'Level=a.lvl'"},
        {"timedemo=300&bogus", "unknown query parameter 'bogus'"},
        {"=5", "unknown query parameter '=5'"},
        {"level", "query parameter 'level': level needs the name of a level file"},
        {"level=", "query parameter 'level=': level needs the name"},
        {"level=a.lvl&level=b.lvl", "query parameter 'level=b.lvl': level is given twice"},
        {"level=a%0Ab.lvl", "the file name holds a control character"},
        {"timedemo=abc", "query parameter 'timedemo=abc': FRAMES must be a whole number"},
        {"timedemo=-5", "FRAMES must be a whole number"},
        {"timedemo=+5", "FRAMES must be a whole number"}, // '+' is a blank
        {"timedemo=1.5", "FRAMES must be a whole number"},
        {"timedemo=0", "query parameter 'timedemo=0': FRAMES must be at least 1"},
        {"timedemo=1000001", "at most 1000000 frames"},
        {"timedemo=99999999999999999999", "at most 1000000 frames"},
        {"timedemo&timedemo=5", "query parameter 'timedemo=5': timedemo is given twice"},
        {"sky-first=0", "query parameter 'sky-first=0': sky-first takes no value (or 1)"},
        {"sky-first=yes", "sky-first takes no value"},
        {"sky-first&sky-first", "sky-first is given twice"},
        {"level=a%zz.lvl", "query parameter 'level=a%zz.lvl': holds a bad percent escape '%zz'"},
        {"level=a%4", "a bad percent escape '%4'"},
        {"level=a%", "a bad percent escape '%'"},
        {"sky%2-first", "a bad percent escape '%2-'"},
        {"level=a%00.lvl", "holds a zero byte (%00)"},
        {std::string("level=a\0b.lvl", 13), "query parameter 'level=a\\x00b.lvl': holds a zero byte"},
        {"\x01\xff=1", "unknown query parameter '\\x01\\xFF=1'"}, // bytes shown escaped
    };
    for (const Case& c : cases) {
        QueryString query;
        EXPECT_FALSE(query.parse(c.query)) << c.query;
        EXPECT_NE(query.getError().find(c.message), std::string::npos)
            << c.query << ": expected \"" << c.message << "\" in \"" << query.getError() << "\"";
        EXPECT_EQ(query.getError().find('\n'), std::string::npos) << "one line: " << query.getError();
        // A refusal keeps none of the parameters read before the fault.
        EXPECT_TRUE(query.getLevel().empty()) << c.query;
        EXPECT_FALSE(query.isTimedemo()) << c.query;
        EXPECT_EQ(query.getTimedemoFrames(), 0u) << c.query;
        EXPECT_FALSE(query.isSkyFirst()) << c.query;
    }
}

TEST(QueryStringTest, SizesAreBounded)
{
    QueryString query;
    // The longest query is read; one byte more is refused whole.
    const std::string prefix = "level=";
    const std::string longest = prefix + std::string(QueryString::MaxLength - prefix.size(), 'a');
    EXPECT_TRUE(query.parse(longest)) << query.getError();
    EXPECT_EQ(query.getLevel().size(), QueryString::MaxLength - prefix.size());
    EXPECT_FALSE(query.parse(longest + "a"));
    EXPECT_EQ(query.getError(), "the query is longer than 2048 bytes");

    // A long parameter is shown cut in the message.
    EXPECT_FALSE(query.parse(std::string(1500, 'z')));
    EXPECT_LT(query.getError().size(), 200u) << query.getError();

    // Sixteen parameters are read (the repetition is then found); seventeen
    // are refused before any is read.
    std::string many;
    for (size_t i = 0; i < QueryString::MaxParameters; ++i)
        many += "sky-first&";
    EXPECT_FALSE(query.parse(many));
    EXPECT_NE(query.getError().find("given twice"), std::string::npos) << query.getError();
    EXPECT_FALSE(query.parse(many + "x"));
    EXPECT_EQ(query.getError(), "the query has more than 16 parameters");
    // Empty parameters do not count.
    EXPECT_TRUE(query.parse(std::string(1000, '&') + "timedemo=5" + std::string(1000, '&'))) << query.getError();
}

// A parse keeps nothing of the one before.
TEST(QueryStringTest, EachParseStartsAfresh)
{
    QueryString query;
    ASSERT_TRUE(query.parse("level=a.lvl&timedemo=7&sky-first"));
    ASSERT_TRUE(query.parse("sky-first"));
    EXPECT_TRUE(query.getLevel().empty());
    EXPECT_FALSE(query.isTimedemo());
    ASSERT_FALSE(query.parse("bogus"));
    ASSERT_TRUE(query.parse(""));
    EXPECT_TRUE(query.getError().empty());
    EXPECT_FALSE(query.isSkyFirst());
}

TEST(QueryStringTest, CommandLineTakesTheQueryOrLeavesItOut)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string level;
        uint32_t frames;
        bool skyFirst;
        std::string queryError; // a part of it; empty: none
    };
    const Case cases[] = {
        {{"--query", ""}, "", 0, false, ""},
        {{"--query", "level=levels/maze32.lvl&timedemo=300&sky-first"}, "levels/maze32.lvl", 300, true, ""},
        {{"--query", "timedemo"}, "", 2000, false, ""},
        {{"--query", "level=a.lvl", "--timedemo", "5"}, "a.lvl", 5, false, ""},
        {{"--query", "--help"}, "", 0, false, "unknown query parameter '--help'"}, // the text is the page's
        // A bad query is left out whole; the command line's options stand.
        {{"--sky-first", "--query", "level=a.lvl&bogus=1"}, "", 0, true, "unknown query parameter 'bogus=1'"},
        {{"--query", "timedemo=0"}, "", 0, false, "FRAMES must be at least 1"},
        {{"--timedemo", "--query", "timedemo=5&level=a.lvl"},
         "",
         2000,
         false,
         "query parameter 'timedemo': --timedemo is given on the command line too"},
        {{"--level", "b.lvl", "--query", "level=a.lvl"}, "b.lvl", 0, false, "--level is given on the command line too"},
        {{"--sky-first", "--query", "sky-first"}, "", 0, true, "--sky-first is given on the command line too"},
    };
    for (const Case& c : cases) {
        CommandLine line;
        EXPECT_EQ(line.parseArguments(c.arguments), Outcome::Run) << c.arguments[1] << ": " << line.getError();
        EXPECT_EQ(line.getLevelPath(), c.level) << c.arguments[1];
        EXPECT_EQ(line.getTimedemoFrames(), c.frames) << c.arguments[1];
        EXPECT_EQ(line.isTimedemo(), c.frames != 0) << c.arguments[1];
        EXPECT_EQ(line.isSkyFirst(), c.skyFirst) << c.arguments[1];
        if (c.queryError.empty())
            EXPECT_TRUE(line.getQueryError().empty()) << line.getQueryError();
        else
            EXPECT_NE(line.getQueryError().find(c.queryError), std::string::npos)
                << "expected \"" << c.queryError << "\" in \"" << line.getQueryError() << "\"";
    }

    // The query's timedemo counts for --shot; a query left out does not.
    CommandLine line;
    EXPECT_EQ(line.parseArguments({"--query", "timedemo=3", "--shot", "a.png"}), Outcome::Run) << line.getError();
    EXPECT_EQ(line.getShotPath(), "a.png");
    EXPECT_EQ(line.parseArguments({"--query", "timedemo=x", "--shot", "a.png"}), Outcome::Error);
    EXPECT_NE(line.getError().find("give --timedemo too"), std::string::npos) << line.getError();
}
