#pragma once
// Bitmap: a plain block of pixels in main memory with its dimensions and its
// OpenGL pixel format. Rows follow one another without padding, first row
// first. The bitmap owns its pixel buffer; once allocated, its shape is fixed.

#include <cstdint>
#include <memory>

namespace Quorvel {

class Bitmap {
public:
    // Largest pixel buffer allocate accepts (the engine's sizes are 32-bit signed).
    static constexpr int64_t MaxBytes = 0x7FFFFFFF;

    Bitmap() = default;

    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    int32_t getBitsPerPixel() const { return bitsPerPixel; }
    uint32_t getFormat() const { return format; }
    uint8_t* getData() const { return data.get(); }

    // The shape setters store only while no pixels are allocated.
    void setWidth(int32_t value);
    void setHeight(int32_t value);
    void setBitsPerPixel(int32_t value);
    void setFormat(uint32_t value) { format = value; }

    // Bytes per row in data: width x (bitsPerPixel / 8), 0 for a shape that
    // cannot be allocated, INT32_MAX when it would not fit.
    int32_t rowBytes() const;
    // width x height x (bitsPerPixel / 8), computed without overflow: 0 when
    // a factor is 0 or negative, INT64_MAX when it would not fit.
    int64_t byteCount() const;

    // Allocates byteCount() bytes (not cleared). False, with no pixels, when a
    // dimension is 0 or negative or the size is 0 or above MaxBytes.
    bool allocate();
    bool deallocate(); // frees the pixels; always true

    // glRasterPos2i(x, y), then glDrawPixels of the whole bitmap, its rows
    // read unpadded. Draws nothing without pixels or when the format's pixel
    // size is not bitsPerPixel / 8 bytes.
    void draw(int32_t x, int32_t y) const;

private:
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    uint32_t format = 0; // OpenGL pixel format, meaningful after setFormat
    std::unique_ptr<uint8_t[]> data;
};

} // namespace Quorvel
