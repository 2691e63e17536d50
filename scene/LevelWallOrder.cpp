// LevelWallOrder: the visible wall quads sorted by distance from the eye.

#include "scene/LevelWallOrder.h"

#include <algorithm>
#include <cstring>

namespace Quorvel {

LevelWallOrder::LevelWallOrder(const LevelGeometry& levelGeometry) : geometry(levelGeometry)
{
    rebuild();
}

void LevelWallOrder::rebuild()
{
    const std::vector<float>& vertices = geometry.getWallVertices();
    const size_t quads = vertices.size() / (4 * LevelGeometry::VertexFloats);
    middles.assign(quads * 2, 0.0f);
    for (size_t q = 0; q < quads; ++q) {
        // The first and third corners lie at the two ends of the wall.
        const float* first = &vertices[q * 4 * LevelGeometry::VertexFloats];
        const float* third = first + 2 * LevelGeometry::VertexFloats;
        middles[q * 2] = (first[2] + third[2]) * 0.5f;
        middles[q * 2 + 1] = (first[4] + third[4]) * 0.5f;
    }
    keys.clear();
    indices.clear();
    keys.reserve(quads);
    indices.reserve(quads * 4);
}

void LevelWallOrder::update(const std::vector<uint8_t>& visible, float eyeX, float eyeZ)
{
    keys.clear();
    for (int32_t b = 0; b < geometry.getBlockCount() && static_cast<size_t>(b) < visible.size(); ++b) {
        if (visible[static_cast<size_t>(b)] == 0)
            continue;
        const LevelGeometry::Block& block = geometry.getBlock(b);
        const uint32_t firstQuad = static_cast<uint32_t>(block.wallFirst / 4);
        const uint32_t endQuad = firstQuad + static_cast<uint32_t>(block.wallCount / 4);
        for (uint32_t q = firstQuad; q < endQuad; ++q) {
            const float dx = middles[q * 2] - eyeX;
            const float dz = middles[q * 2 + 1] - eyeZ;
            const float distance = dx * dx + dz * dz;
            // A float of 0 or above orders as its bits do.
            uint32_t bits = 0;
            std::memcpy(&bits, &distance, sizeof bits);
            keys.push_back(static_cast<uint64_t>(bits) << 32 | q);
        }
    }
    std::sort(keys.begin(), keys.end());
    indices.clear();
    for (uint64_t key : keys) {
        const uint32_t first = static_cast<uint32_t>(key & 0xFFFFFFFFu) * 4;
        indices.push_back(first);
        indices.push_back(first + 1);
        indices.push_back(first + 2);
        indices.push_back(first + 3);
    }
}

} // namespace Quorvel
