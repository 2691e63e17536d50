// quorvel-soundgen: writes the walk-through's sounds as ".wav" files (16-bit
// PCM, mono, 22,050 frames a second). The output is the same bytes on every
// run.
//
//   quorvel-soundgen [--out DIR] [NAME ...]
//
// Without names it writes every sound (step-left, step-right, bump, wind);
// the default directory is data/sounds.

#include "tools/soundgen/Sounds.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The usage on standard output for --help, on standard error after a wrong
// command line.
void usage(std::FILE* stream)
{
    std::fprintf(stream, "usage: quorvel-soundgen [--out DIR] [NAME ...]\nnames:");
    for (const SoundGen::SoundSpec& spec : SoundGen::allSounds())
        std::fprintf(stream, " %s", spec.name.c_str());
    std::fprintf(stream, "\n");
}

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    std::string outDir = "data/sounds";
    std::vector<const SoundGen::SoundSpec*> chosen;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            usage(stdout);
            return 0;
        }
        if (arg == "--out" && i + 1 < argc) {
            outDir = argv[++i];
            continue;
        }
        if (arg.empty() || arg[0] == '-') {
            usage(stderr);
            return 2;
        }
        const SoundGen::SoundSpec* found = nullptr;
        for (const SoundGen::SoundSpec& spec : SoundGen::allSounds()) {
            if (spec.name == arg)
                found = &spec;
        }
        if (found == nullptr) {
            std::fprintf(stderr, "quorvel-soundgen: unknown sound %s\n", arg.c_str());
            usage(stderr);
            return 2;
        }
        chosen.push_back(found);
    }
    if (chosen.empty()) {
        for (const SoundGen::SoundSpec& spec : SoundGen::allSounds())
            chosen.push_back(&spec);
    }

    for (const SoundGen::SoundSpec* spec : chosen) {
        const std::vector<int16_t> samples = spec->make();
        const std::string bytes = SoundGen::encodeWav(samples, SoundGen::SampleRate);
        const std::string path = outDir + "/" + spec->name + ".wav";
        if (!writeFile(path, bytes)) {
            std::fprintf(stderr, "quorvel-soundgen: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
            return 1;
        }
        std::printf("%s: %zu frames (%.2f s) at %u Hz, %zu bytes\n", path.c_str(), samples.size(),
                    static_cast<double>(samples.size()) / SoundGen::SampleRate, SoundGen::SampleRate, bytes.size());
    }
    return 0;
}
