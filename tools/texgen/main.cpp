// quorvel-texgen: writes the engine's procedural textures as ".glt" files
// (or as PNG pictures to look at, or to feed to quorvel-gltconvert). The
// output is the same bytes on every run.
//
//   quorvel-texgen [--png] [--out DIR] [NAME ...]
//
// Without names it writes every texture (floor, wall, ceil, blob, skeleton);
// the default directory is data.

#include "tools/texgen/Textures.h"

#include <stb/stb_image_write.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* formatName(uint32_t format)
{
    return format == GL_RGBA ? "RGBA" : "RGB";
}

// To standard output when asked for, to standard error after a mistake.
void usage(std::FILE* out)
{
    std::fprintf(out, "usage: quorvel-texgen [--png] [--out DIR] [NAME ...]\nnames:");
    for (const TexGen::TextureSpec& spec : TexGen::allTextures())
        std::fprintf(out, " %s", spec.name.c_str());
    std::fprintf(out, "\n");
}

} // namespace

int main(int argc, char** argv)
{
    bool png = false;
    std::string outDir = "data";
    std::vector<std::string> names;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--png") {
            png = true;
        } else if (arg == "--out" && i + 1 < argc) {
            outDir = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            usage(stdout);
            return 0;
        } else if (!arg.empty() && arg[0] == '-') {
            usage(stderr);
            return 2;
        } else {
            names.push_back(arg);
        }
    }

    std::vector<const TexGen::TextureSpec*> chosen;
    for (const std::string& name : names) {
        const TexGen::TextureSpec* found = nullptr;
        for (const TexGen::TextureSpec& spec : TexGen::allTextures()) {
            if (spec.name == name)
                found = &spec;
        }
        if (found == nullptr) {
            std::fprintf(stderr, "quorvel-texgen: unknown texture %s\n", name.c_str());
            usage(stderr);
            return 2;
        }
        chosen.push_back(found);
    }
    if (chosen.empty()) {
        for (const TexGen::TextureSpec& spec : TexGen::allTextures())
            chosen.push_back(&spec);
    }

    for (const TexGen::TextureSpec* spec : chosen) {
        const GltTools::Image image = spec->make();
        const std::string path = outDir + "/" + spec->name + (png ? ".png" : ".glt");
        if (png) {
            const int stride = static_cast<int>(image.width * image.channels);
            if (stbi_write_png(path.c_str(), static_cast<int>(image.width), static_cast<int>(image.height),
                               static_cast<int>(image.channels), image.pixels.data(), stride)
                == 0) {
                std::fprintf(stderr, "quorvel-texgen: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
                return 1;
            }
            std::printf("%s: %u x %u %s picture\n", path.c_str(), image.width, image.height, formatName(spec->format));
            continue;
        }
        const std::string bytes = GltTools::encodeGlt(image, spec->format, spec->wrap);
        if (!GltTools::writeFile(path, bytes)) {
            std::fprintf(stderr, "quorvel-texgen: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
            return 1;
        }
        std::printf("%s: %u x %u %s, %zu bytes\n", path.c_str(), image.width, image.height, formatName(spec->format),
                    bytes.size());
    }
    return 0;
}
