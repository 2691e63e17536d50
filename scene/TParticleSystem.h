// TParticleSystem: a scene object that emits a steady stream of 10000
// coloured point sprites from its position along its forward direction, and a
// timer event that advances them every 20 ms. Each particle lives 100 ticks,
// then is reborn at the emitter. Owns its particle array; the "blob" texture
// is shared.
//
// Particles are emitted at the system's position, along +z rotated by its
// orientation, and drawn under its world transform: position and orientation
// act twice. At the default pose the stream starts at the origin along +z.
#pragma once

#include "math/Vector3.h"
#include "scene/Thing.h"
#include "system/TimerEvent.h"

#include <cstdint>
#include <memory>

namespace Quorvel {

class Texture;

// One particle, in the system's local coordinates.
struct Particle {
    Vector3 position;
    Vector3 velocity; // units per tick
    Vector3 color;    // red, green, blue in [0, 1]
    int32_t life = 0; // remaining ticks
};

class TParticleSystem : public Thing, public TimerEvent {
public:
    static constexpr uint32_t ParticleCount = 10000;
    static constexpr uint32_t TickMilliseconds = 20;
    static constexpr int32_t Lifetime = 100;   // ticks from birth to rebirth
    static constexpr float EmitterSize = 2.0f; // edge of the jitter cube around the emitter

    // Creates the particles part-way through their lives (draws from the
    // engine's rand(): life, jitter, colour per particle) and adds the system
    // to the timer system.
    TParticleSystem();
    ~TParticleSystem() override; // leaves the timer system

    // Every particle loses periods ticks of life; a dead one is reborn at the
    // emitter, a living one moves by its velocity once, whatever periods is.
    void tick(uint32_t periods) override;

    // One batch of blended, distance-attenuated point sprites that do not
    // write depth, then the children. OpenGL state and the model-view matrix
    // are restored. Without the "blob" texture the points are untextured;
    // without point parameters they are not attenuated.
    void draw(const Camera& camera) override;

    uint32_t getParticleCount() const { return particleCount; }
    const Particle* getParticles() const { return particles.get(); }
    Particle* getParticles() { return particles.get(); }
    Texture* getTexture() const { return texture; }

private:
    // Velocity of a new particle: +z turned by the orientation.
    Vector3 emissionVelocity() const;

    uint32_t particleCount;
    std::unique_ptr<Particle[]> particles;
    Texture* texture; // shared; may be null
};

} // namespace Quorvel
