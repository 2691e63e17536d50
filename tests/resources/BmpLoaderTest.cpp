#include "resources/BmpLoader.h"

#include "files/DiskDirectory.h"
#include "files/FileSystem.h"
#include "support/ByteText.h"
#include "support/TempDir.h"
#include "system/OpenGL.h"

#include <gtest/gtest.h>

#include <string>

using namespace Quorvel;
using QuorvelTest::u16;
using QuorvelTest::u32;

namespace {

struct BmpSpec {
    int32_t width = 3;
    int32_t height = 2;
    uint16_t bits = 24;
    uint32_t compression = 0;
    std::string type = "BM";
    uint32_t dataOffset = 54;
};

// A BMP file whose pixel (x, file row r) has blue x, green r, red 0x40 + x + r,
// rows padded to 4 bytes and stored bottom row first, as BMP files are.
std::string bmp(const BmpSpec& spec)
{
    std::string pixels;
    const int32_t rows = spec.height > 0 ? spec.height : -spec.height;
    for (int32_t r = 0; r < rows; ++r) {
        std::string row;
        for (int32_t x = 0; x < spec.width; ++x)
            row += std::string{static_cast<char>(x), static_cast<char>(r), static_cast<char>(0x40 + x + r)};
        row.resize((row.size() + 3) / 4 * 4, '\xEE');
        pixels += row;
    }
    std::string file = spec.type + u32(static_cast<uint32_t>(spec.dataOffset + pixels.size())) + u32(0)
        + u32(spec.dataOffset);
    file += u32(40) + u32(static_cast<uint32_t>(spec.width)) + u32(static_cast<uint32_t>(spec.height)) + u16(1)
        + u16(spec.bits) + u32(spec.compression) + std::string(20, '\0');
    file.resize(spec.dataOffset, '\0');
    return file + pixels;
}

// Mounts the directory under a prefix of its own and returns that prefix.
String mount(const QuorvelTest::TempDir& dir)
{
    static int mounts = 0;
    const std::string prefix = "bmp" + std::to_string(++mounts) + ":";
    FileSystem::instance()->mount(prefix.c_str(), new DiskDirectory(dir.path().c_str()));
    return String(prefix.c_str());
}

} // namespace

TEST(BmpLoaderTest, RowsComeOutTopDownWithoutPadding)
{
    QuorvelTest::TempDir dir;
    const String prefix = mount(dir);
    BmpSpec spec; // 3 x 2: 9 bytes a row in the bitmap, 12 in the file
    dir.write("image.bmp", bmp(spec));

    BmpLoader loader;
    std::unique_ptr<Bitmap> bitmap = loader.load(prefix + "image.bmp");
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(3, bitmap->getWidth());
    EXPECT_EQ(2, bitmap->getHeight());
    EXPECT_EQ(24, bitmap->getBitsPerPixel());
    EXPECT_EQ(static_cast<uint32_t>(GL_BGR), bitmap->getFormat());
    EXPECT_EQ(18, bitmap->byteCount());

    // Bitmap row 0 is the file's last row (r = 1), bitmap row 1 its first.
    const uint8_t expected[18] = {
        0, 1, 0x41, 1, 1, 0x42, 2, 1, 0x43, 0, 0, 0x40, 1, 0, 0x41, 2, 0, 0x42,
    };
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(expected[i], bitmap->getData()[i]) << "byte " << i;
    EXPECT_EQ(54u, loader.getFileHeader().dataOffset);
}

TEST(BmpLoaderTest, OnePixelAndAMovedPixelArray)
{
    QuorvelTest::TempDir dir;
    const String prefix = mount(dir);
    BmpSpec one;
    one.width = 1;
    one.height = 1;
    one.dataOffset = 70; // a colour table or gap before the pixels
    dir.write("one.bmp", bmp(one));

    BmpLoader loader;
    std::unique_ptr<Bitmap> bitmap = loader.load(prefix + "one.bmp");
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(3, bitmap->byteCount());
    EXPECT_EQ(0x40, bitmap->getData()[2]);

    // The same loader serves another load.
    BmpSpec wide;
    wide.width = 4; // 12 bytes a row: no padding at all
    dir.write("wide.bmp", bmp(wide));
    bitmap = loader.load(prefix + "wide.bmp");
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(0x44, bitmap->getData()[11]) << "red of the top row's last pixel (file row 1, x 3)";
}

TEST(BmpLoaderTest, RefusesWhatItCannotRead)
{
    QuorvelTest::TempDir dir;
    const String prefix = mount(dir);
    const std::string good = bmp(BmpSpec());

    struct Case {
        const char* what;
        std::string bytes;
    };
    auto variant = [](auto change) {
        BmpSpec spec;
        change(spec);
        return bmp(spec);
    };
    const Case cases[] = {
        {"8-bit", variant([](BmpSpec& s) { s.bits = 8; })},
        {"32-bit", variant([](BmpSpec& s) { s.bits = 32; })},
        {"run-length compressed", variant([](BmpSpec& s) { s.compression = 1; })},
        {"bit-field compression", variant([](BmpSpec& s) { s.compression = 3; })},
        {"not BM", variant([](BmpSpec& s) { s.type = "MB"; })},
        {"top-down (negative height)", variant([](BmpSpec& s) { s.height = -2; })},
        {"width 0", variant([](BmpSpec& s) { s.width = 0; })},
        {"negative width", variant([](BmpSpec& s) { s.width = -3; })},
        {"empty file", ""},
        {"file header only", good.substr(0, 14)},
        {"information header cut short", good.substr(0, 53)},
        {"no pixels at all", good.substr(0, 54)},
        {"last row one byte short", good.substr(0, good.size() - 3 - 1)},
        {"pixel offset past the end", std::string(good).replace(10, 4, u32(4000))},
        // Width and height written over those of the small image.
        {"rows the size of the address space", std::string(good).replace(18, 8, u32(0x7FFFFFFF) + u32(0x7FFFFFFF))},
        {"buffer just over 2 GiB", std::string(good).replace(18, 8, u32(0x8000) + u32(0x5556))},
        // The size products are bounded before they are formed; unchecked,
        // these overflow signed 64-bit arithmetic (the sanitizer build stops).
        {"rows past 2^63 bytes",
         std::string(good).replace(18, 8, u32(0x7FFFFFFF) + u32(0x7FFFFFFF)).replace(10, 4, u32(0xFFFFFFF0))},
        {"one wide row, many rows", std::string(good).replace(18, 8, u32(0x7FFFFFFF) + u32(0x40000000))},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "bad" + std::to_string(++n) + ".bmp";
        dir.write(name, c.bytes);
        BmpLoader loader;
        EXPECT_EQ(nullptr, loader.load(prefix + name.c_str())) << c.what;
    }
    BmpLoader loader;
    EXPECT_EQ(nullptr, loader.load(prefix + "missing.bmp"));
    EXPECT_EQ(nullptr, loader.load(prefix + "image")) << "no extension is added";
}
