// The Windows graphic system: display mode, popup window, OpenGL context,
// extension loading and the per-pass frame.

#include "platform/win32/Win32GraphicSystem.h"

#include "core/Application.h"
#include "core/Log.h"
#include "system/Extensions.h"
#include "system/OpenGL.h"
#include "widgets/WidgetManager.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace Quorvel {

GraphicSystem* GraphicSystem::instance()
{
    if (GraphicSystem* existing = existingInstance())
        return existing;
    return new Win32GraphicSystem(); // owned by the application from here on
}

Win32GraphicSystem::Win32GraphicSystem()
    : width(0), height(0), bitsPerPixel(0), refreshRate(0), vsync(false), doubleBuffer(true), fullscreen(true),
      modeChanged(false), windowWidth(0), windowHeight(0), window(nullptr), state(Configuring), deviceContext(nullptr),
      renderContext(nullptr), frameCount(0)
{
}

bool Win32GraphicSystem::hasFailed()
{
    return state == Failed;
}

bool Win32GraphicSystem::allows(int32_t wanted) const
{
    // A usage error: stops a debug build here, is ignored in a release build.
    assert(state == wanted && "GraphicSystem operation called in a state that does not allow it");
    return state == wanted;
}

void Win32GraphicSystem::setWidth(uint32_t value)
{
    if (allows(Configuring))
        width = value;
}

void Win32GraphicSystem::setHeight(uint32_t value)
{
    if (allows(Configuring))
        height = value;
}

void Win32GraphicSystem::setBitsPerPixel(uint32_t value)
{
    if (allows(Configuring))
        bitsPerPixel = value;
}

void Win32GraphicSystem::setRefreshRate(uint32_t value)
{
    if (allows(Configuring))
        refreshRate = value;
}

void Win32GraphicSystem::setVsync(bool value)
{
    if (allows(Configuring))
        vsync = value;
}

void Win32GraphicSystem::setDoubleBuffer(bool value)
{
    if (allows(Configuring))
        doubleBuffer = value;
}

void Win32GraphicSystem::setFullscreen(bool)
{
    // The display is always full-screen; there is no state that allows this.
    assert(!"setFullscreen: the graphic system is always full-screen");
}

void Win32GraphicSystem::setScreenMode(int32_t mode)
{
    assert((mode == Windowed || mode == FullScreen || mode == Desktop) && "setScreenMode: unknown mode");
    if (allows(Configuring) && (mode == Windowed || mode == FullScreen || mode == Desktop))
        GraphicSystem::setScreenMode(mode);
}

void Win32GraphicSystem::useDesktopMode()
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(DEVMODEA);
    if (state != Configuring || !EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
        Application::instance()->getLog()->write("GraphicSystem: could not get display params");
        allows(Configuring);
        return;
    }
    width = mode.dmPelsWidth;
    height = mode.dmPelsHeight;
    bitsPerPixel = mode.dmBitsPerPel;
    refreshRate = mode.dmDisplayFrequency;
}

bool Win32GraphicSystem::isExtensionSupported(const char* name)
{
    if (!allows(ContextReady))
        return false;
    return containsExtension(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
}

void* Win32GraphicSystem::getProcAddress(const char* name)
{
    if (!allows(ContextReady) || !name)
        return nullptr;
    PROC address = wglGetProcAddress(name);
    // Some drivers answer an unknown name with one of these instead of null.
    const intptr_t value = reinterpret_cast<intptr_t>(address);
    if (value == 1 || value == 2 || value == 3 || value == -1)
        return nullptr;
    return reinterpret_cast<void*>(address);
}

void Win32GraphicSystem::failStartup(const char* logLine, const String& message)
{
    state = Failed;
    Application* application = Application::instance();
    if (logLine)
        application->getLog()->write(logLine);
    application->error(message);
}

bool Win32GraphicSystem::changeDisplayMode()
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmBitsPerPel = bitsPerPixel;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmDisplayFrequency = refreshRate;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    // Temporary: the system restores the desktop mode when the process ends.
    modeChanged = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
    return modeChanged;
}

