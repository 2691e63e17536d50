// The sky's cloud noise prepared ahead: the same bytes as SkyDome's own
// build, whether a worker built them, get() did, or a second start was asked
// for; an object left without get() waits for its worker when it goes.

#include "scene/SkyDome.h"
#include "scene/SkyNoise.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using Quorvel::SkyDome;
using Quorvel::SkyNoise;

namespace {

const std::vector<uint8_t>& reference()
{
    static const std::vector<uint8_t> bytes = [] {
        std::vector<uint8_t> built(static_cast<size_t>(SkyDome::NoiseSize) * SkyDome::NoiseSize);
        SkyDome::buildNoise(built.data());
        return built;
    }();
    return bytes;
}

} // namespace

TEST(SkyNoiseTest, TheSameBytesWhoeverBuildsThem)
{
    struct Case {
        const char* name;
        int starts; // startBuilding() calls before get()
    };
    const Case cases[] = {{"built by get()", 0}, {"built by the worker", 1}, {"started twice", 2}};
    for (const Case& c : cases) {
        SkyNoise noise;
        EXPECT_FALSE(noise.isStarted()) << c.name;
        for (int i = 0; i < c.starts; ++i)
            noise.startBuilding();
        EXPECT_EQ(noise.isStarted(), c.starts > 0) << c.name;
        const std::vector<uint8_t>& bytes = noise.get();
        ASSERT_EQ(bytes.size(), reference().size()) << c.name;
        EXPECT_TRUE(bytes == reference()) << c.name << ": the bytes differ from SkyDome::buildNoise's";
        EXPECT_EQ(&noise.get(), &bytes) << c.name << ": a second get() hands back the same bytes";
        noise.startBuilding(); // after the build: nothing more happens
        EXPECT_TRUE(noise.get() == reference()) << c.name;
    }
}

TEST(SkyNoiseTest, AWorkerNeverWaitedForIsJoinedOnDestruction)
{
    for (int i = 0; i < 3; ++i) {
        SkyNoise noise;
        noise.startBuilding();
        EXPECT_TRUE(noise.isStarted());
    } // a start-up that failed before the sky was made: the worker ends with it
}
