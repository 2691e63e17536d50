#pragma once
// ChunkFile: the engine's generic container for binary content. A fixed
// 48-byte header, an optional header extension defined by a subclass, a table
// of chunk entries and the payloads. Each chunk is named by a four-character
// code and an index; its payload is an opaque byte block. The file owns the
// chunks in its list: clear, removeChunk and destruction delete them.

#include "core/String.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Quorvel {

class BinaryFile;

// The 32-bit value of a four-character code as stored in a file, characters
// in reading order: chunkId("FBIT") == 0x54494246.
constexpr uint32_t chunkId(const char (&code)[5])
{
    return static_cast<uint32_t>(static_cast<unsigned char>(code[0]))
        | static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 8
        | static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 16
        | static_cast<uint32_t>(static_cast<unsigned char>(code[3])) << 24;
}

// One chunk: identity (id, index) and its payload, owned.
struct Chunk {
    uint32_t id = 0; // four-character code, characters in reading order
    uint32_t index = 0;
    uint32_t size = 0; // payload bytes
    std::unique_ptr<uint8_t[]> data;

    Chunk() = default;
    // A chunk holding a copy of size bytes from bytes (null bytes: zeroed).
    Chunk(uint32_t id, uint32_t index, const void* bytes, uint32_t size);
};

class ChunkFile {
public:
    static constexpr int32_t HeaderSize = 48;
    static constexpr int32_t NameSize = 32;
    static constexpr int32_t TableEntrySize = 16;

    static constexpr uint32_t Magic = chunkId("GCFv");
    static constexpr uint32_t Version = chunkId("0.1 ");

    ChunkFile();
    virtual ~ChunkFile();

    ChunkFile(const ChunkFile&) = delete;
    ChunkFile& operator=(const ChunkFile&) = delete;

    // True when magic is this class's own magic. load does not check it.
    virtual bool isValid() const;
    // The subclass's header extension, read right after the 48-byte header.
    virtual bool readHeaderExtension(BinaryFile& file);
    virtual bool writeHeaderExtension(BinaryFile& file);
    virtual uint32_t headerExtensionSize() const;

    // Reads the named file through the file system, replacing the chunk list.
    // A file whose header, table or payloads do not lie within its real size,
    // or whose payload sizes add up to more than the file holds, is refused
    // (false, no chunks); nothing is logged here.
    bool load(const String& fileName);
    // The same from an open file (read from its start).
    bool load(BinaryFile& file);

    // Writes the file through the file system: header, extension, table,
    // payloads in list order. False when the file cannot be opened or a
    // write comes up short.
    bool save(const String& fileName);
    bool save(BinaryFile& file);

    // First chunk in list order with this id and index, or null.
    Chunk* findChunk(uint32_t id, uint32_t index) const;
    // Appends; the file takes ownership. Returns the chunk.
    Chunk* addChunk(std::unique_ptr<Chunk> chunk);
    // Deletes the chunk if it is in the list.
    void removeChunk(Chunk* chunk);
    // Deletes the first chunk findChunk would return, if any.
    void removeChunk(uint32_t id, uint32_t index);
    void clear();

    uint32_t getChunkCount() const { return static_cast<uint32_t>(chunks.size()); }
    Chunk* getChunk(uint32_t position) const { return chunks[position].get(); } // list order, unchecked

    uint32_t getMagic() const { return magic; }
    void setMagic(uint32_t value) { magic = value; }
    uint32_t getVersion() const { return version; }
    void setVersion(uint32_t value) { version = value; }
    // After load: the whole 32-byte name field, padding included.
    const String& getName() const { return name; }
    void setName(const String& value) { name = value; } // save keeps the first 32 bytes

protected:
    std::vector<std::unique_ptr<Chunk>> chunks; // file order, owned
    uint32_t magic;
    uint32_t version;
    String name;
};

} // namespace Quorvel