// The configuration file's full path, for messages that send the user to it.
String Win32GraphicSystem::configPath() const
{
    const String& name = Application::instance()->getConfigFile();
    char path[1024];
    const DWORD length = GetFullPathNameA(name.c_str(), sizeof path, path, nullptr);
    if (length == 0 || length >= sizeof path)
        return name;
    return String(path);
}

// What was asked, a few modes the display does offer, which file to change
// and two ways out that need no mode switch.
String Win32GraphicSystem::modeFailureMessage() const
{
    std::string text = "Quorvel could not switch the display to " + std::to_string(width) + " x "
        + std::to_string(height) + " pixels at " + std::to_string(bitsPerPixel) + " bits per pixel (refresh rate "
        + std::to_string(refreshRate) + ", 0 for the default).\n";
    std::vector<std::string> offered;
    DEVMODEA mode = {};
    mode.dmSize = sizeof(DEVMODEA);
    for (DWORD i = 0; offered.size() < 6 && i < 1000 && EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
        const std::string entry = std::to_string(mode.dmPelsWidth) + " x " + std::to_string(mode.dmPelsHeight) + " at "
            + std::to_string(mode.dmBitsPerPel) + " bits";
        if (std::find(offered.begin(), offered.end(), entry) == offered.end())
            offered.push_back(entry);
    }
    if (!offered.empty()) {
        text += "The display offers, among others:";
        for (const std::string& entry : offered)
            text += "\n  " + entry;
        text += "\n";
    }
    DEVMODEA desktop = {};
    desktop.dmSize = sizeof(DEVMODEA);
    const bool haveDesktop = EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &desktop) != FALSE;
    text += std::string("Settings read from \"") + configPath().c_str() + "\", section [GraphicSystem]: set "
        + "fullscreen = off for a window, or fullscreen = desktop for full screen at the desktop's size";
    if (haveDesktop)
        text += " (" + std::to_string(desktop.dmPelsWidth) + " x " + std::to_string(desktop.dmPelsHeight)
            + "), or width = " + std::to_string(desktop.dmPelsWidth)
            + " and height = " + std::to_string(desktop.dmPelsHeight);
    text += ".";
    return String(text.c_str());
}

void Win32GraphicSystem::adjustWindowClass(WNDCLASSEXA& windowClass)
{
    if (state != Configuring)
        return;

    const String& fault = getSettingFault();
    if (fault.length() > 0) {
        char logLine[160];
        std::snprintf(logLine, sizeof logLine, "GraphicSystem: unusable setting %.120s", fault.c_str());
        std::string message = std::string("Quorvel cannot start: ") + fault.c_str()
            + " in the [GraphicSystem] section of \"" + configPath().c_str() + "\" is not usable.\n"
            + "width and height are sizes in pixels and bpp the colour bits per pixel; each must be a number "
              "above 0, for example width = 1024, height = 768, bpp = 32.";
        failStartup(logLine, String(message.c_str()));
        return;
    }

    const bool desktopMode = getScreenMode() == Desktop;
    if ((!desktopMode && (width == 0 || height == 0)) || bitsPerPixel == 0) {
        failStartup(nullptr,
                    "Quorvel cannot start: the display mode is not configured.\n"
                    "\"quorvel.conf\" in the working directory needs a [GraphicSystem] section "
                    "with width, height and bpp, for example:\n\n"
                    "[GraphicSystem]\nwidth=1024\nheight=768\nbpp=32");
        return;
    }

    DEVMODEA desktop = {};
    desktop.dmSize = sizeof(DEVMODEA);
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &desktop)) {
        failStartup("GraphicSystem: no display",
                    "Quorvel cannot start: there is no display to show its window on (no display).\n"
                    "On Linux, set DISPLAY to a running X server (for example DISPLAY=:0), or run "
                    "\"bash scripts/demo.sh\", which runs the demonstration on a virtual screen (Xvfb) when "
                    "there is no display. To run any program on a virtual screen, with its options, put "
                    "\"bash scripts/xvfb.sh\" before it, for example from the repository's folder: "
                    "\"bash scripts/xvfb.sh build/demo/quorvel-demo --timedemo\".");
        return;
    }

    // The size of a window: the configured one, at most the desktop's. In
    // Desktop mode, where width and height need not be set, a window made by
    // Alt+Enter without them gets three quarters of the desktop.
    const uint32_t desktopWidth = desktop.dmPelsWidth;
    const uint32_t desktopHeight = desktop.dmPelsHeight;
    const bool sizeSet = width > 0 && height > 0 && width <= 0x7FFFFFFFu && height <= 0x7FFFFFFFu;
    windowWidth = std::min(sizeSet ? width : desktopWidth * 3 / 4, desktopWidth);
    windowHeight = std::min(sizeSet ? height : desktopHeight * 3 / 4, desktopHeight);
    if (desktopMode) {
        width = desktopWidth;
        height = desktopHeight;
    }

    if (getScreenMode() == FullScreen && !changeDisplayMode()) {
        failStartup("GraphicSystem: could not set display mode", modeFailureMessage());
        return;
    }
    fullscreen = getScreenMode() != Windowed;

    state = ModeSet;
    windowClass.style |= CS_OWNDC;
    windowClass.hCursor = nullptr;
    windowClass.hbrBackground = CreateSolidBrush(RGB(0, 0, 0));
    windowClass.lpszMenuName = nullptr;
}

