#include "scene/MeshIndexGroups.h"

#include "resources/Texture.h"

#include <gtest/gtest.h>

#include <vector>

using Quorvel::MeshIndexGroups;
using Quorvel::MeshTriangle;
using Quorvel::Texture;

namespace {

MeshTriangle triangle(uint32_t a, uint32_t b, uint32_t c, Texture* texture)
{
    MeshTriangle t;
    t.index[0] = a;
    t.index[1] = b;
    t.index[2] = c;
    t.texture = texture;
    return t;
}

TEST(MeshIndexGroupsTest, GroupsByTextureInOrderOfFirstUseKeepingTriangleOrder)
{
    // Texture objects without OpenGL names: only their addresses matter here.
    Texture a, b, c;
    const std::vector<MeshTriangle> triangles = {
        triangle(0, 1, 2, &b),        triangle(3, 4, 5, &a),    triangle(6, 7, 8, &b),
        triangle(9, 10, 11, nullptr), triangle(12, 13, 14, &c), triangle(15, 16, 17, &a),
    };
    MeshIndexGroups groups;
    ASSERT_TRUE(groups.build(static_cast<uint32_t>(triangles.size()), triangles.data()));

    ASSERT_EQ(18u, groups.getIndexCount());
    struct Expected {
        Texture* texture;
        uint32_t first, count;
    } const expected[] = {{&b, 0, 6}, {&a, 6, 6}, {nullptr, 12, 3}, {&c, 15, 3}};
    ASSERT_EQ(4u, groups.getGroupCount());
    for (uint32_t g = 0; g < 4; ++g) {
        EXPECT_EQ(expected[g].texture, groups.getGroup(g).texture) << "group " << g;
        EXPECT_EQ(expected[g].first, groups.getGroup(g).first) << "group " << g;
        EXPECT_EQ(expected[g].count, groups.getGroup(g).count) << "group " << g;
    }
    const uint32_t indices[] = {0, 1, 2, 6, 7, 8, 3, 4, 5, 15, 16, 17, 9, 10, 11, 12, 13, 14};
    for (uint32_t i = 0; i < 18; ++i)
        EXPECT_EQ(indices[i], groups.getIndices()[i]) << "entry " << i;
}

TEST(MeshIndexGroupsTest, NoTrianglesGiveNoGroups)
{
    MeshIndexGroups groups;
    ASSERT_TRUE(groups.build(0, nullptr));
    EXPECT_EQ(0u, groups.getIndexCount());
    EXPECT_EQ(0u, groups.getGroupCount());
}

TEST(MeshIndexGroupsTest, TakesUpTo128TexturesAndRefusesMoreKeepingWhatItHad)
{
    std::vector<Texture> textures(129);
    std::vector<MeshTriangle> triangles;
    for (uint32_t i = 0; i < 129; ++i)
        triangles.push_back(triangle(i, i, i, &textures[i]));

    MeshIndexGroups groups;
    ASSERT_TRUE(groups.build(128, triangles.data()));
    EXPECT_EQ(128u, groups.getGroupCount());
    EXPECT_EQ(&textures[127], groups.getGroup(127).texture);

    EXPECT_FALSE(groups.build(129, triangles.data()));
    EXPECT_EQ(128u, groups.getGroupCount()) << "a refused build keeps the previous groups";
    EXPECT_EQ(384u, groups.getIndexCount());

    // Many triangles over few textures are fine.
    for (uint32_t i = 0; i < 129; ++i)
        triangles[i].texture = &textures[i % 3];
    ASSERT_TRUE(groups.build(129, triangles.data()));
    EXPECT_EQ(3u, groups.getGroupCount());
}

TEST(MeshIndexGroupsTest, NullTriangleListWithACountIsRefused)
{
    MeshIndexGroups groups;
    EXPECT_FALSE(groups.build(1, nullptr));
    EXPECT_EQ(0u, groups.getGroupCount());
}

} // namespace
