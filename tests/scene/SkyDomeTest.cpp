// The sky's generated content without OpenGL: the dome mesh, the cloud noise
// (checked byte for byte against a plain transcription of its formula) and
// the exponential lookup table; and the density's range.

#include "math/MathUtil.h"
#include "scene/SkyDome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using Quorvel::SkyDome;

namespace {

// The cloud noise written as directly as it is defined: per octave a grid of
// noise bytes, a layer interpolated from it cell by cell, and the layer added
// into the sum inside the outer ring.
std::vector<uint8_t> referenceNoise()
{
    const uint32_t size = 1024;
    std::vector<uint8_t> sum(size * size, 0);
    std::vector<uint8_t> layer(size * size);
    std::vector<uint8_t> grid(size * size);
    for (uint32_t n = 16, a = 127, c = 64; n <= 1024; n *= 2, a /= 2, c /= 2) {
        Quorvel::fillNoiseBytes(grid.data(), static_cast<int32_t>(n), static_cast<int32_t>(n), 0,
                                static_cast<uint8_t>(a));
        const auto at = [&](uint32_t i, uint32_t j) -> float { return i < n && j < n ? grid[i * n + j] : 0.0f; };
        for (uint32_t gi = 0; gi < n; ++gi) {
            for (uint32_t gj = 0; gj < n; ++gj) {
                for (uint32_t pi = 0; pi < c; ++pi) {
                    for (uint32_t pj = 0; pj < c; ++pj) {
                        const float u = c == 1 ? 0.0f : static_cast<float>(pi) / static_cast<float>(c - 1);
                        const float v = c == 1 ? 0.0f : static_cast<float>(pj) / static_cast<float>(c - 1);
                        const float value = (at(gi, gj) * (1 - v) + at(gi, gj + 1) * v) * (1 - u)
                            + (at(gi + 1, gj) * (1 - v) + at(gi + 1, gj + 1) * v) * u;
                        layer[(gi * c + pi) * size + gj * c + pj] = static_cast<uint8_t>(static_cast<int>(value));
                    }
                }
            }
        }
        for (uint32_t row = 1; row < size - 1; ++row) {
            for (uint32_t column = 1; column < size - 1; ++column)
                sum[row * size + column] = static_cast<uint8_t>(sum[row * size + column] + layer[row * size + column]);
        }
    }
    return sum;
}

} // namespace

TEST(SkyDomeTest, DefaultMeshHas289VerticesAnd1536Indices)
{
    std::vector<float> vertices;
    std::vector<uint32_t> indices;
    SkyDome::buildMesh(500.0f, 10.0f, 16, vertices, indices);
    ASSERT_EQ(vertices.size(), 289u * 5);
    ASSERT_EQ(indices.size(), 1536u);
    const std::vector<uint32_t> firstCell(indices.begin(), indices.begin() + 6);
    EXPECT_EQ(firstCell, (std::vector<uint32_t>{0, 1, 17, 1, 18, 17}));
    // The last cell's triangles close on the last vertex.
    const std::vector<uint32_t> lastCell(indices.end() - 6, indices.end());
    EXPECT_EQ(lastCell, (std::vector<uint32_t>{270, 271, 287, 271, 288, 287}));
    EXPECT_EQ(*std::max_element(indices.begin(), indices.end()), 288u);

    struct Case {
        const char* what;
        uint32_t vertex;
        float x, y, z, s, t;
    };
    const float w = 100.49876f;
    const Case cases[] = {
        {"vertex 0, a corner", 0, -w, -39.607843f, -w, 0.0f, 0.0f},
        {"centre, row 8 column 8: the apex", 8 * 17 + 8, 0.0f, 0.0f, 0.0f, 8.0f / 17.0f, 8.0f / 17.0f},
        {"row 0, column 16", 16, w, -39.607843f, -w, 0.0f, 16.0f / 17.0f},
        {"row 8, column 16: an edge midpoint", 8 * 17 + 16, w, -19.803922f, 0.0f, 8.0f / 17.0f, 16.0f / 17.0f},
        {"last vertex", 288, w, -39.607843f, w, 16.0f / 17.0f, 16.0f / 17.0f},
    };
    for (const Case& c : cases) {
        const float* v = &vertices[c.vertex * 5];
        EXPECT_NEAR(v[0], c.x, 1e-4f) << c.what;
        EXPECT_NEAR(v[1], c.y, 1e-4f) << c.what;
        EXPECT_NEAR(v[2], c.z, 1e-4f) << c.what;
        EXPECT_FLOAT_EQ(v[3], c.s) << c.what;
        EXPECT_FLOAT_EQ(v[4], c.t) << c.what;
    }
}

