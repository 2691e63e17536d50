#pragma once
// GltHeader: the 44 bytes in front of the pixels of a ".glt" texture file and
// the checks that decide whether a file can be uploaded safely. Needs no
// OpenGL context, so the content tools and the tests use it as it is.

#include "system/OpenGL.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace Quorvel {

// Why a ".glt" header cannot be loaded.
enum class GltCheck {
    Ok,
    BadMagic,     // not "GLTF"
    BadVersion,   // above 1
    BadTarget,    // not GL_TEXTURE_2D
    BadPixelType, // format and type that give no known pixel size or no colour texture
    BadSize,      // zero or oversized width or height, or dataSize below what the image needs
    Truncated     // dataSize beyond the bytes the file holds
};

// The 44 bytes in front of the pixels of a ".glt" file: a 28-byte file
// header and a 16-byte image header, every field a little-endian 32-bit
// unsigned integer. The pixel rows follow, first row at t = 0, each row padded
// to a multiple of 4 bytes (OpenGL's default unpack alignment).
struct GltHeader {
    static constexpr uint32_t Magic = 0x46544C47u; // "GLTF" in reading order
    static constexpr uint32_t MaxVersion = 1;
    static constexpr size_t FileHeaderSize = 28;
    static constexpr size_t Size = 44;

    uint32_t magic = Magic;
    uint32_t version = 1;
    uint32_t reserved = 0;
    uint32_t target = GL_TEXTURE_2D;
    uint32_t format = GL_RGB;
    uint32_t type = GL_UNSIGNED_BYTE;
    uint32_t wrap = GL_REPEAT; // both S and T
    uint32_t imageReserved = 0;
    uint32_t dataSize = 0; // bytes of pixel data that follow
    uint32_t width = 0;    // pixels
    uint32_t height = 0;   // pixels

    // Largest width or height a file may declare.
    static constexpr uint32_t MaxDimension = 16384;

    // Reads the fields from the first Size bytes.
    static GltHeader decode(const uint8_t* bytes);
    // The Size bytes of the header.
    std::string encode() const;

    // Bytes of one pixel of this format and type; 0 when the pair is not one
    // OpenGL can upload as a colour texture.
    static uint32_t bytesPerPixel(uint32_t format, uint32_t type);
    // Bytes glTexImage2D reads for such an image, rows aligned to 4 bytes
    // (OpenGL's default unpacking); 0 for an unknown format and type.
    static uint64_t imageBytes(uint32_t format, uint32_t type, uint32_t width, uint32_t height);
    // Whether this header may be loaded from a file that holds
    // bytesAfterHeader bytes after its 44 header bytes.
    GltCheck check(uint64_t bytesAfterHeader) const;
};

} // namespace Quorvel
