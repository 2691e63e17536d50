#pragma once
// CommandLine: reads the demonstration's command line, the one outside input
// that arrives before anything else. Without arguments the demonstration runs
// as usual; the options ask for a timedemo (a fixed walk through the level,
// timed), a picture of its last frame, the straightforward drawing order, or
// a start that ends at its first frame on the screen (for timing start-up).
//
// Everything is bounded: at most MaxArguments arguments of at most
// MaxArgumentLength bytes, a Windows command line of at most
// MaxCommandLineLength bytes. Any byte sequence gives a defined result: the
// options, or an error text that names the argument and the reason.
//
//   quorvel-demo [--timedemo [FRAMES] | --first-frame] [--shot FILE.png] [--sky-first]
//                [--level PATH] [--query TEXT] [--help]

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Quorvel {

class CommandLine {
public:
    enum class Outcome {
        Run,  // start the demonstration with the options read
        Help, // print usage() to standard output and exit 0
        Error // print getError() and usage() to standard error and exit 2
    };

    static constexpr uint32_t DefaultTimedemoFrames = 2000;
    static constexpr uint32_t MaxTimedemoFrames = 1000000; // a frame time is kept per frame
    static constexpr size_t MaxArguments = 64;
    static constexpr size_t MaxArgumentLength = 4096;     // bytes; a path may be long, not endless
    static constexpr size_t MaxCommandLineLength = 32767; // the Windows limit
    static constexpr int UsageExitCode = 2;

    CommandLine() = default;

    // The arguments as main() receives them; argv[0] (the program) is skipped.
    // A null argv or a null entry is an error, not a crash.
    Outcome parse(int argc, const char* const* argv);
    // The arguments as WinMain receives them: one text without the program's
    // name, split the way Windows programs split their command line (blanks
    // separate; double quotes group; backslashes escape only quotes). Reads
    // at most length bytes and stops at a zero byte.
    Outcome parseWindows(const char* text, size_t length);
    // The arguments already split.
    Outcome parseArguments(const std::vector<std::string>& arguments);

    Outcome getOutcome() const { return outcome; }
    bool isTimedemo() const { return timedemo; }
    uint32_t getTimedemoFrames() const { return timedemoFrames; } // 0 unless a timedemo
    const std::string& getShotPath() const { return shotPath; }   // empty: no picture
    bool isSkyFirst() const { return skyFirst; }
    // The level file inside the data directory, as "[Level] file" names one;
    // empty: the configuration's level.
    const std::string& getLevelPath() const { return levelPath; }
    bool isFirstFrame() const { return firstFrame; } // exit once the first frame is on the screen
    const std::string& getError() const { return error; } // one line, no line end
    // Why the query given with --query was left out (one line); empty when
    // there was none or it was read.
    const std::string& getQueryError() const { return queryError; }

    // The usage text, several lines ending in a line end.
    static const char* usage();

    // Splits a Windows command line (the part after the program's name) into
    // arguments. False, with the reason in error, when it is longer than
    // MaxCommandLineLength or holds more than MaxArguments arguments or an
    // argument longer than MaxArgumentLength.
    static bool splitWindows(const char* text, size_t length, std::vector<std::string>& arguments, std::string& error);

    // The argument as it may be shown in a message: quoted, bytes outside
    // printable ASCII written as \xNN, cut after 64 bytes with "...".
    static std::string quote(const std::string& argument);

    // Reads a timedemo's number of frames: decimal digits only, 1 to
    // MaxTimedemoFrames. False, with the reason in reason, otherwise.
    static bool readFrames(const std::string& count, uint32_t& frames, std::string& reason);

private:
    Outcome fail(const std::string& message);
    void reset();
    // Adds the options of the query to those of the command line; an option
    // given by both leaves the query out.
    void readQuery(const std::string& query);

    Outcome outcome = Outcome::Run;
    bool timedemo = false;
    uint32_t timedemoFrames = 0;
    std::string shotPath;
    bool skyFirst = false;
    std::string levelPath;
    bool firstFrame = false;
    std::string error;
    std::string queryError;
};

} // namespace Quorvel