void Win32GraphicSystem::reservedHook()
{
}

// A decorated window whose client area is clientWidth x clientHeight,
// centred on the screen (its top-left corner kept on the screen).
void Win32GraphicSystem::windowPlacement(uint32_t clientWidth, uint32_t clientHeight, int32_t& x, int32_t& y,
                                         int32_t& outerWidth, int32_t& outerHeight) const
{
    RECT frame = {0, 0, static_cast<LONG>(clientWidth), static_cast<LONG>(clientHeight)};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW);
    outerWidth = frame.right - frame.left;
    outerHeight = frame.bottom - frame.top;
    x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2);
    y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2);
}

void Win32GraphicSystem::adjustWindowParams(uint32_t& exStyle, uint32_t& style, int32_t& x, int32_t& y,
                                            int32_t& windowWidthOut, int32_t& windowHeightOut)
{
    if (state != ModeSet)
        return;
    exStyle |= WS_EX_APPWINDOW;
    if (!fullscreen) {
        style |= WS_OVERLAPPEDWINDOW;
        windowPlacement(width, height, x, y, windowWidthOut, windowHeightOut);
        return;
    }
    style |= WS_POPUP;
    x = 0;
    y = 0;
    windowWidthOut = static_cast<int32_t>(width);
    windowHeightOut = static_cast<int32_t>(height);
}

void Win32GraphicSystem::windowCreated(HWND window)
{
    if (state != ModeSet)
        return;

    this->window = window;
    deviceContext = GetDC(window);

    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if (doubleBuffer)
        format.dwFlags |= PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = static_cast<BYTE>(bitsPerPixel);
    format.cDepthBits = DepthBits;
    format.iLayerType = PFD_MAIN_PLANE;

    const int chosen = deviceContext ? ChoosePixelFormat(deviceContext, &format) : 0;
    if (chosen == 0 || !SetPixelFormat(deviceContext, chosen, &format)) {
        char message[512];
        std::snprintf(message, sizeof message,
                      "Quorvel found no OpenGL pixel format with %u-bit colour and a %d-bit depth buffer%s.\n"
                      "Install the graphics driver's OpenGL support, or try another bpp in the "
                      "[GraphicSystem] section of \"quorvel.conf\".",
                      static_cast<unsigned>(bitsPerPixel), DepthBits, doubleBuffer ? ", double-buffered" : "");
        failStartup("GraphicSystem: could not set pixel format", message);
        return;
    }

    renderContext = wglCreateContext(deviceContext);
    if (!renderContext || !wglMakeCurrent(deviceContext, renderContext)) {
        // A context that exists but cannot be made current is of no use.
        if (renderContext) {
            wglDeleteContext(renderContext);
            renderContext = nullptr;
        }
        failStartup("GraphicSystem: could not create rendering context",
                    "Quorvel could not create its OpenGL rendering context.\n"
                    "Install or update the graphics driver's OpenGL support.");
        return;
    }

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(DepthClearValue);
    state = ContextReady;

    loadExtensions();
    // Without swap control the setting has no effect; that is not an error.
    if (extSwapControl)
        wglSwapIntervalEXT(vsync ? 1 : 0);
}

