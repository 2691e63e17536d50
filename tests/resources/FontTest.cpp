#include "resources/Font.h"

#include "core/Application.h"
#include "files/DiskDirectory.h"
#include "files/FileSystem.h"
#include "files/FontFile.h"
#include "resources/Bitmap.h"
#include "support/BareApplication.h"
#include "support/ByteText.h"
#include "support/TempDir.h"
#include "system/OpenGL.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace Quorvel;
using QuorvelTest::BareApplication;
using QuorvelTest::u32;

namespace {

// "FBIT" payload: width, height, reserved, then pixels (byte i = i & 0xFF).
std::string image(uint32_t width, uint32_t height, int64_t pixelBytes = -1)
{
    std::string bytes = u32(width) + u32(height) + u32(0xDEADBEEF);
    const int64_t count = pixelBytes >= 0 ? pixelBytes : static_cast<int64_t>(width) * height;
    for (int64_t i = 0; i < count; ++i)
        bytes += static_cast<char>(i & 0xFF);
    return bytes;
}

// One "CHRS" record.
std::string record(uint32_t code, uint32_t x, uint32_t y, uint32_t w, uint32_t h, int32_t offsetX, int32_t offsetY,
                   int32_t advance)
{
    return u32(code) + u32(x) + u32(y) + u32(w) + u32(h) + u32(static_cast<uint32_t>(offsetX))
        + u32(static_cast<uint32_t>(offsetY)) + u32(static_cast<uint32_t>(advance));
}

void addChunk(FontFile& file, const char (&id)[5], const std::string& payload, uint32_t index = 0)
{
    file.addChunk(std::make_unique<Chunk>(chunkId(id), index, payload.data(), static_cast<uint32_t>(payload.size())));
}

// A font of hand-made glyphs in text units, for layout without a file:
// a advances 1, b 0.5, the line feed 0.25 and w 2; other bytes are missing.
Font& layoutFont()
{
    static Font font;
    static bool made = false;
    if (!made) {
        const struct {
            unsigned char code;
            float advance;
        } glyphs[] = {{'a', 1.0f}, {'b', 0.5f}, {10, 0.25f}, {'w', 2.0f}};
        for (const auto& g : glyphs) {
            Glyph glyph;
            glyph.x1 = g.advance;
            glyph.y1 = 1.0f;
            glyph.advance = g.advance;
            font.setGlyph(g.code, glyph);
        }
        made = true;
    }
    return font;
}

std::string describe(const std::vector<GlyphPlacement>& placements)
{
    std::string text;
    for (const GlyphPlacement& p : placements) {
        text += (p.code == 10 ? std::string("\\n") : std::string(1, static_cast<char>(p.code))) + "@"
            + std::to_string(static_cast<int>(p.x)) + "," + std::to_string(static_cast<int>(p.y)) + " ";
    }
    return text;
}

} // namespace

