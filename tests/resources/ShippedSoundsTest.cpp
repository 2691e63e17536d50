// The committed sounds in data/sounds, read with the engine's own reader:
// their shape, and what listening would tell - one-shots start at once and
// end in silence, the bump is dull beside the bright footsteps, and the wind
// loop's end runs into its start without a jump or a dip.

#include "resources/WaveFile.h"

#include "files/DiskDirectory.h"
#include "files/FileSystem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

using namespace Quorvel;

namespace {

std::vector<int16_t> shipped(const char* name)
{
    static bool mounted = false;
    if (!mounted) {
        FileSystem::instance()->mount("shipped-sounds:", new DiskDirectory(QUORVEL_SOURCE_DIR "/data/sounds"));
        mounted = true;
    }
    WaveFile wave;
    const bool read = wave.read((std::string("shipped-sounds:") + name + ".wav").c_str());
    EXPECT_TRUE(read) << name << ": " << wave.getError().getData();
    EXPECT_EQ(1, wave.getChannels()) << name;
    EXPECT_EQ(16, wave.getBitsPerSample()) << name;
    EXPECT_EQ(22050u, wave.getSampleRate()) << name;
    return wave.getSamples();
}

double seconds(const std::vector<int16_t>& samples)
{
    return static_cast<double>(samples.size()) / 22050.0;
}

int peak(const std::vector<int16_t>& samples, size_t from, size_t to)
{
    int largest = 0;
    for (size_t i = from; i < to && i < samples.size(); ++i)
        largest = std::max(largest, std::abs(static_cast<int>(samples[i])));
    return largest;
}

double rms(const std::vector<int16_t>& samples, size_t from, size_t to)
{
    double sum = 0.0;
    for (size_t i = from; i < to; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

double crossingsPerSecond(const std::vector<int16_t>& samples)
{
    int count = 0;
    for (size_t i = 1; i < samples.size(); ++i)
        count += (samples[i - 1] < 0) != (samples[i] < 0) ? 1 : 0;
    return count / seconds(samples);
}

} // namespace

TEST(ShippedSoundsTest, OneShotsStartAtOnceAndEndInSilence)
{
    struct Case {
        const char* name;
        double shortest; // seconds
        double longest;
    };
    const Case cases[] = {{"step-left", 0.1, 0.4}, {"step-right", 0.1, 0.4}, {"bump", 0.15, 0.6}};
    for (const Case& c : cases) {
        const std::vector<int16_t> samples = shipped(c.name);
        ASSERT_FALSE(samples.empty()) << c.name;
        EXPECT_GE(seconds(samples), c.shortest) << c.name;
        EXPECT_LE(seconds(samples), c.longest) << c.name;
        const int loudest = peak(samples, 0, samples.size());
        EXPECT_GT(loudest, 32767 / 3) << c.name << " is loud enough to hear";
        EXPECT_LT(loudest, 32767) << c.name << " is not clipped";
        EXPECT_EQ(loudest, peak(samples, 0, 22050 / 100)) << c.name << " is loudest in its first 10 ms";
        EXPECT_LT(std::abs(samples.front()), 200) << c.name << " starts without a click";
        EXPECT_LT(peak(samples, samples.size() - 22050 / 200, samples.size()), loudest / 50)
            << c.name << " fades out before its last 5 ms";
    }
    EXPECT_NE(shipped("step-left"), shipped("step-right")) << "the two feet sound different";
}

TEST(ShippedSoundsTest, TheBumpIsDullBesideTheFootsteps)
{
    const double bump = crossingsPerSecond(shipped("bump"));
    for (const char* step : {"step-left", "step-right"}) {
        const double bright = crossingsPerSecond(shipped(step));
        EXPECT_LT(bump * 5.0, bright) << "zero crossings a second: bump " << bump << ", " << step << " " << bright;
    }
}

TEST(ShippedSoundsTest, TheWindLoopsWithoutASeam)
{
    const std::vector<int16_t> wind = shipped("wind");
    ASSERT_GE(seconds(wind), 2.0);
    EXPECT_LE(seconds(wind), 6.0) << "a few seconds keep the file small";

    // The jump from the last sample to the first is one step like any other
    // of this sound, not a click.
    double sum = 0.0;
    for (size_t i = 1; i < wind.size(); ++i)
        sum += std::pow(wind[i] - wind[i - 1], 2);
    const double typicalStep = std::sqrt(sum / static_cast<double>(wind.size() - 1));
    const double seam = std::abs(wind.front() - wind.back());
    EXPECT_LT(seam, 3.0 * typicalStep) << "seam " << seam << ", typical step " << typicalStep;

    // And no dip: a quarter second on either side of the seam is about as
    // loud as the wind on average.
    const size_t quarter = 22050 / 4;
    const double whole = rms(wind, 0, wind.size());
    for (const double part : {rms(wind, 0, quarter), rms(wind, wind.size() - quarter, wind.size())}) {
        EXPECT_GT(part, whole / 2.0) << "loudness near the seam against the whole loop";
        EXPECT_LT(part, whole * 2.0) << "loudness near the seam against the whole loop";
    }
}
