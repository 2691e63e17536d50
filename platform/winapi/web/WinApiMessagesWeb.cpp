// WinApiMessages in a browser: the page's events (keys on the window, the
// pointer and wheel over the canvas, focus, the page's size) turned into
// window messages. The browser delivers them while the program has handed
// control back (at each buffer swap); they are translated as they come.

#include "platform/winapi/WinApiMessages.h"

#include "platform/winapi/WinApiFocus.h"
#include "platform/winapi/WinApiKeys.h"
#include "platform/winapi/WinApiUsbKey.h"
#include "platform/winapi/WinApiVideo.h"
#include "platform/winapi/WinApiWindows.h"
#include "platform/winapi/web/WebCanvas.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstring>

namespace Quorvel {

namespace {

// The page's key codes (KeyboardEvent.code) and the key positions they name.
struct CodeRow {
    const char* code;
    uint16_t usbKey;
};

// clang-format off
const CodeRow codeRows[] = {
    {"KeyA", USB_KEY_A}, {"KeyB", USB_KEY_B}, {"KeyC", USB_KEY_C}, {"KeyD", USB_KEY_D}, {"KeyE", USB_KEY_E},
    {"KeyF", USB_KEY_F}, {"KeyG", USB_KEY_G}, {"KeyH", USB_KEY_H}, {"KeyI", USB_KEY_I}, {"KeyJ", USB_KEY_J},
    {"KeyK", USB_KEY_K}, {"KeyL", USB_KEY_L}, {"KeyM", USB_KEY_M}, {"KeyN", USB_KEY_N}, {"KeyO", USB_KEY_O},
    {"KeyP", USB_KEY_P}, {"KeyQ", USB_KEY_Q}, {"KeyR", USB_KEY_R}, {"KeyS", USB_KEY_S}, {"KeyT", USB_KEY_T},
    {"KeyU", USB_KEY_U}, {"KeyV", USB_KEY_V}, {"KeyW", USB_KEY_W}, {"KeyX", USB_KEY_X}, {"KeyY", USB_KEY_Y},
    {"KeyZ", USB_KEY_Z},
    {"Digit1", USB_KEY_1}, {"Digit2", USB_KEY_2}, {"Digit3", USB_KEY_3}, {"Digit4", USB_KEY_4},
    {"Digit5", USB_KEY_5}, {"Digit6", USB_KEY_6}, {"Digit7", USB_KEY_7}, {"Digit8", USB_KEY_8},
    {"Digit9", USB_KEY_9}, {"Digit0", USB_KEY_0},
    {"Enter", USB_KEY_RETURN}, {"Backspace", USB_KEY_BACKSPACE}, {"Tab", USB_KEY_TAB},
    {"Space", USB_KEY_SPACE}, {"BracketLeft", USB_KEY_LEFTBRACKET}, {"BracketRight", USB_KEY_RIGHTBRACKET},
    {"Backslash", USB_KEY_BACKSLASH}, {"Semicolon", USB_KEY_SEMICOLON}, {"Quote", USB_KEY_APOSTROPHE},
    {"Backquote", USB_KEY_GRAVE}, {"Comma", USB_KEY_COMMA}, {"Period", USB_KEY_PERIOD},
    {"Slash", USB_KEY_SLASH}, {"CapsLock", USB_KEY_CAPSLOCK}, {"IntlBackslash", USB_KEY_NONUSBACKSLASH},
    // + and - of the main keyboard are the keypad's here: many laptops have
    // no keypad, and the page has no use for = and - of its own.
    {"Equal", USB_KEY_KP_PLUS}, {"Minus", USB_KEY_KP_MINUS},
    {"F1", USB_KEY_F1}, {"F2", USB_KEY_F2}, {"F3", USB_KEY_F3}, {"F4", USB_KEY_F4}, {"F5", USB_KEY_F5},
    {"F6", USB_KEY_F6}, {"F7", USB_KEY_F7}, {"F8", USB_KEY_F8}, {"F9", USB_KEY_F9}, {"F10", USB_KEY_F10},
    {"F11", USB_KEY_F11}, {"F12", USB_KEY_F12},
    {"PrintScreen", USB_KEY_PRINTSCREEN}, {"ScrollLock", USB_KEY_SCROLLLOCK}, {"Pause", USB_KEY_PAUSE},
    {"Insert", USB_KEY_INSERT}, {"Home", USB_KEY_HOME}, {"PageUp", USB_KEY_PAGEUP}, {"Delete", USB_KEY_DELETE},
    {"End", USB_KEY_END}, {"PageDown", USB_KEY_PAGEDOWN}, {"ArrowRight", USB_KEY_RIGHT},
    {"ArrowLeft", USB_KEY_LEFT}, {"ArrowDown", USB_KEY_DOWN}, {"ArrowUp", USB_KEY_UP},
    {"NumLock", USB_KEY_NUMLOCKCLEAR}, {"NumpadDivide", USB_KEY_KP_DIVIDE},
    {"NumpadMultiply", USB_KEY_KP_MULTIPLY}, {"NumpadSubtract", USB_KEY_KP_MINUS},
    {"NumpadAdd", USB_KEY_KP_PLUS}, {"NumpadEnter", USB_KEY_KP_ENTER}, {"Numpad1", USB_KEY_KP_1},
    {"Numpad2", USB_KEY_KP_2}, {"Numpad3", USB_KEY_KP_3}, {"Numpad4", USB_KEY_KP_4}, {"Numpad5", USB_KEY_KP_5},
    {"Numpad6", USB_KEY_KP_6}, {"Numpad7", USB_KEY_KP_7}, {"Numpad8", USB_KEY_KP_8}, {"Numpad9", USB_KEY_KP_9},
    {"Numpad0", USB_KEY_KP_0}, {"NumpadDecimal", USB_KEY_KP_PERIOD}, {"ContextMenu", USB_KEY_APPLICATION},
    {"ControlLeft", USB_KEY_LCTRL}, {"ShiftLeft", USB_KEY_LSHIFT}, {"AltLeft", USB_KEY_LALT},
    {"MetaLeft", USB_KEY_LGUI}, {"ControlRight", USB_KEY_RCTRL}, {"ShiftRight", USB_KEY_RSHIFT},
    {"AltRight", USB_KEY_RALT}, {"MetaRight", USB_KEY_RGUI},
};
// clang-format on

uint16_t usbKeyOf(const char* code)
{
    for (const CodeRow& row : codeRows)
        if (std::strcmp(row.code, code) == 0)
            return row.usbKey;
    return 0;
}

WinApiMessages* messages = nullptr; // the one queue the page's events go to
WinApiWindows* canvasWindows = nullptr;
WinApiFocus* canvasFocus = nullptr;

WinApiWindow* canvasWindow()
{
    for (const auto& entry : canvasWindows->all())
        if (entry.second->onCanvas && entry.second->visible)
            return entry.second.get();
    return nullptr;
}

EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* event, void*)
{
    // Escape belongs to the browser (it ends the pointer lock and full
    // screen); the browser's own shortcuts (Ctrl, Cmd) and F1-F12 stay its.
    // Alt+Enter is not handed on either: the page always fills the browser's
    // window, and the browser has a full screen of its own (F11).
    if (std::strcmp(event->code, "Escape") == 0 || event->ctrlKey || event->metaKey)
        return EM_FALSE;
    if (event->altKey && (std::strcmp(event->code, "Enter") == 0 || std::strcmp(event->code, "NumpadEnter") == 0))
        return EM_FALSE;
    const uint16_t usbKey = usbKeyOf(event->code);
    if (!usbKey)
        return EM_FALSE;
    const char* typed = event->key;
    const int layoutLetter = (typed[0] >= 'a' && typed[0] <= 'z' && typed[1] == 0) ? typed[0]
        : (typed[0] >= 'A' && typed[0] <= 'Z' && typed[1] == 0)                    ? typed[0] - 'A' + 'a'
                                                                                    : 0;
    const WinApiKey key = WinApiKeys::translate(usbKey, layoutLetter, true);
    if (!key.virtualKey)
        return EM_FALSE;
    WinApiWindow* window = canvasWindow();
    messages->keyEvent(window, key, eventType == EMSCRIPTEN_EVENT_KEYDOWN, event->repeat != 0);
    return (usbKey >= USB_KEY_F1 && usbKey <= USB_KEY_F12) ? EM_FALSE : EM_TRUE;
}

bool pointerLocked()
{
    EmscriptenPointerlockChangeEvent state;
    return emscripten_get_pointerlock_status(&state) == EMSCRIPTEN_RESULT_SUCCESS && state.isActive;
}

EM_BOOL onMouse(int eventType, const EmscriptenMouseEvent* event, void*)
{
    WinApiWindow* window = canvasWindow();
    if (!window)
        return EM_FALSE;
    int x = int(event->targetX), y = int(event->targetY);
    if (pointerLocked()) {
        // The pointer stays put; the layer's own pointer moves by as much as
        // the mouse did.
        const POINT cursor = canvasFocus->cursor();
        x = int(cursor.x) + int(event->movementX);
        y = int(cursor.y) + int(event->movementY);
    }
    if (eventType == EMSCRIPTEN_EVENT_MOUSEMOVE) {
        messages->mouseMoved(*window, x, y);
        return EM_TRUE;
    }
    static const WinApiMouseButton buttons[] = {WinApiMouseButton::Left, WinApiMouseButton::Middle,
                                                WinApiMouseButton::Right, WinApiMouseButton::X1,
                                                WinApiMouseButton::X2};
    if (event->button > 4)
        return EM_FALSE;
    messages->buttonEvent(window, buttons[event->button], eventType == EMSCRIPTEN_EVENT_MOUSEDOWN,
                          eventType == EMSCRIPTEN_EVENT_DBLCLICK, x, y);
    return EM_FALSE; // the page's click still asks for the pointer lock
}

EM_BOOL onWheel(int, const EmscriptenWheelEvent* event, void*)
{
    WinApiWindow* window = canvasWindow();
    if (!window)
        return EM_FALSE;
    const int up = event->deltaY < 0 ? 1 : event->deltaY > 0 ? -1 : 0;
    const int right = event->deltaX > 0 ? 1 : event->deltaX < 0 ? -1 : 0;
    messages->wheelEvent(*window, up, right);
    return EM_TRUE;
}

EM_BOOL onFocus(int eventType, const EmscriptenFocusEvent*, void*)
{
    WinApiWindow* window = canvasWindow();
    if (window)
        canvasFocus->activate(window->handle, eventType == EMSCRIPTEN_EVENT_FOCUS);
    return EM_FALSE;
}

EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* event, void*)
{
    WinApiWindow* window = canvasWindow();
    if (window && event->hidden)
        canvasFocus->activate(window->handle, false);
    return EM_FALSE;
}

