#pragma once
// FileLoader: the interface of file loaders that turn a named file from the
// file system into a new object of type T (BmpLoader makes Bitmaps). The
// caller owns what load returns.

#include "core/String.h"

#include <memory>

namespace Quorvel {

template <class T>
class FileLoader {
public:
    FileLoader() = default;
    virtual ~FileLoader() = default;

    FileLoader(const FileLoader&) = delete;
    FileLoader& operator=(const FileLoader&) = delete;

    // The loaded object, or null when the file is missing or not acceptable.
    virtual std::unique_ptr<T> load(const String& fileName) = 0;
};

} // namespace Quorvel
