#pragma once
// WinApiGLContexts: the OpenGL side of the layer: the pixel format of each
// window's device context, the rendering contexts (SDL's or WebGL's), which
// one is current, buffer swaps and the WGL entry points.

#include "platform/winapi/include/windows.h"

#include <map>

namespace Quorvel {

class WinApiHandles;
class WinApiPixelFormats;
class WinApiVideo;
class WinApiWindows;
struct WinApiWindow;

class WinApiGLContexts {
public:
    WinApiGLContexts(WinApiVideo& video, WinApiHandles& handles, const WinApiPixelFormats& pixelFormats,
                     WinApiWindows& windows);

    int choosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* wanted) const;
    BOOL setPixelFormat(HDC dc, int format);
    int getPixelFormat(HDC dc) const;
    int describePixelFormat(int format, UINT bytes, PIXELFORMATDESCRIPTOR* descriptor) const;
    BOOL swapBuffers(HDC dc);

    HGLRC createContext(HDC dc);
    BOOL deleteContext(HGLRC context);
    BOOL makeCurrent(HDC dc, HGLRC context);
    HGLRC currentContext() const { return current; }
    HDC currentDC() const { return currentDc; }
    PROC getProcAddress(LPCSTR name) const;
    // The swap interval of the current context (wglSwapIntervalEXT).
    static BOOL setSwapInterval(int interval);
    static int swapInterval();

    // A window's system window is about to go: a context current on it is not.
    void releaseOn(const WinApiWindow& window);
    // A window is destroyed: its contexts stay, bound to no window.
    void forgetWindow(HWND window);
    // The display is gone: nothing of it is touched again.
    void forgetAll();
    void deleteAll(); // at shutdown

private:
    // A context the system made for a window: its handle from now on.
    HGLRC remember(void* gl, const WinApiWindow& window);
    void releaseCurrent(); // no context current any more

    // The system's own (sdl/, web/).
    PROC nativeProcAddress(LPCSTR name) const;
    static bool hasSurface(const WinApiWindow& window); // the window can be drawn into
    static bool nativeMakeCurrent(const WinApiWindow& window, void* gl); // says why on standard error when not
    static void nativeReleaseCurrent();
    static void nativeDelete(void* gl);

    struct Context {
        void* gl = nullptr; // the system's context (SDL_GLContext, a WebGL context handle)
        HWND window = nullptr;
        int pixelFormat = 0;
    };

    WinApiVideo& video;
    WinApiHandles& handles;
    const WinApiPixelFormats& pixelFormats;
    WinApiWindows& windows;

    std::map<HGLRC, Context> contexts;
    HGLRC current = nullptr;
    HDC currentDc = nullptr;
};

} // namespace Quorvel
