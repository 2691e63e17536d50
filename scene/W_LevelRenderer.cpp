// W_LevelRenderer: input and mouse look, the timer tick that walks the
// player, and the frame that draws sky, floor, walls and minimap from the
// level's parts.

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

W_LevelRenderer::W_LevelRenderer(const LevelGrid& grid, SkyNoise& noise)
    : W_LevelRenderer(grid, std::unique_ptr<SkyDome>(new SkyDome(noise)), true)
{
}

W_LevelRenderer::W_LevelRenderer(SkyDome::WithoutGraphics tag) : W_LevelRenderer(LevelGrid::builtIn(), tag)
{
}

W_LevelRenderer::W_LevelRenderer(const LevelGrid& grid, SkyDome::WithoutGraphics tag)
    : W_LevelRenderer(grid, std::unique_ptr<SkyDome>(new SkyDome(tag)), false)
{
}

W_LevelRenderer::W_LevelRenderer(const LevelGrid& levelGrid, std::unique_ptr<SkyDome> ownSky, bool withGraphics)
    : grid(levelGrid), sky(std::move(ownSky)), pitch(0.0f), yaw(0.0f), floorTexture(nullptr), wallTexture(nullptr),
      ceilingTexture(nullptr), lookVector(0.0f, 0.0f, 0.0f), moveBackward(false), moveForward(false), moveRight(false),
      moveLeft(false), walker(grid), geometry(grid), visibility(grid, geometry), wallOrder(geometry), minimap(grid),
      drawAll(false), graphics(withGraphics)
{
    interval = TickInterval;
    state = Starting;
    TimerSystem::instance()->add(this);

    visible = true;
    sky->setDensity(StartDensity);

    camera.position = walker.getPosition();
    camera.updateProjection();

    if (graphics) {
        floorTexture = Texture::load("floor");
        ceilingTexture = Texture::load("ceil");
        wallTexture = Texture::load("wall");
        minimap.buildTexture();
    }
}

W_LevelRenderer::~W_LevelRenderer() = default;

// The parts refer to the grid member, so they follow it once told to rebuild.
void W_LevelRenderer::setLevel(const LevelGrid& level)
{
    grid = level;
    geometry.rebuild(grid);
    wallOrder.rebuild();
    visibility.reset();
    walker.restart();
    minimap.rebuild(graphics);
    pitch = 0.0f;
    yaw = 0.0f;
    camera.orientation = Quaternion::rotationY(yaw) * Quaternion::rotationX(pitch);
    lookVector = camera.orientation.rotate(Vector3(0.0f, 0.0f, -1.0f)) * LookLength;
    lookVector.y = 0.0f;
    camera.position = walker.getPosition();
    camera.updateView();
}

bool W_LevelRenderer::handleInput(uint32_t kind, const InputState& input)
{
    if (kind == MouseMove) {
        mouseMove(input.getDeltaX(), input.getDeltaY());
        return true;
    }
    if (kind == GamepadMove) {
        gamepad = input.getGamepad();
        return false; // others may read the gamepad too
    }
    if (kind != KeyDown && kind != KeyUp)
        return false;
    if (kind == KeyDown && input.getKey() == InputSystem::PadLeftShoulder) {
        sky->setDensity(sky->getDensity() - DensityStep);
        return false;
    }
    if (kind == KeyDown && input.getKey() == InputSystem::PadRightShoulder) {
        sky->setDensity(sky->getDensity() + DensityStep);
        return false;
    }
    WC_ActionMap::Action action = WC_ActionMap::Action::Forward;
    if (!actions.findAction(input.getKey(), action))
        return false;
    const bool down = kind == KeyDown;
    switch (action) {
    case WC_ActionMap::Action::CloudsThinner:
        if (down)
            sky->setDensity(sky->getDensity() - DensityStep);
        return false; // later handlers still see the key
    case WC_ActionMap::Action::CloudsDenser:
        if (down)
            sky->setDensity(sky->getDensity() + DensityStep);
        return false;
    case WC_ActionMap::Action::Forward:
        moveForward = down;
        return true;
    case WC_ActionMap::Action::Back:
        moveBackward = down;
        return true;
    case WC_ActionMap::Action::Left:
        moveLeft = down;
        return true;
    case WC_ActionMap::Action::Right:
        moveRight = down;
        return true;
    }
    return false;
}

bool W_LevelRenderer::isWalkRequested() const
{
    if (axis(moveForward, moveBackward) != 0.0f || axis(moveLeft, moveRight) != 0.0f)
        return true;
    float pushX = 0.0f;
    float pushY = 0.0f;
    stickPush(gamepad.leftX, gamepad.leftY, LeftStickDeadZone, pushX, pushY);
    return pushX != 0.0f || pushY != 0.0f;
}

void W_LevelRenderer::stickPush(int16_t x, int16_t y, float deadZone, float& pushX, float& pushY)
{
    pushX = 0.0f;
    pushY = 0.0f;
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const float length = std::sqrt(fx * fx + fy * fy);
    if (!(length > deadZone))
        return;
    const float push = std::min(1.0f, (length - deadZone) / (StickFull - deadZone));
    pushX = fx / length * push;
    pushY = fy / length * push;
}

