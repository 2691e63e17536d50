// FirstFrameMark: the time the first frame reached the screen.

#include "demo/FirstFrameMark.h"

#include "core/Application.h"
#include "core/Log.h"
#include "system/GraphicSystem.h"

#include <cstdio>

namespace Quorvel {

FirstFrameMark::FirstFrameMark()
{
    visible = true;
}

void FirstFrameMark::draw()
{
    if (marked || GraphicSystem::instance()->getFrameCount() == 0)
        return;
    when = std::chrono::system_clock::now();
    marked = true;
    Application::instance()->quit();
}

std::string FirstFrameMark::format(std::chrono::system_clock::time_point point)
{
    const long long micros = std::chrono::duration_cast<std::chrono::microseconds>(point.time_since_epoch()).count();
    char line[64];
    std::snprintf(line, sizeof line, "first frame: %lld.%06lld", micros / 1000000, micros % 1000000);
    return line;
}

int FirstFrameMark::report(Log& log) const
{
    if (!marked) {
        const char* line = "first frame: none (the window was closed before the first frame was shown)";
        std::fprintf(stderr, "%s\n", line);
        log.write(line);
        return 1;
    }
    const std::string line = format(when);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    log.write(line.c_str());
    return 0;
}

} // namespace Quorvel
