#pragma once
// VertexShader: the vertex stage of a shader program, loaded by name from
// name + ".gvs" and kept in its own cache for the rest of the run.

#include "resources/ShaderStage.h"

namespace Quorvel {

class VertexShader : public ShaderStageOf<VertexShader> {
public:
    static const Kind stageKind;
};

} // namespace Quorvel
