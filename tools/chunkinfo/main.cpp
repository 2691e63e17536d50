// quorvel-chunkinfo: prints the header and the chunk table of a chunk file
// (".glf" fonts and any other container of the engine): magic, version, name,
// the table's place, each chunk's id, index, offset and size, and whether the
// engine's reader accepts the file. Entries that lie past the end of the file
// are marked. Exit code 0 when the engine accepts the file, 1 otherwise.

#include "tools/chunkinfo/ChunkInfo.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv)
{
    // A file named "--help" is still read as ./--help.
    const char* const usage = "usage: quorvel-chunkinfo FILE\n";
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (argc != 2) {
        std::fputs(usage, stderr);
        return 2;
    }
    const char* path = argv[1];
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        std::fprintf(stderr, "quorvel-chunkinfo: %s: cannot be opened\n", path);
        return 1;
    }
    std::vector<uint8_t> bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    } catch (const std::exception&) { // reading a directory throws from the stream's buffer
        std::fprintf(stderr, "quorvel-chunkinfo: %s: cannot be read\n", path);
        return 1;
    }
    return describeChunkFile(path, bytes, stdout, stderr);
}
