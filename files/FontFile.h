#pragma once
// FontFile: the ".glf" form of a chunk file. Its 12-byte header extension
// holds the glyph scale (the divisor of every glyph metric) and two further
// values that are kept unchanged. The chunks themselves are read by Font.

#include "files/ChunkFile.h"

#include <cstdint>

namespace Quorvel {

class FontFile : public ChunkFile {
public:
    static constexpr uint32_t Magic = chunkId("GLFv");
    static constexpr uint32_t ExtensionSize = 12;

    FontFile();

    bool isValid() const override;
    // False when fewer than 12 bytes arrive; the fields then keep their values.
    bool readHeaderExtension(BinaryFile& file) override;
    bool writeHeaderExtension(BinaryFile& file) override;
    uint32_t headerExtensionSize() const override;

    uint32_t getGlyphScale() const { return glyphScale; }
    void setGlyphScale(uint32_t scale) { glyphScale = scale; }
    uint32_t getReserved(int which) const { return which == 0 ? reserved0 : reserved1; }
    void setReserved(int which, uint32_t value) { (which == 0 ? reserved0 : reserved1) = value; }

private:
    uint32_t glyphScale = 0;
    uint32_t reserved0 = 0; // not used by the engine, kept as read
    uint32_t reserved1 = 0;
};

} // namespace Quorvel
