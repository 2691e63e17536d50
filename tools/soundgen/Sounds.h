#pragma once
// The walk-through's sounds, synthesised: footsteps on stone (a left and a
// right foot), a dull bump against a wall, and a wind that loops without a
// seam. Each is mono, 16-bit, SampleRate frames a second, and the same
// samples on every run: each sound restarts the engine's random generator
// from a seed of its own, so making one sound alone gives the same bytes as
// making all of them.

#include <cstdint>
#include <string>
#include <vector>

namespace SoundGen {

constexpr uint32_t SampleRate = 22050; // frames a second

struct SoundSpec {
    std::string name; // file name without ".wav"
    std::vector<int16_t> (*make)();
};

// Every sound the tool makes, in the order it writes them.
const std::vector<SoundSpec>& allSounds();

// A RIFF WAVE file of 16-bit mono PCM: the 44-byte header and the samples.
std::string encodeWav(const std::vector<int16_t>& samples, uint32_t rate);

} // namespace SoundGen
