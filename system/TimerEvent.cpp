#include "system/TimerEvent.h"

#include "system/TimerSystem.h"

namespace Quorvel {

TimerEvent::TimerEvent() : interval(0), lastTime(0), state(Starting)
{
}

TimerEvent::~TimerEvent()
{
    // Only an existing timer system can hold the event; never create one here.
    if (TimerSystem* system = TimerSystem::existingInstance())
        system->remove(this);
}

void TimerEvent::setState(int32_t newState)
{
    if (newState == Running && state == Paused)
        state = Starting;
    else
        state = newState;
}

} // namespace Quorvel
