// ChunkInfo: the report of quorvel-chunkinfo.

#include "tools/chunkinfo/ChunkInfo.h"

#include "files/ChunkFile.h"
#include "files/FontFile.h"
#include "files/MemoryFile.h"

#include <cctype>
#include <string>

namespace {

uint32_t readU32(const std::vector<uint8_t>& bytes, uint64_t offset)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | bytes[static_cast<size_t>(offset) + static_cast<size_t>(i)];
    }
    return value;
}

// A four-character code as text; bytes that are not printable as \xNN.
std::string codeText(uint32_t code)
{
    std::string text;
    for (int i = 0; i < 4; ++i) {
        const unsigned char byte = static_cast<unsigned char>(code >> (8 * i));
        if (std::isprint(byte)) {
            text += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    return text;
}

} // namespace

int describeChunkFile(const char* path, const std::vector<uint8_t>& bytes, std::FILE* out, std::FILE* errors)
{
    const uint64_t fileSize = bytes.size();
    std::fprintf(out, "%s: %llu bytes\n", path, static_cast<unsigned long long>(fileSize));
    if (fileSize < Quorvel::ChunkFile::HeaderSize) {
        std::fprintf(errors, "quorvel-chunkinfo: %s: shorter than the 48-byte header\n", path);
        return 1;
    }

    const uint32_t magic = readU32(bytes, 0);
    const bool isFont = magic == Quorvel::FontFile::Magic;
    std::string name;
    for (int i = 8; i < 40 && bytes[static_cast<size_t>(i)] != 0; ++i) {
        const unsigned char byte = bytes[static_cast<size_t>(i)];
        name += std::isprint(byte) ? static_cast<char>(byte) : '?';
    }
    const uint32_t tableOffset = readU32(bytes, 40);
    const uint32_t count = readU32(bytes, 44);
    std::fprintf(out, "magic       \"%s\"%s\n", codeText(magic).c_str(),
                 isFont                                   ? " (font)"
                     : magic == Quorvel::ChunkFile::Magic ? " (chunk file)"
                                                          : " (unknown)");
    std::fprintf(out, "version     \"%s\"\n", codeText(readU32(bytes, 4)).c_str());
    std::fprintf(out, "name        \"%s\"\n", name.c_str());
    std::fprintf(out, "table       at %u, %u chunks\n", tableOffset, count);
    if (isFont) {
        if (fileSize >= 60) {
            std::fprintf(out, "glyphScale  %u (further values %u, %u)\n", readU32(bytes, 48), readU32(bytes, 52),
                         readU32(bytes, 56));
        } else {
            std::fprintf(out, "glyphScale  missing: the file ends inside the 12-byte header extension\n");
        }
    }

    const uint64_t tableEnd = tableOffset + static_cast<uint64_t>(count) * Quorvel::ChunkFile::TableEntrySize;
    if (tableEnd > fileSize) {
        std::fprintf(out, "table       ends at %llu, past the end of the file\n",
                     static_cast<unsigned long long>(tableEnd));
    } else {
        std::fprintf(out, "  #  id            index      offset        size\n");
        for (uint32_t i = 0; i < count; ++i) {
            const uint64_t entry = tableOffset + static_cast<uint64_t>(i) * Quorvel::ChunkFile::TableEntrySize;
            const uint32_t id = readU32(bytes, entry);
            const uint32_t offset = readU32(bytes, entry + 8);
            const uint32_t size = readU32(bytes, entry + 12);
            const bool inside = static_cast<uint64_t>(offset) + size <= fileSize;
            std::fprintf(out, "%3u  %-12s %6u %11u %11u%s\n", i, ("\"" + codeText(id) + "\"").c_str(),
                         readU32(bytes, entry + 4), offset, size, inside ? "" : "  past the end of the file");
        }
    }

    // What the engine's own reader makes of it.
    Quorvel::MemoryFile memory(bytes.data(), static_cast<int32_t>(bytes.size()), true);
    Quorvel::FontFile font;
    Quorvel::ChunkFile plain;
    Quorvel::ChunkFile& reader = isFont ? static_cast<Quorvel::ChunkFile&>(font) : plain;
    if (fileSize > 0x7FFFFFFF || !reader.load(memory)) {
        std::fprintf(out, "engine      refuses the file\n");
        return 1;
    }
    std::fprintf(out, "engine      loads %u chunks\n", reader.getChunkCount());
    return 0;
}
