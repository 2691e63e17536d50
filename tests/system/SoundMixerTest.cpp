// The software mixer: sums and saturation, the pan law, rate conversion, the
// voice limit and who gives way, loop seams, one-shot ends, handles that
// outlive their voices, and a mix that allocates nothing.

#include "system/SoundMixer.h"

#include "resources/Sound.h"
#include "scene/AllocationCounter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

using Quorvel::Sound;
using Quorvel::SoundMixer;

namespace {

constexpr double Pi = 3.14159265358979323846;

std::unique_ptr<Sound> constant(int16_t value, uint32_t frames, uint32_t rate = SoundMixer::OutputRate)
{
    return std::make_unique<Sound>(std::vector<int16_t>(frames, value), 1, rate);
}

std::unique_ptr<Sound> cosine(double frequency, uint32_t frames, uint32_t rate, double amplitude = 20000.0)
{
    std::vector<int16_t> samples(frames);
    for (uint32_t i = 0; i < frames; ++i)
        samples[i] = static_cast<int16_t>(std::lround(amplitude * std::cos(2.0 * Pi * frequency * i / rate)));
    return std::make_unique<Sound>(std::move(samples), 1, rate);
}

// Mixes frames frames; the values come back interleaved, left first.
std::vector<int16_t> mix(SoundMixer& mixer, uint32_t frames)
{
    std::vector<int16_t> out(2 * frames, 12345);
    mixer.mix(out.data(), frames);
    return out;
}

std::vector<int16_t> channel(const std::vector<int16_t>& frames, int side)
{
    std::vector<int16_t> values;
    for (size_t i = static_cast<size_t>(side); i < frames.size(); i += 2)
        values.push_back(frames[i]);
    return values;
}

int zeroCrossings(const std::vector<int16_t>& values)
{
    int count = 0;
    for (size_t i = 1; i < values.size(); ++i)
        count += (values[i - 1] < 0) != (values[i] < 0) ? 1 : 0;
    return count;
}

// The magnitude of the signal at a frequency (one bin of a DFT), normalised
// so that a cosine of amplitude A gives A.
double magnitudeAt(const std::vector<int16_t>& values, double frequency)
{
    double re = 0.0;
    double im = 0.0;
    for (size_t i = 0; i < values.size(); ++i) {
        const double angle = 2.0 * Pi * frequency * static_cast<double>(i) / SoundMixer::OutputRate;
        re += values[i] * std::cos(angle);
        im -= values[i] * std::sin(angle);
    }
    return 2.0 * std::sqrt(re * re + im * im) / static_cast<double>(values.size());
}

int largestStep(const std::vector<int16_t>& values)
{
    int largest = 0;
    for (size_t i = 1; i < values.size(); ++i)
        largest = std::max(largest, std::abs(values[i] - values[i - 1]));
    return largest;
}

} // namespace

TEST(SoundMixerTest, SilenceWithoutVoices)
{
    SoundMixer mixer;
    const std::vector<int16_t> out = mix(mixer, 1000);
    EXPECT_EQ(std::vector<int16_t>(2000, 0), out) << "every value written, all zero";
    EXPECT_EQ(0u, mixer.getPlayingCount());
}

TEST(SoundMixerTest, VoicesAddUpAndSaturateInsteadOfWrapping)
{
    // Hard left (gain exactly 1 on the left, 0 on the right) keeps the sums exact.
    struct Case {
        const char* what;
        std::vector<int16_t> values;
        int16_t expected;
    };
    const Case cases[] = {
        {"two voices add", {10000, 5000}, 15000},
        {"opposite voices cancel", {12000, -12000}, 0},
        {"positive overflow stops at the top", {30000, 30000}, 32767},
        {"negative overflow stops at the bottom", {-30000, -30000}, -32768},
        {"32 full-scale voices", std::vector<int16_t>(32, 32767), 32767},
        {"32 full-scale negative voices", std::vector<int16_t>(32, -32768), -32768},
    };
    for (const Case& c : cases) {
        SoundMixer mixer;
        std::vector<std::unique_ptr<Sound>> sounds;
        for (int16_t value : c.values) {
            sounds.push_back(constant(value, 1000));
            ASSERT_TRUE(mixer.start(sounds.back().get(), 1.0f, -1.0f).isValid()) << c.what;
        }
        const std::vector<int16_t> out = mix(mixer, 100);
        for (size_t frame = 0; frame < 100; ++frame) {
            ASSERT_EQ(c.expected, out[2 * frame]) << c.what << ", frame " << frame;
            ASSERT_EQ(0, out[2 * frame + 1]) << c.what << ", frame " << frame;
        }
    }
}

