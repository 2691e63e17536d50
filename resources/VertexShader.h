#pragma once
// VertexShader: the vertex stage of a shader program, loaded by name from
// name + ".gvs" and kept in its own cache for the rest of the run.

#include "resources/ShaderStage.h"

namespace Quorvel {

class VertexShader : public ShaderStage {
public:
    VertexShader(); // creates the shader object

    // The shader from the cache, or loaded and cached. Null (and one log line)
    // when the file cannot be read or shaders are not supported; a shader that
    // does not compile is logged and returned without an object.
    static VertexShader* load(const String& name);

    static const Kind stageKind;
};

} // namespace Quorvel
