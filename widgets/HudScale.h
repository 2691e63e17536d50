#pragma once
// HudScale: how much the overlays (the counter's text, the crosshair, the
// minimap's heading line) grow on a tall screen. They are drawn for screens
// up to 768 pixels high, where the factor is exactly 1 and the picture does
// not change; above that they grow with the screen's height, so they read the
// same on a 1080-line screen as on a 768-line one.

namespace Quorvel {

class HudScale {
public:
    static constexpr float ReferenceHeight = 768.0f; // pixels

    // 1 for a screen height of up to ReferenceHeight pixels (and for one that
    // is not a number), height / ReferenceHeight above.
    static float forHeight(float screenHeight);
    // The width in whole pixels of a line drawn at that factor: 1 at 1, the
    // factor rounded up above (2 pixels on a 1080-line screen).
    static float lineWidth(float scale);
};

} // namespace Quorvel