TEST(SkyDomeTest, MeshOfOtherResolutions)
{
    for (uint32_t n : {1u, 2u, 7u, 32u}) {
        std::vector<float> vertices;
        std::vector<uint32_t> indices;
        SkyDome::buildMesh(100.0f, 5.0f, n, vertices, indices);
        EXPECT_EQ(vertices.size(), (n + 1) * (n + 1) * 5u) << n;
        EXPECT_EQ(indices.size(), n * n * 6u) << n;
        EXPECT_EQ(*std::max_element(indices.begin(), indices.end()), (n + 1) * (n + 1) - 1) << n;
    }
}

TEST(SkyDomeTest, NoiseIsExactlyTheFormula)
{
    std::vector<uint8_t> noise(SkyDome::NoiseSize * SkyDome::NoiseSize, 0xAA);
    SkyDome::buildNoise(noise.data());
    const std::vector<uint8_t> expected = referenceNoise();
    ASSERT_EQ(noise.size(), expected.size());
    size_t mismatches = 0;
    size_t first = 0;
    for (size_t i = 0; i < noise.size(); ++i) {
        if (noise[i] != expected[i] && mismatches++ == 0)
            first = i;
    }
    EXPECT_EQ(mismatches, 0u) << "first at row " << first / 1024 << " column " << first % 1024 << ": "
                              << int(noise[first]) << " instead of " << int(expected[first]);
}

TEST(SkyDomeTest, NoiseHasAZeroRingAndStaysAtOrBelow240)
{
    const uint32_t size = SkyDome::NoiseSize;
    std::vector<uint8_t> noise(size * size, 0xFF);
    SkyDome::buildNoise(noise.data());
    for (uint32_t k = 0; k < size; ++k) {
        ASSERT_EQ(noise[k], 0) << "row 0, column " << k;
        ASSERT_EQ(noise[(size - 1) * size + k], 0) << "row 1023, column " << k;
        ASSERT_EQ(noise[k * size], 0) << "column 0, row " << k;
        ASSERT_EQ(noise[k * size + size - 1], 0) << "column 1023, row " << k;
    }
    const uint8_t highest = *std::max_element(noise.begin(), noise.end());
    EXPECT_LE(highest, 240);
    EXPECT_GE(highest, 160) << "the octaves add up to real clouds";
    EXPECT_GT(noise[512 * size + 512], 0);
}

TEST(SkyDomeTest, LookupTableRisesFromZeroAndNeverReaches255)
{
    uint8_t table[SkyDome::ExpTableSize];
    SkyDome::buildExpTable(table);
    const uint8_t first[] = {0, 10, 19, 29, 38};
    for (size_t e = 0; e < sizeof first; ++e)
        EXPECT_EQ(table[e], first[e]) << "entry " << e;
    EXPECT_EQ(table[255], 254);
    EXPECT_EQ(table[254], 254);
    for (size_t e = 1; e < SkyDome::ExpTableSize; ++e)
        EXPECT_LE(table[e - 1], table[e]) << "entry " << e;
}

TEST(SkyDomeTest, DensityIsClampedToZeroToOne)
{
    SkyDome sky{SkyDome::WithoutGraphics()};
    EXPECT_FLOAT_EQ(sky.getDensity(), 0.6f);
    struct Case {
        float set, stored;
    };
    const Case cases[] = {{1.5f, 1.0f}, {-0.2f, 0.0f}, {0.25f, 0.25f}, {1.0f, 1.0f}, {0.0f, 0.0f}};
    for (const Case& c : cases) {
        sky.setDensity(c.set);
        EXPECT_FLOAT_EQ(sky.getDensity(), c.stored) << "set " << c.set;
    }
}

TEST(SkyDomeTest, DomeWithoutGraphicsHasTheDefaultMeshInItsVertexArray)
{
    SkyDome sky{SkyDome::WithoutGraphics()};
    EXPECT_EQ(sky.getVertices().getCount(), 289u);
    EXPECT_EQ(sky.getVertices().getStride(), SkyDome::VertexStride);
    EXPECT_EQ(sky.getIndexCount(), 1536u);
    ASSERT_EQ(sky.getVertices().getAttributes().size(), 2u);
    EXPECT_EQ(sky.getVertices().getAttributes()[0].kind, Quorvel::AttributeKind::Position);
    EXPECT_EQ(sky.getVertices().getAttributes()[1].offset, 12u);
    EXPECT_EQ(sky.getVertices().getAttributes()[1].kind, Quorvel::AttributeKind::TexCoord);
    const float* centre = reinterpret_cast<const float*>(sky.getVertices().getData()) + (8 * 17 + 8) * 5;
    EXPECT_FLOAT_EQ(centre[1], 0.0f);
    EXPECT_EQ(sky.getProgram(), nullptr);
    EXPECT_EQ(sky.getNoiseTexture(), nullptr);
}
