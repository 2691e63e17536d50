// Sounds as resources: loaded once and cached by name; a bad or missing file
// is one log line naming the file and the reason, and no sound.

#include "resources/Sound.h"

#include "files/FileSystem.h"
#include "resources/MemoryDirectory.h"
#include "support/BareApplication.h"
#include "support/ByteText.h"
#include "support/LogLines.h"

#include <gtest/gtest.h>

using namespace Quorvel;
using QuorvelTest::u16;
using QuorvelTest::u32;

TEST(SoundTest, LoadsOnceAndLogsOneLineForABadFile)
{
    QuorvelTest::BareApplication application; // owns the log
    auto* directory = new QuorvelTest::MemoryDirectory();
    FileSystem::instance()->mount("soundtest:", directory);
    const std::string format = u16(1) + u16(2) + u32(22050) + u32(22050 * 4) + u16(4) + u16(16);
    directory->files["step.wav"] = "RIFF" + u32(4 + 24 + 16) + "WAVE" + "fmt " + u32(16) + format + "data" + u32(8)
        + u16(1) + u16(2) + u16(3) + u16(4);
    directory->files["empty.wav"] = "";

    QuorvelTest::LogMark mark;
    Sound* step = Sound::load("soundtest:step");
    ASSERT_NE(nullptr, step);
    EXPECT_EQ(2, step->getChannels());
    EXPECT_EQ(22050u, step->getSampleRate());
    EXPECT_EQ(2u, step->getFrameCount());
    EXPECT_EQ(4, step->getSamples()[3]);
    EXPECT_TRUE(step->getName() == "soundtest:step");
    EXPECT_EQ(step, Sound::load("soundtest:step")) << "the second load comes from the cache";
    EXPECT_EQ(1, directory->opens["step.wav"]);
    EXPECT_TRUE(mark.since().empty());

    QuorvelTest::LogMark bad;
    EXPECT_EQ(nullptr, Sound::load("soundtest:empty"));
    EXPECT_EQ(nullptr, Sound::load("soundtest:missing"));
    EXPECT_EQ(bad.since(),
              (std::vector<std::string>{"Sound \"soundtest:empty.wav\" load failed: shorter than a RIFF header",
                                        "Sound \"soundtest:missing.wav\" load failed: cannot be opened"}));
    EXPECT_EQ(nullptr, Sound::load("soundtest:empty"));
    EXPECT_EQ(2, directory->opens["empty.wav"]) << "a failed name is not cached: it is read again";
}
