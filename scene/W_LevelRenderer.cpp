// W_LevelRenderer: the level's grid, the player's movement and collision,
// mouse look, and the drawing of sky, floor, walls and minimap.

#include "scene/W_LevelRenderer.h"

#include "input/InputSystem.h"
#include "math/MathUtil.h"
#include "math/Vector4.h"
#include "resources/Texture.h"
#include "system/OpenGL.h"
#include "system/TimerSystem.h"
#include "widgets/InputHandler.h"

#include <cmath>

namespace Quorvel {

namespace {

// The level: 1 for a solid cell, 0 for an open one; row i along +x, column j
// along -z. The border is open: the outer walls come from the grid's edge.
// clang-format off
constexpr uint8_t levelMap[W_LevelRenderer::GridSize][W_LevelRenderer::GridSize] = {
    { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 },
    { 0, 0, 0, 0, 0, 1, 0, 0, 0, 0 },
    { 0, 0, 0, 0, 0, 1, 1, 0, 1, 1 },
    { 0, 0, 0, 0, 0, 1, 0, 0, 0, 1 },
    { 0, 0, 0, 0, 0, 1, 0, 0, 0, 0 },
    { 0, 0, 0, 0, 1, 1, 1, 1, 0, 0 },
    { 0, 0, 1, 0, 1, 0, 0, 1, 0, 0 },
    { 0, 0, 0, 0, 0, 0, 0, 1, 0, 0 },
    { 0, 0, 1, 1, 1, 1, 1, 1, 0, 0 },
    { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 },
};
// clang-format on

const Vector3 StartPosition(8.0f, 8.0f, -8.0f); // middle of cell (0, 0), eye height 8

// Index of the cell that holds a coordinate (already divided by the cell
// size), rounded towards minus infinity so that -0.5 lies in cell -1 and not
// in cell 0. Anything that is not a number inside the grid's neighbourhood
// gives -1, which is outside the grid.
int32_t cellIndex(float scaled)
{
    if (!(scaled >= -1.0f && scaled < static_cast<float>(W_LevelRenderer::GridSize + 1)))
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

W_LevelRenderer::W_LevelRenderer() : W_LevelRenderer(std::unique_ptr<SkyDome>(new SkyDome()), true)
{
}

W_LevelRenderer::W_LevelRenderer(SkyDome::WithoutGraphics tag)
    : W_LevelRenderer(std::unique_ptr<SkyDome>(new SkyDome(tag)), false)
{
}

W_LevelRenderer::W_LevelRenderer(std::unique_ptr<SkyDome> ownSky, bool fetchTextures)
    : sky(std::move(ownSky)), pitch(0.0f), yaw(0.0f), floorTexture(nullptr), wallTexture(nullptr),
      ceilingTexture(nullptr), playerPosition(StartPosition), lookVector(0.0f, 0.0f, 0.0f), moveBackward(false),
      moveForward(false), moveRight(false), moveLeft(false), mapOrigin(0.0f, 0.0f, 0.0f), mapScale(0.0f)
{
    interval = TickInterval;
    state = Starting;
    TimerSystem::instance()->add(this);

    visible = true;
    sky->setDensity(StartDensity);

    camera.position = StartPosition;
    camera.updateProjection();

    if (fetchTextures) {
        floorTexture = Texture::load("floor");
        ceilingTexture = Texture::load("ceil");
        wallTexture = Texture::load("wall");
    }
}

W_LevelRenderer::~W_LevelRenderer() = default;

bool W_LevelRenderer::isSolid(int32_t i, int32_t j)
{
    if (i < 0 || j < 0 || i >= GridSize || j >= GridSize)
        return true;
    return levelMap[i][j] != 0;
}

bool W_LevelRenderer::isSolidAt(float x, float z)
{
    return isSolid(cellIndex(x / CellSize), cellIndex(-z / CellSize));
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
    mapScale = (screenRect.z - screenRect.x) / MapCellsPerWidth;
    mapOrigin = Vector3(screenRect.z - mapScale * static_cast<float>(GridSize), screenRect.y, 0.0f);
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
    const float count = static_cast<float>(periods);
    Vector3 step = orientation.rotate(Vector3(sideways * count, 0.0f, forward * count));
    step.y = 0.0f;

    // One axis at a time, so that walking into a wall at an angle slides along it.
    if (isSolidAt(playerPosition.x + ProbeReach * step.x, playerPosition.z))
        step.x = 0.0f;
    if (isSolidAt(playerPosition.x, playerPosition.z + ProbeReach * step.z))
        step.z = 0.0f;

    playerPosition += step;
    camera.position = playerPosition;
    camera.updateView();
}

void W_LevelRenderer::draw()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();

    camera.apply();
    if (skyFirst)
        sky->draw(camera); // depth testing is off: the sky never hides the level

    glEnable(GL_DEPTH_TEST);
    // The level's look must not depend on the colour earlier drawing left.
    glColor3f(1.0f, 1.0f, 1.0f);
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

// One quad per cell of the grid, solid cells too. A floor texture that did
// not load leaves the floor untextured.
void W_LevelRenderer::drawFloor() const
{
    if (floorTexture != nullptr)
        floorTexture->bind(0);
    glBegin(GL_QUADS);
    for (int32_t i = 0; i < GridSize; ++i) {
        for (int32_t j = 0; j < GridSize; ++j) {
            const float x0 = CellSize * static_cast<float>(i);
            const float x1 = CellSize * static_cast<float>(i + 1);
            const float z0 = -CellSize * static_cast<float>(j);
            const float z1 = -CellSize * static_cast<float>(j + 1);
            glTexCoord2f(0.0f, 0.0f);
            glVertex3f(x0, 0.0f, z0);
            glTexCoord2f(0.0f, 1.0f);
            glVertex3f(x0, 0.0f, z1);
            glTexCoord2f(1.0f, 1.0f);
            glVertex3f(x1, 0.0f, z1);
            glTexCoord2f(1.0f, 0.0f);
            glVertex3f(x1, 0.0f, z0);
        }
    }
    glEnd();
    if (floorTexture != nullptr)
        floorTexture->unbind();
}

// A wall on every side of an open cell that faces a solid cell or the edge
// of the grid, each quad showing the texture once, upright.
void W_LevelRenderer::drawWalls() const
{
    if (wallTexture != nullptr)
        wallTexture->bind(0);
    glBegin(GL_QUADS);
    // From the bottom corner at (ax, az) up, along to (bx, bz), and down.
    auto wall = [](float ax, float az, float bx, float bz) {
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(ax, 0.0f, az);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(ax, WallHeight, az);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(bx, WallHeight, bz);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(bx, 0.0f, bz);
    };
    for (int32_t i = 0; i < GridSize; ++i) {
        for (int32_t j = 0; j < GridSize; ++j) {
            if (isSolid(i, j))
                continue;
            const float x0 = CellSize * static_cast<float>(i);
            const float x1 = CellSize * static_cast<float>(i + 1);
            const float z0 = -CellSize * static_cast<float>(j);
            const float z1 = -CellSize * static_cast<float>(j + 1);
            if (isSolid(i - 1, j))
                wall(x0, z0, x0, z1);
            if (isSolid(i + 1, j))
                wall(x1, z0, x1, z1);
            if (isSolid(i, j - 1))
                wall(x0, z0, x1, z0);
            if (isSolid(i, j + 1))
                wall(x0, z1, x1, z1);
        }
    }
    glEnd();
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
    const float side = s * static_cast<float>(GridSize);

    glBegin(GL_QUADS);
    glColor4f(0.5f, 0.5f, 0.5f, 0.2f);
    glVertex3f(left, top, z);
    glVertex3f(left, top + side, z);
    glVertex3f(left + side, top + side, z);
    glVertex3f(left + side, top, z);
    glColor4f(0.7f, 0.4f, 0.0f, 0.5f);
    for (int32_t i = 0; i < GridSize; ++i) {
        for (int32_t j = 0; j < GridSize; ++j) {
            if (!isSolid(i, j))
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

    const Vector3& p = playerPosition;
    const Vector3& l = lookVector;
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_LINES);
    glVertex3f(left + s * p.x / CellSize, top + s * (-p.z / CellSize), z);
    glVertex3f(left + s * (p.x + l.x) / CellSize, top + s * (-(p.z + l.z) / CellSize), z);
    glEnd();
}

} // namespace Quorvel
