#pragma once
// Timedemo: runs the demonstration as a benchmark. Added as the last widget,
// it takes over the level's movement: the level's own timer tick is paused and
// every frame the timedemo moves it one frame along the recorded path
// (TimedemoPath), so every run draws the same frames. It times each pass of
// the main loop, keeps the player's own input away from the level, saves the
// last frame as a PNG picture when asked, and ends the main loop once the
// frames are done. report() then prints the one result line.
//
// Frames: the first pass is a warm-up (first use of every texture and
// shader) and is not counted; the frame time of pass k is the time between
// the timedemo's draw in pass k - 1 and in pass k, so it covers one whole
// pass: messages, timer ticks, clearing, drawing, the wait for OpenGL and the
// buffer swap. The picture is read back after the last counted frame is
// timed, so saving it costs no frame any time.

#include "demo/FrameTimes.h"
#include "scene/TimedemoPath.h"
#include "widgets/Widget.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace Quorvel {

class Log;
class W_LevelRenderer;

class Timedemo : public Widget {
public:
    using Clock = std::chrono::steady_clock;

    // Pauses the level's timer tick and moves it to the first frame of the
    // path. The level must outlive the timedemo. shotPath empty: no picture.
    Timedemo(W_LevelRenderer& level, uint32_t frames, const std::string& shotPath);

    // Registers with the input system ahead of the widget manager, so the
    // player's keys and mouse never reach the level while frames are timed.
    bool init() override;
    bool handleInput(uint32_t kind, const InputState& state) override; // consumes every event
    bool resize(const Vector4& screenRect) override;
    // Called once per pass after every other widget has drawn: times the
    // pass, saves the picture after the last frame and asks the main loop to
    // end, otherwise moves the level on to the next frame.
    void draw() override;

    bool isComplete() const { return complete; }
    const FrameTimes& getTimes() const { return times; }
    uint32_t getFrames() const { return times.getCapacity(); }

    // After the main loop: the result line (or why there is none) on standard
    // output or standard error and in the log. Returns the exit code: 0 when
    // every frame ran and the picture (if asked for) was saved, 1 otherwise.
    int report(Log& log) const;

private:
    W_LevelRenderer& level;
    TimedemoPath path;
    FrameTimes times;
    std::string shotPath;
    std::string shotError; // why the picture could not be saved, empty when it was
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    bool started = false; // the warm-up pass has been timed
    bool complete = false;
    Clock::time_point last;
};

} // namespace Quorvel
