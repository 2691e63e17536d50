#include "resources/Bitmap.h"

#include "resources/GltHeader.h"
#include "system/OpenGL.h"

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
    return static_cast<int64_t>(width) * height * (bitsPerPixel / 8);
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