int32_t Win32GraphicSystem::handleMessage(HWND, uint32_t message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE && wParam != SIZE_MINIMIZED) {
        const uint32_t newWidth = static_cast<uint32_t>(lParam) & 0xFFFF;
        const uint32_t newHeight = (static_cast<uint32_t>(lParam) >> 16) & 0xFFFF;
        if (newWidth > 0 && newHeight > 0)
            clientResized(newWidth, newHeight);
        return 0;
    }
    const bool altDown = (lParam & (LPARAM(1) << 29)) != 0;
    const bool repeated = (lParam & (LPARAM(1) << 30)) != 0;
    if (message == WM_SYSKEYDOWN && wParam == VK_RETURN && altDown && !repeated && state == ContextReady)
        toggleFullscreen();
    return 0;
}

void Win32GraphicSystem::clientResized(uint32_t newWidth, uint32_t newHeight)
{
    if (state != ModeSet && state != ContextReady)
        return;
    if (newWidth == width && newHeight == height)
        return;
    width = newWidth;
    height = newHeight;
    if (state == ContextReady)
        glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    WidgetManager* widgets = Application::instance()->getWidgetManager();
    if (widgets->isInitialised())
        widgets->resize(static_cast<float>(width), static_cast<float>(height));
    Application::instance()->getLog()->printf("GraphicSystem: client area %u x %u", static_cast<unsigned>(width),
                                              static_cast<unsigned>(height));
}

void Win32GraphicSystem::toggleFullscreen()
{
    if (!window || state != ContextReady)
        return;
    Log* log = Application::instance()->getLog();
    if (fullscreen) {
        if (modeChanged) {
            ChangeDisplaySettingsA(nullptr, 0);
            modeChanged = false;
        }
        int32_t x = 0, y = 0, outerWidth = 0, outerHeight = 0;
        windowPlacement(windowWidth, windowHeight, x, y, outerWidth, outerHeight);
        fullscreen = false;
        SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        SetWindowPos(window, HWND_TOP, x, y, outerWidth, outerHeight, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
        log->printf("GraphicSystem: windowed, %u x %u", static_cast<unsigned>(windowWidth),
                    static_cast<unsigned>(windowHeight));
        return;
    }
    uint32_t coverWidth = 0, coverHeight = 0;
    if (getScreenMode() == FullScreen) {
        const uint32_t keptWidth = width, keptHeight = height;
        width = windowWidth;
        height = windowHeight;
        if (changeDisplayMode()) {
            coverWidth = width;
            coverHeight = height;
        } else {
            log->write("GraphicSystem: could not set display mode; full screen at the desktop's size");
        }
        width = keptWidth;
        height = keptHeight;
    }
    if (coverWidth == 0) {
        DEVMODEA desktop = {};
        desktop.dmSize = sizeof(DEVMODEA);
        if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &desktop)) {
            log->write("GraphicSystem: could not get display params");
            return;
        }
        coverWidth = desktop.dmPelsWidth;
        coverHeight = desktop.dmPelsHeight;
    }
    fullscreen = true;
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_VISIBLE));
    SetWindowPos(window, HWND_TOP, 0, 0, static_cast<int>(coverWidth), static_cast<int>(coverHeight),
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    log->printf("GraphicSystem: full screen, %u x %u", static_cast<unsigned>(coverWidth),
                static_cast<unsigned>(coverHeight));
}

void Win32GraphicSystem::renderFrame()
{
    if (state != ContextReady)
        return;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Application::instance()->getWidgetManager()->draw();
    glFinish();
}

void Win32GraphicSystem::presentFrame()
{
    if (state != ContextReady)
        return;
    if (doubleBuffer)
        SwapBuffers(deviceContext);
    ++frameCount;
}

void Win32GraphicSystem::update()
{
    renderFrame();
    presentFrame();
}

} // namespace Quorvel
