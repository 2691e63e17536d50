#pragma once
// W_LevelRenderer: the walk-through demonstration. A widget that owns a level
// (a grid of open and solid cells, 16 world units each: the built-in 10 x 10
// grid, or any grid from 1 x 1 to 256 x 256) and draws it from a first-person
// perspective camera under the cloudy sky, with a minimap in the top-right
// corner. It is also a timer event: every 20 ms it moves the player (keys w,
// a, s, d; mouse look), who collides with solid cells and with the edge of
// the grid. It owns the sky; the floor and wall textures belong to the
// texture cache. Which keys walk and change the clouds, and how far the
// mouse turns per pixel, are its controls (ControlSettings, through its
// action map); without any, the keys and turn rates below.
//
// A gamepad walks too: the left stick walks and steps aside at a speed in
// proportion to its push beyond the dead zone (full push: the speed of one
// key; a walking key held wins over the stick), the right stick looks
// around (stick look speed at full push), the shoulder buttons change the
// clouds as the density keys do. A gamepad that goes away stops the walk.
//
// The widget composes the level's parts and handles input: LevelWalker moves
// the player, LevelGeometry holds the floor and wall quads built once in
// blocks, LevelVisibility picks the blocks the eye can see, LevelWallOrder
// puts their walls nearest first for the default drawing order, and
// LevelMinimap draws the map. Drawing cost does not grow with the level's
// area: a level of up to WholeDrawCells cells is one block, drawn whole every
// frame, and a larger one draws only the blocks that rays cast from the eye
// across the view reach before they meet a solid cell.

#include "input/ControlSettings.h"
#include "input/WC_ActionMap.h"
#include "math/PerspectiveCamera.h"
#include "math/Quaternion.h"
#include "math/Vector3.h"
#include "scene/LevelGeometry.h"
#include "scene/LevelGrid.h"
#include "scene/LevelMinimap.h"
#include "scene/LevelVisibility.h"
#include "scene/LevelWalker.h"
#include "scene/LevelWallOrder.h"
#include "scene/SkyDome.h"
#include "system/TimerEvent.h"
#include "widgets/Widget.h"

#include <cstdint>
#include <memory>

namespace Quorvel {

class SkyNoise;
class Texture;
class Vector4;

class W_LevelRenderer : public Widget, public TimerEvent {
public:
    static constexpr int32_t GridSize = LevelMinimap::ReferenceSide; // sides of the built-in level
    static constexpr float CellSize = LevelGeometry::CellSize;
    static constexpr float WallHeight = LevelGeometry::WallHeight;
    static constexpr uint32_t TickInterval = 20;                 // milliseconds
    static constexpr float ProbeReach = LevelWalker::ProbeReach; // steps the collision probe looks ahead
    // Periods one tick walks at most: a stall of about 22 minutes. Beyond
    // that the rest of the stall is dropped rather than walked.
    static constexpr uint32_t MaxPeriodsPerTick = LevelWalker::MaxPeriodsPerTick;
    static constexpr float LookLength = LevelMinimap::LookLength; // length of the minimap heading line, world units
    static constexpr float YawPerPixel = 0.001f;                  // radians
    static constexpr float PitchPerPixel = 0.0005f;
    static constexpr float DensityStep = 0.01f;
    // Stick readings within these distances of the centre count as centred
    // (XInput's own dead zones); a full push reads StickFull.
    static constexpr float LeftStickDeadZone = 7849.0f;
    static constexpr float RightStickDeadZone = 8689.0f;
    static constexpr float StickFull = 32767.0f;
    static constexpr float StartDensity = 0.4f;
    // The 10 x 10 minimap is a seventh of the screen wide.
    static constexpr float MapCellsPerWidth = LevelMinimap::CellsPerWidth;
    // Levels of at most this many cells are drawn whole, as one block, and
    // their minimap cell by cell; larger ones by visible blocks of
    // BlockSize x BlockSize cells, their minimap from a texture.
    static constexpr int32_t WholeDrawCells = LevelGeometry::WholeDrawCells;
    static constexpr int32_t BlockSize = LevelGeometry::BlockSize;
    static constexpr float RayAngleStep = LevelVisibility::RayAngleStep; // radians between visibility rays

    // Engine key codes the level reacts to unless its controls say otherwise.
    static constexpr uint32_t KeyGrayMinus = 30;
    static constexpr uint32_t KeyGrayPlus = 31;
    static constexpr uint32_t KeyForward = 119;  // w
    static constexpr uint32_t KeyBackward = 115; // s
    static constexpr uint32_t KeyLeft = 97;      // a
    static constexpr uint32_t KeyRight = 100;    // d

    // Registers with the timer system, builds the sky (density 0.4) and
    // fetches the textures "floor", "ceil" and "wall". Needs the OpenGL
    // context. Without a grid the level is the built-in one.
    W_LevelRenderer();
    explicit W_LevelRenderer(const LevelGrid& grid);
    // The same with the sky's cloud noise prepared beforehand (start-up
    // builds it while the window comes up): the same level and sky.
    W_LevelRenderer(const LevelGrid& grid, SkyNoise& noise);
    // The same level without OpenGL: the sky has no graphics and no texture
    // is fetched. Movement, input and the minimap geometry work as usual.
    explicit W_LevelRenderer(SkyDome::WithoutGraphics);
    W_LevelRenderer(const LevelGrid& grid, SkyDome::WithoutGraphics);
    ~W_LevelRenderer() override;

