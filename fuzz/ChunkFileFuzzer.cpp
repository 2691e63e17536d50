// Fuzz target: chunk files and their ".glf" form, loaded by name through the
// file system as the engine loads fonts. A file that loads must hold every
// chunk it lists, each of the size its entry says.

#include "FuzzInput.h"

#include "files/ChunkFile.h"
#include "files/FontFile.h"

#include <cstdlib>

namespace {

void walk(const Quorvel::ChunkFile& file, size_t fileSize)
{
    uint64_t total = 0;
    for (uint32_t i = 0; i < file.getChunkCount(); ++i) {
        const Quorvel::Chunk* chunk = file.getChunk(i);
        total += chunk->size;
        if (chunk->size > 0) {
            volatile uint8_t ends = chunk->data[0] ^ chunk->data[chunk->size - 1]; // the whole payload is there
            (void)ends;
        }
        if (file.findChunk(chunk->id, chunk->index) == nullptr)
            std::abort();
    }
    // The engine's own files never overlap payloads; no accepted file holds
    // more payload than it has bytes.
    if (total > fileSize)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace Quorvel;
    const String name = QuorvelFuzz::FuzzInput::set("input.glf", data, size);
    ChunkFile plain;
    if (plain.load(name))
        walk(plain, size);
    FontFile font;
    if (font.load(name))
        walk(font, size);
    return 0;
}
