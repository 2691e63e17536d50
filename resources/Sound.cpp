// Sound: the sound cache on top of the ".wav" reader.

#include "resources/Sound.h"

#include "core/Application.h"
#include "resources/WaveFile.h"

#include <utility>

namespace Quorvel {

namespace {

ResourceCache<Sound>& soundCache()
{
    static ResourceCache<Sound>* cache = new ResourceCache<Sound>(); // lives until the process ends
    return *cache;
}

} // namespace

Sound::Sound(std::vector<int16_t> samples, uint16_t channels, uint32_t sampleRate)
    : SoundSamples(std::move(samples), channels, sampleRate)
{
}

Sound* Sound::load(const String& name)
{
    ResourceCache<Sound>& cache = soundCache();
    if (Sound* found = cache.find(name))
        return found;

    const String fileName = name + ".wav";
    WaveFile wave;
    if (!wave.read(fileName)) {
        Application::writeLog(String("Sound \"") + fileName + "\" load failed: " + wave.getError());
        return nullptr;
    }
    Sound* sound = new Sound(wave.getSamples(), wave.getChannels(), wave.getSampleRate());
    sound->setName(name);
    return cache.add(sound);
}

} // namespace Quorvel
