// quorvel-gltconvert: converts an ordinary picture (PNG, JPEG, TGA, BMP, ...)
// into the engine's ".glt" texture format with 8-bit channels.
//
//   quorvel-gltconvert INPUT OUTPUT [--wrap repeat|clamp|clamp-to-edge]
//                      [--format auto|rgb|rgba|bgr|bgra|luminance|alpha|luminance-alpha]
//                      [--keep-rows]
//
// The picture's top row becomes the top of the texture (t = 1) unless
// --keep-rows writes the rows in the file's own order. "auto" keeps the
// picture's channels: grey, grey with alpha, RGB or RGBA.

#include "tools/common/GltImage.h"
#include "tools/gltconvert/PictureReader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct FormatChoice {
    const char* name;
    uint32_t format; // 0 for auto
    int channels;    // channels asked of the decoder, 0 for the picture's own
};

const FormatChoice formats[] = {
    {"auto", 0, 0},         {"rgb", GL_RGB, 3},
    {"rgba", GL_RGBA, 4},   {"bgr", GL_BGR, 3},
    {"bgra", GL_BGRA, 4},   {"luminance", GL_LUMINANCE, 1},
    {"alpha", GL_ALPHA, 4}, {"luminance-alpha", GL_LUMINANCE_ALPHA, 2},
};

struct WrapChoice {
    const char* name;
    uint32_t wrap;
};

const WrapChoice wraps[] = {
    {"repeat", GL_REPEAT},
    {"clamp", GL_CLAMP},
    {"clamp-to-edge", GL_CLAMP_TO_EDGE},
};

void printUsage(std::FILE* out)
{
    std::fprintf(out,
                 "usage: quorvel-gltconvert INPUT OUTPUT [--wrap repeat|clamp|clamp-to-edge]\n"
                 "       [--format auto|rgb|rgba|bgr|bgra|luminance|alpha|luminance-alpha] [--keep-rows]\n");
}

// A wrong command line: the usage on standard error, exit code 2.
int usage()
{
    printUsage(stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::string input;
    std::string output;
    const FormatChoice* format = &formats[0];
    const WrapChoice* wrap = &wraps[0];
    bool keepRows = false;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            printUsage(stdout);
            return 0;
        }
        if (arg == "--wrap" && i + 1 < argc) {
            const std::string value = argv[++i];
            wrap = nullptr;
            for (const WrapChoice& choice : wraps) {
                if (value == choice.name)
                    wrap = &choice;
            }
            if (wrap == nullptr) {
                std::fprintf(stderr, "quorvel-gltconvert: unknown wrap mode %s\n", value.c_str());
                return usage();
            }
        } else if (arg == "--format" && i + 1 < argc) {
            const std::string value = argv[++i];
            format = nullptr;
            for (const FormatChoice& choice : formats) {
                if (value == choice.name)
                    format = &choice;
            }
            if (format == nullptr) {
                std::fprintf(stderr, "quorvel-gltconvert: unknown pixel format %s\n", value.c_str());
                return usage();
            }
        } else if (arg == "--keep-rows") {
            keepRows = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return usage();
        } else if (input.empty()) {
            input = arg;
        } else if (output.empty()) {
            output = arg;
        } else {
            return usage();
        }
    }
    if (input.empty() || output.empty())
        return usage();

    std::vector<uint8_t> file;
    if (!GltTools::readWholeFile(input, file)) {
        std::fprintf(stderr, "quorvel-gltconvert: cannot read %s: %s\n", input.c_str(), std::strerror(errno));
        return 1;
    }
    GltTools::Picture picture;
    std::string reason;
    if (!GltTools::readPicture(file.data(), file.size(), format->channels, picture, reason)) {
        std::fprintf(stderr, "quorvel-gltconvert: cannot convert %s: %s\n", input.c_str(), reason.c_str());
        return 1;
    }
    file = std::vector<uint8_t>();
    const int width = static_cast<int>(picture.width);
    const int height = static_cast<int>(picture.height);
    const int fileChannels = static_cast<int>(picture.fileChannels);
    const int channels = static_cast<int>(picture.channels);

    GltTools::Image image;
    image.width = picture.width;
    image.height = picture.height;
    image.channels = picture.channels;
    image.pixels = std::move(picture.pixels);

    uint32_t glFormat = format->format != 0 ? format->format : GltTools::formatForChannels(image.channels);
    if (glFormat == GL_BGR || glFormat == GL_BGRA) {
        for (size_t p = 0; p + 2 < image.pixels.size(); p += image.channels)
            std::swap(image.pixels[p], image.pixels[p + 2]);
    } else if (glFormat == GL_ALPHA) {
        // The alpha channel alone; a picture without one gives its grey level.
        GltTools::Image alpha(image.width, image.height, 1);
        const bool hasAlpha = fileChannels == 2 || fileChannels == 4;
        for (size_t p = 0; p < alpha.pixels.size(); ++p) {
            const uint8_t* rgba = &image.pixels[p * 4];
            alpha.pixels[p] = hasAlpha ? rgba[3]
                                       : static_cast<uint8_t>((rgba[0] * 77 + rgba[1] * 150 + rgba[2] * 29) >> 8);
        }
        image = std::move(alpha);
    }

    const std::string bytes = GltTools::encodeGlt(image, glFormat, wrap->wrap, !keepRows);
    if (!GltTools::writeFile(output, bytes)) {
        std::fprintf(stderr, "quorvel-gltconvert: cannot write %s: %s\n", output.c_str(), std::strerror(errno));
        return 1;
    }
    if ((width & (width - 1)) != 0 || (height & (height - 1)) != 0)
        std::printf("note: %d x %d is not a power of two; the engine rescales it when building mipmaps\n", width,
                    height);
    std::printf("%s: %d x %d, %d channel%s, wrap %s, %zu bytes\n", output.c_str(), width, height, channels,
                channels == 1 ? "" : "s", wrap->name, bytes.size());
    return 0;
}
