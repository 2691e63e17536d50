#include "resources/Bitmap.h"

#include "system/OpenGL.h"

#include <gtest/gtest.h>

using namespace Quorvel;

TEST(BitmapTest, AllocatesRowsWithoutPadding)
{
    struct Case {
        int32_t width, height, bits;
        int64_t bytes;
    };
    const Case cases[] = {
        {1, 1, 24, 3},
        {3, 2, 24, 18}, // 9 bytes a row, not 12
        {5, 3, 8, 15},
        {2, 2, 32, 16},
    };
    for (const Case& c : cases) {
        Bitmap bitmap;
        bitmap.setWidth(c.width);
        bitmap.setHeight(c.height);
        bitmap.setBitsPerPixel(c.bits);
        ASSERT_TRUE(bitmap.allocate()) << c.width << "x" << c.height << "x" << c.bits;
        EXPECT_NE(nullptr, bitmap.getData());
        EXPECT_EQ(c.bytes, bitmap.byteCount()) << c.width << "x" << c.height << "x" << c.bits;
        EXPECT_EQ(c.width * c.bits / 8, bitmap.rowBytes());
        bitmap.getData()[c.bytes - 1] = 0x5A; // the last byte belongs to the buffer
    }
}

TEST(BitmapTest, RefusesEmptyNegativeAndOversizedShapes)
{
    struct Case {
        const char* what;
        int32_t width, height, bits;
    };
    const Case cases[] = {
        {"width 0", 0, 4, 24},
        {"height 0", 4, 0, 24},
        {"no bits per pixel", 4, 4, 0},
        {"negative height (a top-down BMP)", 4, -4, 24},
        {"negative width and height", -4, -4, 24},
        {"fewer than 8 bits per pixel: 0 bytes", 4, 4, 4},
        {"more than 2 GiB", 65536, 32768, 24},
        {"product wraps 32 bits", 0x40000000, 4, 8},
    };
    for (const Case& c : cases) {
        Bitmap bitmap;
        bitmap.setWidth(c.width);
        bitmap.setHeight(c.height);
        bitmap.setBitsPerPixel(c.bits);
        EXPECT_FALSE(bitmap.allocate()) << c.what;
        EXPECT_EQ(nullptr, bitmap.getData()) << c.what;
        bitmap.setWidth(7);
        EXPECT_EQ(7, bitmap.getWidth()) << c.what << ": without pixels the shape can still change";
    }
}

TEST(BitmapTest, SizesNeverOverflow)
{
    struct Case {
        const char* what;
        int32_t width, height, bits;
        int64_t bytes;
        int32_t row;
    };
    const Case cases[] = {
        {"largest shape that fits 64 bits", INT32_MAX, INT32_MAX, 16, int64_t{INT32_MAX} * INT32_MAX * 2, INT32_MAX},
        {"largest shape of 3 bytes a pixel", INT32_MAX, INT32_MAX, 24, INT64_MAX, INT32_MAX},
        {"huge pixels, few of them", 4, 4, INT32_MAX, int64_t{16} * (INT32_MAX / 8), 4 * (INT32_MAX / 8)},
        {"all three large", INT32_MAX, INT32_MAX, INT32_MAX, INT64_MAX, INT32_MAX},
        {"negative width", -5, 4, 24, 0, 0},
        {"negative bits", 4, 4, -24, 0, 0},
        {"both negative", INT32_MIN, INT32_MIN, 24, 0, 0},
    };
    for (const Case& c : cases) {
        Bitmap bitmap;
        bitmap.setWidth(c.width);
        bitmap.setHeight(c.height);
        bitmap.setBitsPerPixel(c.bits);
        EXPECT_EQ(c.bytes, bitmap.byteCount()) << c.what;
        EXPECT_EQ(c.row, bitmap.rowBytes()) << c.what;
        EXPECT_FALSE(bitmap.allocate()) << c.what;
    }
}

TEST(BitmapTest, ShapeIsFixedWhilePixelsExist)
{
    Bitmap bitmap;
    bitmap.setWidth(2);
    bitmap.setHeight(3);
    bitmap.setBitsPerPixel(24);
    ASSERT_TRUE(bitmap.allocate());

    bitmap.setWidth(100);
    bitmap.setHeight(100);
    bitmap.setBitsPerPixel(32);
    bitmap.setFormat(GL_BGR);
    EXPECT_EQ(2, bitmap.getWidth());
    EXPECT_EQ(3, bitmap.getHeight());
    EXPECT_EQ(24, bitmap.getBitsPerPixel());
    EXPECT_EQ(static_cast<uint32_t>(GL_BGR), bitmap.getFormat()) << "the format is not part of the shape";

    EXPECT_TRUE(bitmap.deallocate());
    EXPECT_EQ(nullptr, bitmap.getData());
    EXPECT_TRUE(bitmap.deallocate()) << "deallocating twice is harmless";
    bitmap.setWidth(100);
    EXPECT_EQ(100, bitmap.getWidth());
}
