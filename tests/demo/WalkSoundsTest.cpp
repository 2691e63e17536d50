// The walk-through's sounds against the level's movement without OpenGL: a
// step when a walk starts and every 20 periods, none while standing or
// pushing, one bump per contact with a wall, the wind following the sky.

#include "demo/WalkSounds.h"

#include "scene/SceneTestSupport.h"

#include "files/DiskDirectory.h"
#include "files/FileSystem.h"
#include "input/InputSystem.h"
#include "scene/W_LevelRenderer.h"
#include "system/SoundMixer.h"

#include <gtest/gtest.h>

#include <vector>

using Quorvel::W_LevelRenderer;
using Quorvel::WalkSounds;

namespace {

class PlainInputSystem : public Quorvel::InputSystem {
public:
    bool hasFailed() override { return false; }
    void relativeToCentre(int32_t&, int32_t&) override {}
    void centreCursor() override {}
};

class WalkSoundsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(&timer, Quorvel::TimerSystem::existingInstance());
        ASSERT_EQ(&input, Quorvel::InputSystem::existingInstance());
    }

    static bool mountData()
    {
        Quorvel::FileSystem::instance()->mount("", new Quorvel::DiskDirectory(QUORVEL_SOURCE_DIR "/data"));
        return true;
    }

    // The key goes down or up for the input system's held keys and for the
    // level, as the widget manager would pass it on.
    void press(char key, bool down)
    {
        const uint32_t code = static_cast<uint32_t>(key);
        input.dispatchKey(code, code, down);
        Quorvel::InputState state;
        state.setKey(code);
        level.handleInput(down ? Quorvel::KeyDown : Quorvel::KeyUp, state);
    }

    // count ticks of the given periods: the level first, then the sounds.
    void ticks(int count, uint32_t periods = 1)
    {
        for (int i = 0; i < count; ++i) {
            level.tick(periods);
            sounds.tick(periods);
        }
    }

    // Voices the mixer plays after carrying out what the ticks asked for.
    uint32_t playing()
    {
        std::vector<int16_t> frames(2 * 64);
        mixer.mix(frames.data(), 64);
        return mixer.getPlayingCount();
    }

    SceneTest::ManualTimerSystem timer;
    PlainInputSystem input;
    bool mounted = mountData();
    W_LevelRenderer level{Quorvel::SkyDome::WithoutGraphics()};
    Quorvel::SoundMixer mixer;
    WalkSounds sounds{level, mixer};
};

TEST_F(WalkSoundsTest, StepsAtWalkingPaceOnlyWhileMoving)
{
    ticks(100);
    EXPECT_EQ(sounds.getStepCount(), 0u) << "standing";
    EXPECT_EQ(playing(), 1u) << "the wind alone";

    press('w', true);
    ticks(100); // periods 0, 20, 40, 60 and 80 step
    EXPECT_EQ(sounds.getStepCount(), 5u);
    EXPECT_EQ(playing(), 6u) << "the wind and the five steps (no time has passed for the mixer)";
    press('w', false);
    ticks(100);
    EXPECT_EQ(sounds.getStepCount(), 5u) << "standing again";
    EXPECT_EQ(sounds.getBumpCount(), 0u);

    // A new walk starts with a step; a stalled tick of many periods plays
    // one step, not a burst.
    press('w', true);
    ticks(1);
    EXPECT_EQ(sounds.getStepCount(), 6u);
    ticks(1, 60);
    EXPECT_EQ(sounds.getStepCount(), 7u);
    press('w', false);
}

TEST_F(WalkSoundsTest, OneBumpPerContactAndNoStepsWhilePushing)
{
    // Backwards from the middle of the first cell: a few periods of moving
    // up to the grid's edge, then pushing against it.
    press('s', true);
    ticks(100);
    EXPECT_EQ(sounds.getStepCount(), 1u) << "the walk's first step only";
    EXPECT_EQ(sounds.getBumpCount(), 1u);
    press('s', false);
    ticks(10);
    EXPECT_EQ(sounds.getBumpCount(), 1u) << "letting go is no contact";

    press('s', true);
    ticks(100);
    EXPECT_EQ(sounds.getBumpCount(), 2u) << "pushing again is a new contact";
    EXPECT_EQ(sounds.getStepCount(), 1u);
    press('s', false);

    // Backwards and sideways at once slides along the edge: walking, no bump.
    press('s', true);
    press('d', true);
    ticks(40);
    EXPECT_EQ(sounds.getBumpCount(), 2u);
    EXPECT_EQ(sounds.getStepCount(), 3u);
}

TEST_F(WalkSoundsTest, WindFollowsTheCloudDensity)
{
    EXPECT_FLOAT_EQ(WalkSounds::windVolume(0.0f), WalkSounds::WindQuiet);
    EXPECT_FLOAT_EQ(WalkSounds::windVolume(1.0f), WalkSounds::WindQuiet + WalkSounds::WindRange);
    EXPECT_FLOAT_EQ(WalkSounds::windVolume(-3.0f), WalkSounds::windVolume(0.0f));
    EXPECT_LT(WalkSounds::windVolume(0.3f), WalkSounds::windVolume(0.6f));

    // The wind's loudness in the output follows the sky.
    auto loudness = [this]() {
        std::vector<int16_t> frames(2 * 4096);
        mixer.mix(frames.data(), 4096);
        double sum = 0;
        for (size_t i = frames.size() / 2; i < frames.size(); ++i)
            sum += static_cast<double>(frames[i]) * frames[i];
        return sum;
    };
    level.getSky()->setDensity(0.0f);
    ticks(1);
    loudness();
    const double clear = loudness();
    level.getSky()->setDensity(1.0f);
    ticks(1);
    loudness();
    const double overcast = loudness();
    EXPECT_GT(clear, 0.0);
    EXPECT_GT(overcast, 4.0 * clear) << "about (0.7 / 0.1)^2 times the energy";
}

} // namespace
