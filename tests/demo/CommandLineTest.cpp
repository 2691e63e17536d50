// The demonstration's command line: the options it accepts, every way it can
// be wrong (each with a message naming the argument), the bounds on its size,
// and the Windows splitting of WinMain's one text.

#include "demo/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using Quorvel::CommandLine;
using Outcome = Quorvel::CommandLine::Outcome;

namespace {

Outcome parseList(CommandLine& line, std::vector<std::string> arguments)
{
    std::vector<const char*> argv{"quorvel-demo"};
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    return line.parse(static_cast<int>(argv.size()), argv.data());
}

std::string join(const std::vector<std::string>& arguments)
{
    std::string all;
    for (const std::string& argument : arguments)
        all += "[" + argument + "]";
    return all;
}

} // namespace

TEST(CommandLineTest, NoArgumentsRunsTheDemonstration)
{
    CommandLine line;
    EXPECT_EQ(parseList(line, {}), Outcome::Run);
    EXPECT_FALSE(line.isTimedemo());
    EXPECT_EQ(line.getTimedemoFrames(), 0u);
    EXPECT_TRUE(line.getShotPath().empty());
    EXPECT_FALSE(line.isSkyFirst());
    EXPECT_TRUE(line.getError().empty());
}

TEST(CommandLineTest, AcceptedForms)
{
    struct Case {
        std::vector<std::string> arguments;
        uint32_t frames; // 0: no timedemo
        std::string shot;
        bool skyFirst;
    };
    const Case cases[] = {
        {{"--timedemo"}, 2000, "", false},
        {{"--timedemo", "1"}, 1, "", false},
        {{"--timedemo", "500"}, 500, "", false},
        {{"--timedemo", "0042"}, 42, "", false},
        {{"--timedemo", "1000000"}, 1000000, "", false},
        {{"--timedemo", "--shot", "last.png"}, 2000, "last.png", false},
        {{"--shot", "dir/My Shot.PNG", "--timedemo", "30"}, 30, "dir/My Shot.PNG", false},
        {{"--sky-first"}, 0, "", true},
        {{"--timedemo", "100", "--sky-first"}, 100, "", true},
        {{"--sky-first", "--timedemo"}, 2000, "", true},
    };
    for (const Case& c : cases) {
        CommandLine line;
        EXPECT_EQ(parseList(line, c.arguments), Outcome::Run) << join(c.arguments) << ": " << line.getError();
        EXPECT_EQ(line.isTimedemo(), c.frames != 0) << join(c.arguments);
        EXPECT_EQ(line.getTimedemoFrames(), c.frames) << join(c.arguments);
        EXPECT_EQ(line.getShotPath(), c.shot) << join(c.arguments);
        EXPECT_EQ(line.isSkyFirst(), c.skyFirst) << join(c.arguments);
    }
}

TEST(CommandLineTest, HelpWinsOverEverythingElse)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--help"}, {"-h"}, {"--timedemo", "5", "--help"}, {"--bogus", "--help"}}) {
        CommandLine line;
        // An unknown argument before --help is reported as such.
        const Outcome expected = arguments[0] == "--bogus" ? Outcome::Error : Outcome::Help;
        EXPECT_EQ(parseList(line, arguments), expected) << join(arguments);
    }
    EXPECT_NE(std::string(CommandLine::usage()).find("--timedemo [FRAMES]"), std::string::npos);
    EXPECT_NE(std::string(CommandLine::usage()).find("--level PATH"), std::string::npos);
    EXPECT_NE(std::string(CommandLine::usage()).find("--query TEXT"), std::string::npos);
}