    bool handleInput(uint32_t kind, const InputState& state) override;
    // The keys of the actions, the mouse's turn per pixel and the stick's
    // look speed; until it is called, the defaults of ControlSettings.
    void setControls(const ControlSettings& controls);
    const WC_ActionMap& getActionMap() const { return actions; }
    float getYawPerPixel() const { return yawPerPixel; }
    float getPitchPerPixel() const { return pitchPerPixel; } // negative with the vertical look inverted
    float getStickLookSpeed() const { return stickLookSpeed; }
    // Whether the held controls ask to walk (opposite keys cancel out).
    bool isWalkRequested() const;
    const InputState::Gamepad& getGamepad() const { return gamepad; } // as last reported

    // A stick reading as a push of length 0 to 1: 0 within the dead zone,
    // growing from its edge to 1 at full push, in the stick's direction.
    static void stickPush(int16_t x, int16_t y, float deadZone, float& pushX, float& pushY);
    bool resize(const Vector4& screenRect) override;
    void draw() override;
    void tick(uint32_t periods) override;

    // Whether the cell is solid; every cell outside the grid is.
    bool isSolid(int32_t i, int32_t j) const { return grid.isSolid(i, j); }
    // Whether a world point lies in a solid cell (or outside the grid).
    bool isSolidAt(float x, float z) const { return walker.isSolidAt(x, z); }

    // Marks the blocks the eye can see from where the player stands, looking
    // as the camera looks; draw() calls it before drawing floor and walls.
    void updateVisibleBlocks();
    // Draws every block whatever can be seen (for comparing pictures and costs).
    void setDrawAll(bool all) { drawAll = all; }
    int32_t getBlockCount() const { return geometry.getBlockCount(); }
    int32_t countVisibleBlocks() const { return visibility.countVisible(); }
    // Quads drawn for the floor and the walls with the current visible blocks.
    int32_t countVisibleQuads() const { return geometry.countQuads(visibility.getVisible()); }

    const LevelGrid& getGrid() const { return grid; }
    // Restarts the walk in another level: its grid, floor and walls, its
    // minimap (in the current screen rectangle), the player at its start
    // looking down the map. The keys held, the controls, the clouds and the
    // drawing order stay. With graphics it needs the OpenGL context.
    void setLevel(const LevelGrid& level);

    // The drawing order. By default the opaque level comes first and the sky
    // after it, behind it (SkyDome::drawBehind), so the sky's shader runs
    // only where the sky shows. Sky first draws the whole sky and the level
    // over it: the straightforward order, the same picture, more work.
    void setSkyFirst(bool value) { skyFirst = value; }
    bool isSkyFirst() const { return skyFirst; }
    // In the default order the walls are drawn nearest the eye first
    // (LevelWallOrder), so hidden walls are not shaded; off, in the
    // geometry's own order. The picture differs only where two walls' depths
    // tie on an edge they share. Sky first always keeps the geometry's order.
    void setWallsNearestFirst(bool value) { wallsNearestFirst = value; }
    bool isWallsNearestFirst() const { return wallsNearestFirst; }

    SkyDome* getSky() const { return sky.get(); }
    float getPitch() const { return pitch; }
    float getYaw() const { return yaw; }
    const Vector3& getPlayerPosition() const { return walker.getPosition(); }
    void setPlayerPosition(const Vector3& position) { walker.setPosition(position); }
    const Vector3& getLookVector() const { return lookVector; }
    const PerspectiveCamera& getCamera() const { return camera; }
    const Vector3& getMapOrigin() const { return minimap.getOrigin(); }
    float getMapScale() const { return minimap.getScale(); }
    // The walker says whether the last tick walked and whether it bumped into a wall.
    const LevelWalker& getWalker() const { return walker; }
    const LevelGeometry& getGeometry() const { return geometry; }
    const LevelVisibility& getVisibility() const { return visibility; }
    const LevelWallOrder& getWallOrder() const { return wallOrder; }
    const LevelMinimap& getMinimap() const { return minimap; }
    Texture* getFloorTexture() const { return floorTexture; }
    Texture* getWallTexture() const { return wallTexture; }
    Texture* getCeilingTexture() const { return ceilingTexture; }

private:
    W_LevelRenderer(const LevelGrid& grid, std::unique_ptr<SkyDome> ownSky, bool withGraphics);

    void mouseMove(int32_t dx, int32_t dy);
    void stickLook(uint32_t periods);

    void drawSky();
    void drawFloor() const;
    void drawWalls() const;
    void drawWallsNearestFirst();

    LevelGrid grid; // before the parts that keep a reference to it
    std::unique_ptr<SkyDome> sky;
    float pitch;
    float yaw;
    Texture* floorTexture;   // cache's, may be null when it failed to load
    Texture* wallTexture;    // likewise
    Texture* ceilingTexture; // loaded with the others; the level has no ceiling to draw
    Vector3 lookVector;
    bool moveBackward;
    bool moveForward;
    bool moveRight;
    bool moveLeft;
    PerspectiveCamera camera;
    LevelWalker walker;
    LevelGeometry geometry;
    LevelVisibility visibility; // after the geometry it reads
    LevelWallOrder wallOrder;   // likewise
    LevelMinimap minimap;
    bool drawAll;
    bool skyFirst = false;
    bool wallsNearestFirst = true;
    bool graphics; // whether textures are used (false without OpenGL)
    WC_ActionMap actions;
    float yawPerPixel = YawPerPixel;
    float pitchPerPixel = PitchPerPixel;
    float stickLookSpeed = ControlSettings::DefaultStickLookSpeed;
    InputState::Gamepad gamepad;
};

} // namespace Quorvel
