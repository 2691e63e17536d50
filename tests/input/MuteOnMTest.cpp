#include "input/MuteOnM.h"

#include "input/InputSystem.h"
#include "support/BareApplication.h"
#include "support/FakeScreen.h"
#include "support/LogLines.h"
#include "support/TempDir.h"
#include "system/SoundSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Quorvel;
using QuorvelTest::BareApplication;
using QuorvelTest::FakeScreen;

namespace {

class FakeInputSystem : public InputSystem {
public:
    bool hasFailed() override { return false; }
    void relativeToCentre(int32_t&, int32_t&) override {}
    void centreCursor() override {}
};

class SilentSoundSystem : public SoundSystem {
public:
    bool hasFailed() override { return false; }
    bool isPlaying() const override { return false; }
    void shutdown() override {}
};

} // namespace

TEST(MuteOnMTest, MDownTogglesTheMuteAndNothingElseDoes)
{
    QuorvelTest::TempDir dir;
    BareApplication application;
    FakeScreen screen(1024, 768);
    FakeInputSystem input;
    MuteOnM muteKey;
    input.addHandler(&muteKey);
    EXPECT_EQ(uint32_t(KeyDown), muteKey.getEventMask());

    // Without a sound system the key is left to others.
    EXPECT_FALSE(input.dispatchKey(MuteOnM::KeyM, 'm', true));
    input.dispatchKey(MuteOnM::KeyM, 'm', false);

    SilentSoundSystem sound;
    ASSERT_EQ(SoundSystem::existingInstance(), &sound);
    const QuorvelTest::LogMark mark;
    for (uint32_t code : {77u, 119u, 27u, InputSystem::MouseLeft}) { // 'M' as a code is no engine key
        EXPECT_FALSE(input.dispatchKey(code, 0, true)) << code;
        input.dispatchKey(code, 0, false);
    }
    EXPECT_FALSE(input.dispatchKey(MuteOnM::KeyM, 0, false)) << "a key-up of M";
    EXPECT_FALSE(sound.isMuted());

    EXPECT_TRUE(input.dispatchKey(MuteOnM::KeyM, 'm', true));
    EXPECT_TRUE(sound.isMuted());
    input.dispatchKey(MuteOnM::KeyM, 'm', false);
    EXPECT_TRUE(input.dispatchKey(MuteOnM::KeyM, 'm', true));
    EXPECT_FALSE(sound.isMuted());
    EXPECT_EQ(sound.getVolume(), SoundSystem::DefaultVolume) << "muting keeps the volume";
    EXPECT_EQ(mark.since(), (std::vector<std::string>{"Sound: muted", "Sound: unmuted"}));
}
