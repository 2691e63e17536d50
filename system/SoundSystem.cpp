// The neutral part of the sound system: its settings and the mixer's master
// volume.

#include "system/SoundSystem.h"

#include "core/Application.h"
#include "core/Config.h"
#include "core/ConfigSection.h"
#include "core/Log.h"
#include "core/String.h"

namespace Quorvel {

SoundSystem::SoundSystem()
{
    applyVolume();
}

SoundSystem::~SoundSystem() = default;

SoundSystem::Settings SoundSystem::readSettings(const ConfigSection* section, Log& log)
{
    Settings settings;
    if (!section)
        return settings;

    if (section->has("volume")) {
        String written = section->getString("volume", String());
        written.trim();
        // Read twice with different defaults: a value that is no number
        // comes back as each default, a number as itself.
        const int32_t low = section->getInt("volume", -1);
        const int32_t high = section->getInt("volume", 101);
        if (written.length() > 0 && low == high && low >= 0 && low <= 100)
            settings.volume = low;
        else
            log.printf("Sound: volume = %s is not a number from 0 to 100; using %d", written.c_str(),
                       static_cast<int>(DefaultVolume));
    }
    if (section->has("enabled")) {
        String written = section->getString("enabled", String());
        written.trim();
        const bool asTrue = section->getBool("enabled", true);
        const bool asFalse = section->getBool("enabled", false);
        if (asTrue == asFalse && written.length() > 0)
            settings.enabled = asTrue;
        else
            log.printf("Sound: enabled = %s is not on or off; using %s", written.c_str(),
                       DefaultEnabled ? "on" : "off");
    }
    return settings;
}

void SoundSystem::configure()
{
    Application* application = Application::instance();
    Config* config = application->getConfig();
    const Settings settings = readSettings(config ? config->getSection("Sound") : nullptr, *application->getLog());
    setVolume(settings.volume);
    setEnabled(settings.enabled);
}

void SoundSystem::setVolume(int32_t percent)
{
    volume = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
    applyVolume();
}

void SoundSystem::setMuted(bool value)
{
    muted = value;
    applyVolume();
}

void SoundSystem::applyVolume()
{
    mixer.setMasterVolume(muted ? 0.0f : static_cast<float>(volume) / 100.0f);
}

} // namespace Quorvel
