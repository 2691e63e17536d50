#pragma once
// W_LevelRenderer: the walk-through demonstration. A widget that owns a small
// level (a fixed 10 x 10 grid of open and solid cells, 16 world units each)
// and draws it from a first-person perspective camera under the cloudy sky,
// with a minimap in the top-right corner. It is also a timer event: every
// 20 ms it moves the player (keys w, a, s, d; mouse look), who collides with
// solid cells and with the edge of the grid. It owns the sky; the floor and
// wall textures belong to the texture cache.
//
// World axes: row index i runs along +x, column index j along -z; cell (i, j)
// covers x in [16 i, 16 (i + 1)] and z in [-16 (j + 1), -16 j]. The floor lies
// at y = 0, walls are 16 high, the eye is at y = 8.

#include "math/PerspectiveCamera.h"
#include "math/Quaternion.h"
#include "math/Vector3.h"
#include "scene/SkyDome.h"
#include "system/TimerEvent.h"
#include "widgets/Widget.h"

#include <cstdint>
#include <memory>

namespace Quorvel {

class Texture;
class Vector4;

class W_LevelRenderer : public Widget, public TimerEvent {
public:
    static constexpr int32_t GridSize = 10;
    static constexpr float CellSize = 16.0f;
    static constexpr float WallHeight = 16.0f;
    static constexpr uint32_t TickInterval = 20; // milliseconds
    static constexpr float ProbeReach = 5.0f;    // steps the collision probe looks ahead
    static constexpr float LookLength = 5.0f;    // length of the minimap heading line, world units
    static constexpr float YawPerPixel = 0.001f; // radians
    static constexpr float PitchPerPixel = 0.0005f;
    static constexpr float DensityStep = 0.01f;
    static constexpr float StartDensity = 0.4f;
    static constexpr float MapCellsPerWidth = 70.0f; // the minimap is a seventh of the screen wide

    // Engine key codes the level reacts to.
    static constexpr uint32_t KeyGrayMinus = 30;
    static constexpr uint32_t KeyGrayPlus = 31;
    static constexpr uint32_t KeyForward = 119;  // w
    static constexpr uint32_t KeyBackward = 115; // s
    static constexpr uint32_t KeyLeft = 97;      // a
    static constexpr uint32_t KeyRight = 100;    // d

    // Registers with the timer system, builds the sky (density 0.4) and
    // fetches the textures "floor", "ceil" and "wall". Needs the OpenGL context.
    W_LevelRenderer();
    // The same level without OpenGL: the sky has no graphics and no texture
    // is fetched. Movement, input and the minimap geometry work as usual.
    explicit W_LevelRenderer(SkyDome::WithoutGraphics);
    ~W_LevelRenderer() override;

    bool handleInput(uint32_t kind, const InputState& state) override;
    bool resize(const Vector4& screenRect) override;
    void draw() override;
    void tick(uint32_t periods) override;

    // Whether the cell is solid; every cell outside the grid is.
    static bool isSolid(int32_t i, int32_t j);
    // Whether a world point lies in a solid cell (or outside the grid).
    static bool isSolidAt(float x, float z);

    // The drawing order. By default the opaque level comes first and the sky
    // after it, behind it (SkyDome::drawBehind), so the sky's shader runs
    // only where the sky shows. Sky first draws the whole sky and the level
    // over it: the straightforward order, the same picture, more work.
    void setSkyFirst(bool value) { skyFirst = value; }
    bool isSkyFirst() const { return skyFirst; }

    SkyDome* getSky() const { return sky.get(); }
    float getPitch() const { return pitch; }
    float getYaw() const { return yaw; }
    const Vector3& getPlayerPosition() const { return playerPosition; }
    void setPlayerPosition(const Vector3& position) { playerPosition = position; }
    const Vector3& getLookVector() const { return lookVector; }
    const PerspectiveCamera& getCamera() const { return camera; }
    const Vector3& getMapOrigin() const { return mapOrigin; }
    float getMapScale() const { return mapScale; }
    Texture* getFloorTexture() const { return floorTexture; }
    Texture* getWallTexture() const { return wallTexture; }
    Texture* getCeilingTexture() const { return ceilingTexture; }

private:
    W_LevelRenderer(std::unique_ptr<SkyDome> ownSky, bool fetchTextures);

    void mouseMove(int32_t dx, int32_t dy);
    void drawFloor() const;
    void drawWalls() const;
    void drawMinimap() const;

    std::unique_ptr<SkyDome> sky;
    float pitch;
    float yaw;
    Texture* floorTexture;   // cache's, may be null when it failed to load
    Texture* wallTexture;    // likewise
    Texture* ceilingTexture; // loaded with the others; the level has no ceiling to draw
    Vector3 playerPosition;
    Vector3 lookVector;
    bool moveBackward;
    bool moveForward;
    bool moveRight;
    bool moveLeft;
    PerspectiveCamera camera;
    Vector3 mapOrigin;
    float mapScale;
    bool skyFirst = false;
};

} // namespace Quorvel
