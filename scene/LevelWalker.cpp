// LevelWalker: movement and collision on the level's grid.

#include "scene/LevelWalker.h"

#include "scene/LevelGeometry.h"

#include <cmath>

namespace Quorvel {

LevelWalker::LevelWalker(const LevelGrid& levelGrid)
    : grid(levelGrid), position(LevelGeometry::CellSize * static_cast<float>(levelGrid.getStartI()) + 8.0f, 8.0f,
                                -(LevelGeometry::CellSize * static_cast<float>(levelGrid.getStartJ()) + 8.0f)),
      lastWalked(false), lastBumped(false)
{
}

void LevelWalker::restart()
{
    position = Vector3(LevelGeometry::CellSize * static_cast<float>(grid.getStartI()) + 8.0f, 8.0f,
                       -(LevelGeometry::CellSize * static_cast<float>(grid.getStartJ()) + 8.0f));
    lastWalked = false;
    lastBumped = false;
}

int32_t LevelWalker::cellIndex(float scaled, int32_t size)
{
    if (!(scaled >= -1.0f && scaled < static_cast<float>(size + 1)))
        return -1;
    return static_cast<int32_t>(std::floor(scaled));
}

bool LevelWalker::isSolidAt(float x, float z) const
{
    return grid.isSolid(cellIndex(x / LevelGeometry::CellSize, grid.getWidth()),
                        cellIndex(-z / LevelGeometry::CellSize, grid.getHeight()));
}

// The move-and-probe rule runs once per period, so a walk that carries many
// periods (a slow frame, a stalled process) goes exactly as far as the same
// number of one-period walks and stops at the same place before a wall.
// Moving the whole distance at once would let the probe, which looks five
// steps ahead, land beyond a one-cell wall: the player would tunnel through
// it. Once a period moves nothing, every later one of the same walk would do
// the same, so the loop ends there.
void LevelWalker::walk(const Vector3& step, uint32_t periods)
{
    walk(step, periods, 1.0f);
}

void LevelWalker::walk(const Vector3& step, uint32_t periods, float fraction)
{
    lastWalked = false;
    lastBumped = false;
    if ((step.x == 0.0f && step.z == 0.0f) || !(fraction > 0.0f))
        return;
    if (fraction > 1.0f)
        fraction = 1.0f;
    const uint32_t count = periods < MaxPeriodsPerTick ? periods : MaxPeriodsPerTick;
    for (uint32_t n = 0; n < count; ++n) {
        if (!movePeriod(step, fraction))
            break;
        lastWalked = true;
    }
}

bool LevelWalker::movePeriod(const Vector3& step, float fraction)
{
    // One axis at a time, so that walking into a wall at an angle slides along it.
    Vector3 move = fraction == 1.0f ? step : step * fraction;
    if (isSolidAt(position.x + ProbeReach * step.x, position.z)) {
        lastBumped = lastBumped || step.x != 0.0f;
        move.x = 0.0f;
    }
    if (isSolidAt(position.x, position.z + ProbeReach * step.z)) {
        lastBumped = lastBumped || step.z != 0.0f;
        move.z = 0.0f;
    }

    const Vector3 before = position;
    position += move;
    return position.x != before.x || position.z != before.z;
}

} // namespace Quorvel
