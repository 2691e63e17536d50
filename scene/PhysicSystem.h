// PhysicSystem: the engine's fixed-step integrator. A singleton timer event
// that, every 31 ms of clock time, advances the registered bodies by their
// velocity and constant acceleration (semi-implicit Euler). No collisions, no
// other forces. Bodies are only referred to: the caller owns them.
#pragma once

#include "math/Vector3.h"
#include "system/TimerEvent.h"

#include <cstdint>
#include <vector>

namespace Quorvel {

// One integrated point: units, units per second, units per second squared.
struct PhysicBody {
    Vector3 position;
    Vector3 velocity;
    Vector3 acceleration;
};

class PhysicSystem : public TimerEvent {
public:
    static constexpr uint32_t StepMilliseconds = 31;

    // The engine's integrator, created idle on the first call and never destroyed.
    static PhysicSystem* instance();

    // Idle (Starting, not registered with the timer system) with the 31 ms
    // period. Scenes use instance(); a separate integrator is for tests and
    // tools that need one of their own.
    PhysicSystem();
    ~PhysicSystem() override; // the bodies stay with their owners

    // Appends the body (no duplicate check; there is no removal) and returns
    // true; a null body is refused (false).
    bool addBody(PhysicBody* body);

    // Registers with the timer system so that the next timer update ticks it
    // with count 1; does nothing while already Running.
    void start();
    // Leaves the timer system at its next clean-up; bodies stay for a later start.
    void stop();

    // Advances every body by one step of count periods (one long step after a
    // stall, not count short ones).
    void tick(uint32_t count) override;

    float getStepSeconds() const { return stepSeconds; }
    const std::vector<PhysicBody*>& getBodies() const { return bodies; }

private:
    std::vector<PhysicBody*> bodies; // order added; not owned
    float stepSeconds;               // the period in seconds
};

} // namespace Quorvel
