#pragma once
// LevelDrop: a level file dropped on the demonstration's window restarts the
// walk in it. The file is read from where it lies (outside the data
// directory) with the engine's level reader, LevelFile, bounded as for the
// configured level: a file larger than LevelFile::MaxFileSize is refused
// before it is read. An accepted level is logged as the configured one is,
// "Level file PATH: W x H cells"; a refused one with the reader's words,
// "Level file PATH line N: REASON; the walk goes on", and nothing changes.

#include "core/FileDropHandler.h"

#include <string>

namespace Quorvel {

class Log;
class W_LevelRenderer;

class LevelDrop : public FileDropHandler {
public:
    // The level and the log must outlive this object.
    LevelDrop(W_LevelRenderer& level, Log& log);

    void fileDropped(const String& path) override;
    // Reads the level file at path and, when it can be used, restarts the
    // walk in it. True when it was.
    bool load(const std::string& path);

    // The path as the log shows it: control bytes (a line end in a file's
    // name) as '?', so that one drop stays one log line.
    static std::string shown(const std::string& path);

private:
    W_LevelRenderer& level;
    Log& log;
};

} // namespace Quorvel
