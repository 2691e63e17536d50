#include "files/BinaryFile.h"

#include "files/FileSystem.h"

namespace Quorvel {

BinaryFile::~BinaryFile() = default;

BinaryFile* BinaryFile::openInput(const String& name)
{
    return FileSystem::instance()->openBinaryInput(name);
}

BinaryFile* BinaryFile::openOutput(const String& name)
{
    return FileSystem::instance()->openBinaryOutput(name);
}

} // namespace Quorvel
