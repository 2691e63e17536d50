#pragma once
// LevelWallOrder: the wall quads of a level's visible blocks, nearest the eye
// first. Drawn in this order with the depth test on, a wall behind a nearer
// one fails the test before it is shaded, instead of being shaded and then
// painted over. The picture is the same but for pixels on an edge two walls
// share, where their depths tie and the wall drawn first keeps the pixel.
// The lists are sized for every wall quad at construction, so ordering a
// frame allocates nothing. Needs no OpenGL.

#include "scene/LevelGeometry.h"

#include <cstdint>
#include <vector>

namespace Quorvel {

class LevelWallOrder {
public:
    // The geometry must outlive this object.
    explicit LevelWallOrder(const LevelGeometry& geometry);
    // The geometry was built anew (another level): the quads' places follow.
    void rebuild();

    // Orders the wall quads of the blocks marked non-zero by the distance of
    // their middles from the eye's x and z (world units), nearest first;
    // quads at the same distance keep the geometry's order.
    void update(const std::vector<uint8_t>& visible, float eyeX, float eyeZ);

    // Indices into the geometry's wall vertices, four a quad, in drawing
    // order: what update() chose last (nothing before the first update).
    const std::vector<uint32_t>& getIndices() const { return indices; }
    int32_t getQuadCount() const { return static_cast<int32_t>(indices.size() / 4); }

private:
    const LevelGeometry& geometry;
    std::vector<float> middles;    // x and z of each wall quad's middle
    std::vector<uint64_t> keys;    // squared distance's bits above, the quad below
    std::vector<uint32_t> indices; // four a quad
};

} // namespace Quorvel
