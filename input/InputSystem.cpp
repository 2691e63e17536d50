#include "input/InputSystem.h"

#include "system/GraphicSystem.h"
#include "widgets/InputHandler.h"

#include <cassert>

namespace Quorvel {

InputSystem::InputSystem() = default;

// The engine never destroys its input system; a test's fake may go away and
// let the next one register.
InputSystem::~InputSystem() = default;

void InputSystem::addHandler(InputHandler* handler)
{
    assert(handler != nullptr && "null input handler");
    if (handler == nullptr)
        return;
    handlers.push_front(handler);
}

String InputSystem::keyName(uint32_t code) const
{
    return keyNames.name(code);
}

bool InputSystem::offer(uint32_t kind)
{
    // A list, so that a handler registering another one during the walk
    // invalidates nothing; the newcomer sees the next event.
    for (InputHandler* handler : handlers) {
        if ((handler->getEventMask() & kind) == 0)
            continue;
        if (handler->handleInput(kind, state))
            return true;
    }
    return false;
}

bool InputSystem::dispatchKey(uint32_t code, uint32_t character, bool down)
{
    assert(code < InputState::KeyCount && "key code out of range");
    if (code != WheelForward && code != WheelBackward)
        state.setKeyDown(code, down);
    state.setKey(code);
    state.setCharacter(character);
    return offer(down ? KeyDown : KeyUp);
}

void InputSystem::releaseAllKeys()
{
    for (uint32_t code = 0; code < InputState::KeyCount; ++code)
        if (state.isKeyDown(code))
            dispatchKey(code, 0, false);
}

void InputSystem::dispatchGamepad(const InputState::Gamepad& gamepad)
{
    state.setGamepad(gamepad);
    offer(GamepadMove);
}

void InputSystem::dispatchMouseMove(int32_t x, int32_t y)
{
    state.setMouseX(x);
    state.setMouseY(y);
    GraphicSystem* graphics = GraphicSystem::instance();
    const uint32_t halfWidth = graphics->getWidth() / 2;
    const uint32_t halfHeight = graphics->getHeight() / 2;
    state.setDeltaX(static_cast<int32_t>(static_cast<uint32_t>(x) - halfWidth));
    state.setDeltaY(static_cast<int32_t>(static_cast<uint32_t>(y) - halfHeight));
    offer(MouseMove);
}

} // namespace Quorvel
