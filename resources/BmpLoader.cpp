#include "resources/BmpLoader.h"

#include "files/BinaryFile.h"
#include "system/OpenGL.h"

namespace Quorvel {

namespace {

constexpr uint16_t BmpType = 0x4D42; // "BM"
constexpr uint16_t SupportedBitCount = 24;
constexpr int32_t BytesPerPixel = SupportedBitCount / 8;

} // namespace

BmpLoader::BmpLoader() = default;

BmpLoader::~BmpLoader() = default;

std::unique_ptr<Bitmap> BmpLoader::load(const String& fileName)
{
    file.reset(BinaryFile::openInput(fileName));
    if (!file) {
        return nullptr;
    }

    const int32_t end = file->seek(0, BinaryFile::End);
    if (end < 0 || file->seek(0, BinaryFile::Begin) != 0) {
        return nullptr;
    }

    uint8_t head[FileHeaderSize];
    if (file->read(head, FileHeaderSize) != FileHeaderSize) {
        return nullptr;
    }
    fileHeader.type = readU16(head);
    fileHeader.fileSize = readU32(head + 2);
    fileHeader.reserved = readU32(head + 6);
    fileHeader.dataOffset = readU32(head + 10);
    if (fileHeader.type != BmpType) {
        return nullptr;
    }

    uint8_t info[InfoHeaderSize];
    if (file->read(info, InfoHeaderSize) != InfoHeaderSize) {
        return nullptr;
    }
    infoHeader.headerSize = readU32(info);
    infoHeader.width = static_cast<int32_t>(readU32(info + 4));
    infoHeader.height = static_cast<int32_t>(readU32(info + 8));
    infoHeader.planes = readU16(info + 12);
    infoHeader.bitCount = readU16(info + 14);
    infoHeader.compression = readU32(info + 16);
    if (infoHeader.bitCount != SupportedBitCount || infoHeader.compression != 0) {
        return nullptr;
    }

    // Rows in the file are padded to four bytes; in the bitmap they are not.
    // The rows must lie within the file before any pixel memory is taken; a
    // top-down file (negative height) is not read.
    if (infoHeader.width <= 0 || infoHeader.height <= 0) {
        return nullptr;
    }
    // Every product is bounded by the file's size before it is formed: the
    // first row must fit, then the rows after it must fit in what is left.
    const int64_t rowBytes = static_cast<int64_t>(BytesPerPixel) * infoHeader.width;
    const int64_t stride = (rowBytes + 3) / 4 * 4;
    if (fileHeader.dataOffset > static_cast<uint32_t>(end) || rowBytes > end - fileHeader.dataOffset) {
        return nullptr;
    }
    const int64_t room = end - fileHeader.dataOffset - rowBytes; // for the rows after the first
    if (static_cast<int64_t>(infoHeader.height) - 1 > room / stride) {
        return nullptr;
    }

    auto bitmap = std::make_unique<Bitmap>();
    bitmap->setWidth(infoHeader.width);
    bitmap->setHeight(infoHeader.height);
    bitmap->setBitsPerPixel(SupportedBitCount);
    bitmap->setFormat(GL_BGR);
    if (!bitmap->allocate()) {
        return nullptr;
    }

    uint8_t* target = bitmap->getData();
    for (int32_t row = infoHeader.height - 1; row >= 0; --row) {
        const int64_t offset = fileHeader.dataOffset + row * stride;
        if (file->seek(static_cast<int32_t>(offset), BinaryFile::Begin) != offset
            || file->read(target, static_cast<uint32_t>(rowBytes)) != rowBytes) {
            return nullptr;
        }
        target += rowBytes;
    }
    return bitmap;
}

} // namespace Quorvel
