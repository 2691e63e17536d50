#pragma once
// QueryString: reads the options of a web page's address, the part after the
// '?' (without it), for example "level=levels/maze32.lvl&timedemo=300&sky-first".
// The page hands it to the demonstration with --query; it asks for the same
// things as the command line:
//
//   level=PATH           the level file PATH inside the data directory, as
//                        "[Level] file" names one (it wins over that key)
//   timedemo[=FRAMES]    a timedemo of FRAMES frames (as --timedemo FRAMES;
//                        without a number, or with an empty one, the default)
//   sky-first[=1]        the straightforward drawing order (as --sky-first)
//
// Parameters are separated by '&' (empty ones are skipped); names and values
// are percent-decoded, '+' standing for a blank. An empty query asks for
// nothing. Everything is bounded: at most MaxLength bytes, at most
// MaxParameters parameters. Any byte sequence gives a defined result: the
// options, or a one-line error that names the parameter at fault (quoted as
// CommandLine::quote shows an argument) and keeps no option.

#include <cstddef>
#include <cstdint>
#include <string>

namespace Quorvel {

class QueryString {
public:
    static constexpr size_t MaxLength = 2048; // bytes, as the page passes them (still encoded)
    static constexpr size_t MaxParameters = 16;

    QueryString() = default;

    // Reads the query. True when every parameter is known, given once and
    // good; otherwise false, with getError() saying why and no option kept.
    bool parse(const std::string& query);

    const std::string& getLevel() const { return level; } // empty: no level asked for
    bool isTimedemo() const { return timedemo; }
    uint32_t getTimedemoFrames() const { return timedemoFrames; } // 0 unless a timedemo
    bool isSkyFirst() const { return skyFirst; }
    const std::string& getError() const { return error; } // one line, no line end; empty after success

    // Percent-decodes text ('+' as a blank). False, with the reason in
    // reason, at a '%' not followed by two hexadecimal digits or a zero
    // byte, written or decoded.
    static bool decode(const std::string& text, std::string& decoded, std::string& reason);

private:
    bool fail(const std::string& message);
    bool readParameter(const std::string& parameter);

    std::string level;
    bool timedemo = false;
    uint32_t timedemoFrames = 0;
    bool skyFirst = false;
    std::string error;
};

} // namespace Quorvel
