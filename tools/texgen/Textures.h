#pragma once
// The engine's own procedural textures: stone floor tiles, a brick wall, a
// panelled ceiling, a soft round blob and a bone-white surface for models.
// Every texture is a pure function of its name: the same pixels on every run
// and every machine (integer hashing and float arithmetic without library
// transcendentals), so the files in data/ can be checked against a fresh run.

#include "tools/common/GltImage.h"

#include <string>
#include <vector>

namespace TexGen {

struct TextureSpec {
    std::string name;          // file name without extension
    uint32_t format;           // OpenGL pixel format written
    uint32_t wrap;             // OpenGL wrap mode for S and T
    GltTools::Image (*make)(); // draws the image, top row first
};

// Every texture the generator knows, in the order it writes them.
const std::vector<TextureSpec>& allTextures();

GltTools::Image makeFloor();
GltTools::Image makeWall();
GltTools::Image makeCeiling();
GltTools::Image makeBlob();
GltTools::Image makeSkeleton();

} // namespace TexGen
