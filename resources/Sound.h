#pragma once
// Sound: a sound resource, the samples of a ".wav" file (see WaveFile) loaded
// by name through the file system and cached for the rest of the run. The
// samples are interleaved 16-bit values, never changed after loading, so the
// mixer may read them from the audio side while the game keeps the pointer.
// Code that computes its own samples (tests, tools) constructs one directly;
// such sounds have no name and are not cached.

#include "resources/Resource.h"
#include "system/SoundSamples.h"

#include <cstdint>
#include <vector>

namespace Quorvel {

class Sound : public Resource, public SoundSamples {
public:
    // Channels 1 or 2; samples interleaved, left first; rate in frames a second.
    Sound(std::vector<int16_t> samples, uint16_t channels, uint32_t sampleRate);
    ~Sound() override = default;

    // The sound loaded from name + ".wav", from the cache when it was loaded
    // before. On failure writes one line 'Sound "<name>.wav" load failed:
    // <reason>' to the log and returns null, so the sound stays silent; a
    // failed name is not cached.
    static Sound* load(const String& name);

};

} // namespace Quorvel
