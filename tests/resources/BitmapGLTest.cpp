// Bitmaps drawn on a real OpenGL context: packed rows of any width arrive
// unskewed whatever unpack state the caller left, and a bitmap whose buffer
// does not hold what glDrawPixels would read draws nothing.

#include "support/TestEngine.h"

#include "resources/Bitmap.h"
#include "system/OpenGL.h"

#include <gtest/gtest.h>

#include <vector>

using Quorvel::Bitmap;

namespace {

constexpr int OriginX = 100; // window pixels, from the bottom-left corner
constexpr int OriginY = 200;

class BitmapGLTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QuorvelTest::TestEngine::start()) << QuorvelTest::TestEngine::lastError();
        // One unit per window pixel, y growing upwards, so the raster
        // position is the window position.
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0.0, QuorvelTest::TestEngine::Width, 0.0, QuorvelTest::TestEngine::Height, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    void TearDown() override
    {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
    }

    // width x height pixels (RGB) of the back buffer from the origin.
    static std::vector<uint8_t> readBack(int width, int height)
    {
        glFinish();
        std::vector<uint8_t> rgb(static_cast<size_t>(width * height * 3), 0xEE);
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(OriginX, OriginY, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        glPopClientAttrib();
        return rgb;
    }
};

} // namespace

TEST_F(BitmapGLTest, PackedRowsOfAnyWidthDrawUnskewed)
{
    // 3 pixels of 3 bytes: 9-byte rows, which OpenGL's default 4-byte
    // alignment would read as 12.
    Bitmap bitmap;
    bitmap.setWidth(3);
    bitmap.setHeight(2);
    bitmap.setBitsPerPixel(24);
    bitmap.setFormat(GL_BGR);
    ASSERT_TRUE(bitmap.allocate());
    std::vector<uint8_t> expected; // as read back: RGB, first row at the bottom
    for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 3; ++x) {
            const uint8_t red = static_cast<uint8_t>(0x40 + 0x30 * x);
            const uint8_t green = static_cast<uint8_t>(0x20 + 0x80 * row);
            const uint8_t blue = static_cast<uint8_t>(0xF0 - 0x20 * x - 0x40 * row);
            uint8_t* pixel = bitmap.getData() + (row * 3 + x) * 3;
            pixel[0] = blue;
            pixel[1] = green;
            pixel[2] = red;
            expected.insert(expected.end(), {red, green, blue});
        }
    }

    // Whatever unpack state the caller left, and it is left as it was.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
    bitmap.draw(OriginX, OriginY);
    EXPECT_EQ(readBack(3, 2), expected);
    GLint alignment = 0;
    GLint rowLength = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
    EXPECT_EQ(alignment, 8);
    EXPECT_EQ(rowLength, 7);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BitmapGLTest, DrawsNothingWhenTheBufferDoesNotHoldTheImage)
{
    struct Case {
        const char* what;
        int32_t bits;
        GLenum format;
        bool allocate;
    };
    const Case cases[] = {
        {"no pixels allocated", 24, GL_BGR, false},
        {"8-bit pixels in a 3-byte format", 8, GL_RGB, true},
        {"3-byte pixels in a 4-byte format", 24, GL_RGBA, true},
        {"format never set", 24, 0, true},
    };
    for (const Case& c : cases) {
        Bitmap bitmap;
        bitmap.setWidth(4);
        bitmap.setHeight(4);
        bitmap.setBitsPerPixel(c.bits);
        bitmap.setFormat(c.format);
        if (c.allocate) {
            ASSERT_TRUE(bitmap.allocate()) << c.what;
            for (int64_t i = 0; i < bitmap.byteCount(); ++i)
                bitmap.getData()[i] = 0xFF;
        }
        bitmap.draw(OriginX, OriginY);
        EXPECT_EQ(readBack(4, 4), std::vector<uint8_t>(4 * 4 * 3, 0)) << c.what;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << c.what;
    }
}
