#include "math/MathUtil.h"
#include "math/Vector2.h"
#include "math/Vector3.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

uint32_t bitsOf(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

} // namespace

// Every constant comes from pi as the float 3.1415927 with float arithmetic;
// RadToDeg is the one that differs from the value an exact pi would give.
TEST(MathUtilTest, AngleConstantsHaveTheirSinglePrecisionBits)
{
    struct Case {
        const char* name;
        float value;
        uint32_t bits;
    };
    const Case cases[] = {
        {"DegToRad", Quorvel::DegToRad, 0x3c8efa35u},
        {"Degree", Quorvel::Degree, 0x3c8efa35u},
        {"RadToDeg", Quorvel::RadToDeg, 0x42652ee0u},
        {"PiOver6", Quorvel::PiOver6, 0x3f060a92u},
        {"PiOver4", Quorvel::PiOver4, 0x3f490fdbu},
        {"PiOver3", Quorvel::PiOver3, 0x3f860a92u},
        {"HalfPi", Quorvel::HalfPi, 0x3fc90fdbu},
        {"Pi", Quorvel::Pi, 0x40490fdbu},
        {"ThreeHalvesPi", Quorvel::ThreeHalvesPi, 0x4096cbe4u},
        {"TwoPi", Quorvel::TwoPi, 0x40c90fdbu},
        {"ArcMinute", Quorvel::ArcMinute, 0x3998825bu},
        {"ArcSecond", Quorvel::ArcSecond, 0x36a2ad2eu},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bits, bitsOf(c.value)) << c.name << " = " << c.value;
}

TEST(MathUtilTest, TrigonometryWorksOnTheFloatArgument)
{
    // The float pi is not the real pi, so these are small but not zero.
    EXPECT_FLOAT_EQ(-8.74227766e-08f, Quorvel::sine(Quorvel::Pi));
    EXPECT_FLOAT_EQ(-4.37113883e-08f, Quorvel::cosine(Quorvel::HalfPi));
    EXPECT_EQ(1.41421354f, Quorvel::squareRoot(2.0f));
    EXPECT_EQ(0.0f, Quorvel::squareRoot(0.0f));
}

TEST(MathUtilTest, RandDrawsTheFixedSequenceFromStateOne)
{
    Quorvel::srand(1);
    const int32_t expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464, 5705, 28145};
    for (size_t index = 0; index < sizeof(expected) / sizeof(expected[0]); ++index)
        EXPECT_EQ(expected[index], Quorvel::rand()) << "draw " << index;

    // Far enough along that the state has wrapped around 2^32 many times.
    Quorvel::srand(1);
    int32_t draw = 0;
    for (int index = 0; index < 1000; ++index) {
        draw = Quorvel::rand();
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, 32767);
    }
    EXPECT_EQ(12249, draw) << "the 1000th draw";

    Quorvel::srand(1);
    EXPECT_EQ(41, Quorvel::rand()) << "srand(1) starts the sequence again";
}

TEST(MathUtilTest, NoiseHashWrapsInUnsignedArithmetic)
{
    struct Case {
        uint32_t n;
        uint32_t hash;
        uint32_t positive;
        float value;
    };
    const Case cases[] = {
        {0u, 1376312589u, 1376312589u, -0.281790972f},
        {1u, 1316808037u, 1316808037u, -0.226373047f},
        {2u, 758455919u, 758455919u, 0.293632895f},
        {57u, 3001812789u, 854329141u, 0.204343989f},
        {12345u, 4179961653u, 2032478005u, -0.892892659f},
        {0x80000000u, 3523796237u, 1376312589u, -0.281790972f}, // the shift drops the top bit
        {0xffffffffu, 2254722229u, 107238581u, 0.900126278f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.hash, Quorvel::noiseHash(c.n)) << "n = " << c.n;
        EXPECT_EQ(c.positive, Quorvel::noiseHashPositive(c.n)) << "n = " << c.n;
        EXPECT_FLOAT_EQ(c.value, Quorvel::noiseValue(c.n)) << "n = " << c.n;
    }
}

TEST(MathUtilTest, NoiseValueStaysWithinMinusOneAndOne)
{
    for (uint32_t n = 0; n < 100000; ++n) {
        float value = Quorvel::noiseValue(n * 2654435761u);
        ASSERT_GE(value, -1.0f) << "n = " << n;
        ASSERT_LE(value, 1.0f) << "n = " << n;
    }
}

