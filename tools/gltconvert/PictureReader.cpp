#include "tools/gltconvert/PictureReader.h"

#include "resources/GltHeader.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstring>

namespace GltTools {

namespace {

// Best cases of the packed formats: deflate (PNG) never packs more than 1032
// bytes into one; a baseline or progressive JPEG spends at least one bit on
// each 8 x 8 block of its first component; LZW (GIF) emits at most 4096 bytes
// a code; TGA run-length packets hold at most 128 pixels after a count byte.
constexpr uint64_t DeflateRatio = 1032;
constexpr uint64_t JpegBlockSide = 8;
constexpr uint64_t LzwRatio = 4096;
constexpr uint64_t TgaRunPixels = 128;

uint64_t ceilDivide(uint64_t value, uint64_t divisor)
{
    return (value + divisor - 1) / divisor;
}

bool startsWith(const uint8_t* bytes, size_t size, const char* magic)
{
    const size_t length = std::strlen(magic);
    return size >= length && std::memcmp(bytes, magic, length) == 0;
}

uint32_t readLE16(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8;
}

uint32_t readLE32(const uint8_t* bytes)
{
    return readLE16(bytes) | readLE16(bytes + 2) << 16;
}

} // namespace

uint64_t smallestFileFor(const uint8_t* bytes, size_t size, uint32_t width, uint32_t height, uint32_t fileChannels)
{
    const uint64_t pixels = static_cast<uint64_t>(width) * height;
    if (startsWith(bytes, size, "\x89PNG")) {
        // Rows of samples of the header's bit depth, each after a filter byte.
        uint64_t bitsPerPixel = 8 * static_cast<uint64_t>(fileChannels);
        if (size >= 26) {
            static const uint64_t samples[7] = {1, 0, 3, 1, 2, 0, 4}; // by colour type
            const uint64_t depth = bytes[24] != 0 ? bytes[24] : 1;
            const uint64_t colourType = bytes[25] < 7 ? samples[bytes[25]] : 0;
            if (colourType != 0)
                bitsPerPixel = depth * colourType;
        }
        return ceilDivide(height * (1 + ceilDivide(width * bitsPerPixel, 8)), DeflateRatio);
    }
    if (startsWith(bytes, size, "\xFF\xD8"))
        return ceilDivide(ceilDivide(width, JpegBlockSide) * ceilDivide(height, JpegBlockSide), 8); // a bit a block
    if (startsWith(bytes, size, "GIF8"))
        return ceilDivide(pixels, LzwRatio);
    if (startsWith(bytes, size, "BM")) {
        // Uncompressed rows of the header's bits per pixel (stb_image reads
        // no run-length BMP).
        const uint64_t bits = size >= 30 && readLE16(bytes + 28) != 0 ? readLE16(bytes + 28) : 1;
        const uint32_t compression = size >= 34 ? readLE32(bytes + 30) : 0;
        if (compression == 0 || compression == 3)
            return height * ceilDivide(width * bits, 8);
        return ceilDivide(pixels, LzwRatio);
    }
    if (startsWith(bytes, size, "P5") || startsWith(bytes, size, "P6"))
        return pixels * fileChannels;
    if (size >= 18) {
        // TGA has no magic; what stb_image takes for one has its image type
        // at byte 2 and its bits per pixel at byte 16.
        // The pixels follow the 18-byte header and the image id.
        const uint32_t type = bytes[2];
        const uint64_t head = 18 + static_cast<uint64_t>(bytes[0]);
        const uint64_t pixelBytes = bytes[16] >= 8 ? bytes[16] / 8u : 1u;
        if (type >= 1 && type <= 3)
            return head + pixels * pixelBytes;
        if (type >= 9 && type <= 11)
            return head + ceilDivide(pixels, TgaRunPixels) * (1 + pixelBytes);
    }
    return ceilDivide(pixels * fileChannels, LzwRatio);
}

bool readPicture(const uint8_t* bytes, size_t size, int wantedChannels, Picture& picture, std::string& error)
{
    picture = Picture();
    if (size > static_cast<size_t>(INT_MAX)) {
        error = "the file is larger than 2 GiB";
        return false;
    }
    const int length = static_cast<int>(size);

    // The header alone first: nothing is decoded for a picture that is refused.
    int width = 0;
    int height = 0;
    int fileChannels = 0;
    if (!stbi_info_from_memory(bytes, length, &width, &height, &fileChannels)) {
        error = std::string("not a picture: ") + (stbi_failure_reason() ? stbi_failure_reason() : "unknown format");
        return false;
    }
    const uint32_t limit = Quorvel::GltHeader::MaxDimension;
    if (width <= 0 || height <= 0 || static_cast<uint32_t>(width) > limit || static_cast<uint32_t>(height) > limit) {
        error = std::to_string(width) + " x " + std::to_string(height) + " pixels is beyond " + std::to_string(limit)
            + " x " + std::to_string(limit);
        return false;
    }
    if (fileChannels < 1 || fileChannels > 4) {
        error = std::to_string(fileChannels) + " channels is not 1 to 4";
        return false;
    }
    const uint64_t smallest = smallestFileFor(bytes, size, static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                                              static_cast<uint32_t>(fileChannels));
    if (size < smallest) {
        error = std::to_string(width) + " x " + std::to_string(height) + " pixels cannot be held in "
            + std::to_string(size) + " bytes (at least " + std::to_string(smallest) + " needed)";
        return false;
    }

    int decodedWidth = 0;
    int decodedHeight = 0;
    int decodedChannels = 0;
    uint8_t* decoded =
        stbi_load_from_memory(bytes, length, &decodedWidth, &decodedHeight, &decodedChannels, wantedChannels);
    if (decoded == nullptr) {
        error = std::string("cannot decode: ") + (stbi_failure_reason() ? stbi_failure_reason() : "unknown reason");
        return false;
    }
    // The decoder must deliver the picture its header announced.
    if (decodedWidth != width || decodedHeight != height) {
        stbi_image_free(decoded);
        error = "the decoded picture differs from its header";
        return false;
    }
    picture.width = static_cast<uint32_t>(width);
    picture.height = static_cast<uint32_t>(height);
    picture.fileChannels = static_cast<uint32_t>(fileChannels);
    picture.channels = static_cast<uint32_t>(wantedChannels != 0 ? wantedChannels : decodedChannels);
    picture.pixels.assign(decoded, decoded + static_cast<size_t>(picture.width) * picture.height * picture.channels);
    stbi_image_free(decoded);
    return true;
}

} // namespace GltTools
