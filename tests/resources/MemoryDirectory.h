// MemoryDirectory: a directory whose files live in a map, for tests of
// loaders. It counts how often each name was opened, so a test can tell
// whether a loader read a file again or took its result from a cache. Mount
// it under a prefix of the test's own so that tests never share names.
#pragma once

#include "files/Directory.h"
#include "files/MemoryFile.h"

#include <map>
#include <sstream>
#include <string>

namespace QuorvelTest {

class MemoryDirectory : public Quorvel::Directory {
public:
    std::map<std::string, std::string> files;
    std::map<std::string, int> opens; // openBinaryInput calls per name, found or not

    bool exists(const Quorvel::String& name) override { return files.count(key(name)) != 0; }
    std::istream* openTextInput(const Quorvel::String& name) override
    {
        auto found = files.find(key(name));
        return found == files.end() ? nullptr : new std::istringstream(found->second);
    }
    std::ostream* openTextOutput(const Quorvel::String&) override { return nullptr; }
    Quorvel::BinaryFile* openBinaryInput(const Quorvel::String& name) override
    {
        ++opens[key(name)];
        auto found = files.find(key(name));
        if (found == files.end())
            return nullptr;
        static const char empty = 0; // a memory file needs a buffer even when it is empty
        const char* bytes = found->second.empty() ? &empty : found->second.data();
        return new Quorvel::MemoryFile(bytes, static_cast<int32_t>(found->second.size()), true);
    }
    Quorvel::BinaryFile* openBinaryOutput(const Quorvel::String&) override { return nullptr; }

private:
    static std::string key(const Quorvel::String& name) { return std::string(name.getData(), name.length()); }
};

} // namespace QuorvelTest