TEST(MathUtilTest, FillNoiseBytesScalesTheTopByteOfTheHash)
{
    struct Case {
        int32_t width, height;
        uint32_t seed;
        uint8_t amplitude;
        std::vector<uint8_t> bytes; // row i * height + column j
    };
    const Case cases[] = {
        {4, 4, 7u, 127, {91, 48, 93, 80, 59, 11, 101, 53, 102, 95, 19, 109, 2, 80, 10, 28}},
        {2, 2, 0xffffffffu, 200, {104, 138, 76, 147}}, // seed + i * 67 wraps
        {1, 1, 0u, 1, {0}},                            // amplitude 1: only zeros
        {3, 5, 0u, 255, {81, 242, 109, 152, 76, 144, 16, 203, 152, 81, 24, 207, 36, 238, 5}},
    };
    for (const Case& c : cases) {
        const size_t size = static_cast<size_t>(c.width) * static_cast<size_t>(c.height);
        std::vector<uint8_t> grid(size + 16, 0xAB); // a guard tail that must stay untouched
        Quorvel::fillNoiseBytes(grid.data(), c.width, c.height, c.seed, c.amplitude);
        EXPECT_EQ(c.bytes, std::vector<uint8_t>(grid.begin(), grid.begin() + static_cast<std::ptrdiff_t>(size)))
            << c.width << " x " << c.height << " seed " << c.seed;
        EXPECT_EQ(std::vector<uint8_t>(16, 0xAB),
                  std::vector<uint8_t>(grid.begin() + static_cast<std::ptrdiff_t>(size), grid.end()))
            << "nothing written past " << c.width << " x " << c.height;
    }
}

TEST(MathUtilTest, FillNoiseBytesStaysBelowTheAmplitude)
{
    const int32_t n = 64;
    std::vector<uint8_t> grid(n * n);
    for (int amplitude : {0, 1, 3, 127, 255}) {
        Quorvel::fillNoiseBytes(grid.data(), n, n, 0u, static_cast<uint8_t>(amplitude));
        int32_t highest = 0;
        for (uint8_t byte : grid)
            highest = std::max<int32_t>(highest, byte);
        EXPECT_LT(highest, std::max(amplitude, 1)) << "amplitude " << amplitude;
        if (amplitude > 3) {
            EXPECT_GE(highest, amplitude * 9 / 10) << "amplitude " << amplitude << " uses its range";
        }
    }
}

TEST(MathUtilTest, RandomVectorsFillTheLastComponentFirst)
{
    // From state 1 the draws are 41, 18467, 6334, then 26500, 19169, 15724,
    // then 11478, 29358. Each draw is scaled in double and rounded to float.
    Quorvel::srand(1);
    Quorvel::Vector3 unit = Quorvel::randomVector();
    EXPECT_FLOAT_EQ(6334 / 32767.0f, unit.x);
    EXPECT_FLOAT_EQ(18467 / 32767.0f, unit.y);
    EXPECT_FLOAT_EQ(41 / 32767.0f, unit.z);

    Quorvel::Vector3 centred = Quorvel::randomCentredVector(2.0f);
    EXPECT_FLOAT_EQ(static_cast<float>((15724 / 32767.0 - 0.5) * 2.0), centred.x);
    EXPECT_FLOAT_EQ(static_cast<float>((19169 / 32767.0 - 0.5) * 2.0), centred.y);
    EXPECT_FLOAT_EQ(static_cast<float>((26500 / 32767.0 - 0.5) * 2.0), centred.z);

    Quorvel::Vector2 flat = Quorvel::randomCentredVector2(10.0f);
    EXPECT_FLOAT_EQ(static_cast<float>((29358 / 32767.0 - 0.5) * 10.0), flat.x);
    EXPECT_FLOAT_EQ(static_cast<float>((11478 / 32767.0 - 0.5) * 10.0), flat.y);
}

TEST(MathUtilTest, RandomVectorsStayInTheirRange)
{
    Quorvel::srand(1);
    for (int index = 0; index < 5000; ++index) {
        Quorvel::Vector3 unit = Quorvel::randomVector();
        ASSERT_TRUE(unit.x >= 0.0f && unit.x <= 1.0f && unit.y >= 0.0f && unit.y <= 1.0f && unit.z >= 0.0f
                    && unit.z <= 1.0f)
            << "draw " << index;
        Quorvel::Vector3 centred = Quorvel::randomCentredVector(4.0f);
        ASSERT_TRUE(centred.x >= -2.0f && centred.x <= 2.0f && centred.y >= -2.0f && centred.y <= 2.0f
                    && centred.z >= -2.0f && centred.z <= 2.0f)
            << "draw " << index;
    }
}