TEST(SoundMixerTest, MonoPansWithConstantPowerStereoWithBalance)
{
    struct Case {
        float pan;
        double left;
        double right;
    };
    const Case mono[] = {
        {-1.0f, 1.0, 0.0},
        {-0.5f, std::cos(Pi / 8), std::sin(Pi / 8)},
        {0.0f, std::sqrt(0.5), std::sqrt(0.5)},
        {0.5f, std::cos(3 * Pi / 8), std::sin(3 * Pi / 8)},
        {1.0f, 0.0, 1.0},
        {7.0f, 0.0, 1.0}, // beyond the range: clamped
    };
    std::unique_ptr<Sound> monoSound = constant(16000, 1000);
    for (const Case& c : mono) {
        SoundMixer mixer;
        mixer.start(monoSound.get(), 1.0f, c.pan);
        const std::vector<int16_t> out = mix(mixer, 10);
        EXPECT_NEAR(16000 * c.left, out[0], 2.0) << "mono left at pan " << c.pan;
        EXPECT_NEAR(16000 * c.right, out[1], 2.0) << "mono right at pan " << c.pan;
        EXPECT_NEAR(16000.0 * 16000.0, double(out[0]) * out[0] + double(out[1]) * out[1], 16000.0 * 8)
            << "constant power at pan " << c.pan;
    }

    const Case stereo[] = {
        {-1.0f, 1.0, 0.0}, {-0.25f, 1.0, 0.75}, {0.0f, 1.0, 1.0}, {0.5f, 0.5, 1.0}, {1.0f, 0.0, 1.0}};
    Sound stereoSound(std::vector<int16_t>{12000, -8000, 12000, -8000, 12000, -8000}, 2, SoundMixer::OutputRate);
    for (const Case& c : stereo) {
        SoundMixer mixer;
        mixer.start(&stereoSound, 1.0f, c.pan);
        const std::vector<int16_t> out = mix(mixer, 1);
        EXPECT_NEAR(12000 * c.left, out[0], 1.0) << "stereo left at pan " << c.pan;
        EXPECT_NEAR(-8000 * c.right, out[1], 1.0) << "stereo right at pan " << c.pan;
    }
}

TEST(SoundMixerTest, VolumeAndMasterVolumeScaleAndGlide)
{
    std::unique_ptr<Sound> sound = constant(16000, 100000);
    SoundMixer mixer;
    SoundMixer::Voice voice = mixer.start(sound.get(), 0.5f, -1.0f, true);
    EXPECT_EQ(8000, mix(mixer, 1)[0]) << "a voice starts at its volume at once";

    ASSERT_TRUE(mixer.setVolume(voice, 1.0f));
    const std::vector<int16_t> left = channel(mix(mixer, 2 * SoundMixer::RampFrames), 0);
    EXPECT_LT(left[0], 8200) << "the change glides";
    EXPECT_LE(largestStep(left), 16000 / static_cast<int>(SoundMixer::RampFrames) + 2) << "no jump on the way";
    EXPECT_EQ(16000, left.back()) << "and arrives";

    ASSERT_TRUE(mixer.setMasterVolume(0.25f));
    EXPECT_EQ(4000, mix(mixer, 2 * SoundMixer::RampFrames)[2 * (2 * SoundMixer::RampFrames - 1)]);
    ASSERT_TRUE(mixer.setMasterVolume(0.0f));
    const std::vector<int16_t> muted = mix(mixer, 2 * SoundMixer::RampFrames);
    EXPECT_EQ(0, muted[muted.size() - 2]) << "master volume 0 is silence";
    EXPECT_TRUE(mixer.isPlaying(voice)) << "a muted voice still plays on";
}

TEST(SoundMixerTest, ASoundPlaysAtItsOwnRate)
{
    // One second of a 1,000 Hz cosine at 22,050 frames a second comes out as
    // one second of a 1,000 Hz tone at 44,100: 2,000 zero crossings, its
    // energy in the 1,000 Hz bin and not at the octaves a wrong rate gives.
    struct Case {
        uint32_t rate;
        double frequency;
    };
    const Case cases[] = {{22050, 1000.0}, {11025, 440.0}, {48000, 1500.0}, {8000, 250.0}};
    for (const Case& c : cases) {
        std::unique_ptr<Sound> tone = cosine(c.frequency, c.rate, c.rate);
        SoundMixer mixer;
        SoundMixer::Voice voice = mixer.start(tone.get(), 1.0f, -1.0f);
        const std::vector<int16_t> left = channel(mix(mixer, SoundMixer::OutputRate), 0);
        EXPECT_NEAR(2 * c.frequency, zeroCrossings(left), 2) << "rate " << c.rate;
        EXPECT_NEAR(20000.0, magnitudeAt(left, c.frequency), 600.0) << "rate " << c.rate;
        EXPECT_LT(magnitudeAt(left, 2 * c.frequency), 200.0) << "rate " << c.rate;
        EXPECT_LT(magnitudeAt(left, c.frequency / 2), 200.0) << "rate " << c.rate;

        // It lasted one second: the next mix finds it over.
        const std::vector<int16_t> after = mix(mixer, 100);
        EXPECT_EQ(std::vector<int16_t>(200, 0), after) << "rate " << c.rate;
        EXPECT_FALSE(mixer.isPlaying(voice)) << "rate " << c.rate;
    }
}

