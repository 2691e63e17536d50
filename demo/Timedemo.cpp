// Timedemo: the timed walk along the recorded path, its picture and its result.

#include "demo/Timedemo.h"

#include "core/Application.h"
#include "core/Log.h"
#include "input/InputSystem.h"
#include "math/Vector4.h"
#include "scene/W_LevelRenderer.h"
#include "system/FrameCapture.h"

#include <cstdio>
#include <vector>

namespace Quorvel {

Timedemo::Timedemo(W_LevelRenderer& level_, uint32_t frames, const std::string& shotPath_)
    : level(level_), times(frames), shotPath(shotPath_)
{
    visible = true;
    level.setState(TimerEvent::Paused); // moved by the path only, never by the clock
    path.advance(level);                // the first frame's pose
}

bool Timedemo::init()
{
    InputSystem::instance()->addHandler(this);
    return true;
}

bool Timedemo::handleInput(uint32_t, const InputState&)
{
    return true;
}

bool Timedemo::resize(const Vector4& screenRect)
{
    screenWidth = static_cast<int32_t>(screenRect.z - screenRect.x);
    screenHeight = static_cast<int32_t>(screenRect.w - screenRect.y);
    return true;
}

void Timedemo::draw()
{
    if (complete)
        return;
    const Clock::time_point now = Clock::now();
    if (started)
        times.record(std::chrono::duration_cast<std::chrono::nanoseconds>(now - last).count());
    started = true;
    last = now;

    if (times.isFull()) {
        complete = true;
        if (!shotPath.empty()) {
            std::vector<uint8_t> rgb;
            FrameCapture::read(screenWidth, screenHeight, rgb);
            if (!FrameCapture::writePng(shotPath, screenWidth, screenHeight, rgb, shotError) && shotError.empty())
                shotError = "cannot write '" + shotPath + "'";
        }
        Application::instance()->quit();
        return;
    }
    path.advance(level);
}

int Timedemo::report(Log& log) const
{
    if (!complete) {
        char line[160];
        std::snprintf(line, sizeof line, "timedemo: stopped after %u of %u frames (the window was closed); no result",
                      static_cast<unsigned>(times.getCount()), static_cast<unsigned>(times.getCapacity()));
        std::fprintf(stderr, "%s\n", line);
        log.write(line);
        return 1;
    }
    const std::string line = FrameTimes::format(times.summarise());
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    log.write(line.c_str());
    if (!shotError.empty()) {
        const std::string failure = "timedemo: " + shotError;
        std::fprintf(stderr, "%s\n", failure.c_str());
        log.write(failure.c_str());
        return 1;
    }
    if (!shotPath.empty())
        log.write(("timedemo: last frame saved to " + shotPath).c_str());
    return 0;
}

} // namespace Quorvel
