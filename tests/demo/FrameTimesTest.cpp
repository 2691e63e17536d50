// The timedemo's summary: minimum, median, 99th percentile and maximum of the
// frame times, the total and the rate, and the exact form of the result line.

#include "demo/FrameTimes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using Quorvel::FrameTimes;

namespace {

constexpr int64_t Ms = 1000000; // nanoseconds

FrameTimes recorded(const std::vector<int64_t>& nanoseconds)
{
    FrameTimes times(static_cast<uint32_t>(nanoseconds.size()));
    for (int64_t duration : nanoseconds)
        times.record(duration);
    return times;
}

} // namespace

TEST(FrameTimesTest, SummaryOfOddAndEvenCounts)
{
    struct Case {
        std::vector<int64_t> ms;
        double median;
        double p99;
    };
    const Case cases[] = {
        {{7}, 7.0, 7.0},
        {{9, 3}, 6.0, 9.0},    // even: the mean of the middle two
        {{5, 1, 3}, 3.0, 5.0}, // order of recording does not matter
        {{4, 8, 2, 6}, 5.0, 8.0},
    };
    for (const Case& c : cases) {
        std::vector<int64_t> ns;
        for (int64_t value : c.ms)
            ns.push_back(value * Ms);
        const FrameTimes::Summary s = recorded(ns).summarise();
        EXPECT_EQ(s.frames, c.ms.size());
        EXPECT_DOUBLE_EQ(s.medianMs, c.median) << c.ms.size() << " frames";
        EXPECT_DOUBLE_EQ(s.p99Ms, c.p99) << c.ms.size() << " frames";
    }
}

TEST(FrameTimesTest, PercentileIsTheNearestRank)
{
    // 200 frames of 1..200 ms: rank ceil(0.99 * 200) = 198.
    std::vector<int64_t> ns;
    for (int64_t i = 200; i >= 1; --i)
        ns.push_back(i * Ms);
    const FrameTimes::Summary s = recorded(ns).summarise();
    EXPECT_DOUBLE_EQ(s.minMs, 1.0);
    EXPECT_DOUBLE_EQ(s.maxMs, 200.0);
    EXPECT_DOUBLE_EQ(s.p99Ms, 198.0);
    EXPECT_DOUBLE_EQ(s.medianMs, 100.5);
    EXPECT_NEAR(s.seconds, 20.1, 1e-9); // 200 * 201 / 2 ms
    EXPECT_NEAR(s.fps, 200.0 / 20.1, 1e-9);

    // 101 frames: rank ceil(99.99) = 100, the second largest.
    ns.clear();
    for (int64_t i = 1; i <= 101; ++i)
        ns.push_back(i * Ms);
    EXPECT_DOUBLE_EQ(recorded(ns).summarise().p99Ms, 100.0);
}

TEST(FrameTimesTest, RecordingStopsWhenFullAndNeverGoesNegative)
{
    FrameTimes times(2);
    EXPECT_FALSE(times.isFull());
    times.record(-5);
    times.record(3 * Ms);
    times.record(100 * Ms); // beyond the capacity: ignored
    EXPECT_TRUE(times.isFull());
    EXPECT_EQ(times.getCount(), 2u);
    EXPECT_EQ(times.getDuration(0), 0);
    EXPECT_DOUBLE_EQ(times.summarise().maxMs, 3.0);
}

TEST(FrameTimesTest, NothingRecordedSummarisesToZero)
{
    const FrameTimes::Summary s = FrameTimes(10).summarise();
    EXPECT_EQ(s.frames, 0u);
    EXPECT_EQ(s.seconds, 0.0);
    EXPECT_EQ(s.fps, 0.0);
    const FrameTimes::Summary zeroTimes = recorded({0, 0}).summarise();
    EXPECT_EQ(zeroTimes.fps, 0.0) << "no division by a zero total";
}

TEST(FrameTimesTest, ResultLineHasTheExactForm)
{
    FrameTimes::Summary s;
    s.frames = 2000;
    s.seconds = 16.5249;
    s.fps = 121.07;
    s.minMs = 7.1;
    s.medianMs = 8.24;
    s.p99Ms = 11.4;
    s.maxMs = 14.0;
    EXPECT_EQ(FrameTimes::format(s),
              "timedemo: 2000 frames in 16.52 s, 121.1 fps, frame ms min 7.1 median 8.2 p99 11.4 max 14.0");
}
