#pragma once
// WinApiPixelFormats: the pixel formats the layer offers (RGBA, 8 bits per
// channel, with or without alpha, depth 24/16/0, stencil 8/0, double or
// single buffered), numbered from 1 as Windows numbers them.

#include "platform/winapi/include/windows.h"

#include <vector>

namespace Quorvel {

class WinApiPixelFormats {
public:
    WinApiPixelFormats();

    // The closest offered format (its number): the buffering asked for
    // first, then enough depth, stencil and alpha bits without waste.
    int choose(const PIXELFORMATDESCRIPTOR& wanted) const;
    bool isOffered(int format) const;
    const PIXELFORMATDESCRIPTOR& at(int format) const; // format must be offered
    // DescribePixelFormat: copies up to bytes of the format; the count of
    // formats, 0 (with the last error set) for one not offered.
    int describe(int format, UINT bytes, PIXELFORMATDESCRIPTOR* descriptor) const;

private:
    std::vector<PIXELFORMATDESCRIPTOR> formats;
};

} // namespace Quorvel
