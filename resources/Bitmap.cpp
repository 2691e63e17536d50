#include "resources/Bitmap.h"

#include "resources/GltHeader.h"
#include "system/OpenGL.h"

#include <cstdint>
#include <new>

namespace Quorvel {

void Bitmap::setWidth(int32_t value)
{
    if (!data) {
        width = value;
    }
}

void Bitmap::setHeight(int32_t value)
{
    if (!data) {
        height = value;
    }
}

void Bitmap::setBitsPerPixel(int32_t value)
{
    if (!data) {
        bitsPerPixel = value;
    }
}

int64_t Bitmap::byteCount() const
{
    // Width x height fits 64 bits (each below 2^31); the pixel size is
    // checked against what is left before it multiplies.
    const int64_t pixelBytes = bitsPerPixel / 8;
    if (width <= 0 || height <= 0 || pixelBytes <= 0) {
        return 0;
    }
    const int64_t pixels = static_cast<int64_t>(width) * height;
    if (pixels > INT64_MAX / pixelBytes) {
        return INT64_MAX;
    }
    return pixels * pixelBytes;
}

int32_t Bitmap::rowBytes() const
{
    const int64_t pixelBytes = bitsPerPixel / 8;
    if (width <= 0 || pixelBytes <= 0) {
        return 0;
    }
    const int64_t bytes = static_cast<int64_t>(width) * pixelBytes; // below 2^62
    return bytes > INT32_MAX ? INT32_MAX : static_cast<int32_t>(bytes);
}

bool Bitmap::allocate()
{
    // Negative sizes (a top-down BMP's height) and sizes that would not fit
    // the engine's 32-bit sizes are refused rather than wrapped around.
    if (width <= 0 || height <= 0 || bitsPerPixel <= 0) {
        return false;
    }
    const int64_t bytes = byteCount();
    if (bytes <= 0 || bytes > MaxBytes) {
        return false;
    }
    data.reset(new (std::nothrow) uint8_t[static_cast<size_t>(bytes)]);
    return data != nullptr;
}

bool Bitmap::deallocate()
{
    data.reset();
    return true;
}

void Bitmap::draw(int32_t x, int32_t y) const
{
    // glDrawPixels reads width x height pixels of the format's size: draw only
    // when that is exactly the buffer (no pixels, or a format whose pixels are
    // not bitsPerPixel wide, would make it read past the buffer).
    const uint32_t pixelBytes = GltHeader::bytesPerPixel(format, GL_UNSIGNED_BYTE);
    if (!data || pixelBytes == 0 || pixelBytes != static_cast<uint32_t>(bitsPerPixel / 8)) {
        return;
    }
    // The rows are packed without padding; read them so whatever the caller
    // left in the unpack state.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glRasterPos2i(x, y);
    glDrawPixels(width, height, format, GL_UNSIGNED_BYTE, data.get());
    glPopClientAttrib();
}

} // namespace Quorvel
