// LevelVisibility: ray casting over the level's grid from the eye.

#include "scene/LevelVisibility.h"

#include "math/MathUtil.h"
#include "scene/LevelWalker.h"

#include <algorithm>
#include <cmath>

namespace Quorvel {

LevelVisibility::LevelVisibility(const LevelGrid& levelGrid, const LevelGeometry& levelGeometry)
    : grid(levelGrid), geometry(levelGeometry), visible(static_cast<size_t>(levelGeometry.getBlockCount()), 0)
{
}

void LevelVisibility::reset()
{
    visible.assign(static_cast<size_t>(geometry.getBlockCount()), 0);
}

void LevelVisibility::markCell(int32_t i, int32_t j)
{
    if (i < 0 || j < 0 || i >= grid.getWidth() || j >= grid.getHeight())
        return;
    visible[static_cast<size_t>(geometry.blockOf(i, j))] = 1;
}

// Walks the ray from (u, v) along (du, dv), in cell units (u along i, v along
// j), through the open cells it crosses until it meets a solid cell or leaves
// the grid, marking their blocks. The walls it meets belong to the last open
// cell, so they are drawn with it.
void LevelVisibility::castRay(float u, float v, float du, float dv)
{
    int32_t i = static_cast<int32_t>(std::floor(u));
    int32_t j = static_cast<int32_t>(std::floor(v));
    const int32_t stepI = du > 0.0f ? 1 : -1;
    const int32_t stepJ = dv > 0.0f ? 1 : -1;
    const float never = 1e30f; // a ray along one axis never crosses the other
    const float deltaU = du != 0.0f ? std::fabs(1.0f / du) : never;
    const float deltaV = dv != 0.0f ? std::fabs(1.0f / dv) : never;
    float nextU = du != 0.0f ? (du > 0.0f ? static_cast<float>(i + 1) - u : u - static_cast<float>(i)) * deltaU : never;
    float nextV = dv != 0.0f ? (dv > 0.0f ? static_cast<float>(j + 1) - v : v - static_cast<float>(j)) * deltaV : never;
    const int32_t maxSteps = grid.getWidth() + grid.getHeight() + 2;
    for (int32_t n = 0; n < maxSteps && !grid.isSolid(i, j); ++n) {
        markCell(i, j);
        if (nextU < nextV) {
            i += stepI;
            nextU += deltaU;
        } else {
            j += stepJ;
            nextV += deltaV;
        }
    }
}

void LevelVisibility::update(const View& view, bool all)
{
    if (visible.size() == 1 || all) {
        std::fill(visible.begin(), visible.end(), 1);
        return;
    }
    std::fill(visible.begin(), visible.end(), 0);

    const float u = view.eye.x / LevelGeometry::CellSize;
    const float v = -view.eye.z / LevelGeometry::CellSize;
    const int32_t i = LevelWalker::cellIndex(u, grid.getWidth());
    const int32_t j = LevelWalker::cellIndex(v, grid.getHeight());
    for (int32_t di = -1; di <= 1; ++di) {
        for (int32_t dj = -1; dj <= 1; ++dj)
            markCell(i + di, j + dj);
    }
    if (!(u >= 0.0f && v >= 0.0f && u < static_cast<float>(grid.getWidth())
          && v < static_cast<float>(grid.getHeight())))
        return; // an eye outside the grid (never so in play) sees only the blocks beside it

    // The corners of the picture seen from above: a corner ray (tx, ty, -1)
    // of the unpitched view leans by atan(tx / (cos p - ty sin |p|)) at most.
    const float tanY = std::tan(view.fov * 0.5f * Pi / 180.0f);
    const float tanX = tanY * view.aspect;
    const float ahead = std::cos(view.pitch) - tanY * std::fabs(std::sin(view.pitch));
    float first = 0.0f;
    float range = TwoPi;
    if (ahead > 0.05f) {
        const float half = std::atan(tanX / ahead) + 0.05f;
        if (half < Pi) {
            first = view.yaw - half;
            range = 2.0f * half;
        }
    }
    const int32_t rays = static_cast<int32_t>(range / RayAngleStep) + 2;
    for (int32_t k = 0; k < rays; ++k) {
        const float angle = first + range * static_cast<float>(k) / static_cast<float>(rays - 1);
        castRay(u, v, -std::sin(angle), std::cos(angle));
    }
}

int32_t LevelVisibility::countVisible() const
{
    int32_t count = 0;
    for (uint8_t mark : visible)
        count += mark;
    return count;
}

} // namespace Quorvel
