// LevelDrop: reading a dropped level file and restarting the walk in it.

#include "demo/LevelDrop.h"

#include "core/Log.h"
#include "core/String.h"
#include "scene/LevelFile.h"
#include "scene/W_LevelRenderer.h"

namespace Quorvel {

LevelDrop::LevelDrop(W_LevelRenderer& level, Log& log) : level(level), log(log)
{
}

std::string LevelDrop::shown(const std::string& path)
{
    std::string text = path;
    for (char& c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127)
            c = '?';
    }
    return text;
}

void LevelDrop::fileDropped(const String& path)
{
    load(std::string(path.getData(), static_cast<size_t>(path.length())));
}

bool LevelDrop::load(const std::string& path)
{
    const std::string name = shown(path);
    LevelFile file;
    if (!file.loadFromDisk(path)) {
        log.write((file.describeError(name) + "; the walk goes on").c_str());
        return false;
    }
    const LevelGrid& grid = file.getGrid();
    level.setLevel(grid);
    log.printf("Level file %s: %d x %d cells", name.c_str(), grid.getWidth(), grid.getHeight());
    return true;
}

} // namespace Quorvel