TEST(CommandLineTest, LevelNamesALevelFile)
{
    CommandLine line;
    EXPECT_EQ(parseList(line, {}), Outcome::Run);
    EXPECT_TRUE(line.getLevelPath().empty()); // the configuration's level
    EXPECT_EQ(parseList(line, {"--level", "levels/maze32.lvl", "--timedemo", "9"}), Outcome::Run) << line.getError();
    EXPECT_EQ(line.getLevelPath(), "levels/maze32.lvl");
    EXPECT_EQ(line.getTimedemoFrames(), 9u);
    // The name is passed on as it is: the level reader refuses one outside
    // the data directory, with the same words as for the configuration's.
    EXPECT_EQ(parseList(line, {"--level", "../outside.lvl"}), Outcome::Run) << line.getError();
    EXPECT_EQ(line.getLevelPath(), "../outside.lvl");

    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Case cases[] = {
        {{"--level"}, "--level needs the name of a level file"},
        {{"--level", ""}, "--level needs the name of a level file"},
        {{"--level", "--sky-first"}, "--level needs the name of a level file"},
        {{"--level", "a.lvl", "--level", "b.lvl"}, "--level is given twice"},
        {{"--query"}, "--query needs the text of a web page's query"},
        {{"--query", "", "--query", ""}, "--query is given twice"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseList(line, c.arguments), Outcome::Error) << join(c.arguments);
        EXPECT_NE(line.getError().find(c.message), std::string::npos)
            << join(c.arguments) << ": expected \"" << c.message << "\" in \"" << line.getError() << "\"";
        EXPECT_TRUE(line.getLevelPath().empty()) << join(c.arguments);
    }
}

TEST(CommandLineTest, BadArgumentsAreRefusedWithTheirReason)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string message; // a part of the error text
    };
    const Case cases[] = {
        {{"--bogus"}, "unknown argument '--bogus'"},
        {{"timedemo"}, "unknown argument 'timedemo'"},
        {{""}, "unknown argument ''"},
        {{"--timedemo", "abc"}, "--timedemo 'abc': FRAMES must be a whole number"},
        {{"--timedemo", "-5"}, "--timedemo '-5': FRAMES must be a whole number"},
        {{"--timedemo", "+5"}, "FRAMES must be a whole number"},
        {{"--timedemo", "5x"}, "FRAMES must be a whole number"},
        {{"--timedemo", " 5"}, "FRAMES must be a whole number"},
        {{"--timedemo", "1.5"}, "FRAMES must be a whole number"},
        {{"--timedemo", ""}, "FRAMES must be a whole number"},
        {{"--timedemo", "0"}, "--timedemo '0': FRAMES must be at least 1"},
        {{"--timedemo", "000"}, "FRAMES must be at least 1"},
        {{"--timedemo", "1000001"}, "at most 1000000 frames"},
        {{"--timedemo", "99999999999999999999999"}, "at most 1000000 frames"},
        {{"--timedemo", "--timedemo"}, "--timedemo is given twice"},
        {{"--timedemo", "5", "--timedemo", "6"}, "--timedemo is given twice"},
        {{"--timedemo", "5", "6"}, "unknown argument '6'"},
        {{"--shot", "x.png"}, "give --timedemo too"},
        {{"--timedemo", "--shot"}, "--shot needs the name of a PNG file"},
        {{"--timedemo", "--shot", ""}, "--shot needs the name of a PNG file"},
        {{"--timedemo", "--shot", "--sky-first"}, "--shot needs the name of a PNG file"},
        {{"--timedemo", "--shot", "picture.jpg"}, "name it FILE.png"},
        {{"--timedemo", "--shot", "png"}, "name it FILE.png"},
        {{"--timedemo", "--shot", "a.png", "--shot", "b.png"}, "--shot is given twice"},
        {{"--sky-first", "--sky-first"}, "--sky-first is given twice"},
        {{"--timedemo", "\x01\xff"}, "'\\x01\\xFF'"}, // bytes shown escaped
    };
    for (const Case& c : cases) {
        CommandLine line;
        EXPECT_EQ(parseList(line, c.arguments), Outcome::Error) << join(c.arguments);
        EXPECT_NE(line.getError().find(c.message), std::string::npos)
            << join(c.arguments) << ": expected \"" << c.message << "\" in \"" << line.getError() << "\"";
        // A refusal leaves no half-read options behind.
        EXPECT_FALSE(line.isTimedemo()) << join(c.arguments);
        EXPECT_TRUE(line.getShotPath().empty()) << join(c.arguments);
        EXPECT_EQ(line.getError().find('\n'), std::string::npos) << "one line: " << line.getError();
    }
}

