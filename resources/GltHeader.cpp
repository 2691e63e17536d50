// GltHeader: encoding, decoding and checking of ".glt" headers.

#include "resources/GltHeader.h"

namespace Quorvel {

namespace {

constexpr uint32_t UnpackAlignment = 4;

uint32_t readLE32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8)
        | (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

void writeLE32(std::string& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFFu));
}

// Colour components a format carries, 0 for formats that are not colour.
uint32_t componentsOf(uint32_t format)
{
    switch (format) {
    case GL_RED:
    case GL_GREEN:
    case GL_BLUE:
    case GL_ALPHA:
    case GL_LUMINANCE:
    case GL_DEPTH_COMPONENT:
        return 1;
    case GL_LUMINANCE_ALPHA:
        return 2;
    case GL_RGB:
    case GL_BGR:
        return 3;
    case GL_RGBA:
    case GL_BGRA:
        return 4;
    default:
        return 0;
    }
}

} // namespace

GltHeader GltHeader::decode(const uint8_t* bytes)
{
    GltHeader header;
    uint32_t* fields[] = {&header.magic,    &header.version, &header.reserved, &header.target,
                          &header.format,   &header.type,    &header.wrap,     &header.imageReserved,
                          &header.dataSize, &header.width,   &header.height};
    for (uint32_t* field : fields) {
        *field = readLE32(bytes);
        bytes += 4;
    }
    return header;
}

std::string GltHeader::encode() const
{
    std::string out;
    for (uint32_t field :
         {magic, version, reserved, target, format, type, wrap, imageReserved, dataSize, width, height})
        writeLE32(out, field);
    return out;
}

uint32_t GltHeader::bytesPerPixel(uint32_t format, uint32_t type)
{
    const uint32_t components = componentsOf(format);
    if (components == 0)
        return 0;
    switch (type) {
    case GL_UNSIGNED_BYTE:
    case GL_BYTE:
        return components;
    case GL_UNSIGNED_SHORT:
    case GL_SHORT:
        return components * 2;
    case GL_UNSIGNED_INT:
    case GL_INT:
    case GL_FLOAT:
        return components * 4;
    // Packed types hold a whole pixel and fit only formats of their component count.
    case GL_UNSIGNED_BYTE_3_3_2:
    case GL_UNSIGNED_BYTE_2_3_3_REV:
        return components == 3 ? 1 : 0;
    case GL_UNSIGNED_SHORT_5_6_5:
    case GL_UNSIGNED_SHORT_5_6_5_REV:
        return components == 3 ? 2 : 0;
    case GL_UNSIGNED_SHORT_4_4_4_4:
    case GL_UNSIGNED_SHORT_4_4_4_4_REV:
    case GL_UNSIGNED_SHORT_5_5_5_1:
    case GL_UNSIGNED_SHORT_1_5_5_5_REV:
        return components == 4 ? 2 : 0;
    case GL_UNSIGNED_INT_8_8_8_8:
    case GL_UNSIGNED_INT_8_8_8_8_REV:
    case GL_UNSIGNED_INT_10_10_10_2:
    case GL_UNSIGNED_INT_2_10_10_10_REV:
        return components == 4 ? 4 : 0;
    default:
        return 0;
    }
}

uint64_t GltHeader::imageBytes(uint32_t format, uint32_t type, uint32_t width, uint32_t height)
{
    const uint64_t pixel = bytesPerPixel(format, type);
    const uint64_t row = (pixel * width + UnpackAlignment - 1) / UnpackAlignment * UnpackAlignment;
    return row * height;
}

GltCheck GltHeader::check(uint64_t bytesAfterHeader) const
{
    if (magic != Magic)
        return GltCheck::BadMagic;
    if (version > MaxVersion)
        return GltCheck::BadVersion;
    if (target != GL_TEXTURE_2D)
        return GltCheck::BadTarget;
    if (bytesPerPixel(format, type) == 0)
        return GltCheck::BadPixelType;
    if (width == 0 || height == 0 || width > MaxDimension || height > MaxDimension)
        return GltCheck::BadSize;
    if (dataSize < imageBytes(format, type, width, height))
        return GltCheck::BadSize;
    if (dataSize > bytesAfterHeader)
        return GltCheck::Truncated;
    return GltCheck::Ok;
}

} // namespace Quorvel
