// WinApiPixelFormats: the pixel formats the layer offers and the choice
// among them.

#include "platform/winapi/WinApiPixelFormats.h"

#include <cstring>

namespace Quorvel {

WinApiPixelFormats::WinApiPixelFormats()
{
    // The pixel formats offered: RGBA, 8 bits per channel, with or without
    // alpha, depth 24/16/0, stencil 8/0, double or single buffered.
    for (int doubleBuffer = 1; doubleBuffer >= 0; --doubleBuffer) {
        for (int alpha : {8, 0}) {
            for (int depth : {24, 16, 0}) {
                for (int stencil : {8, 0}) {
                    PIXELFORMATDESCRIPTOR format = {};
                    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
                    format.nVersion = 1;
                    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_GENERIC_ACCELERATED
                        | (doubleBuffer ? PFD_DOUBLEBUFFER | PFD_SWAP_EXCHANGE : 0);
                    format.iPixelType = PFD_TYPE_RGBA;
                    format.cColorBits = 32;
                    format.cRedBits = format.cGreenBits = format.cBlueBits = 8;
                    format.cRedShift = 16;
                    format.cGreenShift = 8;
                    format.cBlueShift = 0;
                    format.cAlphaBits = BYTE(alpha);
                    format.cAlphaShift = alpha ? 24 : 0;
                    format.cDepthBits = BYTE(depth);
                    format.cStencilBits = BYTE(stencil);
                    format.iLayerType = PFD_MAIN_PLANE;
                    formats.push_back(format);
                }
            }
        }
    }
}

// The closest offered format: the buffering asked for first, then enough
// depth, stencil and alpha bits without waste.
int WinApiPixelFormats::choose(const PIXELFORMATDESCRIPTOR& wanted) const
{
    auto shortfall = [](int have, int want) {
        if (have >= want)
            return have - want;
        return 1000 + want - have;
    };
    int best = 0;
    long bestScore = 0;
    for (size_t i = 0; i < formats.size(); ++i) {
        const PIXELFORMATDESCRIPTOR& format = formats[i];
        long score = 0;
        if (!(wanted.dwFlags & PFD_DOUBLEBUFFER_DONTCARE)
            && ((wanted.dwFlags & PFD_DOUBLEBUFFER) != 0) != ((format.dwFlags & PFD_DOUBLEBUFFER) != 0))
            score += 100000;
        if (!(wanted.dwFlags & PFD_DEPTH_DONTCARE))
            score += 100 * shortfall(format.cDepthBits, wanted.cDepthBits);
        score += 10 * shortfall(format.cStencilBits, wanted.cStencilBits);
        score += shortfall(format.cAlphaBits, wanted.cAlphaBits);
        if (!best || score < bestScore) {
            best = int(i) + 1;
            bestScore = score;
        }
    }
    return best;
}

bool WinApiPixelFormats::isOffered(int format) const
{
    return format >= 1 && format <= int(formats.size());
}

const PIXELFORMATDESCRIPTOR& WinApiPixelFormats::at(int format) const
{
    return formats[size_t(format - 1)];
}

int WinApiPixelFormats::describe(int format, UINT bytes, PIXELFORMATDESCRIPTOR* descriptor) const
{
    const int count = int(formats.size());
    if (format < 1 || format > count) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (descriptor) {
        const size_t size = bytes < sizeof(PIXELFORMATDESCRIPTOR) ? bytes : sizeof(PIXELFORMATDESCRIPTOR);
        std::memcpy(descriptor, &formats[size_t(format - 1)], size);
    }
    return count;
}

} // namespace Quorvel
