#include "input/WC_ActionMap.h"

namespace Quorvel {

namespace {

const struct {
    const char* name;
    uint32_t key;
} actionRows[WC_ActionMap::ActionCount] = {
    {"forward", 119},       // w
    {"back", 115},          // s
    {"left", 97},           // a
    {"right", 100},         // d
    {"clouds_denser", 31},  // Gray +
    {"clouds_thinner", 30}, // Gray -
};

} // namespace

const char* WC_ActionMap::actionName(Action action)
{
    return actionRows[static_cast<size_t>(action)].name;
}

uint32_t WC_ActionMap::defaultKey(Action action)
{
    return actionRows[static_cast<size_t>(action)].key;
}

WC_ActionMap::WC_ActionMap()
{
    visible = false;
    eventMask = AllEvents;
    for (size_t n = 0; n < ActionCount; ++n)
        keys[n] = actionRows[n].key;
}

WC_ActionMap::~WC_ActionMap() = default;

bool WC_ActionMap::handleInput(uint32_t, const InputState&)
{
    return false;
}

bool WC_ActionMap::findAction(uint32_t code, Action& action) const
{
    for (size_t n = 0; n < ActionCount; ++n) {
        if (keys[n] == code) {
            action = actionAt(n);
            return true;
        }
    }
    return false;
}

} // namespace Quorvel
