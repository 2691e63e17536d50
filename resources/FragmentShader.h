#pragma once
// FragmentShader: the fragment stage of a shader program, loaded by name from
// name + ".gfs" and kept in its own cache for the rest of the run.

#include "resources/ShaderStage.h"

namespace Quorvel {

class FragmentShader : public ShaderStageOf<FragmentShader> {
public:
    static const Kind stageKind;
};

} // namespace Quorvel
