#include "input/QuitOnEscape.h"

#include "core/Application.h"
#include "input/InputSystem.h"

namespace Quorvel {

QuitOnEscape::QuitOnEscape()
{
    eventMask = KeyDown;
}

bool QuitOnEscape::handleInput(uint32_t kind, const InputState& state)
{
    if (kind != KeyDown || (state.getKey() != KeyEscape && state.getKey() != InputSystem::PadBack))
        return false;
    Application::instance()->quit();
    return true;
}

} // namespace Quorvel