TEST(CommandLineTest, FirstFrameStandsAloneOrWithTheDrawingOrder)
{
    struct Case {
        std::vector<std::string> arguments;
        bool accepted;
        std::string message; // a part of the error text when refused
    };
    const Case cases[] = {
        {{"--first-frame"}, true, ""},
        {{"--first-frame", "--sky-first"}, true, ""},
        {{"--sky-first", "--first-frame"}, true, ""},
        {{"--first-frame", "--first-frame"}, false, "--first-frame is given twice"},
        {{"--first-frame", "--timedemo"}, false, "give one of them"},
        {{"--timedemo", "5", "--first-frame"}, false, "give one of them"},
        {{"--first-frame", "--shot", "a.png"}, false, "give --timedemo too"},
        {{"--first-frame", "1"}, false, "unknown argument '1'"},
    };
    for (const Case& c : cases) {
        CommandLine line;
        EXPECT_EQ(parseList(line, c.arguments), c.accepted ? Outcome::Run : Outcome::Error) << join(c.arguments);
        EXPECT_EQ(line.isFirstFrame(), c.accepted) << join(c.arguments);
        EXPECT_FALSE(line.isTimedemo()) << join(c.arguments);
        if (!c.accepted) {
            EXPECT_NE(line.getError().find(c.message), std::string::npos)
                << join(c.arguments) << ": expected \"" << c.message << "\" in \"" << line.getError() << "\"";
        }
    }
    EXPECT_NE(std::string(CommandLine::usage()).find("--first-frame"), std::string::npos);
}

TEST(CommandLineTest, SizesAreBounded)
{
    CommandLine line;
    // An argument of the longest length is read; one byte more is refused
    // without being copied whole into the message.
    const std::string longest = std::string(CommandLine::MaxArgumentLength - 4, 'a') + ".png";
    EXPECT_EQ(parseList(line, {"--timedemo", "--shot", longest}), Outcome::Run) << line.getError();
    EXPECT_EQ(line.getShotPath(), longest);
    EXPECT_EQ(parseList(line, {"--timedemo", "--shot", "a" + longest}), Outcome::Error);
    EXPECT_NE(line.getError().find("longer than 4096 bytes"), std::string::npos) << line.getError();
    EXPECT_LT(line.getError().size(), 200u);

    const std::string unknown(5000, 'z');
    EXPECT_EQ(parseList(line, {unknown}), Outcome::Error);
    EXPECT_LT(line.getError().size(), 200u) << "the argument is shown cut";

    std::vector<std::string> many(CommandLine::MaxArguments, "--sky-first");
    EXPECT_EQ(parseList(line, many), Outcome::Error); // as many as allowed: read, and the repetition found
    EXPECT_NE(line.getError().find("given twice"), std::string::npos) << line.getError();
    many.push_back("--sky-first");
    EXPECT_EQ(parseList(line, many), Outcome::Error);
    EXPECT_NE(line.getError().find("too many arguments"), std::string::npos) << line.getError();
}

TEST(CommandLineTest, UnreadableArgumentVectorsGiveAnError)
{
    CommandLine line;
    EXPECT_EQ(line.parse(3, nullptr), Outcome::Error);
    const char* withNull[] = {"quorvel-demo", nullptr, "--timedemo"};
    EXPECT_EQ(line.parse(3, withNull), Outcome::Error);
    EXPECT_EQ(line.parse(-1, withNull), Outcome::Error);
    EXPECT_EQ(line.parse(0, nullptr), Outcome::Run); // nothing at all: the demonstration
    const char* programOnly[] = {"quorvel-demo"};
    EXPECT_EQ(line.parse(1, programOnly), Outcome::Run);
}

