// Fuzz target: the binary files. The input's tail becomes a file on disk;
// its head is a list of seeks and reads that are played on the disk file, on
// the memory file the disk directory gives out for it, and on a memory file
// made from the bytes. All three must agree wherever their contracts agree:
// the same positions inside the file, the same bytes read, never more bytes
// than asked, and a refused seek leaves the position where it was.
//
// Input: one byte n, then n commands of 5 bytes (kind, 32-bit offset or
// count), then the file's content.

#include "files/BinaryDiskFile.h"
#include "files/DiskDirectory.h"
#include "files/MemoryFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t CommandSize = 5;
constexpr uint32_t MaxRead = 1 << 16;

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "binary files disagree: %s\n", what);
        std::abort();
    }
}

const std::string& scratchDirectory()
{
    static const std::string directory = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/quorvel-fuzz-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back(0);
        if (!mkdtemp(name.data()))
            std::abort();
        return std::string(name.data());
    }();
    return directory;
}

// The disk file's position, asked without moving it.
int32_t positionOf(Quorvel::BinaryFile& file)
{
    return file.seek(0, Quorvel::BinaryFile::Current);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace Quorvel;
    if (size < 1)
        return 0;
    const size_t commands = data[0];
    if (size < 1 + commands * CommandSize)
        return 0;
    const uint8_t* content = data + 1 + commands * CommandSize;
    const size_t contentSize = size - 1 - commands * CommandSize;

    const std::string path = scratchDirectory() + "/input.bin";
    {
        std::FILE* out = std::fopen(path.c_str(), "wb");
        check(out != nullptr, "scratch file cannot be written");
        check(contentSize == 0 || std::fwrite(content, 1, contentSize, out) == contentSize, "short scratch write");
        std::fclose(out);
    }

    BinaryDiskFile disk(path.c_str(), false);
    check(disk.getState() == BinaryFile::Open, "disk file does not open");
    DiskDirectory directory(scratchDirectory().c_str());
    std::unique_ptr<BinaryFile> handedOut(directory.openBinaryInput("input.bin"));
    check(handedOut != nullptr, "the directory does not give the file out");
    MemoryFile memory(content, static_cast<int32_t>(contentSize), true);
    BinaryFile* files[] = {&disk, handedOut.get(), &memory};
    const int32_t fileSize = static_cast<int32_t>(contentSize);

    std::vector<uint8_t> expected(MaxRead);
    std::vector<uint8_t> got(MaxRead);
    for (size_t c = 0; c < commands; ++c) {
        const uint8_t* command = data + 1 + c * CommandSize;
        const uint8_t kind = command[0];
        uint32_t value;
        std::memcpy(&value, command + 1, sizeof value);

        if (kind & 1) {
            // Read: every file gives the same bytes and moves by the same count.
            const uint32_t count = value % (MaxRead + 1);
            const int32_t before = positionOf(memory);
            uint32_t first = 0;
            for (size_t f = 0; f < 3; ++f) {
                const uint32_t n = files[f]->read(f == 0 ? expected.data() : got.data(), count);
                check(n <= count, "read returned more than asked");
                if (f == 0) {
                    first = n;
                } else {
                    check(n == first, "reads return different counts");
                    check(n == 0 || std::memcmp(expected.data(), got.data(), n) == 0, "reads give different bytes");
                }
            }
            check(static_cast<int64_t>(before) + first <= fileSize, "read past the end");
        } else {
            const auto origin = static_cast<BinaryFile::SeekOrigin>((kind >> 1) % 3);
            const int32_t offset = static_cast<int32_t>(value);
            const int32_t diskBefore = positionOf(disk);
            const int32_t diskAfter = disk.seek(offset, origin);
            if (diskAfter < 0)
                check(positionOf(disk) == diskBefore, "a refused seek moved the disk file");
            int32_t memoryAfter = -1;
            for (size_t f = 1; f < 3; ++f) {
                const int32_t after = files[f]->seek(offset, origin);
                check(after >= 0 && after <= fileSize, "memory seek outside the file");
                if (f == 1)
                    memoryAfter = after;
                else
                    check(after == memoryAfter, "memory files seek to different places");
            }
            // Inside the file, disk and memory agree; elsewhere the memory
            // files clamp, so the disk file follows them to stay comparable.
            if (diskAfter >= 0 && diskAfter <= fileSize)
                check(diskAfter == memoryAfter, "disk and memory seek to different places");
            else
                check(disk.seek(memoryAfter, BinaryFile::Begin) == memoryAfter, "disk file cannot follow");
        }
        check(disk.isEof() == memory.isEof(), "end of file disagrees");
    }
    return 0;
}
