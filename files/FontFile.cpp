#include "files/FontFile.h"

#include "files/BinaryFile.h"

namespace Quorvel {

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