TEST(CommandLineTest, WindowsCommandLinesSplitAsWindowsProgramsDo)
{
    struct Case {
        const char* text;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"--timedemo 300", {"--timedemo", "300"}},
        {"  --timedemo\t\t300  ", {"--timedemo", "300"}},
        {"--shot \"C:\\My Pictures\\last.png\"", {"--shot", "C:\\My Pictures\\last.png"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"\"", {""}},
        {"\\\"x", {"\"x"}},           // \" is a literal quote
        {"a\\\\\"b c\"", {"a\\b c"}}, // \\" is a backslash, then the quote groups
        {"a\\\\\\\"b", {"a\\\"b"}},   // \\\" is a backslash and a literal quote
        {"a\\b\\\\c", {"a\\b\\\\c"}}, // backslashes before other bytes stay as they are
        {"\"unterminated quote", {"unterminated quote"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"left over"};
        std::string error;
        EXPECT_TRUE(CommandLine::splitWindows(c.text, std::string(c.text).size(), arguments, error)) << c.text;
        EXPECT_EQ(arguments, c.arguments) << c.text;
    }

    // The length bounds the read and a zero byte ends it.
    const char text[] = "--timedemo 12 --sky-first";
    std::vector<std::string> arguments;
    std::string error;
    ASSERT_TRUE(CommandLine::splitWindows(text, 13, arguments, error));
    EXPECT_EQ(arguments, (std::vector<std::string>{"--timedemo", "12"}));
    const char withZero[] = "--timedemo\0 12";
    ASSERT_TRUE(CommandLine::splitWindows(withZero, sizeof withZero, arguments, error));
    EXPECT_EQ(arguments, (std::vector<std::string>{"--timedemo"}));
    ASSERT_TRUE(CommandLine::splitWindows(nullptr, 10, arguments, error));
    EXPECT_TRUE(arguments.empty());
}

TEST(CommandLineTest, WindowsCommandLinesAreBoundedAndParsed)
{
    CommandLine line;
    const std::string good = "--timedemo 250 --shot \"out dir\\shot.png\"";
    EXPECT_EQ(line.parseWindows(good.c_str(), good.size()), Outcome::Run) << line.getError();
    EXPECT_EQ(line.getTimedemoFrames(), 250u);
    EXPECT_EQ(line.getShotPath(), "out dir\\shot.png");

    const std::string bad = "--timedemo abc";
    EXPECT_EQ(line.parseWindows(bad.c_str(), bad.size()), Outcome::Error);

    const std::string tooLong(CommandLine::MaxCommandLineLength + 1, ' ');
    EXPECT_EQ(line.parseWindows(tooLong.c_str(), tooLong.size()), Outcome::Error);
    EXPECT_NE(line.getError().find("longer than 32767 bytes"), std::string::npos) << line.getError();
    const std::string longest(CommandLine::MaxCommandLineLength, ' ');
    EXPECT_EQ(line.parseWindows(longest.c_str(), longest.size()), Outcome::Run);

    std::string many;
    for (size_t i = 0; i <= CommandLine::MaxArguments; ++i)
        many += "x ";
    EXPECT_EQ(line.parseWindows(many.c_str(), many.size()), Outcome::Error);
    EXPECT_NE(line.getError().find("too many arguments"), std::string::npos) << line.getError();

    const std::string longArgument = "\"" + std::string(CommandLine::MaxArgumentLength + 1, 'q') + "\"";
    EXPECT_EQ(line.parseWindows(longArgument.c_str(), longArgument.size()), Outcome::Error);
    EXPECT_NE(line.getError().find("longer than 4096 bytes"), std::string::npos) << line.getError();
}

// Any bytes at all give a defined outcome, never a crash or a read past the
// text (run under the sanitizers, this is the fuzz target's little brother).
TEST(CommandLineTest, ArbitraryBytesGiveADefinedOutcome)
{
    uint32_t state = 12345u;
    auto next = [&state]() {
        state = state * 1664525u + 1013904223u;
        return static_cast<char>(state >> 24);
    };
    const char alphabet[] = {' ', '\t', '"', '\\', '-', 't', '0', '5', '\0', '\x80', 'x'};
    for (int round = 0; round < 2000; ++round) {
        std::vector<char> bytes(static_cast<size_t>(round % 97));
        for (char& byte : bytes)
            byte = round % 2 == 0 ? next() : alphabet[static_cast<unsigned char>(next()) % sizeof alphabet];
        CommandLine line;
        const Outcome outcome = line.parseWindows(bytes.data(), bytes.size());
        EXPECT_EQ(outcome == Outcome::Error, !line.getError().empty());
        if (outcome == Outcome::Run && line.isTimedemo()) {
            EXPECT_GE(line.getTimedemoFrames(), 1u);
            EXPECT_LE(line.getTimedemoFrames(), CommandLine::MaxTimedemoFrames);
        }
    }
}
