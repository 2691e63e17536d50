#pragma once
// VertexShader: the vertex stage of a shader program, a resource loaded by
// name from name + ".gvs" and kept in its own cache for the rest of the run.

#include "resources/BasicShader.h"
#include "resources/Resource.h"

namespace Quorvel {

class VertexShader : public BasicShader, public Resource {
public:
    VertexShader();           // creates the shader object
    ~VertexShader() override; // deletes it

    // Reads name + ".gvs" again and compiles it.
    bool reload() override;
    // Deletes the shader object.
    bool unload() override;

    // The shader from the cache, or loaded and cached. Null (and one log line)
    // when the file cannot be read or shaders are not supported; a shader that
    // does not compile is logged and returned without an object.
    static VertexShader* load(const String& name);
};

} // namespace Quorvel
