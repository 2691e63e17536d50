#pragma once
// TimerSystem: ticks the registered timer events once per pass of the main
// loop with the whole periods that have passed on its millisecond clock. The
// list does not own its events, except that it deletes those set to Deleting.

#include "core/RegisteredInstance.h"
#include "system/Subsystem.h"

#include <cstdint>
#include <vector>

namespace Quorvel {

class TimerEvent;

class TimerSystem : public Subsystem, public RegisteredInstance<TimerSystem> {
public:
    // The one timer system: the registered instance, or a new platform timer
    // system on the first call when none exists. Defined by the platform layer.
    static TimerSystem* instance();

    ~TimerSystem() override; // unregisters itself when it is the instance

    // Milliseconds of a monotonic clock; wraps around after 2^32 ms.
    virtual uint32_t getTime() = 0;

    void add(TimerEvent* event);    // moves it to the end when already present
    void remove(TimerEvent* event); // every occurrence
    // Cleans up, ticks every due event (clock read afresh per event), cleans up.
    void update();

    const std::vector<TimerEvent*>& getEvents() const { return events; }

protected:
    // Becomes the registered instance when none is registered yet, so a test's
    // fake constructed first is the one the engine reaches.
    TimerSystem() = default;

private:
    // Drops Removing events and cleared entries, and deletes Deleting ones.
    void cleanUp();

    std::vector<TimerEvent*> events; // registration order, not owned; null = removed during a tick walk
    bool ticking = false;            // update() is walking events
};

} // namespace Quorvel
