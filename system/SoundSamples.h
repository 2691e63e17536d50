#pragma once
// SoundSamples: what the mixer plays: interleaved 16-bit samples (left first
// in stereo) at their own rate, never changed after construction, so the
// audio side may read them while the game side holds the object. A sound
// resource (resources/Sound) is one; so is any sound a program computes.

#include <cstdint>
#include <vector>

namespace Quorvel {

class SoundSamples {
public:
    // Channels 1 or 2 (any other count is taken as 1); rate in frames a second.
    SoundSamples(std::vector<int16_t> samples, uint16_t channels, uint32_t sampleRate);
    virtual ~SoundSamples() = default;

    const int16_t* getSamples() const { return samples.data(); }
    uint32_t getFrameCount() const { return frameCount; }
    uint16_t getChannels() const { return channels; }
    uint32_t getSampleRate() const { return sampleRate; } // frames a second

private:
    std::vector<int16_t> samples;
    uint16_t channels;
    uint32_t sampleRate;
    uint32_t frameCount;
};

} // namespace Quorvel
