#include "platform/winapi/WinApiTextWrap.h"

namespace Quorvel {

namespace {

// Appends one line of the text (no line break in it), broken to width.
void wrapLine(const std::string& line, size_t width, std::string& out)
{
    size_t start = 0;
    while (line.size() - start > width) {
        // The last space within the first width + 1 characters ends the piece.
        size_t cut = line.rfind(' ', start + width);
        size_t next;
        if (cut == std::string::npos || cut <= start) {
            cut = start + width; // one word longer than a line
            next = cut;
        } else {
            next = cut + 1;
        }
        size_t end = cut;
        while (end > start && line[end - 1] == ' ')
            --end;
        out.append(line, start, end - start);
        out += '\n';
        start = next;
        while (start < line.size() && line[start] == ' ')
            ++start;
    }
    out.append(line, start, std::string::npos);
}

} // namespace

std::string WinApiTextWrap::wrap(const std::string& text, size_t width)
{
    if (width == 0)
        return text;
    std::string out;
    out.reserve(text.size() + text.size() / width + 1);
    size_t start = 0;
    while (true) {
        const size_t end = text.find('\n', start);
        wrapLine(text.substr(start, end == std::string::npos ? std::string::npos : end - start), width, out);
        if (end == std::string::npos)
            break;
        out += '\n';
        start = end + 1;
    }
    return out;
}

} // namespace Quorvel
