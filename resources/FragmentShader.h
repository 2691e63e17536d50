#pragma once
// FragmentShader: the fragment stage of a shader program, loaded by name from
// name + ".gfs" and kept in its own cache for the rest of the run.

#include "resources/ShaderStage.h"

namespace Quorvel {

class FragmentShader : public ShaderStage {
public:
    FragmentShader(); // creates the shader object

    // The shader from the cache, or loaded and cached. Null (and one log line)
    // when the file cannot be read or shaders are not supported; a shader that
    // does not compile is logged and returned without an object.
    static FragmentShader* load(const String& name);

    static const Kind stageKind;
};

} // namespace Quorvel
