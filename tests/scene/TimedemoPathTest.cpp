// The timedemo's recorded walk played into the level without OpenGL: it is
// the same on every run, stays in open cells, does what it is meant to show
// (walking, turning, strafing, looking up and down, one change of the cloud
// density), repeats after its length, and allocates nothing.

#include "AllocationCounter.h"
#include "scene/SceneTestSupport.h"

#include "input/InputSystem.h"
#include "scene/TimedemoPath.h"
#include "scene/W_LevelRenderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using Quorvel::TimedemoPath;
using Quorvel::W_LevelRenderer;

namespace {

class QuietInputSystem : public Quorvel::InputSystem {
public:
    bool hasFailed() override { return false; }
    void relativeToCentre(int32_t&, int32_t&) override {}
    void centreCursor() override {}
};

struct Pose {
    float x, z, yaw, pitch, density;
    bool operator==(const Pose& o) const
    {
        return x == o.x && z == o.z && yaw == o.yaw && pitch == o.pitch && density == o.density;
    }
};

Pose poseOf(const W_LevelRenderer& level)
{
    return {level.getPlayerPosition().x, level.getPlayerPosition().z, level.getYaw(), level.getPitch(),
            level.getSky()->getDensity()};
}

class TimedemoPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(&timer, Quorvel::TimerSystem::existingInstance()) << "another timer system is registered";
        ASSERT_EQ(&input, Quorvel::InputSystem::existingInstance()) << "another input system is registered";
    }

    // Every pose of a walk of the given frames, on a fresh level.
    std::vector<Pose> walk(uint32_t frames)
    {
        W_LevelRenderer level{Quorvel::SkyDome::WithoutGraphics()};
        TimedemoPath path;
        std::vector<Pose> poses;
        for (uint32_t i = 0; i < frames; ++i) {
            path.advance(level);
            poses.push_back(poseOf(level));
        }
        return poses;
    }

    SceneTest::ManualTimerSystem timer;
    QuietInputSystem input;
};

} // namespace

TEST_F(TimedemoPathTest, StepsAreWellFormedAndLastTheDefaultRun)
{
    uint32_t total = 0;
    for (uint32_t i = 0; i < TimedemoPath::getStepCount(); ++i) {
        const TimedemoPath::Step& step = TimedemoPath::getSteps()[i];
        EXPECT_GT(step.frames, 0) << "step " << i;
        EXPECT_LE(std::abs(step.forward), 1) << "step " << i;
        EXPECT_LE(std::abs(step.sideways), 1) << "step " << i;
        EXPECT_LE(std::abs(step.density), 1) << "step " << i;
        total += step.frames;
    }
    EXPECT_EQ(total, TimedemoPath::getPathFrames());
    EXPECT_EQ(TimedemoPath::getPathFrames(), 2000u);
}

TEST_F(TimedemoPathTest, EveryRunWalksExactlyTheSamePoses)
{
    const std::vector<Pose> first = walk(2100);
    const std::vector<Pose> second = walk(2100);
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i)
        ASSERT_TRUE(first[i] == second[i]) << "frame " << i << " differs";
}

TEST_F(TimedemoPathTest, WalksThroughTheLevelShowingEachKindOfMovement)
{
    const std::vector<Pose> poses = walk(TimedemoPath::getPathFrames());
    const W_LevelRenderer grid{Quorvel::SkyDome::WithoutGraphics()};
    float minPitch = 0.0f, maxPitch = 0.0f, minX = 1e9f, maxX = -1e9f, minZ = 1e9f, maxZ = -1e9f;
    int densityChanges = 0;
    int densityRuns = 0;
    bool changing = false;
    float turned = 0.0f;
    for (size_t i = 0; i < poses.size(); ++i) {
        const Pose& p = poses[i];
        EXPECT_FALSE(grid.isSolidAt(p.x, p.z)) << "frame " << i << " stands in a solid cell";
        minPitch = std::min(minPitch, p.pitch);
        maxPitch = std::max(maxPitch, p.pitch);
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minZ = std::min(minZ, p.z);
        maxZ = std::max(maxZ, p.z);
        if (i > 0) {
            const bool changed = p.density != poses[i - 1].density;
            densityChanges += changed ? 1 : 0;
            if (changed && !changing)
                ++densityRuns;
            changing = changed;
            float yawStep = std::fabs(p.yaw - poses[i - 1].yaw);
            if (yawStep > 3.0f)
                yawStep = 6.2831855f - yawStep; // across the wrap
            turned += yawStep;
        }
    }
    EXPECT_GT(maxPitch, 0.7f) << "looks up";
    EXPECT_LT(minPitch, -0.7f) << "looks down";
    EXPECT_GT(maxX - minX, 120.0f) << "crosses the level along x";
    EXPECT_GT(maxZ - minZ, 120.0f) << "and along z";
    EXPECT_GT(turned, 3.0f * 6.28f) << "turns round more than three times in all";
    EXPECT_EQ(densityRuns, 1) << "the density changes in one stretch";
    EXPECT_NEAR(poses.back().density, 0.8f, 1e-4f) << "from 0.4 to 0.8";
    EXPECT_NEAR(poses.back().pitch, 0.0f, 1e-4f) << "ends looking level";
    EXPECT_EQ(densityChanges, 40);
}

TEST_F(TimedemoPathTest, StrafingMovesSidewaysWithoutTurning)
{
    // The path's first strafe (frames 160 to 174) moves the player across the
    // view while the view stays as it is.
    const std::vector<Pose> poses = walk(176);
    const Pose& before = poses[159];
    const Pose& after = poses[174];
    EXPECT_EQ(before.yaw, after.yaw);
    EXPECT_NEAR(after.z - before.z, -15.0f, 0.5f) << "15 units to the left of a view along +x";
    EXPECT_NEAR(after.x, before.x, 0.5f);
}

TEST_F(TimedemoPathTest, LongerRunsRepeatTheStepsFromWhereThePlayerStands)
{
    // Step 0 stands still for 20 frames; the second pass starts with it too.
    const std::vector<Pose> poses = walk(TimedemoPath::getPathFrames() + 25);
    const size_t end = TimedemoPath::getPathFrames() - 1;
    for (size_t i = end + 1; i < end + 21; ++i)
        EXPECT_TRUE(poses[i] == poses[end]) << "frame " << i << " moved";
    EXPECT_FALSE(poses[end + 25] == poses[end]) << "then it turns again";
}

TEST_F(TimedemoPathTest, PlayingThePathAllocatesNothing)
{
    W_LevelRenderer level{Quorvel::SkyDome::WithoutGraphics()};
    TimedemoPath path;
    path.advance(level);
    const long before = SceneTest::allocationCount();
    for (uint32_t i = 1; i < TimedemoPath::getPathFrames(); ++i)
        path.advance(level);
    EXPECT_EQ(SceneTest::allocationCount(), before);
    EXPECT_EQ(path.getFrame(), TimedemoPath::getPathFrames());
}
