#pragma once
// PictureReader: the picture reading of quorvel-gltconvert. It reads the
// picture's size from its header first and refuses, before anything is
// decoded, a picture beyond the texture format's 16384-pixel limit or a file
// much shorter than the pixels it declares could ever be packed into (each
// picture format has a best case: raw pixels for uncompressed files, the
// compressor's largest ratio for the others). Only then is it decoded with
// stb_image.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace GltTools {

struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t fileChannels = 0;   // channels the file holds (1 grey .. 4 RGBA)
    uint32_t channels = 0;       // channels in pixels
    std::vector<uint8_t> pixels; // width * height * channels, top row first
};

// The fewest bytes a file of this kind (told by its first bytes) can hold
// for a picture of width x height pixels of fileChannels channels.
uint64_t smallestFileFor(const uint8_t* bytes, size_t size, uint32_t width, uint32_t height, uint32_t fileChannels);

// Decodes the picture in bytes with wantedChannels channels (0: the file's
// own). False with a reason in error (no trailing newline) when the bytes are
// not a picture stb_image reads, declare more than 16384 pixels a side, are
// much shorter than the pixels they declare, or fail to decode.
bool readPicture(const uint8_t* bytes, size_t size, int wantedChannels, Picture& picture, std::string& error);

} // namespace GltTools
