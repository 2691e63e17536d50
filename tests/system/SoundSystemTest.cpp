// The sound system's settings and what they do to the mixer's output.

#include "core/ConfigSection.h"
#include "core/Log.h"
#include "resources/Sound.h"
#include "support/TempDir.h"
#include "system/SoundSystem.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Quorvel::SoundSystem;

// The neutral sound system without a device.
class SilentSoundSystem : public SoundSystem {
public:
    bool hasFailed() override { return false; }
    bool isPlaying() const override { return false; }
    void shutdown() override {}
};

std::vector<std::string> linesOf(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

TEST(SoundSystemTest, SettingsFromTheSoundSection)
{
    struct Case {
        const char* key; // null: no section at all
        const char* value;
        int32_t volume;
        bool enabled;
        const char* logLine; // null: none
    };
    const Case cases[] = {
        {nullptr, "", 80, true, nullptr},
        {"volume", "0", 0, true, nullptr},
        {"volume", "100", 100, true, nullptr},
        {"volume", "35", 35, true, nullptr},
        {"volume", "101", 80, true, "Sound: volume = 101 is not a number from 0 to 100; using 80"},
        {"volume", "-1", 80, true, "Sound: volume = -1 is not a number from 0 to 100; using 80"},
        {"volume", "loud", 80, true, "Sound: volume = loud is not a number from 0 to 100; using 80"},
        {"volume", "50%", 80, true, "Sound: volume = 50% is not a number from 0 to 100; using 80"},
        {"volume", "", 80, true, "Sound: volume =  is not a number from 0 to 100; using 80"},
        {"volume", "99999999999", 80, true, "Sound: volume = 99999999999 is not a number from 0 to 100; using 80"},
        {"enabled", "off", 80, false, nullptr},
        {"enabled", "No", 80, false, nullptr},
        {"enabled", "on", 80, true, nullptr},
        {"enabled", "maybe", 80, true, "Sound: enabled = maybe is not on or off; using on"},
        {"enabled", "", 80, true, "Sound: enabled =  is not on or off; using on"},
        {"other", "1", 80, true, nullptr},
    };
    QuorvelTest::TempDir directory;
    int n = 0;
    for (const Case& c : cases) {
        const std::string logPath = directory.path() + "/log" + std::to_string(n++) + ".txt";
        SoundSystem::Settings settings;
        {
            Quorvel::Log log(logPath.c_str());
            Quorvel::ConfigSection section;
            if (c.key)
                section.insert(c.key, c.value);
            settings = SoundSystem::readSettings(c.key ? &section : nullptr, log);
        }
        const std::string shown = std::string(c.key ? c.key : "(no section)") + " = " + c.value;
        EXPECT_EQ(settings.volume, c.volume) << shown;
        EXPECT_EQ(settings.enabled, c.enabled) << shown;
        const std::vector<std::string> lines = linesOf(logPath);
        if (c.logLine) {
            ASSERT_EQ(lines.size(), 1u) << shown;
            EXPECT_EQ(lines[0], c.logLine) << shown;
        } else {
            EXPECT_TRUE(lines.empty()) << shown << ": " << (lines.empty() ? "" : lines[0]);
        }
    }
}

// The volume and the mute reach the output as the mixer's master volume: a
// full-scale constant plays at volume / 100, and at nothing while muted.
TEST(SoundSystemTest, VolumeAndMuteScaleTheOutput)
{
    SilentSoundSystem sound;
    EXPECT_EQ(sound.getVolume(), SoundSystem::DefaultVolume);
    const Quorvel::Sound constant(std::vector<int16_t>(4096, 20000), 2, 44100);
    ASSERT_TRUE(sound.getMixer().start(&constant, 1.0f, 0.0f, true).isValid());

    std::vector<int16_t> frames(2 * 2048);
    // The last frame of a mix long enough for every glide to have ended.
    auto settled = [&]() {
        sound.getMixer().mix(frames.data(), 2048);
        return frames[frames.size() - 2];
    };
    EXPECT_NEAR(settled(), 16000, 2) << "default volume 80";
    sound.setVolume(25);
    EXPECT_NEAR(settled(), 5000, 2);
    sound.setMuted(true);
    EXPECT_TRUE(sound.isMuted());
    EXPECT_EQ(settled(), 0);
    sound.setVolume(100); // remembered while muted
    EXPECT_EQ(settled(), 0);
    sound.setMuted(false);
    EXPECT_NEAR(settled(), 20000, 2);
    sound.setVolume(250);
    EXPECT_EQ(sound.getVolume(), 100);
    sound.setVolume(-5);
    EXPECT_EQ(sound.getVolume(), 0);
    EXPECT_EQ(settled(), 0);
}

} // namespace