TEST(SoundMixerTest, OneShotEndsAfterItsLastFrame)
{
    std::vector<int16_t> ramp(100);
    for (int i = 0; i < 100; ++i)
        ramp[static_cast<size_t>(i)] = static_cast<int16_t>(100 * (i + 1));
    Sound sound(ramp, 1, SoundMixer::OutputRate);
    SoundMixer mixer;
    SoundMixer::Voice voice = mixer.start(&sound, 1.0f, -1.0f);
    EXPECT_TRUE(mixer.isPlaying(voice)) << "playing as soon as it is started";
    const std::vector<int16_t> left = channel(mix(mixer, 150), 0);
    EXPECT_EQ(ramp, std::vector<int16_t>(left.begin(), left.begin() + 100)) << "every frame once, at its own rate";
    EXPECT_EQ(std::vector<int16_t>(50, 0), std::vector<int16_t>(left.begin() + 100, left.end())) << "then silence";
    EXPECT_FALSE(mixer.isPlaying(voice));
    EXPECT_EQ(0u, mixer.getPlayingCount());
}

TEST(SoundMixerTest, LoopsJoinWithoutASeam)
{
    // 441 frames hold exactly ten periods of 500 Hz at 22,050: the loop's
    // last frame leads smoothly into its first. Starting at the cosine's peak
    // puts the seam where a wrong join (into silence) jumps by the amplitude.
    struct Case {
        uint32_t rate;
        uint32_t frames;
        double frequency;
    };
    const Case cases[] = {{22050, 441, 500.0}, {44100, 441, 1000.0}, {32000, 320, 1000.0}, {11025, 11025, 100.0}};
    for (const Case& c : cases) {
        std::unique_ptr<Sound> tone = cosine(c.frequency, c.frames, c.rate);
        SoundMixer mixer;
        mixer.start(tone.get(), 1.0f, -1.0f, true);
        const std::vector<int16_t> left = channel(mix(mixer, 20000), 0);
        const double slope = 20000.0 * 2.0 * Pi * c.frequency / SoundMixer::OutputRate; // largest change per frame
        EXPECT_LE(largestStep(left), slope + 4.0) << "rate " << c.rate;
        EXPECT_GT(*std::max_element(left.begin() + 19000, left.end()), 19000) << "still playing at rate " << c.rate;
        EXPECT_EQ(1u, mixer.getPlayingCount());
    }
}

TEST(SoundMixerTest, WhenFullTheQuietestThenTheOldestGivesWay)
{
    std::unique_ptr<Sound> sound = constant(1000, 100000);
    SoundMixer mixer;
    std::vector<SoundMixer::Voice> voices;
    for (uint32_t i = 0; i < SoundMixer::MaxVoices; ++i)
        voices.push_back(mixer.start(sound.get(), i == 7 ? 0.2f : (i == 3 || i == 12 ? 0.5f : 0.9f), 0.0f, true));
    mix(mixer, 10);
    EXPECT_EQ(SoundMixer::MaxVoices, mixer.getPlayingCount());

    SoundMixer::Voice newest = mixer.start(sound.get(), 0.1f);
    mix(mixer, 10);
    EXPECT_TRUE(mixer.isPlaying(newest)) << "a new voice always starts, even the quietest";
    EXPECT_FALSE(mixer.isPlaying(voices[7])) << "the quietest gave way";
    EXPECT_EQ(SoundMixer::MaxVoices, mixer.getPlayingCount());

    SoundMixer::Voice next = mixer.start(sound.get(), 1.0f);
    mix(mixer, 10);
    EXPECT_TRUE(mixer.isPlaying(voices[3])) << "the quieter one started first gives way, not these";
    EXPECT_TRUE(mixer.isPlaying(voices[12]));
    EXPECT_TRUE(mixer.isPlaying(next));
    EXPECT_FALSE(mixer.isPlaying(newest)) << "now the quietest (0.1) gives way";

    mixer.start(sound.get(), 1.0f);
    mix(mixer, 10);
    EXPECT_FALSE(mixer.isPlaying(voices[3])) << "of two equally quiet voices the older one gives way";
    EXPECT_TRUE(mixer.isPlaying(voices[12]));

    // A voice fading out after a stop is taken before any playing one.
    mixer.stop(voices[20]);
    mixer.start(sound.get(), 0.05f);
    mix(mixer, 10);
    EXPECT_TRUE(mixer.isPlaying(voices[12])) << "the quietest playing voice is spared";
    EXPECT_EQ(SoundMixer::MaxVoices, mixer.getPlayingCount());
}

