#include "scene/TParticleSystem.h"

#include "math/MathUtil.h"
#include "math/Quaternion.h"
#include "support/TempDir.h"
#include "system/TimerSystem.h"

#include "AllocationCounter.h"
#include "SceneTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>

using Quorvel::Particle;
using Quorvel::TParticleSystem;
using Quorvel::Vector3;

namespace {

// The draws of a generator with the engine's published rule, kept apart from
// the engine's own so that the test does not check the code against itself.
class ReferenceDraws {
public:
    int32_t next()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int32_t>((state >> 16) & 0x7fff);
    }
    // Component order of the random vectors: z, then y, then x.
    Vector3 centred(float size)
    {
        const float z = static_cast<float>((next() / 32767.0 - 0.5) * size);
        const float y = static_cast<float>((next() / 32767.0 - 0.5) * size);
        const float x = static_cast<float>((next() / 32767.0 - 0.5) * size);
        return Vector3(x, y, z);
    }
    Vector3 unitCube()
    {
        const float z = static_cast<float>(next() / 32767.0);
        const float y = static_cast<float>(next() / 32767.0);
        const float x = static_cast<float>(next() / 32767.0);
        return Vector3(x, y, z);
    }

private:
    uint32_t state = 1;
};

void expectNear(const Vector3& expected, const Vector3& actual, const std::string& what, float tolerance = 1e-5f)
{
    EXPECT_NEAR(expected.x, actual.x, tolerance) << what;
    EXPECT_NEAR(expected.y, actual.y, tolerance) << what;
    EXPECT_NEAR(expected.z, actual.z, tolerance) << what;
}

bool inBox(const Vector3& v, float low, float high)
{
    return v.x >= low && v.x <= high && v.y >= low && v.y <= high && v.z >= low && v.z <= high;
}

// A bare application keeps the log (the "blob" texture is not mounted, so
// its failure is logged) and a manual timer system receives the system.
class TParticleSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(&timer, Quorvel::TimerSystem::existingInstance()) << "another timer system is registered";
        Quorvel::srand(1);
    }

    QuorvelTest::TempDir dir;
    SceneTest::BareApplication application;
    SceneTest::ManualTimerSystem timer;
};

TEST_F(TParticleSystemTest, FirstParticlesFollowTheEnginesRandomSequence)
{
    TParticleSystem system;

    ReferenceDraws draws;
    for (uint32_t i = 0; i < TParticleSystem::ParticleCount; ++i) {
        const int32_t life = draws.next() * 100 / 32767 + 1;
        const Vector3 jitter = draws.centred(2.0f);
        const Vector3 color = draws.unitCube();
        if (i >= 3)
            continue; // the draws of the others only advance the reference
        const Particle& p = system.getParticles()[i];
        const std::string which = "particle " + std::to_string(i);
        EXPECT_EQ(life, p.life) << which;
        expectNear(Vector3(0.0f, 0.0f, 1.0f), p.velocity, which + " velocity");
        expectNear(jitter + Vector3(0.0f, 0.0f, static_cast<float>(100 - life)), p.position, which + " position");
        expectNear(color, p.color, which + " colour");
    }
    // Exactly seven draws per particle: the engine's generator is where the reference is.
    EXPECT_EQ(draws.next(), Quorvel::rand());

    // The very first particle, by hand: draws 41, 18467, 6334, 26500, 19169, 15724, 11478.
    const Particle& first = system.getParticles()[0];
    EXPECT_EQ(1, first.life);
    expectNear(Vector3(26500 / 32767.0f * 2 - 1, 6334 / 32767.0f * 2 - 1, 18467 / 32767.0f * 2 - 1 + 99),
               first.position, "first position", 1e-4f);
    expectNear(Vector3(11478 / 32767.0f, 15724 / 32767.0f, 19169 / 32767.0f), first.color, "first colour");
}

TEST_F(TParticleSystemTest, ParticlesStartPartWayAlongTheStream)
{
    TParticleSystem system;
    int32_t shortest = 1000, longest = -1000;
    for (uint32_t i = 0; i < system.getParticleCount(); ++i) {
        const Particle& p = system.getParticles()[i];
        shortest = std::min(shortest, p.life);
        longest = std::max(longest, p.life);
        ASSERT_TRUE(p.life >= 1 && p.life <= 101) << "particle " << i << " life " << p.life;
        // Emitted 100 - life ticks ago from the jitter cube around the origin;
        // a life of 101 puts it one unit behind.
        const Vector3 offset = p.position - Vector3(0.0f, 0.0f, static_cast<float>(100 - p.life));
        ASSERT_TRUE(inBox(offset, -1.0f, 1.0f)) << "particle " << i;
        ASSERT_TRUE(inBox(p.color, 0.0f, 1.0f)) << "particle " << i;
    }
    // The sequence reaches both ends of the range but one: 101 needs a draw of 32767.
    EXPECT_EQ(1, shortest);
    EXPECT_EQ(100, longest);
}