// The page changed size: a window that covered the page covers it again, at
// the new size, as a full-screen window follows the desktop's size.
POINT lastPageSize = {0, 0};

EM_BOOL onResize(int, const EmscriptenUiEvent*, void*)
{
    const POINT page = WebCanvas::pageSize();
    if (page.x == lastPageSize.x && page.y == lastPageSize.y)
        return EM_FALSE;
    const POINT before = lastPageSize;
    lastPageSize = page;
    WinApiWindow* window = canvasWindow();
    if (!window || window->x != 0 || window->y != 0 || window->width != before.x || window->height != before.y)
        return EM_FALSE;
    WebCanvas::setBufferSize(page.x, page.y);
    messages->resized(*window, page.x, page.y);
    return EM_FALSE;
}

} // namespace

void WinApiMessages::readLocks()
{
    // A page is not told the lock keys' state until they are pressed.
}

void WinApiMessages::waitForEvents(int milliseconds)
{
    emscripten_sleep(unsigned(milliseconds));
}

void WinApiMessages::pollEvents()
{
    // The page's events are translated as the browser delivers them; here
    // the handlers are only put in place, once.
    if (messages)
        return;
    messages = this;
    canvasWindows = &windows;
    canvasFocus = &focus;
    lastPageSize = WebCanvas::pageSize();
    const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    const char* canvas = WebCanvas::Selector;
    emscripten_set_keydown_callback(page, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(page, nullptr, EM_TRUE, onKey);
    emscripten_set_mousemove_callback(canvas, nullptr, EM_TRUE, onMouse);
    emscripten_set_mousedown_callback(canvas, nullptr, EM_TRUE, onMouse);
    emscripten_set_mouseup_callback(page, nullptr, EM_TRUE, onMouse);
    emscripten_set_wheel_callback(canvas, nullptr, EM_TRUE, onWheel);
    emscripten_set_blur_callback(page, nullptr, EM_TRUE, onFocus);
    emscripten_set_focus_callback(page, nullptr, EM_TRUE, onFocus);
    emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, onVisibility);
    emscripten_set_resize_callback(page, nullptr, EM_TRUE, onResize);
}

} // namespace Quorvel

// The page hands over a file dropped on it, already written into the page's
// file system: WM_DROPFILES to the window on the canvas, as a file dropped
// on a desktop window.
extern "C" EMSCRIPTEN_KEEPALIVE void quorvelWebDropFile(const char* path)
{
    if (!path || !Quorvel::messages)
        return;
    Quorvel::WinApiWindow* window = Quorvel::canvasWindow();
    if (!Quorvel::messages->postDroppedFile(window ? window->handle : nullptr, path))
        std::fprintf(stderr, "winapi: the dropped file %s was not handed on\n", path);
}
