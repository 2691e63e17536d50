#pragma once
// LevelVisibility: which of a level's blocks the eye can see. Floor and walls
// can only be seen from the eye along lines that cross no solid cell: the
// eye lies below the walls' tops and nothing lies above them, so what is
// seen in three dimensions is what is seen on the grid from above. Rays are
// cast across the view's horizontal angle (all round when the view is
// tipped so far up or down that the picture takes in every direction),
// closer together than a screen pixel, and the blocks of the cells they
// cross are marked; so are the blocks around the eye's cell. A level of one
// block is always wholly visible. Needs no OpenGL.

#include "math/Vector3.h"
#include "scene/LevelGeometry.h"
#include "scene/LevelGrid.h"

#include <cstdint>
#include <vector>

namespace Quorvel {

class LevelVisibility {
public:
    static constexpr float RayAngleStep = 1.0f / 1024.0f; // radians between rays

    // Where the eye stands and how it looks: yaw and pitch in radians, the
    // vertical field of view in degrees, the picture's width over height.
    struct View {
        Vector3 eye;
        float yaw;
        float pitch;
        float fov;
        float aspect;
    };

    // The grid and its geometry must outlive this object. Every block starts
    // unmarked.
    LevelVisibility(const LevelGrid& grid, const LevelGeometry& geometry);
    // After the grid and its geometry changed: one unmarked block each.
    void reset();

    // Marks the blocks the view can see, or every block when all is true.
    void update(const View& view, bool all);
    // One mark per block, in the geometry's block order: non-zero when seen.
    const std::vector<uint8_t>& getVisible() const { return visible; }
    int32_t countVisible() const;

private:
    void markCell(int32_t i, int32_t j);
    void castRay(float u, float v, float du, float dv);

    const LevelGrid& grid;
    const LevelGeometry& geometry;
    std::vector<uint8_t> visible;
};

} // namespace Quorvel
