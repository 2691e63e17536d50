#pragma once
// SoundSystem: the platform-neutral side of sound output, a subsystem beside
// timer, graphics and input. It owns the mixer the game plays its sounds
// through and keeps the settings of the "Sound" configuration section:
//
//   [Sound]
//   volume = 80    ; 0 to 100, the loudness of everything played
//   enabled = on   ; off opens no audio device at all
//
// A missing key takes its default; a value out of range or not a number (or
// not on/off) is logged and replaced by the default. Muting (the M key in
// the demonstration) silences the output without forgetting the volume.
//
// The platform implementation opens the device when the window exists and
// feeds it from the mixer on a thread of its own; without a device (disabled,
// none there, or lost) the mixer still takes commands and nothing is heard.
// Sound never makes start-up fail: hasFailed() is always false.

#include "core/RegisteredInstance.h"
#include "system/SoundMixer.h"
#include "system/Subsystem.h"

#include <cstdint>

namespace Quorvel {

class ConfigSection;
class Log;

class SoundSystem : public Subsystem, public RegisteredInstance<SoundSystem> {
public:
    static constexpr int32_t DefaultVolume = 80; // percent
    static constexpr bool DefaultEnabled = true;

    struct Settings {
        int32_t volume = DefaultVolume; // 0 to 100
        bool enabled = DefaultEnabled;
    };

    // The one sound system. Creates the platform implementation (which
    // registers itself with the application) on the first call unless one
    // already exists. Defined by the platform layer.
    static SoundSystem* instance();

    ~SoundSystem() override;

    // The settings of a "Sound" section (null: none, every default); each
    // unusable value gets one log line naming key, value and the default used.
    static Settings readSettings(const ConfigSection* section, Log& log);
    // Reads the application's "Sound" section into the settings.
    void configure();

    int32_t getVolume() const { return volume; }
    void setVolume(int32_t percent); // clamped to 0..100
    bool isEnabled() const { return enabled; }
    void setEnabled(bool value) { enabled = value; } // before the device opens
    bool isMuted() const { return muted; }
    void setMuted(bool value);

    // Whether a device is open and being fed now.
    virtual bool isPlaying() const = 0;
    // Stops feeding and closes the device (logged when one was open); the
    // mixer stays usable and silent. Called when the main loop has ended.
    virtual void shutdown() = 0;

    SoundMixer& getMixer() { return mixer; }

protected:
    SoundSystem(); // becomes the registered instance when none is yet

private:
    void applyVolume(); // the mixer's master volume from volume and mute

    SoundMixer mixer;
    int32_t volume = DefaultVolume;
    bool enabled = DefaultEnabled;
    bool muted = false;
};

} // namespace Quorvel
