#pragma once
// GltImage: the image the texture tools work on (8-bit channels, top row
// first, as image files store them) and its encoding as a ".glt" texture file
// through the engine's own header definition. Header-only, shared by the tools.

#include "resources/GltHeader.h"

#include <cerrno>
#include <cstdint>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

namespace GltTools {

struct Image {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t channels = 0;       // 1, 2, 3 or 4 bytes per pixel
    std::vector<uint8_t> pixels; // width * height * channels, top row first, unpadded

    Image() = default;
    Image(uint32_t w, uint32_t h, uint32_t c)
        : width(w), height(h), channels(c), pixels(static_cast<size_t>(w) * h * c, 0)
    {
    }

    uint8_t* at(uint32_t x, uint32_t y) { return &pixels[(static_cast<size_t>(y) * width + x) * channels]; }
    const uint8_t* at(uint32_t x, uint32_t y) const { return &pixels[(static_cast<size_t>(y) * width + x) * channels]; }
};

// The OpenGL pixel format that stores an image of this many channels.
inline uint32_t formatForChannels(uint32_t channels)
{
    switch (channels) {
    case 1:
        return GL_LUMINANCE;
    case 2:
        return GL_LUMINANCE_ALPHA;
    case 3:
        return GL_RGB;
    case 4:
        return GL_RGBA;
    default:
        return 0;
    }
}

// The bytes of a ".glt" file holding the image as 8-bit pixels of the given
// format (whose channel count must match the image's). The image's bottom row
// goes first, so that t = 0 is the bottom and the picture stands upright on a
// quad whose texture coordinate t grows upwards; flipRows false keeps the
// image's own row order. Rows are padded to 4 bytes.
inline std::string encodeGlt(const Image& image, uint32_t format, uint32_t wrap, bool flipRows = true)
{
    Quorvel::GltHeader header;
    header.format = format;
    header.type = GL_UNSIGNED_BYTE;
    header.wrap = wrap;
    header.width = image.width;
    header.height = image.height;
    header.dataSize =
        static_cast<uint32_t>(Quorvel::GltHeader::imageBytes(format, GL_UNSIGNED_BYTE, image.width, image.height));
    const size_t rowBytes = static_cast<size_t>(image.width) * image.channels;
    const size_t paddedRow = image.height > 0 ? header.dataSize / image.height : 0;

    std::string out = header.encode();
    out.reserve(out.size() + header.dataSize);
    for (uint32_t row = 0; row < image.height; ++row) {
        const uint32_t source = flipRows ? image.height - 1 - row : row;
        const char* bytes = reinterpret_cast<const char*>(image.at(0, source));
        out.append(bytes, rowBytes);
        out.append(paddedRow - rowBytes, '\0');
    }
    return out;
}

// Writes bytes to a file; false (errno tells why) when it cannot.
inline bool writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    return file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && file.flush();
}

// Reads a whole file into bytes, bounded by the size the file really has;
// false (errno tells why) when it cannot be opened or read, or is a directory.
inline bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    try {
        file.seekg(0, std::ios::end);
        const std::streamoff size = file.tellg();
        if (size < 0 || !file.seekg(0, std::ios::beg)) {
            errno = EIO;
            return false;
        }
        bytes.resize(static_cast<size_t>(size));
        if (size > 0 && !file.read(reinterpret_cast<char*>(bytes.data()), size)) {
            errno = EIO;
            return false;
        }
    } catch (const std::exception&) { // reading a directory throws from the stream's buffer
        errno = EISDIR;
        return false;
    }
    return true;
}

} // namespace GltTools
