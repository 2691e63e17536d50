#pragma once
// LevelMinimap: the level seen from above in the top-right corner of the
// screen: open cells grey, solid cells orange, the player's heading a red
// line. Map x is world x, map y (downwards) world -z.
//
// The box is as wide as a seventh of the screen; a cell's side is the box's
// width divided by the level's larger dimension, so the 10 x 10 level keeps
// its cells of a seventieth of the screen width and any other level fits
// whole into the same box, its proportions kept. The heading line is never
// shorter on the screen than on the 10 x 10 map. Levels drawn whole (see
// LevelGeometry) draw their map cell by cell; larger ones from a texture of
// one texel per cell. The colours are also those of the level tool's
// pictures, so a level's picture looks like its minimap. On a screen taller
// than 768 pixels the heading line is wider (HudScale).

#include "math/Vector3.h"
#include "math/Vector4.h"
#include "scene/LevelGrid.h"

#include <cstdint>

namespace Quorvel {

class LevelMinimap {
public:
    struct Colour {
        float r;
        float g;
        float b;
        float a;
    };
    static constexpr Colour OpenColour{0.5f, 0.5f, 0.5f, 0.2f};
    static constexpr Colour SolidColour{0.7f, 0.4f, 0.0f, 0.5f};
    static constexpr Colour HeadingColour{1.0f, 0.0f, 0.0f, 1.0f};
    // A colour's red, green and blue as bytes, each rounded to the nearest:
    // the texels of the large levels' map and the pixels of level pictures.
    static void toBytes(const Colour& colour, uint8_t rgb[3]);

    static constexpr int32_t ReferenceSide = 10;  // the built-in level's side
    static constexpr float CellsPerWidth = 70.0f; // the reference map is a seventh of the screen wide
    static constexpr float LookLength = 5.0f;     // the heading line on the reference map, world units

    // The grid must outlive the map. Without a call to buildTexture() the
    // map has no texture and draws nothing for a large level but its
    // heading line.
    explicit LevelMinimap(const LevelGrid& grid);
    ~LevelMinimap();
    LevelMinimap(const LevelMinimap&) = delete;
    LevelMinimap& operator=(const LevelMinimap&) = delete;

    // Places the box in the top-right corner of the screen rectangle
    // (left, top, right, bottom).
    void resize(const Vector4& screenRect);
    // Makes the large levels' map texture; needs the OpenGL context.
    void buildTexture();
    // After the grid changed: the box placed again in the last screen
    // rectangle, the old texture deleted and, with graphics, the new grid's
    // made (graphics needs the OpenGL context).
    void rebuild(bool graphics);
    // Draws the map in screen units with the player at position looking
    // along look (world units, y ignored).
    void draw(const Vector3& position, const Vector3& look) const;

    const Vector3& getOrigin() const { return origin; }
    float getScale() const { return scale; }
    uint32_t getTexture() const { return texture; }        // 0 without one
    float getHeadingWidth() const { return headingWidth; } // pixels

private:
    const LevelGrid& grid;
    Vector3 origin;
    float scale;
    uint32_t texture;
    float headingWidth = 1.0f;
    Vector4 screen;           // the last screen rectangle, for a rebuild
    bool screenKnown = false; // whether resize has told one
};

} // namespace Quorvel
