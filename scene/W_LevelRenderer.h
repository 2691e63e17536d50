#pragma once
// W_LevelRenderer: the walk-through demonstration. A widget that owns a level
// (a grid of open and solid cells, 16 world units each: the built-in 10 x 10
// grid, or any grid from 1 x 1 to 256 x 256) and draws it from a first-person
// perspective camera under the cloudy sky, with a minimap in the top-right
// corner. It is also a timer event: every 20 ms it moves the player (keys w,
// a, s, d; mouse look), who collides with solid cells and with the edge of
// the grid. It owns the sky; the floor and wall textures belong to the
// texture cache.
//
// World axes: cell index i runs along +x, j along -z; cell (i, j) covers x in
// [16 i, 16 (i + 1)] and z in [-16 (j + 1), -16 j]. The floor lies at y = 0,
// walls are 16 high, the eye is at y = 8.
//
// Drawing cost does not grow with the level's area: the floor and wall quads
// are built once, in blocks of cells; a level of up to WholeDrawCells cells
// is one block, drawn whole every frame, and a larger one draws only the
// blocks that rays cast from the eye across the view reach before they meet
// a solid cell. Walls are only drawn where an open cell meets a solid one,
// never between two solid cells.
//
// The minimap's box is as wide as a seventh of the screen; a cell's side is
// the box's width divided by the level's larger dimension, so the 10 x 10
// level keeps its cells of a seventieth of the screen width and any other
// level fits whole into the same top-right box, its proportions kept. The
// heading line is never shorter on the screen than on the 10 x 10 map.

#include "math/PerspectiveCamera.h"
#include "math/Quaternion.h"
#include "math/Vector3.h"
#include "scene/LevelGrid.h"
#include "scene/SkyDome.h"
#include "system/TimerEvent.h"
#include "widgets/Widget.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Quorvel {

class Texture;
class Vector4;

class W_LevelRenderer : public Widget, public TimerEvent {
public:
    static constexpr int32_t GridSize = 10; // sides of the built-in level
    static constexpr float CellSize = 16.0f;
    static constexpr float WallHeight = 16.0f;
    static constexpr uint32_t TickInterval = 20; // milliseconds
    static constexpr float ProbeReach = 5.0f;    // steps the collision probe looks ahead
    // Periods one tick walks at most: a stall of about 22 minutes. Beyond
    // that the rest of the stall is dropped rather than walked.
    static constexpr uint32_t MaxPeriodsPerTick = 65536;
    static constexpr float LookLength = 5.0f;    // length of the minimap heading line, world units
    static constexpr float YawPerPixel = 0.001f; // radians
    static constexpr float PitchPerPixel = 0.0005f;
    static constexpr float DensityStep = 0.01f;
    static constexpr float StartDensity = 0.4f;
    static constexpr float MapCellsPerWidth = 70.0f; // the 10 x 10 minimap is a seventh of the screen wide
    // Levels of at most this many cells are drawn whole, as one block, and
    // their minimap cell by cell; larger ones by visible blocks of
    // BlockSize x BlockSize cells, their minimap from a texture.
    static constexpr int32_t WholeDrawCells = 256;
    static constexpr int32_t BlockSize = 8;
    static constexpr float RayAngleStep = 1.0f / 1024.0f; // radians between visibility rays

    // Engine key codes the level reacts to.
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
    // The same level without OpenGL: the sky has no graphics and no texture
    // is fetched. Movement, input and the minimap geometry work as usual.
    explicit W_LevelRenderer(SkyDome::WithoutGraphics);
    W_LevelRenderer(const LevelGrid& grid, SkyDome::WithoutGraphics);
    ~W_LevelRenderer() override;

    bool handleInput(uint32_t kind, const InputState& state) override;
    bool resize(const Vector4& screenRect) override;
    void draw() override;
    void tick(uint32_t periods) override;

    // Whether the cell is solid; every cell outside the grid is.
    bool isSolid(int32_t i, int32_t j) const { return grid.isSolid(i, j); }
    // Whether a world point lies in a solid cell (or outside the grid).
    bool isSolidAt(float x, float z) const;

    // Marks the blocks the eye can see from where the player stands, looking
    // as the camera looks; draw() calls it before drawing floor and walls.
    void updateVisibleBlocks();
    // Draws every block whatever can be seen (for comparing pictures and costs).
    void setDrawAll(bool all) { drawAll = all; }
    int32_t getBlockCount() const { return static_cast<int32_t>(blocks.size()); }
    int32_t countVisibleBlocks() const;
    // Quads drawn for the floor and the walls with the current visible blocks.
    int32_t countVisibleQuads() const;

    const LevelGrid& getGrid() const { return grid; }

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
    // The quads of one block of cells inside the vertex lists, in vertices.
    struct Block {
        int32_t floorFirst;
        int32_t floorCount;
        int32_t wallFirst;
        int32_t wallCount;
    };

    W_LevelRenderer(const LevelGrid& grid, std::unique_ptr<SkyDome> ownSky, bool graphics);

    void mouseMove(int32_t dx, int32_t dy);
    // One period of walking by step with the collision probes; whether the
    // player moved at all.
    bool movePeriod(const Vector3& step);

    void buildGeometry();
    void buildMapTexture();
    void markCell(int32_t i, int32_t j);
    void castRay(float u, float v, float du, float dv);

    void drawSky();
    void drawFloor() const;
    void drawWalls() const;
    void drawMinimap() const;
    // Draws the visible blocks' ranges of one vertex list as quads.
    void drawBlocks(const std::vector<float>& vertices, bool walls) const;

    LevelGrid grid;
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

    // Built once from the grid: texture s, t and position x, y, z per vertex,
    // four vertices a quad, block after block.
    std::vector<float> floorVertices;
    std::vector<float> wallVertices;
    std::vector<Block> blocks; // block (bi, bj) at bi * blocksDown + bj
    std::vector<uint8_t> blockVisible;
    int32_t blockSide; // cells
    int32_t blocksDown;
    uint32_t mapTexture; // the large levels' minimap picture; 0 without one
    bool drawAll;
    bool skyFirst = false;
};

} // namespace Quorvel
