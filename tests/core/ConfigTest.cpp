#include "core/Config.h"

#include "files/DiskDirectory.h"
#include "files/FileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <ios>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>
#include <utility>

using namespace Quorvel;

namespace {

std::unique_ptr<Config> parse(const std::string& text)
{
    std::istringstream stream(text);
    return std::unique_ptr<Config>(new Config(stream));
}

// A configuration that uses most of the format at once.
const char* const SampleLines[] = {
    "top = before any header",
    "; a comment",
    "   # another comment",
    "",
    "  \t ",
    "[GraphicSystem]",
    "Width = 800",
    "width = 1024",
    "vsync",
    "title = \"Quorvel \\\"demo\\\"\\n\"",
    "note = a; b # c",
    "[ graphicsystem  ]",
    "height=600",
    "[broken",
    "depth = 24",
    "[other] ",
    "after = still graphics",
    "=empty key",
    "spaced key   ",
    "[]",
    "bottom = unnamed again",
    "[Other]",
    "last = no newline",
};

std::string joinLines(const char* lineEnd, bool finalNewline)
{
    std::string text;
    const size_t count = sizeof(SampleLines) / sizeof(SampleLines[0]);
    for (size_t i = 0; i < count; ++i) {
        text += SampleLines[i];
        if (i + 1 < count || finalNewline)
            text += lineEnd;
    }
    return text;
}

void expectSameContent(const Config& expected, const Config& actual, const char* what)
{
    EXPECT_EQ(actual.getErrorCount(), expected.getErrorCount()) << what;
    ASSERT_EQ(actual.getSections().size(), expected.getSections().size()) << what;
    for (const auto& section : expected.getSections()) {
        const ConfigSection* other = actual.getSection(section.first);
        ASSERT_NE(other, nullptr) << what << ": section [" << section.first.c_str() << "]";
        EXPECT_EQ(other->getValues(), section.second->getValues())
            << what << ": section [" << section.first.c_str() << "]";
    }
}

} // namespace

TEST(ConfigTest, ReadsSectionsEntriesAndComments)
{
    auto config = parse(joinLines("\n", false));
    ASSERT_TRUE(config->isLoaded());
    EXPECT_EQ(config->getErrorCount(), 2) << "\"[broken\" and \"[other] \" are malformed";

    struct Case {
        const char* section;
        const char* key;
        bool present;
        const char* value;
    };
    const Case cases[] = {
        {"", "top", true, "before any header"},
        {"", "bottom", true, "unnamed again"},
        {"GraphicSystem", "width", true, "800"},  // first occurrence wins
        {"graphicsystem", "WIDTH", true, "800"},  // any case finds it
        {"GRAPHICSYSTEM", "height", true, "600"}, // padded header continued the section
        {"graphicsystem", "vsync", true, ""},
        {"graphicsystem", "title", true, "Quorvel \"demo\"\n"},
        {"graphicsystem", "note", true, "a; b # c"}, // comments are whole-line only
        {"graphicsystem", "depth", true, "24"},      // after a malformed header
        {"graphicsystem", "after", true, "still graphics"},
        {"graphicsystem", "", true, "empty key"},
        {"graphicsystem", "spaced key   ", true, ""}, // no "=": trailing white space kept
        {"graphicsystem", "spaced key", false, ""},
        {"graphicsystem", "; a comment", false, ""},
        {"other", "last", true, "no newline"},
        {"other", "after", false, ""},
    };
    for (const Case& c : cases) {
        const ConfigSection* section = config->getSection(c.section);
        ASSERT_NE(section, nullptr) << "section [" << c.section << "]";
        EXPECT_EQ(section->has(c.key), c.present) << "[" << c.section << "] " << c.key;
        if (c.present) {
            EXPECT_STREQ(section->getString(c.key, "missing").c_str(), c.value) << "[" << c.section << "] " << c.key;
        }
    }
    EXPECT_EQ(config->getSections().size(), 3u) << "unnamed, graphicsystem and other";
    EXPECT_EQ(config->getSection("broken"), nullptr);
    EXPECT_EQ(config->getSection("absent"), nullptr);
}

TEST(ConfigTest, WindowsLineEndsReadTheSameAsLineFeeds)
{
    auto plain = parse(joinLines("\n", true));
    auto windows = parse(joinLines("\r\n", true));
    auto unterminated = parse(joinLines("\r\n", false));
    expectSameContent(*plain, *windows, "CR LF");
    expectSameContent(*plain, *unterminated, "CR LF without a final newline");
}

