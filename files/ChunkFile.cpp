#include "files/ChunkFile.h"

#include "files/BinaryFile.h"

#include <algorithm>
#include <cstring>

namespace Quorvel {

namespace {

// True when count bytes were read. A disk file's error result (all bits set)
// is never equal to a count the reader asks for, since counts stay below 2 GiB.
bool readExactly(BinaryFile& file, void* destination, uint32_t count)
{
    return count == 0 || file.read(destination, count) == count;
}

bool writeExactly(BinaryFile& file, const void* source, uint32_t count)
{
    return count == 0 || file.write(source, count) == count;
}

// Deletes the file when the function that opened it returns.
struct FileCloser {
    BinaryFile* file;
    ~FileCloser() { delete file; }
};

} // namespace

Chunk::Chunk(uint32_t id_, uint32_t index_, const void* bytes, uint32_t size_)
    : id(id_), index(index_), size(size_), data(new uint8_t[size_ > 0 ? size_ : 1]())
{
    if (bytes != nullptr && size_ > 0) {
        std::memcpy(data.get(), bytes, size_);
    }
}

ChunkFile::ChunkFile() : magic(Magic), version(Version)
{
}

ChunkFile::~ChunkFile() = default;

bool ChunkFile::isValid() const
{
    return magic == Magic;
}

bool ChunkFile::readHeaderExtension(BinaryFile&)
{
    return true;
}

bool ChunkFile::writeHeaderExtension(BinaryFile&)
{
    return true;
}

uint32_t ChunkFile::headerExtensionSize() const
{
    return 0;
}

bool ChunkFile::load(const String& fileName)
{
    clear();
    FileCloser input{BinaryFile::openInput(fileName)};
    if (input.file == nullptr) {
        return false;
    }
    return load(*input.file);
}

bool ChunkFile::load(BinaryFile& file)
{
    clear();

    // Everything the file claims is checked against its real size before any
    // allocation, so a lying table can neither exhaust memory nor leave bytes
    // undefined.
    const int32_t end = file.seek(0, BinaryFile::End);
    if (end < 0 || file.seek(0, BinaryFile::Begin) != 0) {
        return false;
    }
    const uint64_t fileSize = static_cast<uint64_t>(end);

    uint8_t header[HeaderSize];
    if (!readExactly(file, header, HeaderSize)) {
        return false;
    }
    magic = readU32(header);
    version = readU32(header + 4);
    name = String(reinterpret_cast<const char*>(header + 8), NameSize);
    const uint32_t tableOffset = readU32(header + 40);
    const uint32_t count = readU32(header + 44);

    if (!readHeaderExtension(file)) {
        return false;
    }

    if (count == 0) {
        return true; // no table to read, wherever it is said to be
    }
    const uint64_t tableBytes = static_cast<uint64_t>(count) * TableEntrySize;
    if (static_cast<uint64_t>(tableOffset) + tableBytes > fileSize) {
        return false;
    }
    std::vector<uint8_t> table(static_cast<size_t>(tableBytes));
    if (file.seek(static_cast<int32_t>(tableOffset), BinaryFile::Begin) != static_cast<int32_t>(tableOffset)
        || !readExactly(file, table.data(), static_cast<uint32_t>(tableBytes))) {
        return false;
    }

    // Each chunk gets its own copy of its payload. The engine's writer never
    // lets payloads overlap, so all of them together fit in the file; a table
    // whose payloads add up to more (the same bytes listed again and again)
    // would make memory grow with the square of the file's size.
    uint64_t payloadTotal = 0;
    for (uint32_t i = 0; i < count; ++i) {
        payloadTotal += readU32(table.data() + static_cast<size_t>(i) * TableEntrySize + 12);
    }
    if (payloadTotal > fileSize) {
        return false;
    }

    std::vector<std::unique_ptr<Chunk>> loaded;
    loaded.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* entry = table.data() + static_cast<size_t>(i) * TableEntrySize;
        const uint32_t dataOffset = readU32(entry + 8);
        const uint32_t size = readU32(entry + 12);
        if (static_cast<uint64_t>(dataOffset) + size > fileSize) {
            return false;
        }
        auto chunk = std::make_unique<Chunk>(readU32(entry), readU32(entry + 4), nullptr, size);
        if (file.seek(static_cast<int32_t>(dataOffset), BinaryFile::Begin) != static_cast<int32_t>(dataOffset)
            || !readExactly(file, chunk->data.get(), size)) {
            return false;
        }
        loaded.push_back(std::move(chunk));
    }
    chunks = std::move(loaded);
    return true;
}

bool ChunkFile::save(const String& fileName)
{
    FileCloser output{BinaryFile::openOutput(fileName)};
    if (output.file == nullptr) {
        return false;
    }
    return save(*output.file);
}

bool ChunkFile::save(BinaryFile& file)
{
    const uint64_t tableOffset = HeaderSize + static_cast<uint64_t>(headerExtensionSize());
    const uint64_t count = chunks.size();

    // Offsets are 32-bit in the format; a layout that does not fit is refused
    // before anything is written.
    uint64_t total = tableOffset + count * TableEntrySize;
    for (const auto& chunk : chunks) {
        total += chunk->size;
    }
    if (total > 0xFFFFFFFFu) {
        return false;
    }

    uint8_t header[HeaderSize] = {};
    writeU32(header, magic);
    writeU32(header + 4, version);
    std::memcpy(header + 8, name.getData(), static_cast<size_t>(std::min<int32_t>(name.length(), NameSize)));
    writeU32(header + 40, static_cast<uint32_t>(tableOffset));
    writeU32(header + 44, static_cast<uint32_t>(count));
    if (!writeExactly(file, header, HeaderSize) || !writeHeaderExtension(file)) {
        return false;
    }

    uint32_t dataOffset = static_cast<uint32_t>(tableOffset + count * TableEntrySize);
    for (const auto& chunk : chunks) {
        uint8_t entry[TableEntrySize];
        writeU32(entry, chunk->id);
        writeU32(entry + 4, chunk->index);
        writeU32(entry + 8, dataOffset);
        writeU32(entry + 12, chunk->size);
        if (!writeExactly(file, entry, TableEntrySize)) {
            return false;
        }
        dataOffset += chunk->size;
    }
    for (const auto& chunk : chunks) {
        if (!writeExactly(file, chunk->data.get(), chunk->size)) {
            return false;
        }
    }
    return true;
}

Chunk* ChunkFile::findChunk(uint32_t id, uint32_t index) const
{
    for (const auto& chunk : chunks) {
        if (chunk->id == id && chunk->index == index) {
            return chunk.get();
        }
    }
    return nullptr;
}

Chunk* ChunkFile::addChunk(std::unique_ptr<Chunk> chunk)
{
    chunks.push_back(std::move(chunk));
    return chunks.back().get();
}

void ChunkFile::removeChunk(Chunk* chunk)
{
    auto found = std::find_if(chunks.begin(), chunks.end(),
                              [chunk](const std::unique_ptr<Chunk>& entry) { return entry.get() == chunk; });
    if (found != chunks.end()) {
        chunks.erase(found);
    }
}

void ChunkFile::removeChunk(uint32_t id, uint32_t index)
{
    Chunk* chunk = findChunk(id, index);
    if (chunk != nullptr) {
        removeChunk(chunk);
    }
}

void ChunkFile::clear()
{
    chunks.clear();
}

} // namespace Quorvel
