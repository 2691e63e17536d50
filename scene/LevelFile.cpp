// LevelFile: the ".lvl" reader, bounded by the bytes it is given, and writer.

#include "scene/LevelFile.h"

#include "core/String.h"
#include "files/BinaryFile.h"
#include "files/DiskDirectory.h"
#include "files/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace Quorvel {

namespace {

// One row of the level as it lies in the file's bytes.
struct Row {
    const uint8_t* cells;
    int32_t length;
};

// How a byte is shown in a message: 'x' when printable, else its code.
std::string showByte(uint8_t byte)
{
    char text[32];
    if (byte > 32 && byte < 127)
        std::snprintf(text, sizeof(text), "'%c'", static_cast<char>(byte));
    else
        std::snprintf(text, sizeof(text), "byte 0x%02X", static_cast<unsigned>(byte));
    return text;
}

std::string unknownCharacter(uint8_t byte, size_t offset)
{
    return "unknown character " + showByte(byte) + " in column " + std::to_string(offset + 1)
        + " (use '#', '.', ' ' or 'S')";
}

// Why a file could not be opened, with what the system or the file system said.
std::string cannotOpen(const std::string& why)
{
    return "the file cannot be opened (" + why + ")";
}

const char* const CannotReadInFull = "the file cannot be read in full";

} // namespace

LevelFile::LevelFile() : grid(LevelGrid::builtIn()), valid(false), startMarked(false), errorLine(0)
{
}

bool LevelFile::fail(int32_t line, const std::string& reason)
{
    grid = LevelGrid::builtIn();
    valid = false;
    startMarked = false;
    errorLine = line;
    errorReason = reason;
    return false;
}

std::string LevelFile::describeError(const std::string& name) const
{
    return "Level file " + name + " line " + std::to_string(errorLine) + ": " + errorReason;
}

bool LevelFile::parse(const uint8_t* bytes, size_t size)
{
    valid = false;
    startMarked = false;
    errorLine = 0;
    errorReason.clear();

    if (bytes == nullptr || size == 0)
        return fail(1, "the file is empty");
    if (size > MaxFileSize)
        return fail(1, "the file is larger than " + std::to_string(MaxFileSize) + " bytes");

    size_t position = 0;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        position = 3; // a UTF-8 byte order mark, as some editors write

    std::vector<Row> rows;
    int32_t pendingEmptyRows = 0; // empty lines not yet known to lie between rows
    int32_t firstRowLine = 0;
    int32_t startLine = 0;
    int32_t startI = 0;
    int32_t startJ = 0;
    int32_t width = 0;
    int32_t line = 0;

    while (position < size) {
        ++line;
        // The line's bytes, without its LF, and without a CR right before it
        // (or right before the end of the file).
        // A row's characters are checked on the way, so that a binary file
        // is named for its first odd byte rather than for its line length.
        const bool comment = bytes[position] == ';';
        size_t end = position;
        while (end < size && bytes[end] != '\n') {
            if (end - position > static_cast<size_t>(MaxLineLength)) // the CR of CRLF may follow
                return fail(line, "the line is longer than " + std::to_string(MaxLineLength) + " characters");
            const uint8_t c = bytes[end];
            if (!comment && c != '#' && c != '.' && c != ' ' && c != 'S' && c != '\r')
                return fail(line, unknownCharacter(c, end - position));
            ++end;
        }
        size_t length = end - position;
        if (length > 0 && bytes[position + length - 1] == '\r')
            --length;
        if (length > static_cast<size_t>(MaxLineLength))
            return fail(line, "the line is longer than " + std::to_string(MaxLineLength) + " characters");
        const uint8_t* text = bytes + position;
        position = end < size ? end + 1 : end;

        if (length > 0 && text[0] == ';') {
            // A comment: any text, but no control bytes (a sign of a binary file).
            for (size_t k = 1; k < length; ++k) {
                if (text[k] < 32 && text[k] != '\t')
                    return fail(line,
                                "binary data in a comment (" + showByte(text[k]) + " in column " + std::to_string(k + 1)
                                    + ")");
            }
            continue;
        }
        if (length == 0) {
            ++pendingEmptyRows;
            continue;
        }

        const int32_t rowIndex = static_cast<int32_t>(rows.size()) + pendingEmptyRows;
        if (rowIndex >= LevelGrid::MaxSize)
            return fail(line, "the level has more than " + std::to_string(LevelGrid::MaxSize) + " rows");
        if (firstRowLine == 0)
            firstRowLine = line;
        for (; pendingEmptyRows > 0; --pendingEmptyRows)
            rows.push_back(Row{text, 0});

        for (size_t k = 0; k < length; ++k) {
            const uint8_t c = text[k];
            if (c == '#' || c == '.' || c == ' ')
                continue;
            if (c == 'S') {
                if (startLine != 0)
                    return fail(line, "a second start 'S' (the first is on line " + std::to_string(startLine) + ")");
                startLine = line;
                startI = static_cast<int32_t>(k);
                startJ = rowIndex;
                continue;
            }
            return fail(line, unknownCharacter(c, k));
        }
        rows.push_back(Row{text, static_cast<int32_t>(length)});
        if (static_cast<int32_t>(length) > width)
            width = static_cast<int32_t>(length);
    }

    if (rows.empty())
        return fail(1, "the file holds no level rows");

    LevelGrid level(width, static_cast<int32_t>(rows.size()));
    for (int32_t j = 0; j < static_cast<int32_t>(rows.size()); ++j) {
        const Row& row = rows[static_cast<size_t>(j)];
        for (int32_t i = 0; i < row.length; ++i)
            level.setSolid(i, j, row.cells[i] == '#');
    }

    int32_t i = 0;
    int32_t j = 0;
    if (startLine != 0) {
        i = startI;
        j = startJ;
    } else if (level.isSolid(0, 0) && !level.firstOpen(i, j)) {
        return fail(firstRowLine, "the level has no open cell to start in");
    }
    level.setStart(i, j);

    grid = level;
    valid = true;
    startMarked = startLine != 0;
    return true;
}

