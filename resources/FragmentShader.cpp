#include "resources/FragmentShader.h"

#include "system/Extensions.h"

namespace Quorvel {

const ShaderStage::Kind FragmentShader::stageKind = {GL_FRAGMENT_SHADER_ARB, ".gfs", "Fragment shader "};

} // namespace Quorvel
