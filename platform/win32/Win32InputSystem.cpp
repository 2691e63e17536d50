#include "platform/win32/Win32InputSystem.h"

#include "core/Application.h"
#include "core/Log.h"
#include "system/GraphicSystem.h"

#include <windows.h>

namespace Quorvel {

namespace {

// The keyboard in the layout Windows uses (bit 7 down, bit 0 toggled), one
// byte per virtual key, shared by the process. Each key message refreshes the
// byte of its own key before the character is translated.
BYTE keyboardState[256];

constexpr uint32_t VirtualKeyCount = 256;
constexpr LPARAM ExtendedKeyFlag = LPARAM(1) << 24;

// Rows of the virtual-key table that follow no range rule.
const struct {
    uint32_t virtualKey;
    uint32_t code;
} fixedVirtualKeys[] = {
    {VK_SHIFT, 1},    {VK_CONTROL, 3},  {VK_MENU, 5},      {VK_BACK, 8},       {VK_TAB, 9},        {VK_RETURN, 13},
    {VK_NUMLOCK, 15}, {VK_DECIMAL, 16}, {VK_ESCAPE, 27},   {VK_DIVIDE, 28},    {VK_MULTIPLY, 29},  {VK_SUBTRACT, 30},
    {VK_ADD, 31},     {VK_SPACE, 32},   {VK_OEM_7, 39},    {VK_OEM_COMMA, 44}, {VK_OEM_MINUS, 45}, {VK_OEM_PERIOD, 46},
    {VK_OEM_2, 47},   {VK_OEM_1, 59},   {VK_OEM_PLUS, 61}, {VK_CAPITAL, 77},   {VK_SNAPSHOT, 78},  {VK_SCROLL, 79},
    {VK_PAUSE, 80},   {VK_INSERT, 81},  {VK_DELETE, 82},   {VK_HOME, 83},      {VK_END, 84},       {VK_PRIOR, 85},
    {VK_NEXT, 86},    {VK_LEFT, 87},    {VK_RIGHT, 88},    {VK_UP, 89},        {VK_DOWN, 90},      {VK_OEM_4, 91},
    {VK_OEM_5, 92},   {VK_OEM_6, 93},   {VK_OEM_3, 96},
};

// The right-hand twins of these keys (and the keypad Enter) carry the
// extended-key flag and get the code after the left key's.
bool hasExtendedTwin(uint32_t virtualKey)
{
    return virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU || virtualKey == VK_RETURN;
}

uint32_t screenWidth()
{
    return GraphicSystem::instance()->getWidth();
}

uint32_t screenHeight()
{
    return GraphicSystem::instance()->getHeight();
}

} // namespace

const char* const Win32InputSystem::XInputLibraries[3] = {"xinput1_4.dll", "xinput1_3.dll", "xinput9_1_0.dll"};

InputSystem* InputSystem::instance()
{
    if (InputSystem* existing = existingInstance())
        return existing;
    // The application takes ownership through the Win32Subsystem part.
    return new Win32InputSystem();
}

Win32InputSystem::Win32InputSystem()
{
    for (uint32_t vk = 'A'; vk <= 'Z'; ++vk)
        virtualKeyCodes[vk] = vk + 32;
    for (uint32_t vk = '0'; vk <= '9'; ++vk)
        virtualKeyCodes[vk] = vk;
    for (uint32_t vk = VK_F1; vk <= VK_F12; ++vk)
        virtualKeyCodes[vk] = vk - 47;
    for (uint32_t vk = VK_NUMPAD0; vk <= VK_NUMPAD9; ++vk)
        virtualKeyCodes[vk] = vk - 79;
    for (const auto& row : fixedVirtualKeys)
        virtualKeyCodes[row.virtualKey] = row.code;

    GetKeyboardState(keyboardState);
    loadXInput(XInputLibraries, sizeof XInputLibraries / sizeof XInputLibraries[0]);
}

Win32InputSystem::~Win32InputSystem()
{
    if (xinputLibrary)
        FreeLibrary(xinputLibrary);
}

bool Win32InputSystem::loadXInput(const char* const* names, size_t count)
{
    if (xinputLibrary)
        FreeLibrary(xinputLibrary);
    xinputLibrary = nullptr;
    xinputGetState = nullptr;
    gamepadUser = -1;
    for (size_t n = 0; n < count; ++n) {
        HMODULE library = LoadLibraryA(names[n]);
        if (!library)
            continue;
        // Through a plain function pointer: FARPROC's own type says nothing
        // of the real one.
        const FARPROC address = GetProcAddress(library, "XInputGetState");
        if (!address) {
            FreeLibrary(library);
            continue;
        }
        xinputLibrary = library;
        xinputGetState = reinterpret_cast<XInputGetStateFunction>(reinterpret_cast<void (*)()>(address));
        return true;
    }
    String tried;
    for (size_t n = 0; n < count; ++n)
        tried += String(n > 0 ? ", " : "") + names[n];
    Application::instance()->getLog()->printf("Input: no XInput library (%s); no gamepad", tried.c_str());
    return false;
}

void Win32InputSystem::update()
{
    pollGamepad();
}

void Win32InputSystem::pollGamepad()
{
    if (!xinputGetState || !focused)
        return;
    XINPUT_STATE state = {};
    if (gamepadUser >= 0) {
        if (xinputGetState(static_cast<DWORD>(gamepadUser), &state) == ERROR_SUCCESS) {
            applyGamepad(state);
            return;
        }
        Application::instance()->getLog()->printf("Input: gamepad %d disconnected", static_cast<int>(gamepadUser));
        gamepadUser = -1;
        releaseGamepad(false);
    }
    const DWORD now = timeGetTime();
    if (gamepadSearched && now - lastGamepadSearch < gamepadSearchInterval)
        return;
    gamepadSearched = true;
    lastGamepadSearch = now;
    for (DWORD user = 0; user < XUSER_MAX_COUNT; ++user) {
        if (xinputGetState(user, &state) != ERROR_SUCCESS)
            continue;
        gamepadUser = static_cast<int32_t>(user);
        gamepadFresh = true;
        Application::instance()->getLog()->printf("Input: gamepad %d connected", static_cast<int>(user));
        applyGamepad(state);
        return;
    }
}

void Win32InputSystem::applyGamepad(const XINPUT_STATE& state)
{
    if (!gamepadFresh && state.dwPacketNumber == gamepadPacket)
        return;
    gamepadFresh = false;
    gamepadPacket = state.dwPacketNumber;

    const XINPUT_GAMEPAD& pad = state.Gamepad;
    for (uint32_t bit = 0; bit < GamepadButtonCount; ++bit) {
        const WORD mask = static_cast<WORD>(1u << bit);
        if ((pad.wButtons & mask) != (gamepadButtons & mask))
            dispatchKey(GamepadButtonFirst + bit, 0, (pad.wButtons & mask) != 0);
    }
    gamepadButtons = pad.wButtons;

    InputState::Gamepad axes;
    axes.connected = true;
    axes.leftX = pad.sThumbLX;
    axes.leftY = pad.sThumbLY;
    axes.rightX = pad.sThumbRX;
    axes.rightY = pad.sThumbRY;
    axes.leftTrigger = pad.bLeftTrigger;
    axes.rightTrigger = pad.bRightTrigger;
    if (axes != gamepadAxes) {
        gamepadAxes = axes;
        dispatchGamepad(axes);
    }
}

void Win32InputSystem::releaseGamepad(bool connected)
{
    for (uint32_t bit = 0; bit < GamepadButtonCount; ++bit)
        if ((gamepadButtons & (1u << bit)) != 0)
            dispatchKey(GamepadButtonFirst + bit, 0, false);
    gamepadButtons = 0;
    InputState::Gamepad axes;
    axes.connected = connected;
    if (axes != gamepadAxes) {
        gamepadAxes = axes;
        dispatchGamepad(axes);
    }
}

void Win32InputSystem::relativeToCentre(int32_t& x, int32_t& y)
{
    x = static_cast<int32_t>(static_cast<uint32_t>(x) - screenWidth() / 2);
    y = static_cast<int32_t>(static_cast<uint32_t>(y) - screenHeight() / 2);
}

void Win32InputSystem::centreCursor()
{
    if (!focused)
        return; // the cursor is the user's while another window has the focus
    POINT centre = {static_cast<LONG>(screenWidth() / 2), static_cast<LONG>(screenHeight() / 2)};
    if (window)
        ClientToScreen(window, &centre);
    SetCursorPos(centre.x, centre.y);
}

void Win32InputSystem::windowCreated(HWND createdWindow)
{
    window = createdWindow;
    centreCursor();
}

void Win32InputSystem::focusLost()
{
    if (!focused)
        return;
    focused = false;
    releaseAllKeys();
    // The held buttons went with the keys; the sticks stop too, and the
    // controller's whole state is read afresh when the focus returns.
    gamepadButtons = 0;
    if (gamepadUser >= 0)
        releaseGamepad(true);
    gamepadFresh = true;
    // Shown whatever the display count was, and given back exactly later.
    shownCount = 0;
    int count = 0;
    do {
        count = ShowCursor(TRUE);
        ++shownCount;
    } while (count < 0 && shownCount < 100);
    GetKeyboardState(keyboardState);
}

void Win32InputSystem::focusGained()
{
    if (focused)
        return;
    focused = true;
    gamepadSearched = false; // a controller plugged in meanwhile is found at once
    for (; shownCount > 0; --shownCount)
        ShowCursor(FALSE);
    skipNextMove = true;
    centreCursor();
}

uint32_t Win32InputSystem::codeForVirtualKey(uint32_t virtualKey)
{
    uint32_t& code = virtualKeyCodes[virtualKey];
    if (code != 0)
        return code;
    code = FirstDynamicCode + nextDynamicCode;
    // Keep clear of the mouse-button and wheel codes: a keyboard key must
    // never read as a mouse button, nor vanish from the held keys as a wheel.
    if (code >= MouseLeft)
        code += WheelBackward - MouseLeft + 1;
    ++nextDynamicCode;
    return code;
}

void Win32InputSystem::keyMessage(uint32_t virtualKey, LPARAM lParam, bool down)
{
    // Only 256 virtual keys exist; anything else is not a key message we can
    // trust (and would index past the keyboard state).
    if (virtualKey >= VirtualKeyCount)
        return;

    keyboardState[virtualKey] = static_cast<BYTE>(GetKeyState(static_cast<int>(virtualKey)) & 0xFF);

    uint32_t character = 0;
    if (down) {
        const UINT scanCode = static_cast<UINT>((lParam >> 16) & 0xFF);
        WORD translated = 0;
        const int count = ToAsciiEx(virtualKey, scanCode, keyboardState, &translated, 0, GetKeyboardLayout(0));
        // Two characters (a dead key that did not combine) or a dead key on
        // its own (negative) give no single character: report none.
        if (count == 1)
            character = translated & 0xFF;
    }

    uint32_t code = codeForVirtualKey(virtualKey);
    if (hasExtendedTwin(virtualKey) && (lParam & ExtendedKeyFlag) != 0)
        ++code;

    if (down)
        lastKeyDownConsumed = dispatchKey(code, character, true);
    else
        dispatchKey(code, 0, false);
}

int32_t Win32InputSystem::handleMessage(HWND, uint32_t message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        keyMessage(static_cast<uint32_t>(wParam), lParam, true);
        return 0;
    case WM_KEYUP:
        keyMessage(static_cast<uint32_t>(wParam), lParam, false);
        return 0;
    case WM_KILLFOCUS:
        focusLost();
        return 1;
    case WM_SETFOCUS:
        focusGained();
        return 1;
    case WM_SIZE:
    case WM_MOVE:
        // The client area's centre moved with the window: the cursor's
        // offset from the new centre is no turn.
        skipNextMove = true;
        return 1;
    case WM_MOUSEMOVE: {
        const uint32_t x = static_cast<uint32_t>(lParam) & 0xFFFF;
        const uint32_t y = (static_cast<uint32_t>(lParam) >> 16) & 0xFFFF;
        // Without the focus the cursor is not held and does not look around.
        if (!focused)
            return 1;
        // SetCursorPos to the centre comes back as a move to the centre:
        // that one is our own doing, not the user's.
        if (x == screenWidth() / 2 && y == screenHeight() / 2) {
            skipNextMove = false;
            return 1;
        }
        // Where the cursor was left while the focus was away is no turn.
        if (skipNextMove) {
            skipNextMove = false;
            centreCursor();
            return 1;
        }
        dispatchMouseMove(static_cast<int32_t>(x), static_cast<int32_t>(y));
        return 1;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        dispatchKey(MouseLeft, 0, message == WM_LBUTTONDOWN);
        return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        dispatchKey(MouseRight, 0, message == WM_RBUTTONDOWN);
        return 1;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        dispatchKey(MouseMiddle, 0, message == WM_MBUTTONDOWN);
        return 1;
    case WM_MOUSEWHEEL: {
        const int16_t distance = static_cast<int16_t>((static_cast<uint32_t>(wParam) >> 16) & 0xFFFF);
        dispatchKey(distance > 0 ? WheelForward : WheelBackward, 0, true);
        return 1;
    }
    default:
        // System keys (Alt, F10), characters and double clicks are left to
        // the default window procedure.
        return 1;
    }
}

} // namespace Quorvel
