// Fuzz target: the level file reader, by name through the file system as the
// demonstration loads the configured level. A level it accepts has a size
// within the format's limits and starts the player on an open cell inside
// it; a level it refuses names a line of the file and a reason.

#include "FuzzInput.h"

#include "scene/LevelFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace Quorvel;
    const String name = QuorvelFuzz::FuzzInput::set("input.lvl", data, size);
    LevelFile level;
    if (!level.load(name)) {
        if (level.getErrorLine() < 1 || level.getErrorReason().empty())
            std::abort();
        level.describeError("input.lvl");
        return 0;
    }
    const LevelGrid& grid = level.getGrid();
    const int32_t width = grid.getWidth();
    const int32_t height = grid.getHeight();
    if (width < 1 || height < 1 || width > LevelGrid::MaxSize || height > LevelGrid::MaxSize)
        std::abort();
    const int32_t i = grid.getStartI();
    const int32_t j = grid.getStartJ();
    if (i < 0 || j < 0 || i >= width || j >= height || (grid.countOpen() > 0 && grid.isSolid(i, j)))
        std::abort();
    grid.allOpenReachable();
    return 0;
}
