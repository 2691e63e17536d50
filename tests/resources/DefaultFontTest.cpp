// The committed font "default" (data/default.glf): what the engine's overlays
// rely on, and that the font tool still makes it byte for byte.

#include "resources/Font.h"

#include "files/DiskDirectory.h"
#include "files/FileSystem.h"
#include "files/FontFile.h"
#include "resources/Bitmap.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace Quorvel;

namespace {

const char* const SourceFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// The committed font file, read through a mount of the source tree's data.
const FontFile& defaultFontFile()
{
    static FontFile file;
    static bool loaded = false;
    if (!loaded) {
        FileSystem::instance()->mount("source-data:", new DiskDirectory(QUORVEL_SOURCE_DIR "/data"));
        loaded = file.load("source-data:default.glf");
    }
    return file;
}

} // namespace

TEST(DefaultFontTest, LinesFillTheBoxFromThePenDown)
{
    const FontFile& file = defaultFontFile();
    ASSERT_TRUE(file.isValid()) << "data/default.glf is missing or not a font file";
    EXPECT_EQ(16u, file.getGlyphScale());
    Font font;
    std::unique_ptr<Bitmap> image = font.readFontFile(file);
    ASSERT_NE(nullptr, image);

    // Every printable ASCII character is there and lies in its line box:
    // drawn at (x, y) with size s, it stays within y and y + s.
    for (int code = 33; code <= 126; ++code) {
        const Glyph& g = font.getGlyph(static_cast<unsigned char>(code));
        EXPECT_GT(g.advance, 0.0f) << "'" << static_cast<char>(code) << "'";
        EXPECT_GT(g.x1, g.x0) << "'" << static_cast<char>(code) << "'";
        EXPECT_GE(g.y0, 0.0f) << "'" << static_cast<char>(code) << "' rises above the line box";
        EXPECT_LE(g.y1, 1.0f) << "'" << static_cast<char>(code) << "' hangs below the line box";
    }
    EXPECT_GT(font.getGlyph(' ').advance, 0.0f);
    EXPECT_FLOAT_EQ(0.0f, font.getGlyph('\n').advance) << "control bytes have no glyph";

    // The counter's digits: all of one width, so "9999" reserves room for any rate.
    const float nine = font.measureTextWidth(16.0f, "9999", Font::WholeText);
    for (char digit = '0'; digit <= '9'; ++digit)
        EXPECT_FLOAT_EQ(nine / 4.0f, font.measureTextWidth(16.0f, String(&digit, 1), 1)) << digit;
    EXPECT_GT(nine, 24.0f);
    EXPECT_LT(nine, 64.0f);
    // Digits reach from about the baseline up to most of the box.
    const Glyph& zero = font.getGlyph('0');
    EXPECT_GT(zero.y1 - zero.y0, 0.5f);
}

TEST(DefaultFontTest, FontToolMakesTheCommittedFile)
{
    const std::string tool = QUORVEL_BINARY_DIR "/tools/fontgen/quorvel-fontgen";
    if (!std::filesystem::exists(tool))
        GTEST_SKIP() << tool << " is not built (it needs FreeType)";
    if (!std::filesystem::exists(SourceFont))
        GTEST_SKIP() << SourceFont << " is not installed";
    QuorvelTest::TempDir dir;
    const std::string command = tool + " " + dir.file("default.glf") + " > tool.out 2>&1";
    ASSERT_EQ(0, std::system(command.c_str())) << dir.read("tool.out");
    const std::string made = dir.read("default.glf");
    const std::string committed = readBytes(QUORVEL_SOURCE_DIR "/data/default.glf");
    ASSERT_FALSE(committed.empty()) << "data/default.glf is missing";
    EXPECT_EQ(committed.size(), made.size());
    EXPECT_TRUE(committed == made) << "data/default.glf differs from what quorvel-fontgen makes now";
}