TEST_F(TParticleSystemTest, TickAgesMovesOncePerCallAndRebirths)
{
    TParticleSystem system;
    Particle* particles = system.getParticles();
    particles[0].life = 2;  // dies on a tick of 3
    particles[1].life = 50; // survives a tick of 5
    particles[2].life = 3;  // dies on a tick of exactly 3: life 0
    particles[3].life = 4;  // left with 1 by a tick of 3: still alive
    particles[1].position = Vector3(0.5f, 0.5f, 7.0f);
    particles[1].velocity = Vector3(0.0f, 0.0f, 1.0f);
    const Vector3 survivorStart = particles[3].position;

    system.tick(3);
    for (int i : {0, 2}) {
        EXPECT_EQ(100, particles[i].life) << "particle " << i;
        EXPECT_TRUE(inBox(particles[i].position, -1.0f, 1.0f)) << "reborn in the jitter cube, particle " << i;
        expectNear(Vector3(0.0f, 0.0f, 1.0f), particles[i].velocity, "reborn velocity");
        EXPECT_TRUE(inBox(particles[i].color, 0.0f, 1.0f));
    }
    EXPECT_EQ(1, particles[3].life);
    expectNear(survivorStart + Vector3(0.0f, 0.0f, 1.0f), particles[3].position, "survivor moved once");

    particles[1].life = 50;
    particles[1].position = Vector3(0.5f, 0.5f, 7.0f);
    system.tick(5);
    EXPECT_EQ(45, particles[1].life);
    expectNear(Vector3(0.5f, 0.5f, 8.0f), particles[1].position, "one velocity, not five");
}

// A rebirth draws the jitter first and the colour second, from wherever the
// engine's sequence stands; survivors draw nothing.
TEST_F(TParticleSystemTest, RebirthDrawsJitterThenColourFromTheSequence)
{
    TParticleSystem system;
    ReferenceDraws draws;
    for (uint32_t i = 0; i < TParticleSystem::ParticleCount * 7; ++i)
        draws.next(); // the construction's draws

    system.setPosition(Vector3(3.0f, -2.0f, 5.0f));
    Particle* particles = system.getParticles();
    for (uint32_t i = 0; i < system.getParticleCount(); ++i)
        particles[i].life = 50;
    const uint32_t dying[] = {4, 9000};
    for (uint32_t i : dying)
        particles[i].life = 1;

    system.tick(1);
    for (uint32_t i : dying) {
        const std::string which = "particle " + std::to_string(i);
        const Vector3 jitter = draws.centred(2.0f);
        const Vector3 color = draws.unitCube();
        EXPECT_EQ(100, particles[i].life) << which;
        expectNear(Vector3(3.0f, -2.0f, 5.0f) + jitter, particles[i].position, which + " position");
        expectNear(color, particles[i].color, which + " colour", 1e-6f);
    }
    EXPECT_EQ(draws.next(), Quorvel::rand()) << "exactly six draws per rebirth, none for survivors";
}

TEST_F(TParticleSystemTest, AHugeTickEndsEveryLife)
{
    TParticleSystem system;
    system.tick(0xFFFFFFFFu);
    for (uint32_t i = 0; i < system.getParticleCount(); ++i)
        ASSERT_EQ(100, system.getParticles()[i].life) << "particle " << i;
}

TEST_F(TParticleSystemTest, RebirthFollowsTheEmittersPose)
{
    TParticleSystem system;
    // Default pose: the stream runs along +z.
    system.tick(101);
    for (uint32_t i = 0; i < system.getParticleCount(); ++i)
        ASSERT_EQ(Vector3(0.0f, 0.0f, 1.0f).z, system.getParticles()[i].velocity.z);

    // Turned a quarter about y and moved: +z becomes +x, births at the position.
    system.setOrientation(Quorvel::Quaternion::rotationY(Quorvel::HalfPi));
    system.setPosition(Vector3(10.0f, 0.0f, 0.0f));
    system.tick(101);
    for (uint32_t i = 0; i < system.getParticleCount(); ++i) {
        const Particle& p = system.getParticles()[i];
        expectNear(Vector3(1.0f, 0.0f, 0.0f), p.velocity, "velocity of particle " + std::to_string(i));
        ASSERT_TRUE(inBox(p.position - Vector3(10.0f, 0.0f, 0.0f), -1.0f, 1.0f)) << "particle " << i;
    }
}

TEST_F(TParticleSystemTest, RegistersWithTheTimerSystemAndTicksEvery20Milliseconds)
{
    std::unique_ptr<TParticleSystem> system(new TParticleSystem());
    EXPECT_EQ(20u, system->getInterval());
    EXPECT_EQ(Quorvel::TimerEvent::Starting, system->getState());
    ASSERT_EQ(1u, timer.getEvents().size());
    EXPECT_EQ(static_cast<Quorvel::TimerEvent*>(system.get()), timer.getEvents()[0]);

    system->getParticles()[0].life = 60;
    timer.update(); // first tick: count 1
    EXPECT_EQ(59, system->getParticles()[0].life);
    timer.now += 45; // two whole periods
    timer.update();
    EXPECT_EQ(57, system->getParticles()[0].life);

    system.reset();
    EXPECT_TRUE(timer.getEvents().empty()) << "the destructor leaves the timer system";
}

TEST_F(TParticleSystemTest, TickDoesNotAllocate)
{
    TParticleSystem system;
    const long before = SceneTest::allocationCount();
    system.tick(1);
    system.tick(200);
    EXPECT_EQ(before, SceneTest::allocationCount());
}

} // namespace
