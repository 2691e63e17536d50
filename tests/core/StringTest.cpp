#include "core/String.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

using Quorvel::String;

namespace {

std::string bytes(const String& s)
{
    return std::string(s.getData(), static_cast<size_t>(s.length()));
}

} // namespace

TEST(StringTest, ConstructionSetsExactCapacity)
{
    String empty;
    EXPECT_EQ(0, empty.length());
    EXPECT_EQ(1, empty.getCapacity());

    String text("abc");
    EXPECT_EQ(3, text.length());
    EXPECT_EQ(4, text.getCapacity());

    const char raw[] = {'a', 0, 'b'};
    String counted(raw, 3);
    EXPECT_EQ(3, counted.length());
    EXPECT_EQ(std::string(raw, 3), bytes(counted)) << "a zero byte inside the text survives";

    String reserved(10);
    EXPECT_EQ(0, reserved.length());
    EXPECT_EQ(11, reserved.getCapacity());

    String copy(text);
    EXPECT_EQ(4, copy.getCapacity());
    EXPECT_EQ("abc", bytes(copy));
}

TEST(StringTest, AssignmentGrowsButNeverShrinks)
{
    String target(20);
    target = String("abc");
    EXPECT_EQ(21, target.getCapacity());
    EXPECT_EQ("abc", bytes(target));

    String small;
    small = String("abcdef");
    EXPECT_EQ(7, small.getCapacity());
    EXPECT_EQ("abcdef", bytes(small));

    const String& same = small; // through a reference, as self-assignment happens in real code
    small = same;               // self-assignment keeps the text
    EXPECT_EQ("abcdef", bytes(small));
}

TEST(StringTest, CStrTerminatesWhateverTheLength)
{
    for (const char* text : {"", "a", "hello world"}) {
        String s(text);
        const char* z = s.c_str();
        EXPECT_EQ(0, std::strcmp(text, z));
        EXPECT_EQ(0, z[s.length()]) << "text '" << text << "'";
    }
}

TEST(StringTest, ReserveAndTruncate)
{
    String s("abcdef");
    s.reserve(20);
    EXPECT_EQ(20, s.getCapacity());
    EXPECT_EQ("abcdef", bytes(s));
    s.truncate(3);
    EXPECT_EQ("abc", bytes(s));
    s.truncate(100);
    EXPECT_EQ(19, s.length()) << "truncate never passes capacity - 1";
}

TEST(StringTest, ConcatenationAndAppend)
{
    String a("foo");
    String b("bar");
    String c = a + b;
    EXPECT_EQ("foobar", bytes(c));
    EXPECT_EQ(7, c.getCapacity());

    a += b;
    EXPECT_EQ("foobar", bytes(a));
    EXPECT_EQ(7, a.getCapacity()) << "growth is exact";

    String self("ab");
    self += self;
    EXPECT_EQ("abab", bytes(self));

    String roomy(10);
    roomy += String("xy");
    EXPECT_EQ(11, roomy.getCapacity()) << "no growth when the text fits";
}

TEST(StringTest, Substr)
{
    struct Case {
        const char* text;
        int start;
        int count;
        const char* expected;
    } cases[] = {
        {"abcdef", 3, -1, "def"}, {"abc", 2, 100, "c"}, {"abc", 5, -1, ""},
        {"abc", 0, 0, ""},        {"abc", 0, 2, "ab"},  {"abc", 3, -1, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, bytes(String(c.text).substr(c.start, c.count)))
            << "substr(" << c.start << ", " << c.count << ") of '" << c.text << "'";
    }
}

TEST(StringTest, Find)
{
    String s("abcabc");
    EXPECT_EQ(1, s.find('b'));
    EXPECT_EQ(4, s.find('b', 2));
    EXPECT_EQ(-1, s.find('b', 2, 3)) << "the range is inclusive and ends at 3";
    EXPECT_EQ(4, s.find('b', 2, 4));
    EXPECT_EQ(-1, s.find('z'));
    EXPECT_EQ(-1, String().find('a'));
}

TEST(StringTest, EqualityAndSignedByteOrder)
{
    EXPECT_TRUE(String("abc") == String("abc"));
    EXPECT_FALSE(String("abc") == String("abd"));
    EXPECT_FALSE(String("abc") == String("ab"));

    EXPECT_TRUE(String("ab") < String("abc")) << "a prefix sorts first";
    EXPECT_FALSE(String("abc") < String("ab"));
    EXPECT_TRUE(String("abc") < String("abd"));
    EXPECT_FALSE(String("abc") < String("abc"));
    EXPECT_TRUE(String("\xC3") < String("A")) << "bytes of 128 and above are negative";
    EXPECT_TRUE(String("") < String("\x80"));
}

TEST(StringTest, ToLowerChangesOnlyAsciiLetters)
{
    String s("GraphicSystem\xC4\xD6[Z]");
    s.toLower();
    EXPECT_EQ("graphicsystem\xC4\xD6[z]", bytes(s));
}

