#pragma once
// FrameCapture: reads the frame being drawn back from OpenGL and saves it as
// a PNG picture, top row of the screen first. Read it after the last drawing
// and before the buffers are swapped (after the swap a back buffer holds
// nothing defined).

#include <cstdint>
#include <string>
#include <vector>

namespace Quorvel {

class FrameCapture {
public:
    // The width x height pixels at the bottom-left of the buffer being drawn
    // into, as 8-bit RGB rows with the top row of the screen first. Needs the
    // OpenGL context; false (and rgb empty) for a size of 0 or below or one
    // too large to hold.
    static bool read(int32_t width, int32_t height, std::vector<uint8_t>& rgb);

    // Writes rgb (rows top first, 3 bytes a pixel, width * height pixels) to
    // path as a PNG file. False with the reason (naming the file) when the
    // size does not match rgb or the file cannot be written.
    static bool writePng(const std::string& path, int32_t width, int32_t height, const std::vector<uint8_t>& rgb,
                         std::string& reason);
};

} // namespace Quorvel
