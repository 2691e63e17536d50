// The sound recipes: noise from the engine's generator, shaped by simple
// filters and envelopes, scaled to a fixed peak.

#include "tools/soundgen/Sounds.h"

#include "math/MathUtil.h"

#include <algorithm>
#include <cmath>

namespace SoundGen {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double FrameTime = 1.0 / SampleRate; // seconds

double noise()
{
    return Quorvel::rand() / 32767.0 * 2.0 - 1.0; // -1 to 1
}

// A one-pole low-pass filter; its coefficient from the corner frequency in Hz.
struct LowPass {
    double state = 0.0;
    double coefficient;
    explicit LowPass(double corner) : coefficient(1.0 - std::exp(-2.0 * Pi * corner * FrameTime)) {}
    double operator()(double input) { return state += coefficient * (input - state); }
};

// Scales the signal so that its largest magnitude is peak (of full scale)
// and rounds it to 16-bit samples.
std::vector<int16_t> toSamples(const std::vector<double>& signal, double peak)
{
    double largest = 0.0;
    for (double value : signal)
        largest = std::max(largest, std::fabs(value));
    const double scale = largest > 0.0 ? peak * 32767.0 / largest : 0.0;
    std::vector<int16_t> samples(signal.size());
    for (size_t i = 0; i < signal.size(); ++i)
        samples[i] = static_cast<int16_t>(std::lround(std::clamp(signal[i] * scale, -32767.0, 32767.0)));
    return samples;
}

// A footstep on stone: the heel's hard, bright tap with a short low knock,
// then the sole a little later and softer. The feet differ in seed, pitch
// and timing, so that alternating steps do not sound like one repeated.
std::vector<double> footstep(uint32_t seed, double knockPitch, double soleDelay)
{
    Quorvel::srand(seed);
    const size_t frames = static_cast<size_t>(0.24 * SampleRate);
    std::vector<double> signal(frames);
    LowPass body(2500.0);   // the grit of the stone: what is left above it is the tap's brightness
    LowPass softer(1200.0); // the sole is duller than the heel
    double phase = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) * FrameTime;
        const double attack = std::min(1.0, t / 0.0015);
        const double n = noise();
        const double bright = n - body(n); // high-passed: the click of hard sole on stone
        const double heel = bright * attack * std::exp(-t / 0.018);
        const double sole = t >= soleDelay ? softer(n) * 0.8 * std::exp(-(t - soleDelay) / 0.025) : 0.0;
        phase += 2.0 * Pi * knockPitch * (1.0 - 0.3 * std::min(1.0, t / 0.05)) * FrameTime;
        const double knock = std::sin(phase) * attack * std::exp(-t / 0.03) * 0.6;
        // The last 20 ms fade to silence: the sound ends without a click.
        const double tail = std::min(1.0, (static_cast<double>(frames - i) * FrameTime) / 0.02);
        signal[i] = (heel + sole + knock) * tail;
    }
    return signal;
}

std::vector<int16_t> stepLeft()
{
    return toSamples(footstep(1009, 150.0, 0.045), 0.55);
}

std::vector<int16_t> stepRight()
{
    return toSamples(footstep(2017, 135.0, 0.052), 0.55);
}

// A dull bump: a body hitting a wall. Low and short, a falling thud with
// muffled noise; nothing bright.
std::vector<int16_t> bump()
{
    Quorvel::srand(3001);
    const size_t frames = static_cast<size_t>(0.35 * SampleRate);
    std::vector<double> signal(frames);
    LowPass muffle(250.0);
    LowPass muffleAgain(250.0);
    double phase = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) * FrameTime;
        const double attack = std::min(1.0, t / 0.004);
        phase += 2.0 * Pi * (48.0 + 32.0 * std::exp(-t / 0.05)) * FrameTime; // 80 Hz falling to 48 Hz
        const double thud = std::sin(phase) * std::exp(-t / 0.08);
        const double rumble = muffleAgain(muffle(noise())) * 4.0 * std::exp(-t / 0.04);
        const double tail = std::min(1.0, (static_cast<double>(frames - i) * FrameTime) / 0.03);
        signal[i] = (thud + rumble) * attack * tail;
    }
    return toSamples(signal, 0.7);
}

// Wind: low-passed noise with a hollow, slowly wandering whistle, in gusts.
// Every slow change repeats exactly once per loop; the loop's last part is
// made once more past the end and faded into its beginning with equal power,
// so the end runs into the start as the wind runs on anywhere else.
std::vector<int16_t> wind()
{
    Quorvel::srand(4099);
    const size_t loop = 4 * SampleRate;    // four seconds
    const size_t fade = SampleRate / 4;    // a quarter second of overlap
    const size_t settle = SampleRate / 10; // the filters settle before anything is kept
    const double loopTime = static_cast<double>(loop) * FrameTime;
    std::vector<double> made(loop + fade);
    LowPass rush(500.0);
    LowPass rushAgain(900.0);
    double low = 0.0; // state of the whistle's band-pass (a state-variable filter)
    double band = 0.0;
    for (size_t i = 0; i < settle + loop + fade; ++i) {
        const double t = static_cast<double>(i < settle ? 0 : i - settle) * FrameTime;
        const double cycle = 2.0 * Pi * t / loopTime; // one turn per loop
        const double gust = 0.6 + 0.25 * std::sin(cycle) + 0.15 * std::sin(3.0 * cycle + 1.0);
        const double whistleAt = 380.0 + 90.0 * std::sin(2.0 * cycle + 0.5) + 40.0 * std::sin(5.0 * cycle);
        const double n = noise();
        const double f = 2.0 * std::sin(Pi * whistleAt * FrameTime);
        low += f * band;
        const double high = n - low - 0.08 * band; // small damping: a narrow band
        band += f * high;
        const double value = (rushAgain(rush(n)) * 3.0 + band * 0.05 * (0.5 + 0.5 * gust)) * gust;
        if (i >= settle)
            made[i - settle] = value;
    }
    std::vector<double> signal(made.begin(), made.begin() + static_cast<std::ptrdiff_t>(loop));
    for (size_t i = 0; i < fade; ++i) {
        const double in = static_cast<double>(i) / static_cast<double>(fade); // the start fades in
        signal[i] = made[i] * std::sqrt(in) + made[loop + i] * std::sqrt(1.0 - in);
    }
    return toSamples(signal, 0.5);
}

void put16(std::string& bytes, uint32_t value)
{
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& bytes, uint32_t value)
{
    put16(bytes, value & 0xFFFF);
    put16(bytes, value >> 16);
}

} // namespace

const std::vector<SoundSpec>& allSounds()
{
    static const std::vector<SoundSpec> sounds = {
        {"step-left", stepLeft},
        {"step-right", stepRight},
        {"bump", bump},
        {"wind", wind},
    };
    return sounds;
}

std::string encodeWav(const std::vector<int16_t>& samples, uint32_t rate)
{
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string bytes = "RIFF";
    put32(bytes, 36 + dataBytes);
    bytes += "WAVEfmt ";
    put32(bytes, 16);
    put16(bytes, 1); // PCM
    put16(bytes, 1); // mono
    put32(bytes, rate);
    put32(bytes, rate * 2); // bytes a second
    put16(bytes, 2);        // bytes a frame
    put16(bytes, 16);       // bits a sample
    bytes += "data";
    put32(bytes, dataBytes);
    for (int16_t sample : samples)
        put16(bytes, static_cast<uint16_t>(sample));
    return bytes;
}

} // namespace SoundGen
