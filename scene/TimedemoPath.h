#pragma once
// TimedemoPath: the fixed walk of the timedemo through the level. A table of
// steps, each held for a number of frames: keys held (forward or back, step
// left or right), a mouse motion per frame (turning, looking up and down) and
// the cloud-density keys. Every frame the path sends the level the input
// events a player would cause, then ticks it a fixed number of periods, so
// the same frame number always shows the same picture, however fast the
// machine draws. The path starts at the level's start position and lasts
// PathFrames frames; a longer run repeats the steps from where the player
// then stands.

#include <cstdint>

namespace Quorvel {

class W_LevelRenderer;

class TimedemoPath {
public:
    static constexpr uint32_t PeriodsPerFrame = 1; // one 20 ms movement tick per frame

    // One step of the path, held for frames frames.
    struct Step {
        uint16_t frames;
        int8_t forward;  // +1 forward (w), -1 back (s), 0 neither
        int8_t sideways; // +1 right (d), -1 left (a), 0 neither
        int16_t mouseX;  // cursor offset per frame, pixels; positive turns right
        int16_t mouseY;  // positive looks down
        int8_t density;  // +1 presses "Gray +" every frame, -1 "Gray -", 0 neither
    };

    // The frames of one pass through the steps.
    static uint32_t getPathFrames();
    static const Step* getSteps();
    static uint32_t getStepCount();

    // Moves the level on by one frame of the path: frame 0 first, then 1,
    // 2, ... in order (the path keeps track of the keys it holds). Sends the
    // key changes, the mouse motion and the density keys through the level's
    // handleInput, then calls its tick with PeriodsPerFrame. Allocates nothing.
    void advance(W_LevelRenderer& level);

    uint32_t getFrame() const { return frame; } // frames advanced so far

private:
    void setKey(W_LevelRenderer& level, uint32_t key, bool& held, bool down);

    uint32_t frame = 0;
    bool forwardHeld = false;
    bool backHeld = false;
    bool leftHeld = false;
    bool rightHeld = false;
};

} // namespace Quorvel
