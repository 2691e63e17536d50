#include "system/TimerEvent.h"
#include "system/TimerSystem.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace Quorvel;

namespace {

// A timer system on a clock the test sets by hand; counts the clock reads.
class FakeTimerSystem : public TimerSystem {
public:
    uint32_t now = 0;
    uint32_t step = 0; // added after every read, to see each event read afresh
    int reads = 0;

    uint32_t getTime() override
    {
        ++reads;
        const uint32_t time = now;
        now += step;
        return time;
    }
    bool hasFailed() override { return false; }
};

// Records its ticks; an optional hook runs inside tick, and a flag reports
// the event's destruction.
class RecordingEvent : public TimerEvent {
public:
    explicit RecordingEvent(uint32_t period, bool* destroyed = nullptr) : destroyed(destroyed) { interval = period; }
    ~RecordingEvent() override
    {
        if (destroyed)
            *destroyed = true;
    }

    void tick(uint32_t count) override
    {
        ticks.push_back(count);
        if (log)
            log->push_back(this);
        if (onTick)
            onTick(*this);
    }

    std::vector<uint32_t> ticks;
    std::vector<RecordingEvent*>* log = nullptr; // shared order of ticks
    std::function<void(RecordingEvent&)> onTick;
    bool* destroyed;
};

} // namespace

TEST(TimerSystemTest, FirstUpdateTicksOnceWhateverTheClockSays)
{
    FakeTimerSystem timers;
    timers.now = 123456789u;
    RecordingEvent event(20);
    timers.add(&event);

    EXPECT_EQ(event.getState(), TimerEvent::Starting);
    timers.update();
    EXPECT_EQ(event.ticks, std::vector<uint32_t>{1});
    EXPECT_EQ(event.getLastTime(), 123456789u);
    EXPECT_EQ(event.getState(), TimerEvent::Running);
}

TEST(TimerSystemTest, TicksWholePeriodsAndCarriesTheRest)
{
    struct Case {
        uint32_t start;
        uint32_t later;
        uint32_t count;
        uint32_t advance;
    };
    const Case cases[] = {
        {1000, 19, 0, 0},         {1000, 20, 0, 0}, // exactly one period does not tick yet
        {1000, 21, 1, 20},        {1000, 40, 2, 40},
        {1000, 65, 3, 60},        // 5 ms carry over
        {0xFFFFFFF6u, 21, 1, 20}, // the clock wraps between the updates
        {0xFFFFFFF6u, 65, 3, 60}, {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu / 20, (0xFFFFFFFFu / 20) * 20},
    };
    for (const Case& c : cases) {
        FakeTimerSystem timers;
        RecordingEvent event(20);
        timers.add(&event);
        timers.now = c.start;
        timers.update();
        timers.now = c.start + c.later;
        timers.update();

        const std::vector<uint32_t> expected = c.count ? std::vector<uint32_t>{1, c.count} : std::vector<uint32_t>{1};
        EXPECT_EQ(event.ticks, expected) << "start " << c.start << ", +" << c.later << " ms";
        EXPECT_EQ(event.getLastTime(), c.start + c.advance) << "start " << c.start << ", +" << c.later << " ms";
    }
}

TEST(TimerSystemTest, CountsAddUpToTheElapsedPeriodsOverALongRun)
{
    // Passes at an uneven 7 ms rhythm across the clock's wrap: one tick at
    // most per pass, and no period lost or gained.
    FakeTimerSystem timers;
    timers.now = 0xFFFF0000u;
    RecordingEvent event(20);
    timers.add(&event);
    timers.update();
    const uint32_t start = timers.now;

    for (int pass = 0; pass < 30000; ++pass) {
        const size_t before = event.ticks.size();
        timers.now += 7;
        timers.update();
        ASSERT_LE(event.ticks.size(), before + 1);
    }
    uint64_t periods = 0;
    for (size_t i = 1; i < event.ticks.size(); ++i)
        periods += event.ticks[i];
    const uint32_t elapsed = timers.now - start;
    EXPECT_EQ(event.getLastTime() - start, periods * 20);
    EXPECT_TRUE(periods == elapsed / 20 || periods + 1 == elapsed / 20)
        << periods << " periods ticked over " << elapsed << " ms";
}

TEST(TimerSystemTest, ReadsTheClockAfreshForEveryEvent)
{
    FakeTimerSystem timers;
    timers.step = 5;
    RecordingEvent running(20);
    RecordingEvent paused(20);
    RecordingEvent starting(20);
    timers.add(&running);
    timers.add(&paused);
    timers.update();
    paused.setState(TimerEvent::Paused);
    timers.add(&starting);

    timers.reads = 0;
    timers.now = 1000;
    timers.update();
    EXPECT_EQ(timers.reads, 3) << "one read per registered event per pass";
    EXPECT_EQ(starting.getLastTime(), 1010u) << "the third event saw the third read";
}

