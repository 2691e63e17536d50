#pragma once
// Win32TimerSystem: the Windows timer system. Its clock is the multimedia
// millisecond clock (milliseconds since the system started, wrapping after
// 2^32 ms); its update hook ticks the due timer events once per pass of the
// main loop. It keeps no state of its own.

#include "platform/win32/Win32Subsystem.h"
#include "system/TimerSystem.h"

namespace Quorvel {

class Win32TimerSystem : public TimerSystem, public Win32Subsystem {
public:
    Win32TimerSystem() = default; // registers as the timer system and with the application

    bool hasFailed() override;   // false
    uint32_t getTime() override; // timeGetTime()

    void update() override; // TimerSystem::update
};

} // namespace Quorvel
