#include "files/FileSystem.h"

#include "files/BinaryFile.h"

#include <cstring>

namespace Quorvel {

FileSystem* FileSystem::instance()
{
    static FileSystem* const theInstance = new FileSystem();
    return theInstance;
}

bool FileSystem::mount(const String& prefix, Directory* directory)
{
    mounts.push_back(MountEntry{prefix, std::unique_ptr<Directory>(directory)});
    return true;
}

template <typename Result, typename Operation>
Result FileSystem::search(const String& name, Operation operation)
{
    for (MountEntry& entry : mounts) {
        const int32_t length = entry.prefix.length();
        // A prefix longer than the name never matches.
        if (length > name.length()
            || std::memcmp(entry.prefix.getData(), name.getData(), static_cast<size_t>(length)) != 0)
            continue;
        if (Result result = operation(*entry.directory, name.substr(length)))
            return result;
    }
    return Result();
}

bool FileSystem::exists(const String& name)
{
    return search<bool>(name, [](Directory& directory, const String& rest) { return directory.exists(rest); });
}

std::istream* FileSystem::openTextInput(const String& name)
{
    return search<std::istream*>(name, [](Directory& directory, const String& rest) {
        return directory.openTextInput(rest);
    });
}

std::ostream* FileSystem::openTextOutput(const String& name)
{
    return search<std::ostream*>(name, [](Directory& directory, const String& rest) {
        return directory.openTextOutput(rest);
    });
}

BinaryFile* FileSystem::openBinaryInput(const String& name)
{
    return search<BinaryFile*>(name, [](Directory& directory, const String& rest) {
        return directory.openBinaryInput(rest);
    });
}

BinaryFile* FileSystem::openBinaryOutput(const String& name)
{
    return search<BinaryFile*>(name, [](Directory& directory, const String& rest) {
        return directory.openBinaryOutput(rest);
    });
}

} // namespace Quorvel
