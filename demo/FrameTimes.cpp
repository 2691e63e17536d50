// FrameTimes: recording frame durations and summarising them.

#include "demo/FrameTimes.h"

#include <algorithm>
#include <cstdio>

namespace Quorvel {

namespace {

constexpr double NanosecondsPerMs = 1.0e6;

} // namespace

FrameTimes::FrameTimes(uint32_t capacity) : durations(capacity, 0)
{
}

void FrameTimes::record(int64_t nanoseconds)
{
    if (count < durations.size())
        durations[count++] = nanoseconds < 0 ? 0 : nanoseconds; // a clock never runs back
}

FrameTimes::Summary FrameTimes::summarise() const
{
    Summary summary;
    if (count == 0)
        return summary;

    std::vector<int64_t> sorted(durations.begin(), durations.begin() + static_cast<std::ptrdiff_t>(count));
    std::sort(sorted.begin(), sorted.end());
    double total = 0.0;
    for (int64_t duration : sorted)
        total += static_cast<double>(duration);

    const size_t n = sorted.size();
    summary.frames = static_cast<uint32_t>(n);
    summary.seconds = total / 1.0e9;
    summary.fps = total > 0.0 ? static_cast<double>(n) / summary.seconds : 0.0;
    summary.minMs = static_cast<double>(sorted.front()) / NanosecondsPerMs;
    summary.maxMs = static_cast<double>(sorted.back()) / NanosecondsPerMs;
    if (n % 2 == 1)
        summary.medianMs = static_cast<double>(sorted[n / 2]) / NanosecondsPerMs;
    else
        summary.medianMs = (static_cast<double>(sorted[n / 2 - 1]) + static_cast<double>(sorted[n / 2])) / 2.0
            / NanosecondsPerMs;
    // Nearest rank: the smallest value with at least 99 % of the frames at or below it.
    const size_t rank = (n * 99 + 99) / 100; // ceil(0.99 n), at least 1
    summary.p99Ms = static_cast<double>(sorted[rank - 1]) / NanosecondsPerMs;
    return summary;
}

std::string FrameTimes::format(const Summary& summary)
{
    char line[256];
    std::snprintf(line, sizeof line,
                  "timedemo: %u frames in %.2f s, %.1f fps, frame ms min %.1f median %.1f p99 %.1f max %.1f",
                  static_cast<unsigned>(summary.frames), summary.seconds, summary.fps, summary.minMs, summary.medianMs,
                  summary.p99Ms, summary.maxMs);
    return line;
}

} // namespace Quorvel
