#pragma once
// WalkSounds: the walk-through's sounds. A timer event with the level's
// period, registered after the level so each tick sees where the level's own
// tick has put the player:
//
//   - footsteps while the player moves: one when a walk starts, then one
//     every StepPeriods periods of moving, left and right feet alternating,
//     each panned slightly to its side; none while standing;
//   - a bump when a move is blocked by a wall: a walking key is held and the
//     player has not moved. One bump per contact: the next needs the player
//     to have moved or let go first. No footsteps while pushing;
//   - a looping wind whose loudness follows the sky's cloud density.
//
// Everything counts the game's fixed periods, not frames or clock time, so a
// stalled frame or a timedemo (which moves the player along its path) sounds
// as walking does; a tick that carries many periods plays one step at most.
// A sound that failed to load stays silent (the loader has logged it).

#include "system/TimerEvent.h"

#include "math/Vector3.h"
#include "system/SoundMixer.h"

#include <cstdint>

namespace Quorvel {

class Sound;
class W_LevelRenderer;

class WalkSounds : public TimerEvent {
public:
    static constexpr uint32_t StepPeriods = 20; // 0.4 s a step at the level's 20 ms period
    static constexpr float StepVolume = 0.7f;
    static constexpr float StepPan = 0.2f; // left foot at -StepPan, right at +StepPan
    static constexpr float BumpVolume = 1.0f;
    // The wind's volume: WindQuiet under a clear sky, WindQuiet + WindRange
    // under full cover.
    static constexpr float WindQuiet = 0.1f;
    static constexpr float WindRange = 0.6f;

    // Loads "sounds/step-left", "sounds/step-right", "sounds/bump" and
    // "sounds/wind" and registers with the timer system. The level and the
    // mixer must outlive it.
    WalkSounds(const W_LevelRenderer& level, SoundMixer& mixer);
    ~WalkSounds() override;

    void tick(uint32_t periods) override;

    static float windVolume(float density);
    uint32_t getStepCount() const { return stepCount; }
    uint32_t getBumpCount() const { return bumpCount; }

private:
    // Whether this tick's walking was stopped by a wall: the player asks the
    // level to walk and stands where the last tick left them. The one
    // place that decides it, so it can read a walker's own report instead.
    bool isBlocked(float distance) const;

    const W_LevelRenderer& level;
    SoundMixer& mixer;
    const Sound* stepLeft;
    const Sound* stepRight;
    const Sound* bump;
    const Sound* wind;
    SoundMixer::Voice windVoice;
    float windSetTo = -1.0f; // the wind volume last sent to the mixer

    Vector3 lastPosition;
    uint32_t movingPeriods = 0; // since the walk's last step
    bool walking = false;
    bool touching = false; // blocked by a wall since the last bump
    bool nextLeft = true;
    uint32_t stepCount = 0;
    uint32_t bumpCount = 0;
};

} // namespace Quorvel
