// Fuzz target: quorvel-chunkinfo's report on a file's bytes (its own reading
// of header and table, then the engine's reader), printed nowhere.

#include "tools/chunkinfo/ChunkInfo.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static std::FILE* const nowhere = std::fopen("/dev/null", "w");
    if (!nowhere)
        std::abort();
    const std::vector<uint8_t> bytes(data, data + size);
    describeChunkFile("input", bytes, nowhere, nowhere);
    return 0;
}
