#pragma once
// Directory: a place that files are opened in by name, implemented by a
// directory on disk and by the file system itself. Every stream or file it
// returns is allocated for the caller, who owns and deletes it.

#include "core/String.h"

#include <istream>
#include <ostream>

namespace Quorvel {

class BinaryFile;

class Directory {
public:
    Directory() = default;
    virtual ~Directory() = default;

    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;

    virtual bool exists(const String& name) = 0;
    virtual std::istream* openTextInput(const String& name) = 0;  // null when it cannot
    virtual std::ostream* openTextOutput(const String& name) = 0; // created or truncated
    virtual BinaryFile* openBinaryInput(const String& name) = 0;  // Open, or null
    virtual BinaryFile* openBinaryOutput(const String& name) = 0; // Open, or null
};

} // namespace Quorvel
