#pragma once
// DiskDirectory: a directory on disk, fixed at construction by its absolute
// path (ending in the platform's separator), so a later change of the working
// directory does not move it. A name is opened as the path followed by it.
// Only names inside the directory are opened: a name that is an absolute
// path or has a ".." part is refused by every operation (false or null), so
// no name reaches a file outside the mounted directory.

#include "files/Directory.h"

#include "core/String.h"

#include <cstdint>

namespace Quorvel {

class DiskDirectory : public Directory {
public:
    // Files of this size and above are read from disk; smaller ones are
    // handed out whole in memory.
    static constexpr int32_t MemoryFileLimit = 32 * 1024 * 1024;

    DiskDirectory(); // the working directory
    // path may be relative; when it names no directory, the working
    // directory is used instead.
    explicit DiskDirectory(const String& path);

    bool exists(const String& name) override; // files and directories
    std::istream* openTextInput(const String& name) override;
    std::ostream* openTextOutput(const String& name) override;
    BinaryFile* openBinaryInput(const String& name) override;
    BinaryFile* openBinaryOutput(const String& name) override;

    const String& getPath() const { return path; }

    // Why the name would lead outside the directory, as words that follow
    // "the name" ("is an absolute path", "has a \"..\" part"), or null for a
    // name inside it. Both '/' and '\\' separate parts, on every system; a
    // leading separator or a drive ("C:") makes a name absolute; a part of
    // dots and spaces only, with two dots or more, counts as "..".
    static const char* whyOutside(const String& name);

private:
    String fullName(const String& name) const { return path + name; }

    String path; // absolute, ends in the separator
};

} // namespace Quorvel
