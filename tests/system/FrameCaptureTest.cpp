// Writing a captured frame as PNG: a valid file of the right size, the rows
// in the order given, and the refusals (a size that does not match the
// pixels, a file that cannot be written) with a reason naming the file.

#include "system/FrameCapture.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using Quorvel::FrameCapture;

namespace {

uint32_t bigEndian(const std::string& bytes, size_t offset)
{
    return (static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset])) << 24)
        | (static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset + 1])) << 16)
        | (static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset + 2])) << 8)
        | static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset + 3]));
}

} // namespace

TEST(FrameCaptureTest, WritesAPngOfTheGivenSize)
{
    QuorvelTest::TempDir dir;
    const int32_t width = 5, height = 3;
    std::vector<uint8_t> rgb(static_cast<size_t>(width * height * 3));
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<uint8_t>(i * 7);
    std::string reason;
    ASSERT_TRUE(FrameCapture::writePng(dir.file("shot.png"), width, height, rgb, reason)) << reason;

    const std::string png = dir.read("shot.png");
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(bigEndian(png, 16), 5u);
    EXPECT_EQ(bigEndian(png, 20), 3u);
    EXPECT_EQ(png[24], 8) << "8 bits a channel";
    EXPECT_EQ(png[25], 2) << "RGB";
    EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");
}

TEST(FrameCaptureTest, RefusesMismatchedSizesAndUnwritableFiles)
{
    QuorvelTest::TempDir dir;
    const std::vector<uint8_t> rgb(4 * 4 * 3, 200);
    struct Case {
        int32_t width, height;
        size_t bytes;
    };
    const Case cases[] = {
        {4, 4, rgb.size() - 1}, {4, 5, rgb.size()}, {0, 4, 0}, {-4, -4, rgb.size()}, {20000, 1, 60000}};
    for (const Case& c : cases) {
        const std::vector<uint8_t> pixels(c.bytes, 1);
        std::string reason;
        EXPECT_FALSE(FrameCapture::writePng(dir.file("bad.png"), c.width, c.height, pixels, reason))
            << c.width << " x " << c.height;
        EXPECT_NE(reason.find("bad.png"), std::string::npos) << reason;
    }

    std::string reason;
    const std::string missing = dir.file("no such directory/shot.png");
    EXPECT_FALSE(FrameCapture::writePng(missing, 4, 4, rgb, reason));
    EXPECT_NE(reason.find("no such directory/shot.png"), std::string::npos) << reason;
    EXPECT_NE(reason.find("No such file"), std::string::npos) << reason;

    // A write that fails only at the end (a full disk) is reported too.
    if (FILE* full = std::fopen("/dev/full", "wb")) {
        std::fclose(full);
        EXPECT_FALSE(FrameCapture::writePng("/dev/full", 4, 4, rgb, reason));
        EXPECT_NE(reason.find("/dev/full"), std::string::npos) << reason;
    }
}