TEST(StringTest, TrimUsesBytesZeroToThirtyTwo)
{
    struct Case {
        std::string text;
        std::string both, left, right;
    } cases[] = {
        {"\tab\r", "ab", "ab\r", "\tab"},
        {"   ", "", "", ""},
        {std::string("\0\x1f x \x20", 6), "x", "x  ", std::string("\0\x1f x", 4)},
        {"\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0"},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        String both(c.text.data(), static_cast<int32_t>(c.text.size()));
        String left = both, right = both;
        both.trim();
        left.trimLeft();
        right.trimRight();
        EXPECT_EQ(c.both, bytes(both));
        EXPECT_EQ(c.left, bytes(left));
        EXPECT_EQ(c.right, bytes(right));
    }
}

TEST(StringTest, ToIntConsumesWholeTextAndClamps)
{
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    } cases[] = {
        {"42", true, 42},
        {"42a", false, 42},
        {"", true, 0},
        {"-17", true, -17},
        {"+8", true, 8},
        {"  12", true, 12},
        {"12 ", false, 12},
        {"0x10", false, 0},
        {"99999999999", true, INT32_MAX},
        {"-99999999999", true, INT32_MIN},
        {"abc", false, 0},
    };
    for (const Case& c : cases) {
        int32_t out = 12345;
        EXPECT_EQ(c.ok, String(c.text).toInt(out)) << "'" << c.text << "'";
        EXPECT_EQ(c.value, out) << "'" << c.text << "'";
    }
}

TEST(StringTest, ToFloatConsumesWholeTextAndClamps)
{
    struct Case {
        const char* text;
        bool ok;
        float value;
    } cases[] = {
        {"0.5", true, 0.5f},  {"", true, 0.0f},      {"-2.5e2", true, -250.0f},      {"3.", true, 3.0f},
        {".25", true, 0.25f}, {"1.5x", false, 1.5f}, {"1e300", true, 3.4028235e38f}, {"-1e300", true, -3.4028235e38f},
        {"inf", false, 0.0f}, {"nan", false, 0.0f},  {"0x10", false, 0.0f},
    };
    for (const Case& c : cases) {
        float out = 123.0f;
        EXPECT_EQ(c.ok, String(c.text).toFloat(out)) << "'" << c.text << "'";
        EXPECT_FLOAT_EQ(c.value, out) << "'" << c.text << "'";
    }
}

TEST(StringTest, GetlineReadsBoundedLines)
{
    std::istringstream in("first\nsecond line\n\nlast");
    String line;
    String::getline(in, line, 1024);
    EXPECT_EQ("first", bytes(line));
    EXPECT_EQ(1024, line.getCapacity());
    String::getline(in, line, 1024);
    EXPECT_EQ("second line", bytes(line));
    String::getline(in, line, 1024);
    EXPECT_EQ("", bytes(line));
    String::getline(in, line, 1024);
    EXPECT_EQ("last", bytes(line));
    EXPECT_TRUE(in.eof());

    std::istringstream longLine("abcdefgh\nnext\n");
    String::getline(longLine, line, 4);
    EXPECT_EQ("abc", bytes(line));
    EXPECT_TRUE(longLine.fail()) << "a line longer than the limit fails the stream";

    std::string withZero("ab\0cd\n", 6);
    std::istringstream zero(withZero);
    String::getline(zero, line, 16);
    EXPECT_EQ("ab", bytes(line)) << "the length stops at the first zero byte";
}

TEST(StringTest, GetlineAtTheEndGivesTheEmptyText)
{
    // A reader that loops until the stream ends asks once more after the last
    // line: the target must then be empty, not hold the previous line or the
    // fresh buffer's bytes.
    struct Case {
        const char* input;
        int32_t maxLength;
    } cases[] = {
        {"only\n", 1024},
        {"only", 1024},
        {"", 1024},
        {"", 1},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.input);
        String line("previous text");
        String::getline(in, line, c.maxLength);
        String::getline(in, line, c.maxLength);
        EXPECT_EQ("", bytes(line)) << "input '" << c.input << "', limit " << c.maxLength;
        EXPECT_TRUE(in.fail()) << "input '" << c.input << "'";
        EXPECT_EQ(c.maxLength, line.getCapacity());
    }

    // A limit below one still leaves room for the terminator.
    std::istringstream in("abc\n");
    String line;
    String::getline(in, line, 0);
    EXPECT_EQ("", bytes(line));
    EXPECT_EQ(1, line.getCapacity());
}

TEST(StringTest, ANullPointerGivesTheEmptyText)
{
    const char* nothing = nullptr;
    String text(nothing);
    EXPECT_EQ(0, text.length());
    EXPECT_EQ(1, text.getCapacity());
    EXPECT_STREQ("", text.c_str());
    EXPECT_EQ(String("x"), String("x") + nothing);
}

TEST(StringTest, NegativeSizesGiveTheEmptyText)
{
    // A size computed from bad input must not write before the buffer.
    String counted("abc", -2);
    EXPECT_EQ(0, counted.length());
    EXPECT_EQ(1, counted.getCapacity());
    EXPECT_STREQ("", counted.c_str());

    String reserved(-7);
    EXPECT_EQ(0, reserved.length());
    EXPECT_EQ(1, reserved.getCapacity());

    String shrunk("abc");
    shrunk.reserve(0);
    EXPECT_EQ(1, shrunk.getCapacity());
    EXPECT_EQ(0, shrunk.length());
    EXPECT_STREQ("", shrunk.c_str());
}
