#pragma once
// FileSystem: the engine's virtual file system, an ordered list of mounted
// directories, each under a name prefix. It owns the mounted directories. A
// name goes to each mount whose prefix begins it, first mount first.

#include "files/Directory.h"

#include "core/String.h"

#include <memory>
#include <vector>

namespace Quorvel {

// One mounted directory and the prefix a name must start with to reach it.
struct MountEntry {
    String prefix;                        // may be empty: matches every name
    std::unique_ptr<Directory> directory; // owned
};

class FileSystem : public Directory {
public:
    // The engine's one file system, created empty on first use and never destroyed.
    static FileSystem* instance();

    FileSystem() = default;

    // Appends a mount; the file system takes ownership of directory. Always true.
    bool mount(const String& prefix, Directory* directory);

    // Each tries the matching mounts in mount order with the rest of the name
    // after the prefix; the first success answers, else false or null.
    bool exists(const String& name) override;
    std::istream* openTextInput(const String& name) override;
    std::ostream* openTextOutput(const String& name) override;
    BinaryFile* openBinaryInput(const String& name) override;
    BinaryFile* openBinaryOutput(const String& name) override;

    const std::vector<MountEntry>& getMounts() const { return mounts; }

private:
    // Calls operation(directory, rest) on each matching mount until it yields
    // a true or non-null result, which is returned; else a false or null one.
    template <typename Result, typename Operation>
    Result search(const String& name, Operation operation);

    std::vector<MountEntry> mounts; // mount order
};

} // namespace Quorvel
