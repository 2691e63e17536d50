#pragma once
// BmpLoader: reads uncompressed 24-bit Windows BMP files into Bitmaps. The
// rows come out top row first in the file's blue-green-red order (GL_BGR).
// The loader owns the file of its last load until the next load or its end.

#include "resources/Bitmap.h"
#include "resources/FileLoader.h"

#include <cstdint>
#include <memory>

namespace Quorvel {

class BinaryFile;

// The fields of the two BMP headers that the loader reads.
struct BmpFileHeader {
    uint16_t type = 0;       // "BM"
    uint32_t fileSize = 0;   // ignored
    uint32_t reserved = 0;   // ignored
    uint32_t dataOffset = 0; // start of the row data
};

struct BmpInfoHeader {
    uint32_t headerSize = 0; // ignored; 40 bytes are always read
    int32_t width = 0;
    int32_t height = 0;       // must be positive (bottom-up rows)
    uint16_t planes = 0;      // ignored
    uint16_t bitCount = 0;    // must be 24
    uint32_t compression = 0; // must be 0
};

class BmpLoader : public FileLoader<Bitmap> {
public:
    static constexpr uint32_t FileHeaderSize = 14;
    static constexpr uint32_t InfoHeaderSize = 40;

    BmpLoader();
    ~BmpLoader() override;

    // Opens the name through the file system as given (no extension added).
    // Null, without a log line, when the file is missing, not a 24-bit
    // uncompressed bottom-up BMP, or shorter than its rows need.
    std::unique_ptr<Bitmap> load(const String& fileName) override;

    const BmpFileHeader& getFileHeader() const { return fileHeader; }
    const BmpInfoHeader& getInfoHeader() const { return infoHeader; }

private:
    std::unique_ptr<BinaryFile> file;
    BmpFileHeader fileHeader;
    BmpInfoHeader infoHeader;
};

} // namespace Quorvel
