#include "files/DiskDirectory.h"

#include "files/BinaryDiskFile.h"
#include "files/MemoryFile.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

namespace Quorvel {

namespace {

// The absolute form of a directory, ending in the platform's separator. The
// path is resolved without changing the working directory and without a
// length limit; a path that names no directory yields the working directory.
String resolveDirectory(const std::filesystem::path& given)
{
    std::error_code error;
    std::filesystem::path resolved;
    if (std::filesystem::is_directory(given, error))
        resolved = std::filesystem::canonical(given, error);
    if (resolved.empty() || error)
        resolved = std::filesystem::current_path(error);

    const std::string text = resolved.string();
    String result(text.c_str(), static_cast<int32_t>(text.size()));
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    if (result.length() == 0 || result[result.length() - 1] != separator)
        result += String(&separator, 1);
    return result;
}

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

// A part that a system may take for the parent directory: "..", and on
// Windows also ".. " or "...", whose trailing dots and spaces it drops.
bool isParentPart(const char* part, int32_t length)
{
    int32_t dots = 0;
    for (int32_t i = 0; i < length; ++i) {
        if (part[i] == '.')
            ++dots;
        else if (part[i] != ' ')
            return false;
    }
    return dots >= 2;
}

} // namespace

const char* DiskDirectory::whyOutside(const String& name)
{
    const char* text = name.getData();
    const int32_t length = name.length();
    const bool drive = length >= 2 && text[1] == ':'
        && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
    if ((length > 0 && isSeparator(text[0])) || drive)
        return "is an absolute path";
    int32_t partStart = 0;
    for (int32_t i = 0; i <= length; ++i) {
        if (i < length && !isSeparator(text[i]))
            continue;
        if (isParentPart(text + partStart, i - partStart))
            return "has a \"..\" part";
        partStart = i + 1;
    }
    return nullptr;
}

DiskDirectory::DiskDirectory() : path(resolveDirectory(std::filesystem::path(".")))
{
}

DiskDirectory::DiskDirectory(const String& path)
    : path(resolveDirectory(std::filesystem::path(std::string(path.getData(), static_cast<size_t>(path.length())))))
{
}

bool DiskDirectory::exists(const String& name)
{
    if (whyOutside(name))
        return false;
    struct stat info;
    return ::stat(fullName(name).c_str(), &info) == 0;
}

std::istream* DiskDirectory::openTextInput(const String& name)
{
    if (whyOutside(name))
        return nullptr;
    // Some systems open a directory as a stream that then fails every read.
    struct stat info;
    if (::stat(fullName(name).c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return nullptr;
    std::unique_ptr<std::ifstream> stream(new std::ifstream(fullName(name).c_str()));
    return stream->fail() ? nullptr : stream.release();
}

std::ostream* DiskDirectory::openTextOutput(const String& name)
{
    if (whyOutside(name))
        return nullptr;
    std::unique_ptr<std::ofstream> stream(new std::ofstream(fullName(name).c_str()));
    return stream->fail() ? nullptr : stream.release();
}

BinaryFile* DiskDirectory::openBinaryInput(const String& name)
{
    if (whyOutside(name))
        return nullptr;
    std::unique_ptr<BinaryDiskFile> file(new BinaryDiskFile(fullName(name), false));
    if (file->getState() != BinaryFile::Open)
        return nullptr;

    const int32_t size = file->seek(0, BinaryFile::End);
    if (size >= MemoryFileLimit) {
        file->seek(0, BinaryFile::Begin);
        return file.release(); // large: the caller reads from disk
    }

    // Small files are read whole; an error (a negative size or a short read)
    // leaves the memory file Failed, and failed files are never handed out.
    std::unique_ptr<MemoryFile> memory(new MemoryFile(*file));
    return memory->getState() == BinaryFile::Open ? memory.release() : nullptr;
}

BinaryFile* DiskDirectory::openBinaryOutput(const String& name)
{
    if (whyOutside(name))
        return nullptr;
    std::unique_ptr<BinaryDiskFile> file(new BinaryDiskFile(fullName(name), true));
    return file->getState() == BinaryFile::Open ? file.release() : nullptr;
}

} // namespace Quorvel
