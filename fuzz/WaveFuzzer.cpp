// Fuzz target: the ".wav" reader, by name through the file system. A sound
// it accepts has a shape the mixer can rely on: one or two channels, a rate
// in the supported range, and exactly frames x channels samples, no more
// than the file could hold. The mixer then plays it, looped and once, at its
// own rate.

#include "FuzzInput.h"

#include "resources/Sound.h"
#include "resources/WaveFile.h"
#include "system/SoundMixer.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace Quorvel;
    const String name = QuorvelFuzz::FuzzInput::set("input.wav", data, size);
    WaveFile wave;
    if (!wave.read(name)) {
        if (wave.getError().length() == 0 || !wave.getSamples().empty() || wave.getChannels() != 0)
            std::abort();
        return 0;
    }
    const size_t samples = wave.getSamples().size();
    if ((wave.getChannels() != 1 && wave.getChannels() != 2) || wave.getSampleRate() < WaveFile::MinSampleRate
        || wave.getSampleRate() > WaveFile::MaxSampleRate || wave.getFrameCount() == 0
        || samples != static_cast<size_t>(wave.getFrameCount()) * wave.getChannels()
        || samples * wave.getBitsPerSample() / 8 > size)
        std::abort();

    const Sound sound(wave.getSamples(), wave.getChannels(), wave.getSampleRate());
    SoundMixer mixer;
    mixer.start(&sound, 1.0f, -0.3f, true);
    mixer.start(&sound, 0.7f, 0.6f, false);
    int16_t frames[2 * 512];
    mixer.mix(frames, 512);
    return 0;
}
