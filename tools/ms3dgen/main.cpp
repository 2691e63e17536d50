// quorvel-ms3dgen: writes the engine's own Milkshape3D model, a textured
// crate, so that the scene example and the tests use a model file that the
// project made itself. The output is the same bytes on every run.
//
//   quorvel-ms3dgen [output]     (default: data/crate.ms3d)

#include "tools/ms3dgen/Ms3dModel.h"

#include <cstdio>
#include <cstring>
#include <fstream>

int main(int argc, char** argv)
{
    const char* const usage = "usage: quorvel-ms3dgen [output]\n";
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(usage, stdout);
        return 0;
    }
    const char* output = argc > 1 ? argv[1] : "data/crate.ms3d";
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fputs(usage, stderr);
        return 2;
    }

    const Ms3dGen::Model model = Ms3dGen::makeCrate();
    const std::string bytes = Ms3dGen::write(model);

    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush()) {
        std::fprintf(stderr, "quorvel-ms3dgen: cannot write %s\n", output);
        return 1;
    }
    std::printf("%s: %zu bytes, %zu vertices, %zu triangles, %zu groups, %zu materials\n", output, bytes.size(),
                model.vertices.size(), model.triangles.size(), model.groups.size(), model.materials.size());
    return 0;
}
