#include "system/SoundSamples.h"

#include <utility>

namespace Quorvel {

SoundSamples::SoundSamples(std::vector<int16_t> samples, uint16_t channels, uint32_t sampleRate)
    : samples(std::move(samples)), channels(channels == 2 ? 2 : 1), sampleRate(sampleRate),
      frameCount(static_cast<uint32_t>(this->samples.size() / this->channels))
{
}

} // namespace Quorvel
