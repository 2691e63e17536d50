// Fuzz target: the Milkshape3D loader, by name through the file system. A
// mesh it makes has only triangles that name its own vertices.

#include "FuzzInput.h"

#include "scene/Ms3dLoader.h"
#include "scene/SimpleMesh.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace Quorvel;
    const String name = QuorvelFuzz::FuzzInput::set("input.ms3d", data, size);
    Ms3dLoader loader;
    if (loader.open(name))
        std::unique_ptr<SimpleMesh> mesh(loader.load());
    return 0;
}
