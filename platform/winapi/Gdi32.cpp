// The gdi32 and opengl32 (WGL) parts of the layer: device contexts, pixel
// formats, buffer swaps, brushes and rendering contexts, on WinApiHost.

#include "platform/winapi/WinApiHost.h"
#include "platform/winapi/include/windows.h"

using Quorvel::WinApiHost;

HDC WINAPI GetDC(HWND window)
{
    return WinApiHost::instance().windows().getDC(window);
}

int WINAPI ReleaseDC(HWND window, HDC dc)
{
    return (IsWindow(window) && dc) ? 1 : 0;
}

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor)
{
    return WinApiHost::instance().glContexts().choosePixelFormat(dc, descriptor);
}

BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*)
{
    return WinApiHost::instance().glContexts().setPixelFormat(dc, format);
}

int WINAPI GetPixelFormat(HDC dc)
{
    return WinApiHost::instance().glContexts().getPixelFormat(dc);
}

int WINAPI DescribePixelFormat(HDC, int format, UINT bytes, LPPIXELFORMATDESCRIPTOR descriptor)
{
    return WinApiHost::instance().glContexts().describePixelFormat(format, bytes, descriptor);
}

BOOL WINAPI SwapBuffers(HDC dc)
{
    return WinApiHost::instance().glContexts().swapBuffers(dc);
}

HBRUSH WINAPI CreateSolidBrush(COLORREF)
{
    return WinApiHost::instance().createBrush();
}

HGDIOBJ WINAPI GetStockObject(int object)
{
    if (object < WHITE_BRUSH || object > NULL_BRUSH)
        return nullptr;
    return reinterpret_cast<HGDIOBJ>(uintptr_t(0x100 + object * 0x10));
}

BOOL WINAPI DeleteObject(HGDIOBJ object)
{
    return object ? TRUE : FALSE;
}

HGLRC WINAPI wglCreateContext(HDC dc)
{
    return WinApiHost::instance().glContexts().createContext(dc);
}

BOOL WINAPI wglDeleteContext(HGLRC context)
{
    return WinApiHost::instance().glContexts().deleteContext(context);
}

BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context)
{
    return WinApiHost::instance().glContexts().makeCurrent(dc, context);
}

HGLRC WINAPI wglGetCurrentContext()
{
    return WinApiHost::instance().glContexts().currentContext();
}

HDC WINAPI wglGetCurrentDC()
{
    return WinApiHost::instance().glContexts().currentDC();
}

PROC WINAPI wglGetProcAddress(LPCSTR name)
{
    return WinApiHost::instance().glContexts().getProcAddress(name);
}
