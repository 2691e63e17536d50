// W_LevelRenderer: the player's movement and collision on the level's grid,
// mouse look, the geometry built once per level, the choice of what can be
// seen, and the drawing of sky, floor, walls and minimap.

#include "scene/W_LevelRenderer.h"

#include "input/InputSystem.h"
#include "math/MathUtil.h"
#include "math/Vector4.h"
#include "resources/Texture.h"
#include "system/OpenGL.h"
#include "system/TimerSystem.h"
#include "widgets/InputHandler.h"

#include <algorithm>
#include <cmath>

namespace Quorvel {

namespace {

// Floats per vertex in the level's vertex lists: s, t, x, y, z.
constexpr int32_t VertexFloats = 5;

// The minimap's colours, as bytes for the large levels' map texture and as
// the same values for the cell-by-cell drawing.
constexpr uint8_t MapOpen[3] = {128, 128, 128};
constexpr uint8_t MapSolid[3] = {178, 102, 0};

// The middle of the start cell at eye height 8.
Vector3 startPosition(const LevelGrid& grid)
{
    return Vector3(W_LevelRenderer::CellSize * static_cast<float>(grid.getStartI()) + 8.0f, 8.0f,
                   -(W_LevelRenderer::CellSize * static_cast<float>(grid.getStartJ()) + 8.0f));
}

void addVertex(std::vector<float>& vertices, float s, float t, float x, float y, float z)
{
    vertices.push_back(s);
    vertices.push_back(t);
    vertices.push_back(x);
    vertices.push_back(y);
    vertices.push_back(z);
}

int32_t nextPowerOfTwo(int32_t value)
{
    int32_t power = 1;
    while (power < value)
        power *= 2;
    return power;
}

// Index of the cell that holds a coordinate (already divided by the cell
// size), rounded towards minus infinity so that -0.5 lies in cell -1 and not
// in cell 0. Anything that is not a number inside the grid's neighbourhood
// (size cells along this axis) gives -1, which is outside the grid.
int32_t cellIndex(float scaled, int32_t size)
{
    if (!(scaled >= -1.0f && scaled < static_cast<float>(size + 1)))
        return -1;
    return static_cast<int32_t>(std::floor(scaled));
}

// Direction of one axis from a pair of opposite keys: 0 when both or neither.
float axis(bool negative, bool positive)
{
    if (negative == positive)
        return 0.0f;
    return negative ? -1.0f : 1.0f;
}

} // namespace

W_LevelRenderer::W_LevelRenderer() : W_LevelRenderer(LevelGrid::builtIn())
{
}

W_LevelRenderer::W_LevelRenderer(const LevelGrid& grid)
    : W_LevelRenderer(grid, std::unique_ptr<SkyDome>(new SkyDome()), true)
{
}

W_LevelRenderer::W_LevelRenderer(SkyDome::WithoutGraphics tag) : W_LevelRenderer(LevelGrid::builtIn(), tag)
{
}

W_LevelRenderer::W_LevelRenderer(const LevelGrid& grid, SkyDome::WithoutGraphics tag)
    : W_LevelRenderer(grid, std::unique_ptr<SkyDome>(new SkyDome(tag)), false)
{
}

W_LevelRenderer::W_LevelRenderer(const LevelGrid& levelGrid, std::unique_ptr<SkyDome> ownSky, bool graphics)
    : grid(levelGrid), sky(std::move(ownSky)), pitch(0.0f), yaw(0.0f), floorTexture(nullptr), wallTexture(nullptr),
      ceilingTexture(nullptr), playerPosition(startPosition(levelGrid)), lookVector(0.0f, 0.0f, 0.0f),
      moveBackward(false), moveForward(false), moveRight(false), moveLeft(false), mapOrigin(0.0f, 0.0f, 0.0f),
      mapScale(0.0f), blockSide(1), blocksDown(1), mapTexture(0), drawAll(false)
{
    interval = TickInterval;
    state = Starting;
    TimerSystem::instance()->add(this);

    visible = true;
    sky->setDensity(StartDensity);

    camera.position = playerPosition;
    camera.updateProjection();

    if (graphics) {
        floorTexture = Texture::load("floor");
        ceilingTexture = Texture::load("ceil");
        wallTexture = Texture::load("wall");
    }
    buildGeometry();
    if (graphics)
        buildMapTexture();
}

W_LevelRenderer::~W_LevelRenderer()
{
    if (mapTexture != 0) {
        const GLuint name = mapTexture;
        glDeleteTextures(1, &name);
    }
}

bool W_LevelRenderer::isSolidAt(float x, float z) const
{
    return grid.isSolid(cellIndex(x / CellSize, grid.getWidth()), cellIndex(-z / CellSize, grid.getHeight()));
}

// The floor and wall quads of every cell, block by block; inside a block the
// cells go across (i) in the outer loop and down (j) in the inner one, which
// for a level drawn whole is the order of the whole grid.
void W_LevelRenderer::buildGeometry()
{
    const int32_t width = grid.getWidth();
    const int32_t height = grid.getHeight();
    const bool whole = width * height <= WholeDrawCells;
    // A solid cell's floor lies inside its walls and can never be seen; the
    // small levels draw it all the same, as the built-in level always has.
    const bool solidFloors = whole;
    blockSide = whole ? std::max(width, height) : BlockSize;
    const int32_t blocksAcross = (width + blockSide - 1) / blockSide;
    blocksDown = (height + blockSide - 1) / blockSide;
    blocks.assign(static_cast<size_t>(blocksAcross * blocksDown), Block{0, 0, 0, 0});
    blockVisible.assign(blocks.size(), 0);

    int32_t floorQuads = 0;
    int32_t wallQuads = 0;
    for (int32_t i = 0; i < width; ++i) {
        for (int32_t j = 0; j < height; ++j) {
            if (grid.isSolid(i, j)) {
                floorQuads += solidFloors ? 1 : 0;
                continue;
            }
            ++floorQuads;
            wallQuads += (grid.isSolid(i - 1, j) ? 1 : 0) + (grid.isSolid(i + 1, j) ? 1 : 0)
                + (grid.isSolid(i, j - 1) ? 1 : 0) + (grid.isSolid(i, j + 1) ? 1 : 0);
        }
    }
    floorVertices.clear();
    wallVertices.clear();
    floorVertices.reserve(static_cast<size_t>(floorQuads) * 4 * VertexFloats);
    wallVertices.reserve(static_cast<size_t>(wallQuads) * 4 * VertexFloats);

    // From the bottom corner at (ax, az) up, along to (bx, bz), and down:
    // every wall quad shows the texture once, upright.
    auto wall = [this](float ax, float az, float bx, float bz) {
        addVertex(wallVertices, 0.0f, 0.0f, ax, 0.0f, az);
        addVertex(wallVertices, 0.0f, 1.0f, ax, WallHeight, az);
        addVertex(wallVertices, 1.0f, 1.0f, bx, WallHeight, bz);
        addVertex(wallVertices, 1.0f, 0.0f, bx, 0.0f, bz);
    };
    for (int32_t bi = 0; bi < blocksAcross; ++bi) {
        for (int32_t bj = 0; bj < blocksDown; ++bj) {
            Block& block = blocks[static_cast<size_t>(bi * blocksDown + bj)];
            const int32_t iEnd = std::min(width, (bi + 1) * blockSide);
            const int32_t jEnd = std::min(height, (bj + 1) * blockSide);
            block.floorFirst = static_cast<int32_t>(floorVertices.size()) / VertexFloats;
            block.wallFirst = static_cast<int32_t>(wallVertices.size()) / VertexFloats;
            for (int32_t i = bi * blockSide; i < iEnd; ++i) {
                for (int32_t j = bj * blockSide; j < jEnd; ++j) {
                    const float x0 = CellSize * static_cast<float>(i);
                    const float x1 = CellSize * static_cast<float>(i + 1);
                    const float z0 = -CellSize * static_cast<float>(j);
                    const float z1 = -CellSize * static_cast<float>(j + 1);
                    const bool solid = grid.isSolid(i, j);
                    if (!solid || solidFloors) {
                        addVertex(floorVertices, 0.0f, 0.0f, x0, 0.0f, z0);
                        addVertex(floorVertices, 0.0f, 1.0f, x0, 0.0f, z1);
                        addVertex(floorVertices, 1.0f, 1.0f, x1, 0.0f, z1);
                        addVertex(floorVertices, 1.0f, 0.0f, x1, 0.0f, z0);
                    }
                    if (solid)
                        continue; // no wall between two solid cells
                    if (grid.isSolid(i - 1, j))
                        wall(x0, z0, x0, z1);
                    if (grid.isSolid(i + 1, j))
                        wall(x1, z0, x1, z1);
                    if (grid.isSolid(i, j - 1))
                        wall(x0, z0, x1, z0);
                    if (grid.isSolid(i, j + 1))
                        wall(x0, z1, x1, z1);
                }
            }
            block.floorCount = static_cast<int32_t>(floorVertices.size()) / VertexFloats - block.floorFirst;
            block.wallCount = static_cast<int32_t>(wallVertices.size()) / VertexFloats - block.wallFirst;
        }
    }
}

// The large levels' minimap as a texture of one texel per cell (drawing
// tens of thousands of small squares every frame would cost more than the
// level itself). Small levels draw their map cell by cell.
void W_LevelRenderer::buildMapTexture()
{
    const int32_t width = grid.getWidth();
    const int32_t height = grid.getHeight();
    if (width * height <= WholeDrawCells)
        return;
    const int32_t textureWidth = nextPowerOfTwo(width);
    const int32_t textureHeight = nextPowerOfTwo(height);
    std::vector<uint8_t> texels(static_cast<size_t>(textureWidth * textureHeight) * 4, 0);
    for (int32_t j = 0; j < height; ++j) {
        for (int32_t i = 0; i < width; ++i) {
            const uint8_t* colour = grid.isSolid(i, j) ? MapSolid : MapOpen;
            uint8_t* texel = &texels[static_cast<size_t>(j * textureWidth + i) * 4];
            texel[0] = colour[0];
            texel[1] = colour[1];
            texel[2] = colour[2];
            texel[3] = 255;
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0)
        return;
    GLint unpackAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, textureWidth, textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
    mapTexture = name;
}

bool W_LevelRenderer::handleInput(uint32_t kind, const InputState& input)
{
    const uint32_t key = input.getKey();
    switch (kind) {
    case KeyDown:
        switch (key) {
        case KeyGrayMinus:
            sky->setDensity(sky->getDensity() - DensityStep);
            return false; // later handlers still see the key
        case KeyGrayPlus:
            sky->setDensity(sky->getDensity() + DensityStep);
            return false;
        case KeyForward:
            moveForward = true;
            return true;
        case KeyBackward:
            moveBackward = true;
            return true;
        case KeyLeft:
            moveLeft = true;
            return true;
        case KeyRight:
            moveRight = true;
            return true;
        default:
            return false;
        }
    case KeyUp:
        switch (key) {
        case KeyForward:
            moveForward = false;
            return true;
        case KeyBackward:
            moveBackward = false;
            return true;
        case KeyLeft:
            moveLeft = false;
            return true;
        case KeyRight:
            moveRight = false;
            return true;
        default:
            return false;
        }
    case MouseMove:
        mouseMove(input.getDeltaX(), input.getDeltaY());
        return true;
    default:
        return false;
    }
}

void W_LevelRenderer::mouseMove(int32_t dx, int32_t dy)
{
    InputSystem::instance()->centreCursor();

    // Negated as floats: the same value, and no overflow for the lowest int.
    const float yawChange = -static_cast<float>(dx) * YawPerPixel;
    const float pitchChange = -static_cast<float>(dy) * PitchPerPixel;

    // A change that would tip the view past straight up or down is dropped
    // as a whole rather than clamped.
    const float newPitch = pitch + pitchChange;
    if (newPitch >= -HalfPi && newPitch <= HalfPi)
        pitch = newPitch;

    yaw += yawChange;
    if (yaw < 0.0f)
        yaw += TwoPi;
    if (yaw > TwoPi)
        yaw -= TwoPi;
}

bool W_LevelRenderer::resize(const Vector4& screenRect)
{
    // A seventh of the width for the level's larger side: 70 cells across the
    // screen for the 10 x 10 level, 7 x 32 for a 32 x 32 one.
    const int32_t side = std::max(grid.getWidth(), grid.getHeight());
    const float cellsPerWidth = MapCellsPerWidth / static_cast<float>(GridSize) * static_cast<float>(side);
    mapScale = (screenRect.z - screenRect.x) / cellsPerWidth;
    mapOrigin = Vector3(screenRect.z - mapScale * static_cast<float>(grid.getWidth()), screenRect.y, 0.0f);

    // The projection follows the screen's shape, so a wide window or desktop
    // does not stretch the level sideways. At 1024 x 768 the aspect is the
    // camera's default 4:3 and the picture is unchanged.
    const float width = screenRect.z - screenRect.x;
    const float height = screenRect.w - screenRect.y;
    if (width > 0.0f && height > 0.0f) {
        camera.aspect = width / height;
        camera.updateProjection();
    }
    return true;
}

void W_LevelRenderer::tick(uint32_t periods)
{
    const Quaternion orientation = Quaternion::rotationY(yaw) * Quaternion::rotationX(pitch);
    camera.orientation = orientation;

    lookVector = orientation.rotate(Vector3(0.0f, 0.0f, -1.0f)) * LookLength;
    lookVector.y = 0.0f;

    const float forward = axis(moveForward, moveBackward); // -1 walks along the view
    const float sideways = axis(moveLeft, moveRight);
    Vector3 step = orientation.rotate(Vector3(sideways, 0.0f, forward));
    step.y = 0.0f;

    // The move-and-probe rule runs once per period, so a tick that carries
    // many periods (a slow frame, a stalled process) walks exactly as far as
    // the same number of one-period ticks and stops at the same place before
    // a wall. Moving the whole distance at once would let the probe, which
    // looks five steps ahead, land beyond a one-cell wall: the player would
    // tunnel through it. Once a period moves nothing, every later one of the
    // same tick would do the same, so the loop ends there.
    if (step.x != 0.0f || step.z != 0.0f) {
        const uint32_t count = periods < MaxPeriodsPerTick ? periods : MaxPeriodsPerTick;
        for (uint32_t n = 0; n < count; ++n) {
            if (!movePeriod(step))
                break;
        }
    }

    camera.position = playerPosition;
    camera.updateView();
}

bool W_LevelRenderer::movePeriod(const Vector3& step)
{
    // One axis at a time, so that walking into a wall at an angle slides along it.
    Vector3 move = step;
    if (isSolidAt(playerPosition.x + ProbeReach * step.x, playerPosition.z))
        move.x = 0.0f;
    if (isSolidAt(playerPosition.x, playerPosition.z + ProbeReach * step.z))
        move.z = 0.0f;

    const Vector3 before = playerPosition;
    playerPosition += move;
    return playerPosition.x != before.x || playerPosition.z != before.z;
}

void W_LevelRenderer::markCell(int32_t i, int32_t j)
{
    if (i < 0 || j < 0 || i >= grid.getWidth() || j >= grid.getHeight())
        return;
    blockVisible[static_cast<size_t>((i / blockSide) * blocksDown + j / blockSide)] = 1;
}

// Walks the ray from (u, v) along (du, dv), in cell units (u along i, v along
// j), through the open cells it crosses until it meets a solid cell or leaves
// the grid, marking their blocks. The walls it meets belong to the last open
// cell, so they are drawn with it.
void W_LevelRenderer::castRay(float u, float v, float du, float dv)
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

// Floor and walls can only be seen from the eye along lines that cross no
// solid cell: the eye lies below the walls' tops and nothing lies above them,
// so what is seen in three dimensions is what is seen on the grid from
// above. Rays are cast across the view's horizontal angle (all round when
// the view is tipped so far up or down that the picture takes in every
// direction), closer together than a screen pixel, and the blocks of the
// cells they cross are drawn; so are the blocks around the player's cell.
void W_LevelRenderer::updateVisibleBlocks()
{
    if (blocks.size() == 1 || drawAll) {
        std::fill(blockVisible.begin(), blockVisible.end(), 1);
        return;
    }
    std::fill(blockVisible.begin(), blockVisible.end(), 0);

    const float u = playerPosition.x / CellSize;
    const float v = -playerPosition.z / CellSize;
    const int32_t i = cellIndex(u, grid.getWidth());
    const int32_t j = cellIndex(v, grid.getHeight());
    for (int32_t di = -1; di <= 1; ++di) {
        for (int32_t dj = -1; dj <= 1; ++dj)
            markCell(i + di, j + dj);
    }
    if (!(u >= 0.0f && v >= 0.0f && u < static_cast<float>(grid.getWidth())
          && v < static_cast<float>(grid.getHeight())))
        return; // an eye outside the grid (never so in play) draws only the blocks beside it

    // The corners of the picture seen from above: a corner ray (tx, ty, -1)
    // of the unpitched view leans by atan(tx / (cos p - ty sin |p|)) at most.
    const float tanY = std::tan(camera.fov * 0.5f * Pi / 180.0f);
    const float tanX = tanY * camera.aspect;
    const float ahead = std::cos(pitch) - tanY * std::fabs(std::sin(pitch));
    float first = 0.0f;
    float range = TwoPi;
    if (ahead > 0.05f) {
        const float half = std::atan(tanX / ahead) + 0.05f;
        if (half < Pi) {
            first = yaw - half;
            range = 2.0f * half;
        }
    }
    const int32_t rays = static_cast<int32_t>(range / RayAngleStep) + 2;
    for (int32_t k = 0; k < rays; ++k) {
        const float angle = first + range * static_cast<float>(k) / static_cast<float>(rays - 1);
        castRay(u, v, -std::sin(angle), std::cos(angle));
    }
}

int32_t W_LevelRenderer::countVisibleBlocks() const
{
    int32_t count = 0;
    for (uint8_t mark : blockVisible)
        count += mark;
    return count;
}

int32_t W_LevelRenderer::countVisibleQuads() const
{
    int32_t vertices = 0;
    for (size_t b = 0; b < blocks.size(); ++b) {
        if (blockVisible[b] != 0)
            vertices += blocks[b].floorCount + blocks[b].wallCount;
    }
    return vertices / 4;
}

void W_LevelRenderer::draw()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();

    camera.apply();
    if (skyFirst)
        drawSky();

    glEnable(GL_DEPTH_TEST);
    // The level's look must not depend on the colour earlier drawing left.
    glColor3f(1.0f, 1.0f, 1.0f);
    updateVisibleBlocks();
    if (skyFirst) {
        drawFloor();
        drawWalls();
    } else {
        // The walls first, so the floor behind them is rejected before it is
        // shaded. The floor passes where its depth equals a wall's, as a wall
        // drawn after it would have failed there: the same picture.
        drawWalls();
        glDepthFunc(GL_LEQUAL);
        drawFloor();
        glDepthFunc(GL_LESS);
        // Only where the level left the far depth: the same picture as the
        // sky first, without shading the sky that the level covers.
        sky->drawBehind(camera);
    }
    glDisable(GL_DEPTH_TEST);

    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();

    drawMinimap();
}

// Centred on the camera; depth testing is off, so the sky never hides the level.
void W_LevelRenderer::drawSky()
{
    sky->draw(camera);
}

// Each visible block's range of quads; neighbouring ranges go in one call.
void W_LevelRenderer::drawBlocks(const std::vector<float>& vertices, bool walls) const
{
    if (vertices.empty())
        return;
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, VertexFloats * sizeof(float), vertices.data());
    glVertexPointer(3, GL_FLOAT, VertexFloats * sizeof(float), vertices.data() + 2);
    int32_t runFirst = 0;
    int32_t runCount = 0;
    for (size_t b = 0; b < blocks.size(); ++b) {
        if (blockVisible[b] == 0)
            continue;
        const int32_t first = walls ? blocks[b].wallFirst : blocks[b].floorFirst;
        const int32_t count = walls ? blocks[b].wallCount : blocks[b].floorCount;
        if (count == 0)
            continue;
        if (runCount > 0 && runFirst + runCount == first) {
            runCount += count;
            continue;
        }
        if (runCount > 0)
            glDrawArrays(GL_QUADS, runFirst, runCount);
        runFirst = first;
        runCount = count;
    }
    if (runCount > 0)
        glDrawArrays(GL_QUADS, runFirst, runCount);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

// One quad per cell (the small levels' solid cells too). A floor texture
// that did not load leaves the floor untextured.
void W_LevelRenderer::drawFloor() const
{
    if (floorTexture != nullptr)
        floorTexture->bind(0);
    drawBlocks(floorVertices, false);
    if (floorTexture != nullptr)
        floorTexture->unbind();
}

// A wall on every side of an open cell that faces a solid cell or the edge
// of the grid.
void W_LevelRenderer::drawWalls() const
{
    if (wallTexture != nullptr)
        wallTexture->bind(0);
    drawBlocks(wallVertices, true);
    if (wallTexture != nullptr)
        wallTexture->unbind();
}

// In screen units: the grey background, the solid cells in orange, and the
// player's heading as a red line. Map x is world x, map y (downwards) world -z.
void W_LevelRenderer::drawMinimap() const
{
    const float s = mapScale;
    const float left = mapOrigin.x;
    const float top = mapOrigin.y;
    const float z = mapOrigin.z;
    const int32_t width = grid.getWidth();
    const int32_t height = grid.getHeight();
    const float right = left + s * static_cast<float>(width);
    const float bottom = top + s * static_cast<float>(height);

    if (mapTexture != 0) {
        // One texel per cell, in the same colours, drawn unlit and unblended.
        const float sMax = static_cast<float>(width) / static_cast<float>(nextPowerOfTwo(width));
        const float tMax = static_cast<float>(height) / static_cast<float>(nextPowerOfTwo(height));
        glColor3f(1.0f, 1.0f, 1.0f);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, mapTexture);
        glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(left, top, z);
        glTexCoord2f(0.0f, tMax);
        glVertex3f(left, bottom, z);
        glTexCoord2f(sMax, tMax);
        glVertex3f(right, bottom, z);
        glTexCoord2f(sMax, 0.0f);
        glVertex3f(right, top, z);
        glEnd();
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
    } else {
        glBegin(GL_QUADS);
        glColor4f(0.5f, 0.5f, 0.5f, 0.2f);
        glVertex3f(left, top, z);
        glVertex3f(left, bottom, z);
        glVertex3f(right, bottom, z);
        glVertex3f(right, top, z);
        glColor4f(0.7f, 0.4f, 0.0f, 0.5f);
        for (int32_t i = 0; i < width; ++i) {
            for (int32_t j = 0; j < height; ++j) {
                if (!grid.isSolid(i, j))
                    continue;
                const float x0 = left + static_cast<float>(i) * s;
                const float x1 = left + static_cast<float>(i + 1) * s;
                const float y0 = top + static_cast<float>(j) * s;
                const float y1 = top + static_cast<float>(j + 1) * s;
                glVertex3f(x0, y0, z);
                glVertex3f(x0, y1, z);
                glVertex3f(x1, y1, z);
                glVertex3f(x1, y0, z);
            }
        }
        glEnd();
    }

    // On a map with more than ten cells a side the line grows with the map,
    // so it is never shorter on the screen than on the 10 x 10 map.
    const Vector3& p = playerPosition;
    const int32_t side = std::max(width, height);
    const Vector3 l = side > GridSize ? lookVector * (static_cast<float>(side) / static_cast<float>(GridSize))
                                      : lookVector;
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_LINES);
    glVertex3f(left + s * p.x / CellSize, top + s * (-p.z / CellSize), z);
    glVertex3f(left + s * (p.x + l.x) / CellSize, top + s * (-(p.z + l.z) / CellSize), z);
    glEnd();
}

} // namespace Quorvel
