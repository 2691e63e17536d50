#pragma once
// MemoryFile: a read-only byte buffer with the read and seek behaviour of a
// disk file; the directories hand out small files this way. It owns its
// buffer (copied, adopted, or pulled in whole from another file).

#include "files/BinaryFile.h"

#include <cstdint>
#include <memory>

namespace Quorvel {

class MemoryFile : public BinaryFile {
public:
    // Failed when bytes is null or size negative. With copy the bytes are
    // copied; without it the file takes over the buffer, which must have been
    // allocated with new uint8_t[].
    MemoryFile(const void* bytes, int32_t size, bool copy);
    // Reads the whole of source into memory. Failed when source is not Open,
    // its size cannot be found, or it delivers fewer bytes than its size. The
    // source stays the caller's.
    explicit MemoryFile(BinaryFile& source);
    ~MemoryFile() override;

    int32_t seek(int32_t offset, SeekOrigin origin) override;    // clamped to 0..size
    uint32_t read(void* destination, uint32_t count) override;   // never past the end
    uint32_t write(const void* source, uint32_t count) override; // read-only: writes nothing, returns 0
    bool isEof() override;

    const uint8_t* getData() const { return data.get(); } // null when Failed
    int32_t getSize() const { return size; }
    int32_t getPosition() const { return position; }

private:
    std::unique_ptr<uint8_t[]> data;
    int32_t size;
    int32_t position; // always within 0..size
};

} // namespace Quorvel