TEST(SoundMixerTest, StaleHandlesDoNothing)
{
    std::unique_ptr<Sound> shortSound = constant(100, 10);
    std::unique_ptr<Sound> longSound = constant(3000, 100000);
    SoundMixer mixer;
    SoundMixer::Voice ended = mixer.start(shortSound.get(), 1.0f, -1.0f);
    mix(mixer, 20);
    ASSERT_FALSE(mixer.isPlaying(ended));

    // The new voice takes the freed place; the old handle must not reach it.
    SoundMixer::Voice current = mixer.start(longSound.get(), 1.0f, -1.0f, true);
    mixer.stop(ended);
    mixer.setVolume(ended, 0.0f);
    mixer.setPan(ended, 1.0f);
    const std::vector<int16_t> out = mix(mixer, 2 * SoundMixer::RampFrames);
    EXPECT_EQ(3000, out[out.size() - 2]);
    EXPECT_TRUE(mixer.isPlaying(current));

    EXPECT_FALSE(mixer.stop(SoundMixer::Voice())) << "the empty handle";
    EXPECT_FALSE(mixer.isPlaying(SoundMixer::Voice()));
    EXPECT_FALSE(mixer.isPlaying(SoundMixer::Voice{999})) << "a handle never given out";
    EXPECT_FALSE(mixer.start(nullptr).isValid()) << "a sound that failed to load stays silent";
    Sound empty(std::vector<int16_t>(), 1, 22050);
    EXPECT_FALSE(mixer.start(&empty).isValid());
}

TEST(SoundMixerTest, StopsFadeOutAndEnd)
{
    std::unique_ptr<Sound> sound = constant(16000, 100000);
    SoundMixer mixer;
    SoundMixer::Voice first = mixer.start(sound.get(), 1.0f, -1.0f, true);
    SoundMixer::Voice second = mixer.start(sound.get(), 1.0f, 1.0f, true);
    mix(mixer, 10);
    mixer.stop(first);
    EXPECT_TRUE(mixer.isPlaying(first)) << "until the audio side has seen the stop";
    const std::vector<int16_t> out = mix(mixer, 2 * SoundMixer::RampFrames);
    EXPECT_FALSE(mixer.isPlaying(first));
    const std::vector<int16_t> left = channel(out, 0);
    EXPECT_LE(largestStep(left), 16000 / static_cast<int>(SoundMixer::RampFrames) + 2) << "a fade, not a cut";
    EXPECT_EQ(0, left.back());
    EXPECT_EQ(16000, out.back()) << "the other voice plays on";

    mixer.stopAll();
    mix(mixer, 2 * SoundMixer::RampFrames);
    EXPECT_FALSE(mixer.isPlaying(second));
    EXPECT_EQ(0u, mixer.getPlayingCount());
}

TEST(SoundMixerTest, AFullCommandRingRefusesUntilTheNextMix)
{
    std::unique_ptr<Sound> sound = constant(1, 10);
    SoundMixer mixer;
    for (uint32_t i = 0; i < SoundMixer::CommandCapacity; ++i)
        ASSERT_TRUE(mixer.setMasterVolume(1.0f)) << "command " << i;
    EXPECT_FALSE(mixer.start(sound.get()).isValid());
    EXPECT_FALSE(mixer.setMasterVolume(0.5f));
    mix(mixer, 1);
    EXPECT_TRUE(mixer.start(sound.get()).isValid());
}

TEST(SoundMixerTest, MixingAndCommandsAllocateNothing)
{
    std::unique_ptr<Sound> tone = cosine(440.0, 22050, 22050);
    Sound stereo(std::vector<int16_t>(2000, 500), 2, 48000);
    SoundMixer mixer;
    std::vector<int16_t> out(2 * 1024);
    mixer.mix(out.data(), 1024);

    const long before = SceneTest::allocationCount();
    SoundMixer::Voice wind = mixer.start(tone.get(), 0.5f, 0.0f, true);
    for (int period = 0; period < 200; ++period) {
        SoundMixer::Voice step = mixer.start(period % 2 ? &stereo : tone.get(), 0.8f, period % 2 ? 0.2f : -0.2f);
        mixer.setVolume(wind, static_cast<float>(period % 10) / 10.0f);
        mixer.setPan(step, 0.1f);
        if (period % 7 == 0)
            mixer.stop(step);
        mixer.isPlaying(step);
        mixer.mix(out.data(), 1024);
    }
    mixer.stopAll();
    mixer.mix(out.data(), 1024);
    EXPECT_EQ(before, SceneTest::allocationCount()) << "allocations while voices started, changed and mixed";
}