TEST(ConfigTest, OverlongLinesAreCutAndReadingGoesOn)
{
    // A line keeps its first 1023 bytes; the rest of it is skipped.
    struct Case {
        std::string line;
        const char* key;
        size_t valueLength;
    };
    const std::string longValue(5000, 'v');
    const Case cases[] = {
        {"k=" + std::string(1021, 'v'), "k", 1021}, // exactly 1023 bytes
        {"k=" + std::string(1022, 'v'), "k", 1021}, // one byte over
        {"k=" + longValue, "k", 1021},
        {"k=" + std::string(1021, 'v') + "\r", "k", 1021}, // 1023 bytes and a CR LF end
    };
    for (const Case& c : cases) {
        auto config = parse("[s]\n" + c.line + "\nnext = read\n");
        const ConfigSection* section = config->getSection("s");
        ASSERT_NE(section, nullptr);
        EXPECT_EQ(size_t(section->getString(c.key, "").length()), c.valueLength)
            << "line of " << c.line.size() << " bytes";
        EXPECT_STREQ(section->getString("next", "").c_str(), "read") << "line of " << c.line.size() << " bytes";
    }

    // A header whose closing bracket lies beyond the limit is malformed; a
    // quoted value whose closing quote is cut off is dropped.
    auto config = parse("[s]\n[" + std::string(2000, 'h') + "]\nq=\"" + longValue + "\"\nnext = read\n");
    EXPECT_EQ(config->getErrorCount(), 1);
    ASSERT_NE(config->getSection("s"), nullptr);
    EXPECT_FALSE(config->getSection("s")->has("q"));
    EXPECT_TRUE(config->getSection("s")->has("next"));
}

TEST(ConfigTest, QuotedValuesAreUnescaped)
{
    struct Case {
        const char* raw;
        bool kept;
        const char* value;
    };
    const Case cases[] = {
        {"\"two words\"", true, "two words"},
        {"  \" padded \"  ", true, " padded "},
        {"\"a\\\"b\"", true, "a\"b"},
        {"\"back\\\\slash\"", true, "back\\slash"},
        {"\"line\\nfeed\\ttab\"", true, "line\nfeed\ttab"},
        {"\"\\q\\x\"", true, "qx"},             // any other character stands for itself
        {"\"trailing\\\"", true, "trailing\\"}, // a last lone backslash stays
        {"\"\"", true, ""},
        {"\"", true, ""}, // a lone quote opens and closes
        {"\"unclosed", false, ""},
        {"\"unclosed  ", false, ""},
        {"not \"quoted\"", true, "not \"quoted\""},
    };
    for (const Case& c : cases) {
        auto config = parse(std::string("k = ") + c.raw + "\n");
        const ConfigSection* section = config->getSection("");
        ASSERT_NE(section, nullptr);
        EXPECT_EQ(section->has("k"), c.kept) << c.raw;
        if (c.kept) {
            EXPECT_STREQ(section->getString("k", "missing").c_str(), c.value) << c.raw;
        }
    }
}

TEST(ConfigTest, MalformedHeadersAreCountedAndKeepTheCurrentSection)
{
    struct Case {
        const char* text;
        int32_t errors;
        const char* sectionOfKey;
    };
    const Case cases[] = {
        {"[a]\n[b\nk=1\n", 1, "a"},      {"[a]\n[b] \nk=1\n", 1, "a"}, // nothing may follow the bracket
        {"[a]\n[\nk=1\n", 1, "a"},       {"[a]\n[b]]\nk=1\n", 0, "b]"},
        {"[a]\n[b]x]\nk=1\n", 0, "b]x"}, {"[a]\n[ \t ]\nk=1\n", 0, ""}, // blank name selects the unnamed section
        {"[a\n[b\n[c\n", 3, nullptr},
    };
    for (const Case& c : cases) {
        auto config = parse(c.text);
        EXPECT_EQ(config->getErrorCount(), c.errors) << c.text;
        if (c.sectionOfKey) {
            const ConfigSection* section = config->getSection(c.sectionOfKey);
            ASSERT_NE(section, nullptr) << c.text;
            EXPECT_TRUE(section->has("k")) << c.text;
        }
    }
}

TEST(ConfigTest, GetBoolReadsItsWordsAndFallsBackOtherwise)
{
    struct Case {
        const char* line;
        bool whenDefaultFalse;
        bool whenDefaultTrue;
    };
    const Case cases[] = {
        {"flag", true, true},           {"flag =", true, true},       {"flag = on", true, true},
        {"flag = TRUE", true, true},    {"flag = Yes", true, true},   {"flag = off", false, false},
        {"flag = False", false, false}, {"flag = NO", false, false},  {"flag = 1", false, true},
        {"flag = 0", false, true},      {"flag = yess", false, true}, {"other = yes", false, true}, // missing key
    };
    for (const Case& c : cases) {
        auto config = parse(std::string(c.line) + "\n");
        const ConfigSection* section = config->getSection("");
        ASSERT_NE(section, nullptr);
        EXPECT_EQ(section->getBool("Flag", false), c.whenDefaultFalse) << c.line;
        EXPECT_EQ(section->getBool("FLAG", true), c.whenDefaultTrue) << c.line;
    }
}

