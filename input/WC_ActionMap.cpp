#include "input/WC_ActionMap.h"

namespace Quorvel {

WC_ActionMap::WC_ActionMap()
{
    visible = false;
    eventMask = AllEvents;
}

WC_ActionMap::~WC_ActionMap() = default;

bool WC_ActionMap::handleInput(uint32_t, const InputState&)
{
    return false;
}

} // namespace Quorvel
