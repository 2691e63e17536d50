#include "math/VertexArray.h"

#include "system/OpenGL.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using Quorvel::AttributeKind;
using Quorvel::VertexArray;

namespace {

// Two vertices of (x, y, z, u, v): 20 bytes each, as the sky lays them out.
const float skyVertices[10] = {1, 2, 3, 0.25f, 0.5f, 4, 5, 6, 0.75f, 1};

} // namespace

TEST(VertexArrayTest, StartsEmpty)
{
    VertexArray array;
    EXPECT_EQ(nullptr, array.getData());
    EXPECT_EQ(0u, array.getCount());
    EXPECT_EQ(0u, array.getStride());
    EXPECT_TRUE(array.getAttributes().empty());
}

TEST(VertexArrayTest, CopiedDataIsIndependentOfTheSource)
{
    float source[10];
    std::memcpy(source, skyVertices, sizeof(source));
    VertexArray array;
    ASSERT_TRUE(array.setData(2, 20, source, true));
    EXPECT_EQ(2u, array.getCount());
    EXPECT_EQ(20u, array.getStride());
    EXPECT_NE(static_cast<const void*>(source), array.getData()) << "a copy has its own buffer";
    source[0] = -99.0f;
    EXPECT_EQ(0, std::memcmp(skyVertices, array.getData(), sizeof(skyVertices)));
}

TEST(VertexArrayTest, DataCanBeSetOnlyOnce)
{
    VertexArray array;
    ASSERT_TRUE(array.setData(2, 20, const_cast<float*>(skyVertices), true));
    const uint8_t* first = array.getData();

    float other[4] = {7, 7, 7, 7};
    EXPECT_FALSE(array.setData(1, 16, other, true)) << "second copy";
    uint8_t* owned = new uint8_t[16];
    EXPECT_FALSE(array.setData(1, 16, owned, false)) << "second take";
    delete[] owned; // a refused buffer stays with the caller
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[16]);
    EXPECT_FALSE(array.setData(1, 16, std::move(buffer)));
    EXPECT_NE(nullptr, buffer) << "a refused buffer stays with the caller";

    EXPECT_EQ(first, array.getData());
    EXPECT_EQ(2u, array.getCount());
    EXPECT_EQ(20u, array.getStride());
    EXPECT_EQ(0, std::memcmp(skyVertices, array.getData(), sizeof(skyVertices)));
}

TEST(VertexArrayTest, TakenDataIsOwnedNotCopied)
{
    uint8_t* raw = new uint8_t[40];
    VertexArray taker;
    ASSERT_TRUE(taker.setData(2, 20, raw, false));
    EXPECT_EQ(raw, taker.getData()) << "the array keeps the caller's buffer and frees it";

    std::unique_ptr<uint8_t[]> buffer(new uint8_t[40]);
    const uint8_t* address = buffer.get();
    VertexArray owner;
    ASSERT_TRUE(owner.setData(2, 20, std::move(buffer)));
    EXPECT_EQ(address, owner.getData());
    EXPECT_EQ(nullptr, buffer);
}

TEST(VertexArrayTest, NullSourceIsRefused)
{
    VertexArray array;
    EXPECT_FALSE(array.setData(4, 12, nullptr, true)) << "nothing to copy from";
    EXPECT_FALSE(array.setData(4, 12, nullptr, false)) << "nothing to take";
    EXPECT_FALSE(array.setData(4, 12, std::unique_ptr<uint8_t[]>()));
    EXPECT_EQ(nullptr, array.getData());
    EXPECT_EQ(0u, array.getCount());
    EXPECT_TRUE(array.setData(2, 20, const_cast<float*>(skyVertices), true)) << "the refusals left it unset";
}

TEST(VertexArrayTest, AttributesKeepTheirOrderAndPointIntoTheVertex)
{
    VertexArray array;
    // One attribute before the data, the rest after.
    EXPECT_TRUE(array.addAttribute(AttributeKind::TexCoord, 12, 2, GL_FLOAT));
    ASSERT_TRUE(array.setData(2, 20, const_cast<float*>(skyVertices), true));
    EXPECT_TRUE(array.addAttribute(AttributeKind::Position, 0, 3, GL_FLOAT));
    EXPECT_TRUE(array.addAttribute(AttributeKind::Normal, 0, 3, GL_FLOAT));

    const auto& attributes = array.getAttributes();
    ASSERT_EQ(3u, attributes.size());
    struct Expected {
        AttributeKind kind;
        uint32_t offset, size;
    };
    const Expected expected[] = {
        {AttributeKind::TexCoord, 12, 2},
        {AttributeKind::Position, 0, 3},
        {AttributeKind::Normal, 0, 3},
    };
    for (size_t index = 0; index < 3; ++index) {
        EXPECT_EQ(expected[index].kind, attributes[index].kind) << "attribute " << index;
        EXPECT_EQ(expected[index].offset, attributes[index].offset) << "attribute " << index;
        EXPECT_EQ(expected[index].size, attributes[index].size) << "attribute " << index;
        EXPECT_EQ(static_cast<uint32_t>(GL_FLOAT), attributes[index].type) << "attribute " << index;
    }

    const float* texCoord = static_cast<const float*>(array.attributePointer(attributes[0]));
    EXPECT_EQ(0.25f, texCoord[0]) << "first vertex's u";
    EXPECT_EQ(0.75f, texCoord[5]) << "one stride (5 floats) on: second vertex's u";
    EXPECT_EQ(array.getData(), array.attributePointer(attributes[1]));
}