TEST(ConfigTest, GetIntAndGetFloatConvertOnlyWholeValues)
{
    struct Case {
        const char* value;
        int32_t asInt;
        float asFloat;
    };
    const int32_t di = -7;
    const float df = -7.5f;
    const Case cases[] = {
        {"800", 800, 800.0f},
        {"  -12  ", -12, -12.0f},
        {"+7", 7, 7.0f},
        {"", 0, 0.0f},
        {"800px", di, df},
        {"0x10", di, df},
        {"1.5", di, 1.5f},
        {".5", di, 0.5f},
        {"-2e3", di, -2000.0f},
        {"1.5f", di, df},
        {"99999999999", INT32_MAX, 99999999999.0f},
        {"-99999999999", INT32_MIN, -99999999999.0f},
        {"abc", di, df},
    };
    for (const Case& c : cases) {
        auto config = parse(std::string("[Numbers]\nValue = ") + c.value + "\n");
        const ConfigSection* section = config->getSection("numbers");
        ASSERT_NE(section, nullptr);
        EXPECT_EQ(section->getInt("VALUE", di), c.asInt) << "\"" << c.value << "\"";
        EXPECT_FLOAT_EQ(section->getFloat("value", df), c.asFloat) << "\"" << c.value << "\"";
    }
    auto config = parse("[numbers]\n");
    EXPECT_EQ(config->getSection("numbers")->getInt("value", 1024), 1024);
    EXPECT_FLOAT_EQ(config->getSection("numbers")->getFloat("value", 2.5f), 2.5f);
    EXPECT_STREQ(config->getSection("numbers")->getString("value", "dflt").c_str(), "dflt");
}

TEST(ConfigTest, EmptyConfigurationsAndStreams)
{
    Config empty;
    EXPECT_FALSE(empty.isLoaded());
    EXPECT_EQ(empty.getErrorCount(), 0);
    EXPECT_EQ(empty.getSection(""), nullptr) << "not even the unnamed section";

    auto read = parse("");
    EXPECT_TRUE(read->isLoaded());
    ASSERT_NE(read->getSection(""), nullptr);
    EXPECT_TRUE(read->getSection("")->getValues().empty());
}

// A stream buffer that hands out some text, then fails the way a file's
// buffer does when the disk read fails: by throwing.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::string text) : text(std::move(text))
    {
        setg(&this->text[0], &this->text[0], &this->text[0] + this->text.size());
    }

protected:
    int_type underflow() override { throw std::ios_base::failure("read error"); }

private:
    std::string text;
};

TEST(ConfigTest, AStreamThatFailsWhileReadingLeavesAnEmptyConfigurationAndNeverThrows)
{
    FailingBuffer buffer("[GraphicSystem]\nwidth = 640\n");
    std::istream stream(&buffer);
    std::unique_ptr<Config> config;
    ASSERT_NO_THROW(config = std::make_unique<Config>(stream));
    EXPECT_FALSE(config->isLoaded());
    EXPECT_EQ(config->getSection("GraphicSystem"), nullptr) << "nothing of a half-read file is kept";
    EXPECT_EQ(config->getSection(""), nullptr);

    QuorvelTest::TempDir dir;
    std::ifstream directory(dir.path());
    if (directory.is_open()) { // how a directory opens differs between systems
        ASSERT_NO_THROW(config = std::make_unique<Config>(directory));
        EXPECT_FALSE(config->isLoaded()) << "a directory has nothing to read";
    }
}

TEST(ConfigTest, ReadsANamedFileThroughTheFileSystem)
{
    QuorvelTest::TempDir dir;
    dir.write("quorvel.conf", "[GraphicSystem]\r\nwidth = 640\r\n");
    // A prefix of its own keeps this mount out of the way of other names.
    FileSystem::instance()->mount("configtest/", new DiskDirectory(dir.path().c_str()));

    Config config("configtest/quorvel.conf");
    EXPECT_TRUE(config.isLoaded());
    ASSERT_NE(config.getSection("GraphicSystem"), nullptr);
    EXPECT_EQ(config.getSection("GraphicSystem")->getInt("width", 0), 640);

    Config missing("configtest/absent.conf");
    EXPECT_FALSE(missing.isLoaded());
    EXPECT_EQ(missing.getSection(""), nullptr);
}
