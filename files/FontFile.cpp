#include "files/FontFile.h"

#include "files/BinaryFile.h"

namespace Quorvel {

namespace {

uint32_t readU32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8
        | static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void writeU32(uint8_t* bytes, uint32_t value)
{
    bytes[0] = static_cast<uint8_t>(value);
    bytes[1] = static_cast<uint8_t>(value >> 8);
    bytes[2] = static_cast<uint8_t>(value >> 16);
    bytes[3] = static_cast<uint8_t>(value >> 24);
}

} // namespace

FontFile::FontFile()
{
    magic = Magic;
}

bool FontFile::isValid() const
{
    return magic == Magic;
}

bool FontFile::readHeaderExtension(BinaryFile& file)
{
    uint8_t bytes[ExtensionSize];
    if (file.read(bytes, ExtensionSize) != ExtensionSize) {
        return false;
    }
    glyphScale = readU32(bytes);
    reserved0 = readU32(bytes + 4);
    reserved1 = readU32(bytes + 8);
    return true;
}

bool FontFile::writeHeaderExtension(BinaryFile& file)
{
    uint8_t bytes[ExtensionSize];
    writeU32(bytes, glyphScale);
    writeU32(bytes + 4, reserved0);
    writeU32(bytes + 8, reserved1);
    return file.write(bytes, ExtensionSize) == ExtensionSize;
}

uint32_t FontFile::headerExtensionSize() const
{
    return ExtensionSize;
}

} // namespace Quorvel
