// Fuzz target: shader source loading, by name through the file system, and
// its compilation by the OpenGL driver (a window and context are made once).
// The first byte chooses the stage: even for vertex, odd for fragment.

#include "FuzzInput.h"

#include "resources/FragmentShader.h"
#include "resources/VertexShader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QuorvelFuzz::FuzzInput::startGraphics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace Quorvel;
    if (size < 1)
        return 0;
    const bool vertex = (data[0] & 1) == 0;
    const String name = QuorvelFuzz::FuzzInput::set(vertex ? "input.gvs" : "input.gfs", data + 1, size - 1);
    if (vertex) {
        VertexShader shader;
        if (shader.loadSource(name) && !shader.compile())
            shader.getInfoLog();
    } else {
        FragmentShader shader;
        if (shader.loadSource(name) && !shader.compile())
            shader.getInfoLog();
    }
    return 0;
}