TEST(FontTest, GlyphTableArithmetic)
{
    FontFile file;
    file.setGlyphScale(16);
    addChunk(file, "FBIT", image(64, 32));
    addChunk(file, "CHRS",
             record('a', 8, 4, 6, 10, -2, 3, 8) + record('b', 0, 0, 1, 1, 0, 0, 1) + record('b', 16, 8, 4, 4, 1, -2, 24)
                 + record(255, 60, 28, 4, 4, 0, 0, 16) + record(256, 0, 0, 64, 32, 0, 0, 160)
                 + record(0xFFFFFFFFu, 0, 0, 64, 32, 0, 0, 160)
                 + record('n', 0, 0, 4, 4, -10, -8, 5) // wholly above the baseline and left of the pen
                 + std::string(31, '\x7F'));           // a partial record is ignored

    Font font;
    std::unique_ptr<Bitmap> bitmap = font.readFontFile(file);
    ASSERT_NE(nullptr, bitmap);

    struct Expected {
        unsigned char code;
        float s0, t0, s1, t1, x0, y0, x1, y1, advance;
    };
    const Expected cases[] = {
        {'a', 8 / 64.f, 4 / 32.f, 14 / 64.f, 14 / 32.f, -2 / 16.f, 3 / 16.f, 4 / 16.f, 13 / 16.f, 0.5f},
        {'b', 16 / 64.f, 8 / 32.f, 20 / 64.f, 12 / 32.f, 1 / 16.f, -2 / 16.f, 5 / 16.f, 2 / 16.f,
         1.5f}, // the later record wins
        {255, 60 / 64.f, 28 / 32.f, 1.0f, 1.0f, 0, 0, 0.25f, 0.25f, 1.0f},
        // Corners are signed sums: -10 + 4, not 2^32 - 6.
        {'n', 0, 0, 4 / 64.f, 4 / 32.f, -10 / 16.f, -8 / 16.f, -6 / 16.f, -4 / 16.f, 5 / 16.f},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},   // codes 256 and above do not wrap onto low codes
        {'c', 0, 0, 0, 0, 0, 0, 0, 0, 0}, // no record: all zero
    };
    for (const Expected& e : cases) {
        const Glyph& g = font.getGlyph(e.code);
        const float got[9] = {g.s0, g.t0, g.s1, g.t1, g.x0, g.y0, g.x1, g.y1, g.advance};
        const float want[9] = {e.s0, e.t0, e.s1, e.t1, e.x0, e.y0, e.x1, e.y1, e.advance};
        for (int i = 0; i < 9; ++i)
            EXPECT_FLOAT_EQ(want[i], got[i]) << "glyph " << static_cast<int>(e.code) << " field " << i;
    }
    EXPECT_FLOAT_EQ(16.0f, font.measureTextWidth(32.0f, "a", Font::WholeText))
        << "advance 8 at glyph scale 16 drawn at scale 32 moves the pen 16 units";

    // The glyph image: 8-bit alpha, the payload's pixels after its 12-byte head.
    EXPECT_EQ(64, bitmap->getWidth());
    EXPECT_EQ(32, bitmap->getHeight());
    EXPECT_EQ(8, bitmap->getBitsPerPixel());
    EXPECT_EQ(static_cast<uint32_t>(GL_ALPHA), bitmap->getFormat());
    EXPECT_EQ(0, bitmap->getData()[0]);
    EXPECT_EQ(0xFF, bitmap->getData()[64 * 32 - 1]);

    // A second read starts from an empty table.
    FontFile other;
    other.setGlyphScale(1);
    addChunk(other, "FBIT", image(1, 1));
    addChunk(other, "CHRS", record('z', 0, 0, 1, 1, 0, 0, 1));
    ASSERT_NE(nullptr, font.readFontFile(other));
    EXPECT_FLOAT_EQ(0.0f, font.getGlyph('a').advance) << "glyphs of the earlier file are gone";
    EXPECT_FLOAT_EQ(1.0f, font.getGlyph('z').advance);
}

TEST(FontTest, RefusesFontFilesItCannotUse)
{
    struct Case {
        const char* what;
        uint32_t scale;
        std::string fbit;
        std::string chrs;
        uint32_t fbitIndex;
    };
    const std::string table = record('a', 0, 0, 1, 1, 0, 0, 1);
    const Case cases[] = {
        {"no FBIT chunk", 16, "", table, 0},
        {"FBIT only with index 1", 16, image(2, 2), table, 1},
        {"no CHRS chunk", 16, image(2, 2), "", 0},
        {"glyph scale 0", 0, image(2, 2), table, 0},
        {"FBIT shorter than its head", 16, u32(2) + u32(2), table, 0},
        {"FBIT one pixel short", 16, image(4, 4, 15), table, 0},
        {"FBIT width x height wraps 32 bits", 16, image(0x10000, 0x10000, 16), table, 0},
        {"width 0", 16, image(0, 4), table, 0},
        {"height 0", 16, image(4, 0), table, 0},
        {"width beyond the signed range", 16, image(0x80000000u, 1, 4), table, 0},
    };
    for (const Case& c : cases) {
        FontFile file;
        file.setGlyphScale(c.scale);
        if (!c.fbit.empty())
            addChunk(file, "FBIT", c.fbit, c.fbitIndex);
        if (!c.chrs.empty())
            addChunk(file, "CHRS", c.chrs);
        Font font;
        EXPECT_EQ(nullptr, font.readFontFile(file)) << c.what;
        EXPECT_EQ(nullptr, font.getTexture()) << c.what;
    }

    // An empty glyph table is a font without characters, not an error.
    FontFile empty;
    empty.setGlyphScale(16);
    addChunk(empty, "FBIT", image(1, 1));
    empty.addChunk(std::make_unique<Chunk>(chunkId("CHRS"), 0, nullptr, 0));
    Font font;
    EXPECT_NE(nullptr, font.readFontFile(empty));
}

TEST(FontTest, LoadFailureWithoutAnApplicationLogsNothingAndCreatesNone)
{
    ASSERT_EQ(nullptr, Application::existingInstance()) << "an earlier test left an application registered";
    QuorvelTest::TempDir dir;
    EXPECT_EQ(nullptr, Font::load("no-such-font"));
    EXPECT_EQ(nullptr, Application::existingInstance()) << "a tool that loads a font must not get a window system";
    EXPECT_FALSE(std::ifstream(dir.file("quorvel.log")).good()) << "no log was opened";
}

