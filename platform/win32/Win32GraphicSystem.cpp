// The Windows graphic system: display mode, popup window, OpenGL context,
// extension loading and the per-pass frame.

#include "platform/win32/Win32GraphicSystem.h"

#include "core/Application.h"
#include "core/Log.h"
#include "system/Extensions.h"
#include "system/OpenGL.h"
#include "widgets/WidgetManager.h"

#include <cassert>
#include <cstdint>
#include <cstdio>

namespace Quorvel {

GraphicSystem* GraphicSystem::instance()
{
    if (GraphicSystem* existing = existingInstance())
        return existing;
    return new Win32GraphicSystem(); // owned by the application from here on
}

Win32GraphicSystem::Win32GraphicSystem()
    : width(0), height(0), bitsPerPixel(0), refreshRate(0), vsync(false), doubleBuffer(true), fullscreen(true),
      state(Configuring), deviceContext(nullptr), renderContext(nullptr), frameCount(0)
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
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

void Win32GraphicSystem::adjustWindowClass(WNDCLASSEXA& windowClass)
{
    if (state != Configuring)
        return;

    if (width == 0 || height == 0 || bitsPerPixel == 0) {
        failStartup(nullptr,
                    "Quorvel cannot start: the display mode is not configured.\n"
                    "\"quorvel.conf\" in the working directory needs a [GraphicSystem] section "
                    "with width, height and bpp, for example:\n\n"
                    "[GraphicSystem]\nwidth=1024\nheight=768\nbpp=32");
        return;
    }

    if (fullscreen && !changeDisplayMode()) {
        char message[512];
        std::snprintf(message, sizeof message,
                      "Quorvel could not switch the display to %u x %u pixels at %u bits per pixel "
                      "(refresh rate %u, 0 for the default).\n"
                      "Set width, height, bpp and refreshrate in the [GraphicSystem] section of "
                      "\"quorvel.conf\" to a mode that the display supports.",
                      static_cast<unsigned>(width), static_cast<unsigned>(height), static_cast<unsigned>(bitsPerPixel),
                      static_cast<unsigned>(refreshRate));
        failStartup("GraphicSystem: could not set display mode", message);
        return;
    }

    state = ModeSet;
    windowClass.style |= CS_OWNDC;
    windowClass.hCursor = nullptr;
    windowClass.hbrBackground = CreateSolidBrush(RGB(0, 0, 0));
    windowClass.lpszMenuName = nullptr;
}

void Win32GraphicSystem::reservedHook()
{
}

void Win32GraphicSystem::adjustWindowParams(uint32_t& exStyle, uint32_t& style, int32_t& x, int32_t& y,
                                            int32_t& windowWidth, int32_t& windowHeight)
{
    if (state != ModeSet)
        return;
    exStyle |= WS_EX_APPWINDOW;
    style |= WS_POPUP;
    x = 0;
    y = 0;
    windowWidth = static_cast<int32_t>(width);
    windowHeight = static_cast<int32_t>(height);
}

void Win32GraphicSystem::windowCreated(HWND window)
{
    if (state != ModeSet)
        return;

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

int32_t Win32GraphicSystem::handleMessage(HWND, uint32_t, WPARAM, LPARAM)
{
    return 0;
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
