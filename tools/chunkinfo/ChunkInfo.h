#pragma once
// ChunkInfo: what quorvel-chunkinfo prints about a chunk file: its header,
// its chunk table (entries past the end of the file marked) and whether the
// engine's reader accepts it. Kept apart from the program so that the fuzz
// target reads files exactly as the tool does.

#include <cstdint>
#include <cstdio>
#include <vector>

// Writes the report on the file's bytes to out (problems to errors); path
// only names the file. Returns the tool's exit code: 0 when the engine
// accepts the file, 1 otherwise.
int describeChunkFile(const char* path, const std::vector<uint8_t>& bytes, std::FILE* out, std::FILE* errors);
