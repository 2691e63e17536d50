#pragma once
// FirstFrameMark: ends the demonstration once its first frame is on the
// screen, for timing start-up (--first-frame). Added as the first widget, it
// draws nothing; in the pass after the first buffer swap it takes the
// wall-clock time, asks the main loop to end, and report() then prints
//
//   first frame: SECONDS
//
// (seconds since 1970 to the microsecond) on standard output and in the log.
// The bare window among the benchmarks prints the same mark right after its
// one swap, so the two start-ups are timed alike: from the launch to the mark.

#include "widgets/Widget.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace Quorvel {

class Log;

class FirstFrameMark : public Widget {
public:
    FirstFrameMark();

    // Takes the mark once the graphic system has presented a frame and asks
    // the main loop to end; nothing before that, and nothing after.
    void draw() override;
    bool isMarked() const { return marked; }

    // The mark as printed: "first frame: SECONDS" with six decimals.
    static std::string format(std::chrono::system_clock::time_point when);

    // After the main loop: the line on standard output and in the log.
    // Returns the exit code: 0 with a mark, 1 without (the window was closed
    // before its first frame), with a line on standard error saying so.
    int report(Log& log) const;

private:
    bool marked = false;
    std::chrono::system_clock::time_point when;
};

} // namespace Quorvel
