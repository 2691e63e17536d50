// The Windows timer system: the multimedia clock and the per-pass update hook.

#include "platform/win32/Win32TimerSystem.h"

namespace Quorvel {

TimerSystem* TimerSystem::instance()
{
    if (TimerSystem* existing = existingInstance())
        return existing;
    return new Win32TimerSystem(); // owned by the application from here on
}

bool Win32TimerSystem::hasFailed()
{
    return false;
}

uint32_t Win32TimerSystem::getTime()
{
    return static_cast<uint32_t>(timeGetTime());
}

void Win32TimerSystem::update()
{
    TimerSystem::update();
}

} // namespace Quorvel
