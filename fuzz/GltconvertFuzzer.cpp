// Fuzz target: the picture reading of quorvel-gltconvert (header first, then
// stb_image), on the bytes as the tool reads them from a file. The first
// byte picks the channel count asked for, as the tool's --format does.

#include "tools/gltconvert/PictureReader.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static const int channelChoices[] = {0, 1, 2, 3, 4};
    const int wanted = channelChoices[data[0] % 5];
    GltTools::Picture picture;
    std::string error;
    if (GltTools::readPicture(data + 1, size - 1, wanted, picture, error)) {
        // What is accepted is within the format's limits and fully there.
        if (picture.width == 0 || picture.height == 0 || picture.width > 16384 || picture.height > 16384
            || picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height * picture.channels)
            std::abort();
    }
    return 0;
}
