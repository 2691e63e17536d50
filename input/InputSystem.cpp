#include "input/InputSystem.h"

#include "system/GraphicSystem.h"
#include "widgets/InputHandler.h"

#include <cassert>

namespace Quorvel {

InputSystem::InputSystem()
{
    fillKeyNames();
}

// The engine never destroys its input system; a test's fake may go away and
// let the next one register.
InputSystem::~InputSystem() = default;

void InputSystem::fillKeyNames()
{
    // clang-format off
    static const struct {
        uint32_t code;
        const char* name;
    } fixedNames[] = {
        {1, "Left Shift"}, {2, "Right Shift"}, {3, "Left Ctrl"}, {4, "Right Ctrl"},
        {5, "Left Alt"}, {6, "Right Alt"}, {8, "Backspace"}, {9, "Tab"},
        {13, "Return"}, {14, "Gray Enter"}, {15, "NumLock"}, {16, "Gray ."},
        {27, "Escape"}, {28, "Gray /"}, {29, "Gray *"}, {30, "Gray -"},
        {31, "Gray +"}, {32, "Space"}, {39, "'"}, {44, ","},
        {45, "-"}, {46, "."}, {47, "/"}, {59, ";"},
        {61, ":"}, // a colon on the key whose code is the equals sign
        {77, "CapsLock"}, {78, "PrintScreen"}, {79, "ScrollLock"}, {80, "Pause"},
        {81, "Ins"}, {82, "Del"}, {83, "Home"}, {84, "End"},
        {85, "PgUp"}, {86, "PgDn"}, {87, "Left"}, {88, "Right"},
        {89, "Up"}, {90, "Down"}, {91, "["}, {92, "\\"},
        {93, "]"}, {96, "`,~"},
    };
    // clang-format on
    for (const auto& entry : fixedNames)
        keyNames[entry.code] = String(entry.name);

    for (uint32_t digit = 0; digit <= 9; ++digit) {
        const char keypad[] = {'G', 'r', 'a', 'y', ' ', static_cast<char>('0' + digit), '\0'};
        keyNames[17 + digit] = String(keypad);
        const char plain[] = {static_cast<char>('0' + digit), '\0'};
        keyNames[48 + digit] = String(plain);
    }
    for (uint32_t n = 1; n <= 12; ++n) {
        char function[4] = {'F', '\0', '\0', '\0'};
        if (n < 10) {
            function[1] = static_cast<char>('0' + n);
        } else {
            function[1] = '1';
            function[2] = static_cast<char>('0' + n - 10);
        }
        keyNames[64 + n] = String(function);
    }
    for (uint32_t n = 1; n <= 26; ++n) {
        const char letter[] = {static_cast<char>('A' + n - 1), '\0'};
        keyNames[96 + n] = String(letter);
    }
}

void InputSystem::addHandler(InputHandler* handler)
{
    assert(handler != nullptr && "null input handler");
    if (handler == nullptr)
        return;
    handlers.push_front(handler);
}

String InputSystem::keyName(uint32_t code) const
{
    auto found = keyNames.find(code);
    return found == keyNames.end() ? String() : found->second;
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
