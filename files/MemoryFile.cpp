#include "files/MemoryFile.h"

#include <cstring>

namespace Quorvel {

MemoryFile::MemoryFile(const void* bytes, int32_t size, bool copy) : size(0), position(0)
{
    if (!bytes || size < 0) {
        state = Failed;
        return;
    }
    this->size = size;
    if (copy) {
        data.reset(new uint8_t[size]);
        std::memcpy(data.get(), bytes, static_cast<size_t>(size));
    } else {
        data.reset(static_cast<uint8_t*>(const_cast<void*>(bytes)));
    }
    state = Open;
}

MemoryFile::MemoryFile(BinaryFile& source) : size(0), position(0)
{
    state = Failed;
    if (source.getState() != Open)
        return;

    const int32_t total = source.seek(0, End);
    if (total < 0 || source.seek(0, Begin) != 0)
        return; // the size cannot be known: never allocate from an error code

    std::unique_ptr<uint8_t[]> buffer(new uint8_t[total]);
    if (total > 0 && source.read(buffer.get(), static_cast<uint32_t>(total)) != static_cast<uint32_t>(total))
        return; // a short read would hand on bytes that were never filled

    data = std::move(buffer);
    size = total;
    state = Open;
}

MemoryFile::~MemoryFile() = default;

int32_t MemoryFile::seek(int32_t offset, SeekOrigin origin)
{
    // Computed in 64 bits so that no offset can overflow before the clamp.
    int64_t target = offset;
    if (origin == End)
        target += size;
    else if (origin == Current)
        target += position;

    if (target < 0)
        target = 0;
    else if (target > size)
        target = size;
    position = static_cast<int32_t>(target);
    return position;
}

uint32_t MemoryFile::read(void* destination, uint32_t count)
{
    const uint32_t left = static_cast<uint32_t>(size - position);
    const uint32_t n = count < left ? count : left;
    if (n == 0)
        return 0;
    std::memcpy(destination, data.get() + position, n);
    position += static_cast<int32_t>(n);
    return n;
}

uint32_t MemoryFile::write(const void*, uint32_t)
{
    return 0;
}

bool MemoryFile::isEof()
{
    return position == size;
}

} // namespace Quorvel