bool LevelFile::load(const String& name)
{
    // The file system refuses such a name too; saying why helps the user.
    if (const char* outside = DiskDirectory::whyOutside(name))
        return fail(1, std::string("the name ") + outside + "; a level file is named inside the data directory");
    std::unique_ptr<BinaryFile> file(FileSystem::instance()->openBinaryInput(name));
    if (!file)
        return fail(1, cannotOpen("missing or unreadable"));
    const int32_t size = file->seek(0, BinaryFile::End);
    if (size < 0)
        return fail(1, "the file's size cannot be read");
    if (static_cast<size_t>(size) > MaxFileSize)
        return fail(1, "the file is larger than " + std::to_string(MaxFileSize) + " bytes");
    if (size == 0)
        return fail(1, "the file is empty");
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (file->seek(0, BinaryFile::Begin) != 0
        || file->read(bytes.data(), static_cast<uint32_t>(size)) != static_cast<uint32_t>(size))
        return fail(1, CannotReadInFull);
    return parse(bytes.data(), bytes.size());
}

bool LevelFile::loadFromDisk(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return fail(1, cannotOpen(std::strerror(errno)));
    const std::streamoff size = in.seekg(0, std::ios::end) ? std::streamoff(in.tellg()) : -1;
    if (size > static_cast<std::streamoff>(MaxFileSize))
        return fail(1, "the file is larger than " + std::to_string(MaxFileSize) + " bytes");
    in.clear();
    in.seekg(0, std::ios::beg);
    std::vector<uint8_t> bytes(MaxFileSize + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        return fail(1, CannotReadInFull);
    bytes.resize(static_cast<size_t>(in.gcount()));
    // One byte more than the limit is read, so a larger file shows as such.
    return parse(bytes.data(), bytes.size());
}

std::string LevelFile::toText(const LevelGrid& grid, bool markStart)
{
    std::string text;
    text.reserve(static_cast<size_t>((grid.getWidth() + 1) * grid.getHeight()));
    for (int32_t j = 0; j < grid.getHeight(); ++j) {
        for (int32_t i = 0; i < grid.getWidth(); ++i) {
            if (markStart && i == grid.getStartI() && j == grid.getStartJ() && !grid.isSolid(i, j))
                text += 'S';
            else
                text += grid.isSolid(i, j) ? '#' : '.';
        }
        text += '\n';
    }
    return text;
}

bool LevelFile::save(const LevelGrid& grid, bool markStart, BinaryFile& file)
{
    const std::string text = toText(grid, markStart);
    return file.write(text.data(), static_cast<uint32_t>(text.size())) == static_cast<uint32_t>(text.size());
}

} // namespace Quorvel
