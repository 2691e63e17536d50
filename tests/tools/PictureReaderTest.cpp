#include "tools/gltconvert/PictureReader.h"

#include "support/ByteText.h"

#include <gtest/gtest.h>

#include <stb/stb_image_write.h>

#include <chrono>
#include <string>
#include <vector>

using QuorvelTest::u16;

namespace {

// An 18-byte TGA header (no id, no colour map), bottom-up rows.
std::string tgaHeader(uint8_t type, uint16_t width, uint16_t height, uint8_t bits)
{
    return std::string{0, 0, static_cast<char>(type)} + std::string(9, '\0') + u16(width) + u16(height)
        + std::string{static_cast<char>(bits), 0};
}

std::string png(int width, int height, int channels, uint8_t value)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * channels, value);
    std::string bytes;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
        },
        &bytes, width, height, channels, pixels.data(), width * channels);
    return bytes;
}

bool read(const std::string& bytes, int channels, GltTools::Picture& picture, std::string& error)
{
    return GltTools::readPicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), channels, picture,
                                 error);
}

} // namespace

TEST(PictureReaderTest, ReadsPicturesWithTheirOwnOrTheAskedChannels)
{
    struct Case {
        const char* what;
        std::string bytes;
        int asked;
        uint32_t width, height, fileChannels, channels;
    };
    const Case cases[] = {
        {"TGA, 3 x 2 BGR", tgaHeader(2, 3, 2, 24) + std::string(18, '\x40'), 0, 3, 2, 3, 3},
        {"TGA as RGBA", tgaHeader(2, 3, 2, 24) + std::string(18, '\x40'), 4, 3, 2, 3, 4},
        // One run-length packet of 16 pixels: 4 bytes for the whole picture.
        {"run-length TGA", tgaHeader(10, 4, 4, 24) + "\x8F\x01\x02\x03", 0, 4, 4, 3, 3},
        {"PNG, grey and alpha", png(5, 3, 2, 0x20), 0, 5, 3, 2, 2},
        // A flat picture packs tightly; real files must never be refused.
        {"flat 2048 x 2048 PNG", png(2048, 2048, 4, 0x7F), 0, 2048, 2048, 4, 4},
    };
    for (const Case& c : cases) {
        GltTools::Picture picture;
        std::string error;
        ASSERT_TRUE(read(c.bytes, c.asked, picture, error)) << c.what << ": " << error;
        EXPECT_EQ(c.width, picture.width) << c.what;
        EXPECT_EQ(c.height, picture.height) << c.what;
        EXPECT_EQ(c.fileChannels, picture.fileChannels) << c.what;
        EXPECT_EQ(c.channels, picture.channels) << c.what;
        EXPECT_EQ(static_cast<size_t>(c.width) * c.height * c.channels, picture.pixels.size()) << c.what;
    }
}

TEST(PictureReaderTest, RefusesBeforeDecodingWhatItCannotConvert)
{
    const std::string flat = png(64, 64, 3, 0);
    struct Case {
        const char* what;
        std::string bytes;
        const char* reason; // a part of the error text
    };
    const Case cases[] = {
        // Decoding these would take gigabytes and seconds before any check.
        {"18-byte TGA of 28781 x 23810", tgaHeader(2, 28781, 23810, 24), "beyond 16384 x 16384"},
        {"18-byte TGA of 16000 x 16000", tgaHeader(2, 16000, 16000, 24), "cannot be held in 18 bytes"},
        {"TGA one row short", tgaHeader(2, 4, 4, 24) + std::string(36, '\x40'), "cannot be held"},
        {"run-length TGA too short for its runs", tgaHeader(10, 4096, 4096, 32) + std::string(100, '\xFF'),
         "cannot be held"},
        {"PNG header claiming 16384 x 16384 with no data",
         std::string(flat).replace(16, 8, "\x00\x00\x40\x00\x00\x00\x40\x00", 8), "cannot be held"},
        {"not a picture", "hello", "not a picture"},
        {"nothing", "", "not a picture"},
    };
    for (const Case& c : cases) {
        GltTools::Picture picture;
        std::string error;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(read(c.bytes, 0, picture, error)) << c.what;
        EXPECT_NE(std::string::npos, error.find(c.reason)) << c.what << ": " << error;
        EXPECT_TRUE(picture.pixels.empty()) << c.what;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1))
            << c.what << ": refused from the header, not after decoding";
    }
}

TEST(PictureReaderTest, SmallestFileFollowsEachFormatsBestCase)
{
    auto smallest = [](const std::string& bytes, uint32_t w, uint32_t h, uint32_t channels) {
        return GltTools::smallestFileFor(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), w, h, channels);
    };
    EXPECT_EQ(18u + 16000u * 16000u * 3u, smallest(tgaHeader(2, 16000, 16000, 24), 16000, 16000, 3)) << "raw TGA";
    EXPECT_EQ(18u + 2u * 4u, smallest(tgaHeader(10, 16, 16, 24), 16, 16, 3)) << "2 runs of 128 pixels, 4 bytes each";
    EXPECT_EQ(2u * 2u, smallest(std::string("BM") + std::string(26, '\0') + u16(8) + std::string(8, '\0'), 2, 2, 3))
        << "8-bit BMP rows";
    EXPECT_EQ((16384u / 8) * (16384u / 8) / 8, smallest("\xFF\xD8\xFF", 16384, 16384, 3)) << "a bit a JPEG block";
}
