#pragma once
// Win32GraphicSystem: the Windows graphic system. In its screen mode it
// switches the display to the configured mode and makes the window a
// screen-covering popup (FullScreen), covers the desktop at its own size
// (Desktop) or opens a normal resizable window (Windowed); Alt+Enter switches
// between a window and full screen while running. It owns the OpenGL context
// until the process ends, follows the client area's size (viewport, widget
// sizes) and draws and presents frames.

#include "platform/win32/Win32Subsystem.h"
#include "core/String.h"
#include "system/GraphicSystem.h"

#include <windows.h>

namespace Quorvel {

class Win32GraphicSystem : public GraphicSystem, public Win32Subsystem {
public:
    Win32GraphicSystem(); // Configuring; registers as the graphic system and with the application

    bool hasFailed() override; // true only in Failed

    uint32_t getWidth() const override { return width; }
    void setWidth(uint32_t value) override;
    uint32_t getHeight() const override { return height; }
    void setHeight(uint32_t value) override;
    uint32_t getBitsPerPixel() const override { return bitsPerPixel; }
    void setBitsPerPixel(uint32_t value) override;
    uint32_t getRefreshRate() const override { return refreshRate; }
    void setRefreshRate(uint32_t value) override;
    bool getVsync() const override { return vsync; }
    void setVsync(bool value) override;
    bool getDoubleBuffer() const override { return doubleBuffer; }
    void setDoubleBuffer(bool value) override;
    bool getFullscreen() const override { return fullscreen; }
    void setFullscreen(bool value) override;
    void setScreenMode(int32_t mode) override;
    int32_t getState() const override { return state; }
    void useDesktopMode() override;
    uint32_t getFrameCount() const override { return frameCount; }
    void resetFrameCount() override { frameCount = 0; }
    bool isExtensionSupported(const char* name) override;
    void* getProcAddress(const char* name) override;

    // Window hooks. A start-up failure (no display size configured, a mode
    // that cannot be set, no pixel format, no context) enters Failed: the
    // fault goes to the log (a missing size has no line of its own), the user
    // is told through the application's error() what failed and what to do,
    // and the application's init returns false. The display mode is a
    // temporary full-screen change that ends with the process.
    void adjustWindowClass(WNDCLASSEXA& windowClass) override; // mode change, class style
    void reservedHook() override;
    void adjustWindowParams(uint32_t& exStyle, uint32_t& style, int32_t& x, int32_t& y, int32_t& windowWidth,
                            int32_t& windowHeight) override;
    void windowCreated(HWND window) override; // pixel format, context, extensions
    // WM_SIZE follows the client area (viewport, widget manager); Alt+Enter
    // (WM_SYSKEYDOWN of VK_RETURN, not repeated) calls toggleFullscreen.
    int32_t handleMessage(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) override;
    void update() override; // renderFrame, then presentFrame

    // Full screen to a window and back: the window has the configured size
    // (at most the desktop's), centred; full screen is the configured mode
    // in FullScreen mode (the desktop's size when it cannot be set), the
    // desktop's size otherwise. The display mode is given back while windowed.
    void toggleFullscreen();
    // The new client area: the viewport and the widget manager follow it.
    void clientResized(uint32_t newWidth, uint32_t newHeight);

    // The two halves of a frame. renderFrame clears the colour and depth
    // buffers, has the widget manager draw and waits for OpenGL to finish;
    // presentFrame swaps the buffers (when double-buffered) and counts the
    // frame. Between the two the finished frame can be read back from the
    // back buffer. Both do nothing without a current context.
    void renderFrame();
    void presentFrame();

    HDC getDeviceContext() const { return deviceContext; }
    HGLRC getRenderContext() const { return renderContext; }

    static constexpr int DepthBits = 16;
    static constexpr double DepthClearValue = 10000.0; // OpenGL clamps it to 1

private:
    bool allows(int32_t wanted) const; // false (and a usage error) in any other state
    void failStartup(const char* logLine, const String& message);
    bool changeDisplayMode();
    String modeFailureMessage() const;
    String configPath() const;
    void windowPlacement(uint32_t clientWidth, uint32_t clientHeight, int32_t& x, int32_t& y, int32_t& outerWidth,
                         int32_t& outerHeight) const;

    uint32_t width;
    uint32_t height;
    uint32_t bitsPerPixel;
    uint32_t refreshRate;
    bool vsync;
    bool doubleBuffer;
    bool fullscreen;      // the window covers the screen now
    bool modeChanged;     // a display mode change of ours is in force
    uint32_t windowWidth; // the client size asked for a window
    uint32_t windowHeight;
    HWND window;
    int32_t state;
    HDC deviceContext;
    HGLRC renderContext;
    uint32_t frameCount;
};

} // namespace Quorvel
