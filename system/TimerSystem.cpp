#include "system/TimerSystem.h"

#include "system/TimerEvent.h"

#include <algorithm>
#include <cassert>

namespace Quorvel {

TimerSystem::~TimerSystem() = default;

void TimerSystem::add(TimerEvent* event)
{
    remove(event);
    events.push_back(event);
}

void TimerSystem::remove(TimerEvent* event)
{
    if (ticking) {
        // While the list is walked for ticks its entries must keep their
        // places, or the event after a removed one would miss its tick: the
        // entry is cleared now and dropped by the clean-up after the walk.
        std::replace(events.begin(), events.end(), event, static_cast<TimerEvent*>(nullptr));
        return;
    }
    events.erase(std::remove(events.begin(), events.end(), event), events.end());
}

void TimerSystem::cleanUp()
{
    // Take the entry out before deleting its event, so the event's destructor
    // finds nothing left to remove. The destructor may still change the list
    // (an owner deleting further events), hence the index walk with bounds
    // checked afresh.
    size_t i = 0;
    while (i < events.size()) {
        TimerEvent* event = events[i];
        if (!event) { // cleared by a remove during the tick walk
            events.erase(events.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        const int32_t state = event->getState();
        if (state == TimerEvent::Removing || state == TimerEvent::Deleting) {
            events.erase(events.begin() + static_cast<std::ptrdiff_t>(i));
            if (state == TimerEvent::Deleting)
                delete event;
        } else {
            ++i;
        }
    }
}

void TimerSystem::update()
{
    cleanUp();

    // Events added by a tick wait for the next pass; entries removed by a
    // tick are only cleared until the walk ends, so no entry changes place.
    // Nothing here allocates.
    ticking = true;
    const size_t count = events.size();
    for (size_t i = 0; i < count; ++i) {
        TimerEvent* event = events[i];
        if (!event)
            continue;                   // removed by an earlier tick of this pass
        const uint32_t now = getTime(); // afresh for every event
        if (event->state != TimerEvent::Starting && event->state != TimerEvent::Running)
            continue;

        assert(event->interval > 0 && "a timer event needs a period above 0 ms");
        if (event->interval == 0)
            continue; // a usage error; never divide by zero

        if (event->state == TimerEvent::Starting) {
            event->lastTime = now;
            event->tick(1);
            event->state = TimerEvent::Running; // after the tick, which cannot change it
        } else {
            const uint32_t elapsed = now - event->lastTime; // correct across the wrap
            if (elapsed > event->interval) {
                const uint32_t periods = elapsed / event->interval;
                event->tick(periods);
                event->lastTime += periods * event->interval;
            }
        }
    }
    ticking = false;

    cleanUp();
}

} // namespace Quorvel
