// FrameCapture: read-back of the frame and PNG output through stb_image_write.

#include "system/FrameCapture.h"

#include "system/OpenGL.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC // our own copy, private to this file
#define STBI_WRITE_NO_STDIO    // the file is written here, with every error checked
#include <stb_image_write.h>

namespace Quorvel {

namespace {

constexpr int32_t MaxSide = 16384; // larger than any screen; keeps width * height * 3 far from overflow

bool sizeIsValid(int32_t width, int32_t height)
{
    return width > 0 && height > 0 && width <= MaxSide && height <= MaxSide;
}

} // namespace

bool FrameCapture::read(int32_t width, int32_t height, std::vector<uint8_t>& rgb)
{
    rgb.clear();
    if (!sizeIsValid(width, height))
        return false;
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    std::vector<uint8_t> bottomFirst(rowBytes * static_cast<size_t>(height));

    // Read from the buffer that is being drawn into, with tightly packed rows;
    // the pixel-store and read-buffer state is put back afterwards.
    GLint drawBuffer = GL_BACK;
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPushAttrib(GL_PIXEL_MODE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadBuffer(static_cast<GLenum>(drawBuffer));
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomFirst.data());
    glPopAttrib();
    glPopClientAttrib();

    // OpenGL's first row is the bottom of the screen; a picture starts at the top.
    rgb.resize(bottomFirst.size());
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(&rgb[static_cast<size_t>(y) * rowBytes],
                    &bottomFirst[static_cast<size_t>(height - 1 - y) * rowBytes], rowBytes);
    return true;
}

bool FrameCapture::writePng(const std::string& path, int32_t width, int32_t height, const std::vector<uint8_t>& rgb,
                            std::string& reason)
{
    if (!sizeIsValid(width, height) || rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
        reason = "cannot write '" + path + "': no picture of " + std::to_string(width) + " x " + std::to_string(height)
            + " pixels was read";
        return false;
    }
    int length = 0;
    unsigned char* png = stbi_write_png_to_mem(rgb.data(), width * 3, width, height, 3, &length);
    if (png == nullptr || length <= 0) {
        std::free(png);
        reason = "cannot write '" + path + "': the PNG encoder failed";
        return false;
    }
    // Every byte written and the file closed cleanly, or it is reported (a
    // full disk shows only at fwrite or fclose).
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file != nullptr
        && std::fwrite(png, 1, static_cast<size_t>(length), file) == static_cast<size_t>(length);
    int error = errno;
    if (file != nullptr && std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    std::free(png);
    if (!written) {
        reason = "cannot write '" + path + "': " + (error != 0 ? std::strerror(error) : "write failed");
        return false;
    }
    return true;
}

} // namespace Quorvel
