#include "scene/PhysicSystem.h"

#include "system/TimerSystem.h"

namespace Quorvel {

PhysicSystem* PhysicSystem::instance()
{
    static PhysicSystem* theInstance = new PhysicSystem();
    return theInstance;
}

PhysicSystem::PhysicSystem()
{
    interval = StepMilliseconds;
    stepSeconds = static_cast<float>(interval / 1000.0);
}

PhysicSystem::~PhysicSystem() = default;

bool PhysicSystem::addBody(PhysicBody* body)
{
    if (!body)
        return false; // every tick would dereference it
    bodies.push_back(body);
    return true;
}

void PhysicSystem::start()
{
    if (state == Running)
        return;
    state = Starting;
    TimerSystem::instance()->add(this);
}

void PhysicSystem::stop()
{
    state = Removing;
}

void PhysicSystem::tick(uint32_t count)
{
    const float dt = static_cast<float>(static_cast<double>(count) * stepSeconds);
    for (PhysicBody* body : bodies) {
        body->velocity += body->acceleration * dt;
        body->position += body->velocity * dt;
    }
}

} // namespace Quorvel