TEST(FontTest, LoadFailureIsLoggedAndNotCached)
{
    ASSERT_EQ(nullptr, Application::existingInstance()) << "an earlier test left an application registered";
    QuorvelTest::TempDir dir;
    BareApplication application;
    FileSystem::instance()->mount("fonts:", new DiskDirectory(dir.path().c_str()));

    FontFile noScale; // a well-formed file whose glyph scale is 0
    addChunk(noScale, "FBIT", image(1, 1));
    addChunk(noScale, "CHRS", record('a', 0, 0, 1, 1, 0, 0, 1));
    ASSERT_TRUE(noScale.save("fonts:flat.glf"));
    dir.write("short.glf", "GLFv0.1 ");

    EXPECT_EQ(nullptr, Font::load("fonts:missing"));
    EXPECT_EQ(nullptr, Font::load("fonts:flat"));
    EXPECT_EQ(nullptr, Font::load("fonts:short"));
    EXPECT_EQ(nullptr, Font::load("fonts:short")) << "a failed load is tried again, and fails again";
    EXPECT_EQ("Font id=fonts:missing load failed\n"
              "Font id=fonts:flat load failed\n"
              "Font id=fonts:short load failed\n"
              "Font id=fonts:short load failed\n",
              dir.read("quorvel.log"));

    Font font;
    EXPECT_EQ(nullptr, font.readFile("fonts:flat")) << "the name is used as given: no extension added";
}

TEST(FontTest, WrappedLayoutBreaksLinesAndStopsAtTheBottom)
{
    const Font& font = layoutFont();
    const float s = 10.0f; // a: 10 wide, b: 5, line feed: 2.5, w: 20
    struct Case {
        const char* what;
        String text;
        Vector4 box;
        const char* expected;
    };
    const Case cases[] = {
        {"ab, only a fits", "ab", Vector4(0, 0, 12, 100), "a@0,0 b@0,10 "},
        {"a box that starts elsewhere", "ab", Vector4(30, 40, 42, 100), "a@30,40 b@30,50 "},
        {"a right edge exactly at the pen does not fit", "a", Vector4(0, 0, 10, 100), "a@0,10 "},
        {"a line feed starts a line and draws its own glyph", "a\nb", Vector4(0, 0, 100, 100),
         "a@0,0 \\n@0,10 b@2,10 "},
        {"a missing glyph does not move the pen", "azb", Vector4(0, 0, 100, 100), "a@0,0 z@10,0 b@10,0 "},
        {"the text ends at its first zero byte", String("ab\0a", 4), Vector4(0, 0, 100, 100), "a@0,0 b@10,0 "},
        {"a line whose bottom passes the limit is not drawn", "a\na\na", Vector4(0, 0, 100, 25),
         "a@0,0 \\n@0,10 a@2,10 "},
        {"a line ending exactly at the limit is drawn", "aaa", Vector4(0, 0, 25, 30), "a@0,0 a@10,0 a@0,10 "},
        {"the first line is drawn whatever the limit", "a", Vector4(0, 0, 100, 0), "a@0,0 "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, describe(font.layoutTextInBox(s, c.text, c.box))) << c.what;
}

TEST(FontTest, MeasuringFollowsTheLayout)
{
    const Font& font = layoutFont();
    struct HeightCase {
        String text;
        float width;
        float expected;
    };
    const HeightCase heights[] = {
        {"", 100, 10}, // one empty line
        {"ab", 12, 20},
        {"ab", 16, 10},
        {"a\nb", 100, 20},
        {"wwww", 45, 20}, // two w a line
        {"wwww", 10, 50}, // no w ever fits: every one opens a line
        {String("a\0aaaa", 6), 12, 10},
    };
    for (const HeightCase& c : heights)
        EXPECT_FLOAT_EQ(c.expected, font.measureTextHeight(10.0f, c.text, c.width))
            << "\"" << c.text.c_str() << "\" in " << c.width;

    struct WidthCase {
        String text;
        uint32_t count;
        float expected;
    };
    const WidthCase widths[] = {
        {"abw", Font::WholeText, 35},
        {"abw", 2, 15},
        {"abw", 0, 0},
        {"abw", 4, 35},                           // never more than the text
        {"azb", Font::WholeText, 15},             // missing glyphs are 0 wide
        {String("a\0a", 3), Font::WholeText, 20}, // zero bytes do not end it
    };
    for (const WidthCase& c : widths)
        EXPECT_FLOAT_EQ(c.expected, font.measureTextWidth(10.0f, c.text, c.count))
            << "\"" << c.text.c_str() << "\" count " << c.count;
}
