#pragma once
// WSCrosshair: the overlay that marks the screen centre, where the first-person
// view aims: four short white lines around the centre, the centre itself left
// open. Drawn in the widget manager's screen space; created hidden. On a
// screen taller than 768 pixels the arms and their width grow with the
// screen's height (HudScale).

#include "math/Vector3.h"
#include "widgets/Widget.h"

#include <array>

namespace Quorvel {

class WSCrosshair : public Widget {
public:
    static constexpr float ArmEnd = 10.0f;  // distance of each arm's outer end from the centre
    static constexpr float ArmStart = 3.0f; // distance of each arm's inner end: the open gap

    WSCrosshair(); // hidden, accepting no event kind
    ~WSCrosshair() override;

    bool init() override;
    bool resize(const Vector4& screenRect) override; // centre of the rectangle; true
    void draw() override;                            // white, one batch of four segments

    const Vector3& getCentre() const { return centre; }
    float getScale() const { return scale; }         // 1 up to a 768-pixel-high screen
    float getLineWidth() const { return lineWidth; } // pixels

    // The four segments as pairs of points (outer end, inner end): left,
    // right, top, bottom, in screen units; ArmEnd and ArmStart times the scale.
    std::array<Vector3, 8> segments() const;

private:
    Vector3 centre;
    float scale = 1.0f;
    float lineWidth = 1.0f;
};

} // namespace Quorvel
