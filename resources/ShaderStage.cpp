#include "resources/ShaderStage.h"

namespace Quorvel {

ShaderStage::ShaderStage(const Kind& kind) : kind(kind)
{
    createObject(kind.objectType);
}

ShaderStage::~ShaderStage()
{
    destroy();
}

bool ShaderStage::reload()
{
    return reloadFrom(name + kind.extension);
}

bool ShaderStage::unload()
{
    destroy();
    return true;
}

} // namespace Quorvel
