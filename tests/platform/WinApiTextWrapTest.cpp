// Message-box text broken into lines that fit.

#include "platform/winapi/WinApiTextWrap.h"

#include <gtest/gtest.h>

#include <sstream>

using Quorvel::WinApiTextWrap;

TEST(WinApiTextWrapTest, BreaksLongLinesAtWordsAndKeepsShortOnes)
{
    const struct {
        const char* text;
        size_t width;
        const char* wrapped;
    } cases[] = {
        {"", 10, ""},
        {"short", 10, "short"},
        {"exactly ten", 11, "exactly ten"},
        {"one two three four", 9, "one two\nthree\nfour"},
        {"one two three", 7, "one two\nthree"},      // a break right after a word that fits
        {"aaaaaaaaaaaaaa bb", 5, "aaaaa\naaaaa\naaaa\nbb"}, // a word longer than a line is cut
        {"first line\nsecond is longer here", 10, "first line\nsecond is\nlonger\nhere"},
        {"gap    between", 7, "gap\nbetween"},            // the spaces at a break go
        {"a\n\nb", 3, "a\n\nb"},                          // empty lines stay
        {"trailing   ", 20, "trailing   "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(WinApiTextWrap::wrap(c.text, c.width), c.wrapped);
    }
}

TEST(WinApiTextWrapTest, NoLineOfARealMessageIsLongerThanEightyCharacters)
{
    const std::string message =
        "Quorvel cannot start: the display does not offer the full-screen mode 1234 x 567 at 32 bits per pixel "
        "that /home/someone/a/rather/long/path/to/the/configuration/quorvel.conf asks for. It offers 1024 x 768, "
        "800 x 600. Set fullscreen = off or fullscreen = desktop in that file, or a size the display offers.";
    const std::string wrapped = WinApiTextWrap::wrap(message);
    std::istringstream lines(wrapped);
    size_t count = 0;
    for (std::string line; std::getline(lines, line); ++count)
        EXPECT_LE(line.size(), WinApiTextWrap::DefaultWidth) << line;
    EXPECT_GE(count, 4u);
    // Only spaces became line breaks: nothing of the text is lost.
    std::string joined = wrapped;
    for (char& c : joined)
        if (c == '\n')
            c = ' ';
    EXPECT_EQ(joined, message);
}