TEST(TimerSystemTest, AddingAgainMovesToTheEndAndTicksOnce)
{
    FakeTimerSystem timers;
    std::vector<RecordingEvent*> order;
    RecordingEvent a(20), b(20);
    a.log = &order;
    b.log = &order;
    timers.add(&a);
    timers.add(&b);
    timers.add(&a);

    EXPECT_EQ(timers.getEvents(), (std::vector<TimerEvent*>{&b, &a}));
    timers.update();
    EXPECT_EQ(order, (std::vector<RecordingEvent*>{&b, &a}));
    EXPECT_EQ(a.ticks.size(), 1u);
}

TEST(TimerSystemTest, RemovingAndDeletingEventsLeaveAtTheNextUpdate)
{
    FakeTimerSystem timers;
    bool removedDestroyed = false;
    bool deletedDestroyed = false;
    RecordingEvent kept(20);
    RecordingEvent removed(20, &removedDestroyed);
    RecordingEvent* deleted = new RecordingEvent(20, &deletedDestroyed);
    timers.add(&removed);
    timers.add(deleted);
    timers.add(&kept);

    removed.setState(TimerEvent::Removing);
    deleted->setState(TimerEvent::Deleting);
    timers.update();

    EXPECT_TRUE(removed.ticks.empty());
    EXPECT_FALSE(removedDestroyed) << "a removed event belongs to its owner";
    EXPECT_TRUE(deletedDestroyed) << "a deleting event is deleted by the timer system";
    EXPECT_EQ(timers.getEvents(), (std::vector<TimerEvent*>{&kept}));
    EXPECT_EQ(kept.ticks, std::vector<uint32_t>{1});
}

TEST(TimerSystemTest, AnEventThatAsksForDeletionInItsTickIsDeletedInTheSamePass)
{
    FakeTimerSystem timers;
    bool destroyed = false;
    RecordingEvent* event = new RecordingEvent(20, &destroyed);
    event->onTick = [](RecordingEvent& self) {
        if (self.ticks.size() == 2)
            self.setState(TimerEvent::Deleting);
    };
    RecordingEvent after(20);
    timers.add(event);
    timers.add(&after);
    timers.update();
    timers.now = 21;
    timers.update();

    EXPECT_TRUE(destroyed);
    EXPECT_EQ(timers.getEvents(), (std::vector<TimerEvent*>{&after}));
    EXPECT_EQ(after.ticks.size(), 2u) << "the event after it is still ticked";
}

TEST(TimerSystemTest, ResumedEventRestartsWithATickOfOne)
{
    FakeTimerSystem timers;
    RecordingEvent event(20);
    timers.add(&event);
    timers.update();

    event.setState(TimerEvent::Paused);
    timers.now = 5000;
    timers.update();
    EXPECT_EQ(event.ticks.size(), 1u) << "paused events are not ticked";

    event.setState(TimerEvent::Running);
    EXPECT_EQ(event.getState(), TimerEvent::Starting);
    timers.now = 9000;
    timers.update();
    EXPECT_EQ(event.ticks, (std::vector<uint32_t>{1, 1}));
    EXPECT_EQ(event.getLastTime(), 9000u);
}

TEST(TimerSystemTest, SetStateStoresEveryOtherTransition)
{
    struct Case {
        int32_t from;
        int32_t to;
        int32_t expected;
    };
    const Case cases[] = {
        {TimerEvent::Paused, TimerEvent::Running, TimerEvent::Starting},
        {TimerEvent::Running, TimerEvent::Running, TimerEvent::Running},
        {TimerEvent::Starting, TimerEvent::Running, TimerEvent::Running},
        {TimerEvent::Running, TimerEvent::Paused, TimerEvent::Paused},
        {TimerEvent::Paused, TimerEvent::Removing, TimerEvent::Removing},
        {TimerEvent::Paused, TimerEvent::Deleting, TimerEvent::Deleting},
    };
    for (const Case& c : cases) {
        RecordingEvent event(20);
        event.setState(c.from);
        event.setState(c.to);
        EXPECT_EQ(event.getState(), c.expected) << "from " << c.from << " to " << c.to;
    }
}

TEST(TimerSystemTest, EventsAddedDuringATickWaitForTheNextPass)
{
    FakeTimerSystem timers;
    RecordingEvent late(20);
    RecordingEvent adder(20);
    adder.onTick = [&](RecordingEvent&) { timers.add(&late); };
    timers.add(&adder);
    timers.update();
    EXPECT_TRUE(late.ticks.empty());
    timers.update();
    EXPECT_EQ(late.ticks, std::vector<uint32_t>{1});
}

