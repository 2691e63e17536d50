#include "resources/VertexShader.h"

#include "system/Extensions.h"

namespace Quorvel {

const ShaderStage::Kind VertexShader::stageKind = {GL_VERTEX_SHADER_ARB, ".gvs", "Vertex shader "};

} // namespace Quorvel
