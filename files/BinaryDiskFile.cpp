#include "files/BinaryDiskFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <climits>

// Windows runtimes translate line ends unless told otherwise; elsewhere
// every file is binary already.
#ifndef O_BINARY
#define O_BINARY 0
#endif

namespace Quorvel {

namespace {

// Read and write permission for a newly created file (before the umask).
constexpr int NewFileMode = 0666;

// The runtimes take the count as an unsigned int or a size_t; keep one call
// below the signed limit so the result always fits its return type.
constexpr uint32_t MaxTransfer = INT_MAX;

} // namespace

BinaryDiskFile::BinaryDiskFile(const String& path, bool forWriting) : handle(-1), path(path)
{
    if (forWriting)
        handle = ::open(this->path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_BINARY, NewFileMode);
    else
        handle = ::open(this->path.c_str(), O_RDONLY | O_BINARY);

    // Some systems open a directory for reading; it is not a file to read.
    struct stat info;
    if (handle != -1 && ::fstat(handle, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(handle);
        handle = -1;
    }
    state = handle != -1 ? Open : Failed;
}

BinaryDiskFile::~BinaryDiskFile()
{
    if (handle != -1)
        ::close(handle);
}

int32_t BinaryDiskFile::seek(int32_t offset, SeekOrigin origin)
{
    int whence = SEEK_SET;
    if (origin == End)
        whence = SEEK_END;
    else if (origin == Current)
        whence = SEEK_CUR;
    else if (origin != Begin)
        return -1;

    // The target is worked out and checked before the position moves, so a
    // seek that is refused leaves the file where it was.
    int64_t target = offset;
    if (whence != SEEK_SET) {
        struct stat info;
        const auto base = whence == SEEK_CUR ? ::lseek(handle, 0, SEEK_CUR)
                                             : (::fstat(handle, &info) == 0 ? info.st_size : -1);
        if (base < 0)
            return -1;
        target += base;
    }
    if (target < 0 || target > INT32_MAX)
        return -1; // before the start, or a position the 32-bit interface cannot express
    const auto result = ::lseek(handle, static_cast<off_t>(target), SEEK_SET);
    return result == target ? static_cast<int32_t>(result) : -1;
}

uint32_t BinaryDiskFile::read(void* destination, uint32_t count)
{
    const auto result = ::read(handle, destination, count < MaxTransfer ? count : MaxTransfer);
    return result < 0 ? UINT32_MAX : static_cast<uint32_t>(result);
}

uint32_t BinaryDiskFile::write(const void* source, uint32_t count)
{
    const auto result = ::write(handle, source, count < MaxTransfer ? count : MaxTransfer);
    return result < 0 ? UINT32_MAX : static_cast<uint32_t>(result);
}

bool BinaryDiskFile::isEof()
{
    // The end is where the position reaches the file's size.
    struct stat info;
    if (handle == -1 || ::fstat(handle, &info) != 0)
        return false;
    const auto position = ::lseek(handle, 0, SEEK_CUR);
    if (position < 0)
        return false;
    return position >= info.st_size;
}

} // namespace Quorvel
