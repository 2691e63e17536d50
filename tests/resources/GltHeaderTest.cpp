// The ".glt" header: its byte layout, the pixel sizes OpenGL reads, and the
// checks that keep a bad file from being uploaded.

#include "resources/BasicTexture.h"
#include "resources/GltHeader.h"

#include <gtest/gtest.h>

#include <string>

using Quorvel::GltCheck;
using Quorvel::GltHeader;

namespace {

GltHeader rgbHeader(uint32_t width, uint32_t height)
{
    GltHeader header;
    header.format = GL_RGB;
    header.type = GL_UNSIGNED_BYTE;
    header.width = width;
    header.height = height;
    header.dataSize = static_cast<uint32_t>(GltHeader::imageBytes(GL_RGB, GL_UNSIGNED_BYTE, width, height));
    return header;
}

} // namespace

TEST(GltHeaderTest, EncodesEveryFieldLittleEndianAtItsOffset)
{
    GltHeader header;
    header.version = 1;
    header.target = GL_TEXTURE_2D;
    header.format = GL_RGBA;
    header.type = GL_UNSIGNED_BYTE;
    header.wrap = GL_CLAMP;
    header.dataSize = 0x01020304;
    header.width = 640;
    header.height = 0x00ABCDEF;
    const std::string bytes = header.encode();
    ASSERT_EQ(bytes.size(), GltHeader::Size);
    EXPECT_EQ(bytes.substr(0, 4), "GLTF");

    const auto field = [&](size_t offset) {
        uint32_t value = 0;
        for (int b = 3; b >= 0; --b)
            value = (value << 8) | static_cast<uint8_t>(bytes[offset + static_cast<size_t>(b)]);
        return value;
    };
    EXPECT_EQ(field(4), 1u);
    EXPECT_EQ(field(12), static_cast<uint32_t>(GL_TEXTURE_2D));
    EXPECT_EQ(field(16), static_cast<uint32_t>(GL_RGBA));
    EXPECT_EQ(field(20), static_cast<uint32_t>(GL_UNSIGNED_BYTE));
    EXPECT_EQ(field(24), static_cast<uint32_t>(GL_CLAMP));
    EXPECT_EQ(field(32), 0x01020304u);
    EXPECT_EQ(field(36), 640u);
    EXPECT_EQ(field(40), 0x00ABCDEFu);

    const GltHeader decoded = GltHeader::decode(reinterpret_cast<const uint8_t*>(bytes.data()));
    EXPECT_EQ(decoded.encode(), bytes);
}

TEST(GltHeaderTest, ImageBytesPadEachRowToFourBytes)
{
    struct Case {
        uint32_t format, type, width, height;
        uint64_t bytes;
    };
    const Case cases[] = {
        {GL_RGB, GL_UNSIGNED_BYTE, 3, 3, 36},       // 9-byte rows padded to 12
        {GL_RGB, GL_UNSIGNED_BYTE, 4, 2, 24},       // 12-byte rows need no padding
        {GL_LUMINANCE, GL_UNSIGNED_BYTE, 1, 5, 20}, // 1-byte rows padded to 4
        {GL_RGBA, GL_UNSIGNED_BYTE, 256, 256, 262144},
        {GL_LUMINANCE_ALPHA, GL_UNSIGNED_SHORT, 3, 1, 12},
        {GL_RGBA, GL_FLOAT, 3, 2, 96},
        {GL_RGB, GL_UNSIGNED_SHORT_5_6_5, 3, 2, 16}, // packed: 2 bytes a pixel, 6 padded to 8
        {GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, 5, 1, 20},
        {GL_RGB, GL_UNSIGNED_SHORT_4_4_4_4, 2, 2, 0}, // 4-component packing for 3 components
        {GL_COLOR_INDEX, GL_UNSIGNED_BYTE, 2, 2, 0},
        {GL_RGB, GL_BITMAP, 8, 8, 0},
        {GL_RGB, GL_UNSIGNED_BYTE, 16384, 16384, 805306368}, // no 32-bit overflow
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GltHeader::imageBytes(c.format, c.type, c.width, c.height), c.bytes)
            << "format 0x" << std::hex << c.format << " type 0x" << c.type << std::dec << " " << c.width << " x "
            << c.height;
    }
}

