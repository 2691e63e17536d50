#pragma once
// BinaryDiskFile: a file on disk reached through the descriptor calls (open,
// read, write, lseek, close) in binary mode. It owns its descriptor and closes
// it when deleted; a failed open leaves the state Failed and no descriptor.

#include "files/BinaryFile.h"

#include "core/String.h"

#include <cstdint>

namespace Quorvel {

class BinaryDiskFile : public BinaryFile {
public:
    // Opens path read-only, or for writing (created if missing, truncated if
    // present). Nothing is logged; the caller inspects getState().
    BinaryDiskFile(const String& path, bool forWriting);
    ~BinaryDiskFile() override;

    int32_t seek(int32_t offset, SeekOrigin origin) override; // -1 on error or beyond 2 GiB
    uint32_t read(void* destination, uint32_t count) override;
    uint32_t write(const void* source, uint32_t count) override;
    bool isEof() override; // position at or past the size; false on error

    const String& getPath() const { return path; }

private:
    int32_t handle; // -1 when opening failed
    String path;
};

} // namespace Quorvel
