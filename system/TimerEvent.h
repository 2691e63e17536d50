#pragma once
// TimerEvent: base of everything that advances with clock time rather than
// with frames. The derived class sets a period in milliseconds and adds itself
// to the timer system, which calls tick() with the number of whole periods passed.

#include <cstdint>

namespace Quorvel {

class TimerEvent {
public:
    enum State : int32_t {
        Starting = 0, // registered, not yet ticked: the next update takes its time base
        Running = 1,  // ticked whenever more than one period has passed
        Paused = 2,   // registered but not ticked
        Removing = 3, // taken out of the timer system's list at the next clean-up
        Deleting = 4  // taken out of the list and deleted at the next clean-up
    };

    TimerEvent();          // state Starting; the derived class sets interval
    virtual ~TimerEvent(); // removes every occurrence from the timer system, if one exists

    TimerEvent(const TimerEvent&) = delete;
    TimerEvent& operator=(const TimerEvent&) = delete;

    // count whole periods have passed since the previous tick (1 on the first).
    // A tick must not delete its own event: set Deleting instead.
    virtual void tick(uint32_t count) = 0;

    int32_t getState() const { return state; }
    // Resuming a Paused event with Running sets Starting instead, so it takes a
    // new time base and does not catch up on the paused time.
    void setState(int32_t newState);

    uint32_t getInterval() const { return interval; }
    void setInterval(uint32_t milliseconds) { interval = milliseconds; } // must be > 0
    uint32_t getLastTime() const { return lastTime; }

protected:
    uint32_t interval; // period in milliseconds, > 0
    uint32_t lastTime; // timer time up to which ticks have been delivered
    int32_t state;     // a State

    friend class TimerSystem; // advances lastTime and state while ticking
};

} // namespace Quorvel
