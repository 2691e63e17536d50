#include "scene/PhysicSystem.h"

#include "system/TimerSystem.h"

#include "AllocationCounter.h"
#include "SceneTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using Quorvel::PhysicBody;
using Quorvel::PhysicSystem;
using Quorvel::TimerEvent;
using Quorvel::Vector3;

namespace {

bool registered(const Quorvel::TimerSystem& timer, const TimerEvent* event)
{
    const auto& events = timer.getEvents();
    return std::count(events.begin(), events.end(), event) > 0;
}

TEST(PhysicSystemTest, StepIsThePeriodInSeconds)
{
    PhysicSystem physics;
    EXPECT_EQ(31u, physics.getInterval());
    EXPECT_FLOAT_EQ(0.031f, physics.getStepSeconds());
    EXPECT_EQ(TimerEvent::Starting, physics.getState());
}

TEST(PhysicSystemTest, ConstantVelocityMovesOneLongStepPerTick)
{
    struct Case {
        uint32_t count;
        float moved;
    } const cases[] = {{1, 0.031f}, {3, 0.093f}, {10, 0.31f}};
    for (const Case& c : cases) {
        PhysicSystem physics;
        PhysicBody body;
        body.velocity = Vector3(1.0f, 0.0f, 0.0f);
        physics.addBody(&body);
        physics.tick(c.count);
        EXPECT_NEAR(c.moved, body.position.x, 1e-6f) << "count " << c.count;
        EXPECT_EQ(0.0f, body.position.y);
        EXPECT_EQ(1.0f, body.velocity.x) << "no acceleration, no change of velocity";
    }
}

TEST(PhysicSystemTest, FallingBodyUsesTheNewVelocityForItsStep)
{
    PhysicSystem physics;
    PhysicBody body;
    body.position = Vector3(0.0f, 1.0f, 0.0f);
    body.acceleration = Vector3(0.0f, -10.0f, 0.0f);
    physics.addBody(&body);

    physics.tick(1);
    EXPECT_FLOAT_EQ(-0.31f, body.velocity.y);
    EXPECT_EQ(0.0f, body.velocity.x);
    EXPECT_NEAR(1.0f - 0.00961f, body.position.y, 1e-6f) << "semi-implicit: the new velocity times dt";

    physics.tick(1);
    EXPECT_FLOAT_EQ(-0.62f, body.velocity.y);
    EXPECT_NEAR(1.0f - 0.00961f - 0.01922f, body.position.y, 1e-6f);
}

TEST(PhysicSystemTest, BodiesAdvanceInTheOrderAddedAndStayTheOwnersBusiness)
{
    PhysicBody a, b;
    a.velocity = Vector3(0.0f, 0.0f, 1.0f);
    b.velocity = Vector3(0.0f, 0.0f, -2.0f);
    {
        PhysicSystem physics;
        EXPECT_TRUE(physics.addBody(&a));
        EXPECT_TRUE(physics.addBody(&b));
        ASSERT_EQ(2u, physics.getBodies().size());
        EXPECT_EQ(&a, physics.getBodies()[0]);
        EXPECT_EQ(&b, physics.getBodies()[1]);
        physics.tick(2);
    }
    // The integrator is gone; the bodies are untouched by its destruction.
    EXPECT_NEAR(0.062f, a.position.z, 1e-6f);
    EXPECT_NEAR(-0.124f, b.position.z, 1e-6f);
}

TEST(PhysicSystemTest, NullBodyIsRefusedAndTicksGoOn)
{
    PhysicSystem physics;
    PhysicBody body;
    body.velocity = Vector3(1.0f, 0.0f, 0.0f);
    EXPECT_FALSE(physics.addBody(nullptr));
    EXPECT_TRUE(physics.addBody(&body));
    EXPECT_FALSE(physics.addBody(nullptr));
    ASSERT_EQ(1u, physics.getBodies().size());
    physics.tick(1);
    EXPECT_NEAR(0.031f, body.position.x, 1e-6f);
}

TEST(PhysicSystemTest, TickDoesNotAllocate)
{
    PhysicSystem physics;
    PhysicBody bodies[8];
    for (PhysicBody& body : bodies)
        physics.addBody(&body);
    const long before = SceneTest::allocationCount();
    physics.tick(1);
    physics.tick(7);
    EXPECT_EQ(before, SceneTest::allocationCount());
}

// start registers with the timer system (first tick count 1), a second start
// changes nothing, stop takes it out, start resumes with count 1 again.
TEST(PhysicSystemTest, StartStopAndResumeThroughTheTimerSystem)
{
    SceneTest::ManualTimerSystem timer;
    ASSERT_EQ(&timer, Quorvel::TimerSystem::existingInstance()) << "another timer system is registered";
    PhysicSystem physics;
    PhysicBody body;
    body.velocity = Vector3(1.0f, 0.0f, 0.0f);
    physics.addBody(&body);

    timer.update();
    EXPECT_EQ(0.0f, body.position.x) << "idle until start";
    EXPECT_FALSE(registered(timer, &physics));

    physics.start();
    EXPECT_EQ(TimerEvent::Starting, physics.getState());
    timer.now += 5000; // whatever time passed, the first tick has count 1
    timer.update();
    EXPECT_NEAR(0.031f, body.position.x, 1e-6f);
    EXPECT_EQ(TimerEvent::Running, physics.getState());

    physics.start(); // running: nothing changes
    EXPECT_EQ(TimerEvent::Running, physics.getState());
    EXPECT_EQ(1u, timer.getEvents().size());
    timer.now += 100; // three whole periods
    timer.update();
    EXPECT_NEAR(0.031f + 0.093f, body.position.x, 1e-6f);

    physics.stop();
    timer.now += 100;
    timer.update();
    EXPECT_NEAR(0.124f, body.position.x, 1e-6f) << "stopped: no tick";
    EXPECT_FALSE(registered(timer, &physics));
    EXPECT_EQ(1u, physics.getBodies().size()) << "bodies stay for a later start";

    physics.start();
    timer.now += 10000;
    timer.update();
    EXPECT_NEAR(0.155f, body.position.x, 1e-6f) << "resumed with count 1";

    // Stopped and started again before the timer system cleaned up: it stays
    // registered once and restarts with count 1.
    physics.stop();
    physics.start();
    timer.now += 1000;
    timer.update();
    EXPECT_NEAR(0.186f, body.position.x, 1e-6f);
    EXPECT_EQ(1u, timer.getEvents().size());
}

TEST(PhysicSystemTest, InstanceIsOneIdleIntegrator)
{
    PhysicSystem* physics = PhysicSystem::instance();
    ASSERT_NE(nullptr, physics);
    EXPECT_EQ(physics, PhysicSystem::instance());
    EXPECT_EQ(TimerEvent::Starting, physics->getState());
    EXPECT_EQ(31u, physics->getInterval());
}

} // namespace
