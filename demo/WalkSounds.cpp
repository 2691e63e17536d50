#include "demo/WalkSounds.h"

#include "resources/Sound.h"
#include "scene/SkyDome.h"
#include "scene/W_LevelRenderer.h"
#include "system/TimerSystem.h"

#include <cmath>

namespace Quorvel {

WalkSounds::WalkSounds(const W_LevelRenderer& level, SoundMixer& mixer)
    : level(level), mixer(mixer), stepLeft(Sound::load("sounds/step-left")),
      stepRight(Sound::load("sounds/step-right")), bump(Sound::load("sounds/bump")), wind(Sound::load("sounds/wind")),
      lastPosition(level.getPlayerPosition())
{
    interval = W_LevelRenderer::TickInterval;
    TimerSystem::instance()->add(this);
}

WalkSounds::~WalkSounds() = default;

float WalkSounds::windVolume(float density)
{
    const float clamped = density < 0.0f ? 0.0f : (density > 1.0f ? 1.0f : density);
    return WindQuiet + WindRange * clamped;
}

bool WalkSounds::isBlocked(float distance) const
{
    // A blocked move leaves the position exactly as it was.
    return distance == 0.0f && level.isWalkRequested();
}

void WalkSounds::tick(uint32_t periods)
{
    // The wind loops from the first tick on; only a change of its volume is
    // sent on.
    const SkyDome* sky = level.getSky();
    const float windNow = windVolume(sky ? sky->getDensity() : SkyDome::DefaultDensity);
    if (!windVoice.isValid() && wind)
        windVoice = mixer.start(wind, windNow, 0.0f, true);
    else if (windVoice.isValid() && windNow != windSetTo)
        mixer.setVolume(windVoice, windNow);
    windSetTo = windNow;

    const Vector3 position = level.getPlayerPosition();
    const float dx = position.x - lastPosition.x;
    const float dz = position.z - lastPosition.z;
    const float distance = std::sqrt(dx * dx + dz * dz);
    lastPosition = position;

    if (isBlocked(distance)) {
        if (!touching && bump) {
            mixer.start(bump, BumpVolume);
            ++bumpCount;
        }
        touching = true;
        walking = false;
        return;
    }
    if (distance == 0.0f) { // standing: the next walk starts with a step
        walking = false;
        touching = false;
        return;
    }

    touching = false;
    if (walking) {
        movingPeriods += periods;
        if (movingPeriods < StepPeriods)
            return;
        movingPeriods %= StepPeriods; // one step however long the stall
    } else {
        walking = true;
        movingPeriods = 0;
    }
    const Sound* foot = nextLeft ? stepLeft : stepRight;
    if (foot)
        mixer.start(foot, StepVolume, nextLeft ? -StepPan : StepPan);
    nextLeft = !nextLeft;
    ++stepCount;
}

} // namespace Quorvel
