// Fuzz target: the ".glt" texture reader, by name through the file system,
// up to the upload into OpenGL (a window and context are made once).

#include "FuzzInput.h"

#include "resources/Texture.h"

#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuorvelFuzz::FuzzInput::startGraphics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace Quorvel;
    const String name = QuorvelFuzz::FuzzInput::set("input.glt", data, size);
    std::unique_ptr<Texture> texture(Texture::readGlt(name));
    return 0;
}
