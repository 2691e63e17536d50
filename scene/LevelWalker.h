#pragma once
// LevelWalker: the player's position on a level's grid and the walking rule.
// Each 20 ms period moves the player by one step, one axis at a time: an axis
// whose probe, ProbeReach steps ahead, lands in a solid cell (or outside the
// grid) is not moved along, so walking into a wall at an angle slides along
// it and the eye stops between four and five units short of a wall. The
// position starts in the middle of the grid's start cell at eye height 8.
// Needs no OpenGL.

#include "math/Vector3.h"
#include "scene/LevelGrid.h"

#include <cstdint>

namespace Quorvel {

class LevelWalker {
public:
    static constexpr float ProbeReach = 5.0f; // steps the collision probe looks ahead
    // Periods one walk covers at most: a stall of about 22 minutes. Beyond
    // that the rest of the stall is dropped rather than walked.
    static constexpr uint32_t MaxPeriodsPerTick = 65536;

    // The grid must outlive the walker.
    explicit LevelWalker(const LevelGrid& grid);

    // Index of the cell that holds a coordinate (already divided by the cell
    // size), rounded towards minus infinity so that -0.5 lies in cell -1 and
    // not in cell 0. Anything that is not a number inside the grid's
    // neighbourhood (size cells along this axis) gives -1, outside the grid.
    static int32_t cellIndex(float scaled, int32_t size);

    // Whether a world point lies in a solid cell (or outside the grid).
    bool isSolidAt(float x, float z) const;

    // Walks periods periods (at most MaxPeriodsPerTick) by step each, y
    // ignored. A zero step walks nothing and touches nothing.
    void walk(const Vector3& step, uint32_t periods);
    // The same at a fraction (0 to 1) of the step each period, for a stick
    // pushed part of the way: the probes still look ProbeReach whole steps
    // ahead, so the eye stops as far short of a wall as at full speed.
    void walk(const Vector3& step, uint32_t periods, float fraction);
    // Whether the last walk moved the player at all.
    bool walked() const { return lastWalked; }
    // Whether a wall (or the grid's edge) held back the last walk along an
    // axis it was asked to move along.
    bool bumped() const { return lastBumped; }

    // Back to the grid's start, as at construction (after the grid changed).
    void restart();

    const Vector3& getPosition() const { return position; }
    void setPosition(const Vector3& value) { position = value; }

private:
    // One period of walking by step with the collision probes; whether the
    // player moved at all.
    bool movePeriod(const Vector3& step, float fraction);

    const LevelGrid& grid;
    Vector3 position;
    bool lastWalked;
    bool lastBumped;
};

} // namespace Quorvel
