#include "platform/win32/Win32TimerSystem.h"

#include "support/QuietApplication.h"
#include "support/TempDir.h"
#include "system/TimerEvent.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

using namespace Quorvel;

namespace {

class CountingEvent : public TimerEvent {
public:
    CountingEvent() { interval = 20; }
    void tick(uint32_t count) override { ticks.push_back(count); }
    std::vector<uint32_t> ticks;
};

} // namespace

TEST(Win32TimerSystemTest, InstanceCreatesOneWindowSubsystemOnTheMultimediaClock)
{
    QuorvelTest::TempDir dir;
    ASSERT_EQ(nullptr, Application::existingInstance()) << "an earlier test left an application registered";
    ASSERT_EQ(nullptr, TimerSystem::existingInstance()) << "an earlier test left a timer system registered";
    std::unique_ptr<QuorvelTest::QuietApplication> application(new QuorvelTest::QuietApplication());

    TimerSystem* timer = TimerSystem::instance();
    ASSERT_NE(nullptr, timer);
    EXPECT_EQ(timer, TimerSystem::instance()) << "created once";
    auto* win32 = dynamic_cast<Win32TimerSystem*>(timer);
    ASSERT_NE(nullptr, win32);
    EXPECT_EQ((std::vector<Win32Subsystem*>{win32}), application->getSubsystems());
    EXPECT_FALSE(timer->hasFailed());

    const uint32_t before = timeGetTime();
    const uint32_t now = timer->getTime();
    const uint32_t after = timeGetTime();
    EXPECT_LE(now - before, after - before) << "the clock is the multimedia clock";

    // The update hook ticks the due events: a new event once, with count 1.
    CountingEvent event;
    timer->add(&event);
    application->updateSubsystems();
    EXPECT_EQ((std::vector<uint32_t>{1}), event.ticks);
    timer->remove(&event);

    application.reset(); // destroys the timer system, which unregisters itself
    EXPECT_EQ(nullptr, TimerSystem::existingInstance());
}
