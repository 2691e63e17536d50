// QueryString: splitting, decoding and reading a web page's query.

#include "demo/QueryString.h"

#include "demo/CommandLine.h"

namespace Quorvel {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Control bytes have no place in a file name typed into an address.
bool hasControlByte(const std::string& text)
{
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127)
            return true;
    }
    return false;
}

} // namespace

bool QueryString::fail(const std::string& message)
{
    *this = QueryString();
    error = message;
    return false;
}

bool QueryString::decode(const std::string& text, std::string& decoded, std::string& reason)
{
    decoded.clear();
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            decoded += ' ';
        } else if (c == '%') {
            const int high = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
            const int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
            if (high < 0 || low < 0) {
                reason = "a bad percent escape " + CommandLine::quote(text.substr(i, 3))
                    + " (a '%' is followed by two hexadecimal digits)";
                return false;
            }
            if (high == 0 && low == 0) {
                reason = "a zero byte (%00)";
                return false;
            }
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        } else if (c == '\0') {
            reason = "a zero byte";
            return false;
        } else {
            decoded += c;
        }
    }
    return true;
}

bool QueryString::parse(const std::string& query)
{
    *this = QueryString();
    if (query.size() > MaxLength)
        return fail("the query is longer than " + std::to_string(MaxLength) + " bytes");

    // Counted before any is read, so that a query with too many is refused
    // whole rather than after a part of it.
    size_t count = 0;
    size_t start = 0;
    while (start <= query.size()) {
        size_t end = query.find('&', start);
        if (end == std::string::npos)
            end = query.size();
        if (end > start)
            ++count;
        start = end + 1;
    }
    if (count > MaxParameters)
        return fail("the query has more than " + std::to_string(MaxParameters) + " parameters");

    start = 0;
    while (start <= query.size()) {
        size_t end = query.find('&', start);
        if (end == std::string::npos)
            end = query.size();
        if (end > start && !readParameter(query.substr(start, end - start)))
            return false;
        start = end + 1;
    }
    return true;
}

bool QueryString::readParameter(const std::string& parameter)
{
    const std::string shown = "query parameter " + CommandLine::quote(parameter) + ": ";
    const size_t equals = parameter.find('=');
    const bool hasValue = equals != std::string::npos;
    std::string name;
    std::string value;
    std::string reason;
    if (!decode(parameter.substr(0, equals), name, reason)
        || (hasValue && !decode(parameter.substr(equals + 1), value, reason)))
        return fail(shown + "holds " + reason);

    if (name == "level") {
        if (!level.empty())
            return fail(shown + "level is given twice");
        if (value.empty())
            return fail(shown + "level needs the name of a level file in the data directory (level=levels/NAME.lvl)");
        if (hasControlByte(value))
            return fail(shown + "the file name holds a control character");
        level = value;
        return true;
    }
    if (name == "timedemo") {
        if (timedemo)
            return fail(shown + "timedemo is given twice");
        uint32_t frames = CommandLine::DefaultTimedemoFrames;
        if (!value.empty() && !CommandLine::readFrames(value, frames, reason))
            return fail(shown + reason);
        timedemo = true;
        timedemoFrames = frames;
        return true;
    }
    if (name == "sky-first") {
        if (skyFirst)
            return fail(shown + "sky-first is given twice");
        if (!value.empty() && value != "1")
            return fail(shown + "sky-first takes no value (or 1)");
        skyFirst = true;
        return true;
    }
    return fail("unknown query parameter " + CommandLine::quote(parameter)
                + " (known: level=PATH, timedemo[=FRAMES], sky-first)");
}

} // namespace Quorvel
