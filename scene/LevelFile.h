#pragma once
// LevelFile: reads and writes a level file (".lvl"), a plain-text picture of
// the level as its minimap shows it: one line per row, one character per cell.
//
//   '#'        solid cell
//   '.' or ' ' open cell (short lines are padded with open cells)
//   'S'        the open cell where the player starts (at most one)
//   ;...       a comment line (the ';' must be the line's first character)
//
// LF and CRLF line ends; a UTF-8 byte order mark at the start is skipped.
// Empty lines after the last row are ignored; empty lines between rows are
// rows of open cells. Without an 'S' the player starts in cell (0, 0), or in
// the first open cell (reading order) when that one is solid. Sizes from
// 1 x 1 to 256 x 256.
//
// A file that cannot be used is refused with the number of the line at fault
// (every line of the file counts, comments too, the first is 1; faults of the
// file as a whole name line 1) and a reason. The reader never reads more than
// MaxFileSize bytes, never looks past the bytes it was given and keeps no
// state from an earlier file. The writer writes every row whole, '#' and '.',
// with 'S' at the start, LF line ends and no comments.

#include "scene/LevelGrid.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace Quorvel {

class BinaryFile;
class String;

class LevelFile {
public:
    static constexpr int32_t MaxLineLength = LevelGrid::MaxSize; // characters, without the line end
    static constexpr size_t MaxFileSize = 1024 * 1024;           // bytes

    LevelFile();

    // Reads the level from size bytes in memory. True when the level can be
    // used; otherwise getErrorLine() and getErrorReason() say why.
    bool parse(const uint8_t* bytes, size_t size);
    // Opens the named file through the engine's file system, reads it whole
    // (at most MaxFileSize bytes, checked against its real size before
    // reading) and parses it. A name that is an absolute path or has a ".."
    // part is refused before anything is opened.
    bool load(const String& name);
    // Reads the file at a path on the disk, outside the engine's file system
    // (for the tools and for dropped files), just as bounded: a file whose
    // size shows more than MaxFileSize bytes is refused before it is read, and
    // at most MaxFileSize + 1 bytes are read, so a larger file is refused as
    // such even where the size cannot be seen beforehand.
    bool loadFromDisk(const std::string& path);

    // The level file's text for a grid. With markStart the start cell is 'S'
    // (unless it is solid); without it the file leaves the start to the
    // reader's rule.
    static std::string toText(const LevelGrid& grid, bool markStart);
    // Writes that text to an open file; false when a write comes up short.
    static bool save(const LevelGrid& grid, bool markStart, BinaryFile& file);

    bool isValid() const { return valid; }
    // The level read; the built-in level while none has been read.
    const LevelGrid& getGrid() const { return grid; }
    bool hasStartMark() const { return startMarked; } // the file placed the start with 'S'

    int32_t getErrorLine() const { return errorLine; } // 0 when the level is usable
    const std::string& getErrorReason() const { return errorReason; }
    // One line for the log: "Level file NAME line N: REASON".
    std::string describeError(const std::string& name) const;

private:
    bool fail(int32_t line, const std::string& reason);

    LevelGrid grid;
    bool valid;
    bool startMarked;
    int32_t errorLine;
    std::string errorReason;
};

} // namespace Quorvel