// The right stick turns the view at stickLookSpeed radians per second at
// full push, for the time of the periods; up looks up (down with the
// vertical look inverted). The pitch stops at straight up or down.
void W_LevelRenderer::stickLook(uint32_t periods)
{
    float pushX = 0.0f;
    float pushY = 0.0f;
    stickPush(gamepad.rightX, gamepad.rightY, RightStickDeadZone, pushX, pushY);
    if (pushX == 0.0f && pushY == 0.0f)
        return;
    const uint32_t counted = periods < MaxPeriodsPerTick ? periods : MaxPeriodsPerTick;
    const float turn = stickLookSpeed * static_cast<float>(counted) * (static_cast<float>(TickInterval) / 1000.0f);
    const float pitchSign = pitchPerPixel < 0.0f ? -1.0f : 1.0f;
    pitch = std::max(-HalfPi, std::min(HalfPi, pitch + pushY * turn * pitchSign));
    yaw = std::fmod(yaw - pushX * turn, TwoPi);
    if (yaw < 0.0f)
        yaw += TwoPi;
}

void W_LevelRenderer::setControls(const ControlSettings& controls)
{
    controls.applyTo(actions);
    yawPerPixel = YawPerPixel * controls.getMouseSensitivity();
    pitchPerPixel = PitchPerPixel * controls.getMouseSensitivity() * (controls.isInvertY() ? -1.0f : 1.0f);
    stickLookSpeed = controls.getStickLookSpeed();
}

void W_LevelRenderer::mouseMove(int32_t dx, int32_t dy)
{
    InputSystem::instance()->centreCursor();

    // Negated as floats: the same value, and no overflow for the lowest int.
    const float yawChange = -static_cast<float>(dx) * yawPerPixel;
    const float pitchChange = -static_cast<float>(dy) * pitchPerPixel;

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
    minimap.resize(screenRect);

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
    stickLook(periods);
    const Quaternion orientation = Quaternion::rotationY(yaw) * Quaternion::rotationX(pitch);
    camera.orientation = orientation;

    lookVector = orientation.rotate(Vector3(0.0f, 0.0f, -1.0f)) * LookLength;
    lookVector.y = 0.0f;

    float forward = axis(moveForward, moveBackward); // -1 walks along the view
    float sideways = axis(moveLeft, moveRight);
    float fraction = 1.0f;
    if (forward == 0.0f && sideways == 0.0f) {
        // The left stick, when no walking key is held: its direction at the
        // keys' step, walked at the fraction its push gives.
        float pushX = 0.0f;
        float pushY = 0.0f;
        stickPush(gamepad.leftX, gamepad.leftY, LeftStickDeadZone, pushX, pushY);
        fraction = std::sqrt(pushX * pushX + pushY * pushY);
        if (fraction > 0.0f) {
            sideways = pushX / fraction;
            forward = -pushY / fraction;
        }
    }
    Vector3 step = orientation.rotate(Vector3(sideways, 0.0f, forward));
    step.y = 0.0f;

    if (fraction == 1.0f)
        walker.walk(step, periods);
    else
        walker.walk(step, periods, fraction);

    camera.position = walker.getPosition();
    camera.updateView();
}

void W_LevelRenderer::updateVisibleBlocks()
{
    const LevelVisibility::View view{walker.getPosition(), yaw, pitch, camera.fov, camera.aspect};
    visibility.update(view, drawAll);
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
        // The walls first, nearest first, so the walls and the floor behind
        // them are rejected before they are shaded. The floor passes where
        // its depth equals a wall's, as a wall drawn after it would have
        // failed there: the same picture. The colour is white, so the
        // textures replace it rather than being multiplied by it: the same
        // pixels for less work per pixel.
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        if (wallsNearestFirst)
            drawWallsNearestFirst();
        else
            drawWalls();
        glDepthFunc(GL_LEQUAL);
        drawFloor();
        glDepthFunc(GL_LESS);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        // Only where the level left the far depth: the same picture as the
        // sky first, without shading the sky that the level covers.
        sky->drawBehind(camera);
    }
    glDisable(GL_DEPTH_TEST);

    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();

    minimap.draw(walker.getPosition(), lookVector);
}

// Centred on the camera; depth testing is off, so the sky never hides the level.
void W_LevelRenderer::drawSky()
{
    sky->draw(camera);
}

// One quad per cell (the small levels' solid cells too). A floor texture
// that did not load leaves the floor untextured.
void W_LevelRenderer::drawFloor() const
{
    if (floorTexture != nullptr)
        floorTexture->bind(0);
    geometry.draw(visibility.getVisible(), false);
    if (floorTexture != nullptr)
        floorTexture->unbind();
}

// A wall on every side of an open cell that faces a solid cell or the edge
// of the grid.
void W_LevelRenderer::drawWalls() const
{
    if (wallTexture != nullptr)
        wallTexture->bind(0);
    geometry.draw(visibility.getVisible(), true);
    if (wallTexture != nullptr)
        wallTexture->unbind();
}

// The walls of the visible blocks, nearest the eye first.
void W_LevelRenderer::drawWallsNearestFirst()
{
    const Vector3& eye = walker.getPosition();
    wallOrder.update(visibility.getVisible(), eye.x, eye.z);
    if (wallTexture != nullptr)
        wallTexture->bind(0);
    geometry.drawWalls(wallOrder.getIndices());
    if (wallTexture != nullptr)
        wallTexture->unbind();
}

} // namespace Quorvel