// Every pixel format the reader accepts uploads to a real internal format.
TEST(GltHeaderTest, AcceptedFormatsHaveAnInternalFormat)
{
    for (uint32_t format = 0x1900; format <= 0x190A; ++format) {
        if (GltHeader::bytesPerPixel(format, GL_UNSIGNED_BYTE) != 0) {
            EXPECT_NE(Quorvel::BasicTexture::internalFormatFor(format, GL_UNSIGNED_BYTE), 0) << std::hex << format;
        }
    }
    for (uint32_t format : {GL_BGR, GL_BGRA}) {
        EXPECT_NE(GltHeader::bytesPerPixel(format, GL_UNSIGNED_BYTE), 0u);
        EXPECT_NE(Quorvel::BasicTexture::internalFormatFor(format, GL_UNSIGNED_BYTE), 0);
    }
}

TEST(GltHeaderTest, InternalFormatTable)
{
    struct Case {
        uint32_t format;
        GLint internal;
    };
    const Case cases[] = {
        {GL_RGB, GL_RGB},
        {GL_RED, GL_RGB},
        {GL_GREEN, GL_RGB},
        {GL_BLUE, GL_RGB},
        {GL_BGR, GL_RGB},
        {GL_RGBA, GL_RGBA},
        {GL_BGRA, GL_RGBA},
        {GL_ALPHA, GL_ALPHA},
        {GL_LUMINANCE, GL_LUMINANCE},
        {GL_LUMINANCE_ALPHA, GL_LUMINANCE_ALPHA},
        {GL_DEPTH_COMPONENT, GL_DEPTH_COMPONENT},
        {GL_COLOR_INDEX, 0},
        {GL_STENCIL_INDEX, 0},
        {0x1234, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Quorvel::BasicTexture::internalFormatFor(c.format, GL_FLOAT), c.internal)
            << "format 0x" << std::hex << c.format;
    }
}

TEST(GltHeaderTest, CheckAcceptsWellFormedHeadersAndNamesWhatIsWrong)
{
    struct Case {
        const char* what;
        GltHeader header;
        uint64_t bytesInFile;
        GltCheck expected;
    };
    std::vector<Case> cases;
    const GltHeader good = rgbHeader(3, 3); // 36 bytes of pixels
    cases.push_back({"well formed", good, 36, GltCheck::Ok});
    cases.push_back({"bytes after the pixels are ignored", good, 100, GltCheck::Ok});
    GltHeader h = good;
    h.version = 0;
    cases.push_back({"version 0", h, 36, GltCheck::Ok});
    h = good;
    h.dataSize = 40;
    cases.push_back({"dataSize above what the image needs", h, 40, GltCheck::Ok});
    h = good;
    h.magic = 0x46544C48;
    cases.push_back({"wrong magic", h, 36, GltCheck::BadMagic});
    h = good;
    h.version = 2;
    cases.push_back({"version 2", h, 36, GltCheck::BadVersion});
    h = good;
    h.target = GL_TEXTURE_1D;
    cases.push_back({"one-dimensional target", h, 36, GltCheck::BadTarget});
    h = good;
    h.format = GL_COLOR_INDEX;
    cases.push_back({"colour index format", h, 36, GltCheck::BadPixelType});
    h = good;
    h.type = 0x9999;
    cases.push_back({"unknown type", h, 36, GltCheck::BadPixelType});
    h = good;
    h.width = 0;
    cases.push_back({"zero width", h, 36, GltCheck::BadSize});
    h = good;
    h.height = 0;
    cases.push_back({"zero height", h, 36, GltCheck::BadSize});
    h = good;
    h.width = GltHeader::MaxDimension + 1;
    h.dataSize = 0xFFFFFFFF;
    cases.push_back({"width beyond the limit", h, 0xFFFFFFFF, GltCheck::BadSize});
    h = good;
    h.dataSize = 35;
    cases.push_back({"dataSize one byte short of the padded rows", h, 36, GltCheck::BadSize});
    h = good;
    h.dataSize = 27;
    cases.push_back({"dataSize of unpadded rows", h, 36, GltCheck::BadSize});
    cases.push_back({"file ends before the pixels do", good, 35, GltCheck::Truncated});
    cases.push_back({"file with a header only", good, 0, GltCheck::Truncated});
    h = good;
    h.dataSize = 0xFFFFFFFF;
    cases.push_back({"dataSize far beyond the file", h, 36, GltCheck::Truncated});
    h = good;
    h.width = 0x40000000;
    h.height = 16;
    cases.push_back({"dimensions whose byte count overflows 32 bits", h, 36, GltCheck::BadSize});

    for (const Case& c : cases)
        EXPECT_EQ(c.header.check(c.bytesInFile), c.expected) << c.what;
}
