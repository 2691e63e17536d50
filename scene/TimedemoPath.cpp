// TimedemoPath: the recorded walk and its playback into the level.

#include "scene/TimedemoPath.h"

#include "input/InputState.h"
#include "scene/W_LevelRenderer.h"
#include "widgets/InputHandler.h"

namespace Quorvel {

namespace {

// The walk through the default level, 2000 frames (40 s of movement at one
// period a frame). It starts in the corner cell facing along the first
// corridor, turns and crosses the level along its open edge, steps aside,
// looks up while walking and then down, goes round the far corner and
// thickens the clouds while turning, walks into the walled nook in the middle,
// strafes and curves out of it, comes back along the near edge, looks far up
// and far down, and ends with a slow full turn in the open middle.
// 39 pixels a frame for 40 frames is a quarter turn (0.001 rad a pixel).
// clang-format off
constexpr TimedemoPath::Step Steps[] = {
    //frames fwd side  mouseX mouseY density
    {  20,   0,   0,     0,     0,   0 }, // the first view along the corridor
    {  40,   0,   0,    39,     0,   0 }, // turn right, towards +x
    { 100,   1,   0,     0,     0,   0 }, // along the open edge
    {  15,   0,  -1,     0,     0,   0 }, // step left
    {  40,   1,   0,     0,   -40,   0 }, // walk on while looking up
    {  80,   0,   0,     0,    40,   0 }, // look down
    {  40,   1,   0,     0,   -40,   0 }, // walk on, level again
    {  40,   0,   0,   -39,     0,   0 }, // turn left, towards -z
    { 120,   1,   0,     0,     0,   0 }, // along the far edge
    {  40,   0,   0,   -39,     0,   1 }, // turn left and thicken the clouds
    {  80,   1,   0,     0,     0,   0 }, // along the back row
    {  40,   0,   0,   -39,     0,   0 }, // turn towards the nook
    {  60,   1,   0,     0,     0,   0 }, // into it, up to its wall
    {  40,   0,   1,     0,     0,   0 }, // strafe along the wall
    {  90,   1,   1,    35,     0,   0 }, // curve out, half a turn
    {  40,   0,   0,    39,     0,   0 },
    {  90,   1,   0,     0,     0,   0 }, // along the back row again
    {  40,   0,   0,    39,     0,   0 },
    { 120,   1,   0,     0,     0,   0 }, // back along the far edge
    {  40,   0,   0,    39,     0,   0 },
    { 110,   1,   0,     0,     0,   0 }, // back along the near edge
    {  60,   0,   0,     0,   -35,   0 }, // look far up
    { 120,   0,   0,     0,    35,   0 }, // and far down
    {  60,   0,   0,     0,   -35,   0 }, // and level
    {  40,   0,   0,    39,     0,   0 },
    {  40,   1,   0,    10,     0,   0 }, // a curve into the open middle
    { 395,   0,   0,    17,     0,   0 }, // a slow full turn on the spot
};
// clang-format on

constexpr uint32_t StepCount = sizeof Steps / sizeof Steps[0];

constexpr uint32_t countFrames()
{
    uint32_t total = 0;
    for (const TimedemoPath::Step& step : Steps)
        total += step.frames;
    return total;
}

constexpr uint32_t PathFrames = countFrames();
static_assert(PathFrames == 2000, "the path lasts as long as the default timedemo");

} // namespace

uint32_t TimedemoPath::getPathFrames()
{
    return PathFrames;
}

const TimedemoPath::Step* TimedemoPath::getSteps()
{
    return Steps;
}

uint32_t TimedemoPath::getStepCount()
{
    return StepCount;
}

void TimedemoPath::setKey(W_LevelRenderer& level, uint32_t key, bool& held, bool down)
{
    if (held == down)
        return; // a held key sends nothing more, as a keyboard without repeat
    held = down;
    InputState input;
    input.setKey(key);
    input.setKeyDown(key, down);
    level.handleInput(down ? KeyDown : KeyUp, input);
}

void TimedemoPath::advance(W_LevelRenderer& level)
{
    uint32_t inPath = frame % PathFrames;
    uint32_t index = 0;
    while (inPath >= Steps[index].frames) {
        inPath -= Steps[index].frames;
        ++index;
    }
    const Step& step = Steps[index];

    // The keys the level's controls bind, so the path walks whatever the bindings.
    using Action = WC_ActionMap::Action;
    const WC_ActionMap& actions = level.getActionMap();
    setKey(level, actions.getKey(Action::Forward), forwardHeld, step.forward > 0);
    setKey(level, actions.getKey(Action::Back), backHeld, step.forward < 0);
    setKey(level, actions.getKey(Action::Right), rightHeld, step.sideways > 0);
    setKey(level, actions.getKey(Action::Left), leftHeld, step.sideways < 0);

    if (step.mouseX != 0 || step.mouseY != 0) {
        InputState input;
        input.setDeltaX(step.mouseX);
        input.setDeltaY(step.mouseY);
        level.handleInput(MouseMove, input);
    }
    if (step.density != 0) {
        InputState input;
        input.setKey(actions.getKey(step.density > 0 ? Action::CloudsDenser : Action::CloudsThinner));
        level.handleInput(KeyDown, input);
    }

    level.tick(PeriodsPerFrame);
    ++frame;
}

} // namespace Quorvel