TEST(TimerSystemTest, DestroyedEventLeavesTheRegisteredTimerSystem)
{
    FakeTimerSystem timers;
    ASSERT_EQ(TimerSystem::existingInstance(), &timers);
    RecordingEvent kept(20);
    {
        RecordingEvent gone(20);
        timers.add(&gone);
        timers.add(&kept);
    }
    EXPECT_EQ(timers.getEvents(), (std::vector<TimerEvent*>{&kept}));
    timers.update(); // would touch the destroyed event if it were still listed
    EXPECT_EQ(kept.ticks.size(), 1u);
}

TEST(TimerSystemTest, FirstTimerSystemConstructedIsTheInstanceUntilDestroyed)
{
    EXPECT_EQ(TimerSystem::existingInstance(), nullptr);
    {
        FakeTimerSystem first;
        FakeTimerSystem second;
        EXPECT_EQ(TimerSystem::existingInstance(), &first);
    }
    EXPECT_EQ(TimerSystem::existingInstance(), nullptr);
    // With no timer system, an event can still be destroyed.
    RecordingEvent orphan(20);
}

TEST(TimerSystemTest, ZeroIntervalIsAUsageError)
{
    FakeTimerSystem timers;
    RecordingEvent broken(0);
    RecordingEvent fine(20);
    timers.add(&broken);
    timers.add(&fine);
#ifdef NDEBUG
    // Release builds skip the event rather than divide by zero.
    timers.update();
    timers.now = 100;
    timers.update();
    EXPECT_TRUE(broken.ticks.empty());
    EXPECT_EQ(fine.ticks, (std::vector<uint32_t>{1, 5}));
#else
    EXPECT_DEATH(timers.update(), "period above 0");
#endif
}

TEST(TimerSystemTest, RemovingDuringATickSkipsNoOtherEvent)
{
    // Three events a, b, c; in the first pass the tick of one of them removes
    // one event (itself, one before it or one after it) from the list.
    struct Case {
        const char* name;
        int remover; // index of the event whose tick removes
        int removed; // index of the event it removes
        std::vector<int> tickedInPass;
        std::vector<int> left;
    };
    const Case cases[] = {
        {"a removes itself", 0, 0, {0, 1, 2}, {1, 2}},   {"b removes a, before it", 1, 0, {0, 1, 2}, {1, 2}},
        {"a removes b, after it", 0, 1, {0, 2}, {0, 2}}, {"b removes c, the last", 1, 2, {0, 1}, {0, 1}},
        {"c removes itself", 2, 2, {0, 1, 2}, {0, 1}},
    };
    for (const Case& c : cases) {
        FakeTimerSystem timers;
        std::vector<RecordingEvent*> order;
        RecordingEvent events[3] = {RecordingEvent(20), RecordingEvent(20), RecordingEvent(20)};
        for (RecordingEvent& event : events) {
            event.log = &order;
            timers.add(&event);
        }
        RecordingEvent* removed = &events[c.removed];
        events[c.remover].onTick = [&](RecordingEvent&) { timers.remove(removed); };
        timers.update();

        std::vector<RecordingEvent*> expectedOrder;
        for (int index : c.tickedInPass)
            expectedOrder.push_back(&events[index]);
        EXPECT_EQ(order, expectedOrder) << c.name;
        std::vector<TimerEvent*> expectedLeft;
        for (int index : c.left)
            expectedLeft.push_back(&events[index]);
        EXPECT_EQ(timers.getEvents(), expectedLeft) << c.name << ": no cleared entry stays behind";
    }
}

TEST(TimerSystemTest, EventReAddedByItsOwnTickIsTickedOncePerPass)
{
    FakeTimerSystem timers;
    std::vector<RecordingEvent*> order;
    RecordingEvent a(20), b(20), c(20);
    for (RecordingEvent* event : {&a, &b, &c}) {
        event->log = &order;
        timers.add(event);
    }
    a.onTick = [&](RecordingEvent& self) { timers.add(&self); };
    timers.update();
    EXPECT_EQ(order, (std::vector<RecordingEvent*>{&a, &b, &c}));
    EXPECT_EQ(timers.getEvents(), (std::vector<TimerEvent*>{&b, &c, &a})) << "moved to the end";
    EXPECT_EQ(a.getState(), TimerEvent::Running);
    EXPECT_EQ(a.ticks.size(), 1u);
}

TEST(TimerSystemTest, FirstTickCannotChangeItsOwnState)
{
    // The state becomes Running after the first tick, whatever the tick set;
    // from the second tick on, what a tick sets is kept.
    FakeTimerSystem timers;
    RecordingEvent event(20);
    event.onTick = [](RecordingEvent& self) { self.setState(TimerEvent::Paused); };
    timers.add(&event);
    timers.update();
    EXPECT_EQ(event.getState(), TimerEvent::Running);
    timers.now = 21;
    timers.update();
    EXPECT_EQ(event.getState(), TimerEvent::Paused);
    EXPECT_EQ(event.ticks, (std::vector<uint32_t>{1, 1}));
}
