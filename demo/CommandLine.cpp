// CommandLine: splitting and reading the demonstration's arguments.

#include "demo/CommandLine.h"

#include "demo/QueryString.h"

#include <cstdio>

namespace Quorvel {

namespace {

constexpr size_t QuoteLimit = 64; // bytes of an argument shown in a message

bool startsWithDashes(const std::string& argument)
{
    return argument.size() >= 2 && argument[0] == '-' && argument[1] == '-';
}

bool endsWithPng(const std::string& path)
{
    if (path.size() < 4)
        return false;
    const char* end = path.c_str() + path.size() - 4;
    return end[0] == '.' && (end[1] | 0x20) == 'p' && (end[2] | 0x20) == 'n' && (end[3] | 0x20) == 'g';
}

} // namespace

const char* CommandLine::usage()
{
    return "usage: quorvel-demo [--timedemo [FRAMES] | --first-frame] [--shot FILE.png] [--sky-first]\n"
           "                    [--level PATH] [--query TEXT]\n"
           "  (no option)         run the demonstration until its window is closed\n"
           "  --timedemo [FRAMES] walk a fixed path through the level as fast as possible for\n"
           "                      FRAMES frames (default 2000, at most 1000000), print the timing\n"
           "                      line and exit; vertical sync is off whatever quorvel.conf says\n"
           "  --shot FILE.png     with --timedemo: save the last frame as a PNG picture\n"
           "  --sky-first         draw in the straightforward order: the whole sky, then the\n"
           "                      level over it (the same picture, more work)\n"
           "  --first-frame       start as usual, print \"first frame: SECONDS\" (the wall-clock\n"
           "                      time, seconds since 1970) once the first frame is on the\n"
           "                      screen, and exit: for timing start-up\n"
           "  --level PATH        walk the level file PATH inside the data directory (as the\n"
           "                      [Level] file key of quorvel.conf, which it overrides)\n"
           "  --query TEXT        the options of a web page's address, the text after its '?':\n"
           "                      level=PATH, timedemo[=FRAMES], sky-first, joined by '&' and\n"
           "                      percent-encoded; a query that cannot be used is reported on\n"
           "                      standard error and in the log, and left out\n"
           "  --help              print this text\n";
}

std::string CommandLine::quote(const std::string& argument)
{
    std::string shown = "'";
    const size_t count = argument.size() < QuoteLimit ? argument.size() : QuoteLimit;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char byte = static_cast<unsigned char>(argument[i]);
        if (byte >= 32 && byte < 127 && byte != '\\' && byte != '\'') {
            shown += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    if (argument.size() > QuoteLimit)
        shown += "...";
    shown += "'";
    return shown;
}

bool CommandLine::readFrames(const std::string& count, uint32_t& frames, std::string& reason)
{
    uint32_t value = 0;
    for (size_t k = 0; k < count.size(); ++k) {
        const char c = count[k];
        if (c < '0' || c > '9') {
            reason = "FRAMES must be a whole number of frames";
            return false;
        }
        value = value * 10 + static_cast<uint32_t>(c - '0');
        if (value > MaxTimedemoFrames) {
            reason = "at most " + std::to_string(MaxTimedemoFrames) + " frames";
            return false;
        }
    }
    if (count.empty()) {
        reason = "FRAMES must be a whole number of frames";
        return false;
    }
    if (value == 0) {
        reason = "FRAMES must be at least 1";
        return false;
    }
    frames = value;
    return true;
}

void CommandLine::reset()
{
    *this = CommandLine();
}

CommandLine::Outcome CommandLine::fail(const std::string& message)
{
    reset();
    error = message;
    outcome = Outcome::Error;
    return outcome;
}

void CommandLine::readQuery(const std::string& query)
{
    QueryString parameters;
    if (!parameters.parse(query)) {
        queryError = parameters.getError();
        return;
    }
    // The command line is the desktop's; a page gives only the query. Both
    // naming one option is a mistake of the query's.
    const char* twice = nullptr;
    if (!parameters.getLevel().empty() && !levelPath.empty())
        twice = "level";
    else if (parameters.isTimedemo() && timedemo)
        twice = "timedemo";
    else if (parameters.isSkyFirst() && skyFirst)
        twice = "sky-first";
    if (twice != nullptr) {
        queryError = std::string("query parameter ") + quote(twice) + ": --" + twice
            + " is given on the command line too";
        return;
    }
    if (!parameters.getLevel().empty())
        levelPath = parameters.getLevel();
    if (parameters.isTimedemo()) {
        timedemo = true;
        timedemoFrames = parameters.getTimedemoFrames();
    }
    if (parameters.isSkyFirst())
        skyFirst = true;
}

CommandLine::Outcome CommandLine::parse(int argc, const char* const* argv)
{
    if (argc < 0 || (argc > 0 && argv == nullptr))
        return fail("the command line could not be read");
    if (static_cast<size_t>(argc) > MaxArguments + 1)
        return fail("too many arguments (at most " + std::to_string(MaxArguments) + ")");
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == nullptr)
            return fail("the command line could not be read");
        // Measure no further than the limit allows, then refuse.
        size_t length = 0;
        while (length <= MaxArgumentLength && argv[i][length] != '\0')
            ++length;
        if (length > MaxArgumentLength)
            return fail("argument " + std::to_string(i) + " is longer than " + std::to_string(MaxArgumentLength)
                        + " bytes");
        arguments.emplace_back(argv[i], length);
    }
    return parseArguments(arguments);
}

CommandLine::Outcome CommandLine::parseWindows(const char* text, size_t length)
{
    std::vector<std::string> arguments;
    std::string reason;
    if (!splitWindows(text, length, arguments, reason))
        return fail(reason);
    return parseArguments(arguments);
}

bool CommandLine::splitWindows(const char* text, size_t length, std::vector<std::string>& arguments, std::string& error)
{
    arguments.clear();
    if (text == nullptr)
        return true;
    size_t end = 0;
    while (end < length && text[end] != '\0') {
        if (end == MaxCommandLineLength) {
            error = "the command line is longer than " + std::to_string(MaxCommandLineLength) + " bytes";
            return false;
        }
        ++end;
    }

    size_t i = 0;
    while (true) {
        while (i < end && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (i >= end)
            return true;
        if (arguments.size() == MaxArguments) {
            error = "too many arguments (at most " + std::to_string(MaxArguments) + ")";
            return false;
        }

        std::string argument;
        bool quoted = false;
        while (i < end && (quoted || (text[i] != ' ' && text[i] != '\t'))) {
            if (text[i] == '\\') {
                size_t backslashes = 0;
                while (i < end && text[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < end && text[i] == '"') {
                    // 2n backslashes and a quote: n backslashes, the quote
                    // groups; 2n + 1: n backslashes and a literal quote.
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                } else {
                    argument.append(backslashes, '\\');
                }
            } else if (text[i] == '"') {
                quoted = !quoted;
                ++i;
            } else {
                argument += text[i];
                ++i;
            }
            if (argument.size() > MaxArgumentLength) {
                error = "argument " + std::to_string(arguments.size() + 1) + " is longer than "
                    + std::to_string(MaxArgumentLength) + " bytes";
                return false;
            }
        }
        arguments.push_back(argument);
    }
}

CommandLine::Outcome CommandLine::parseArguments(const std::vector<std::string>& arguments)
{
    reset();
    if (arguments.size() > MaxArguments)
        return fail("too many arguments (at most " + std::to_string(MaxArguments) + ")");

    bool shotGiven = false;
    bool skyFirstGiven = false;
    bool queryGiven = false;
    std::string query;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() > MaxArgumentLength)
            return fail("argument " + std::to_string(i + 1) + " is longer than " + std::to_string(MaxArgumentLength)
                        + " bytes");

        if (argument == "--help" || argument == "-h") {
            reset();
            outcome = Outcome::Help;
            return outcome;
        }
        if (argument == "--timedemo") {
            if (timedemo)
                return fail("--timedemo is given twice");
            timedemo = true;
            timedemoFrames = DefaultTimedemoFrames;
            // An optional count: the next argument unless it is an option.
            if (i + 1 < arguments.size() && !startsWithDashes(arguments[i + 1])) {
                const std::string& count = arguments[++i];
                uint32_t frames = 0;
                std::string reason;
                if (!readFrames(count, frames, reason))
                    return fail("--timedemo " + quote(count) + ": " + reason);
                timedemoFrames = frames;
            }
            continue;
        }
        if (argument == "--shot") {
            if (shotGiven)
                return fail("--shot is given twice");
            if (i + 1 >= arguments.size() || arguments[i + 1].empty() || startsWithDashes(arguments[i + 1]))
                return fail("--shot needs the name of a PNG file");
            const std::string& path = arguments[++i];
            if (!endsWithPng(path))
                return fail("--shot " + quote(path) + ": the picture is written as PNG; name it FILE.png");
            shotGiven = true;
            shotPath = path;
            continue;
        }
        if (argument == "--sky-first") {
            if (skyFirstGiven)
                return fail("--sky-first is given twice");
            skyFirstGiven = true;
            skyFirst = true;
            continue;
        }
        if (argument == "--level") {
            if (!levelPath.empty())
                return fail("--level is given twice");
            if (i + 1 >= arguments.size() || arguments[i + 1].empty() || startsWithDashes(arguments[i + 1]))
                return fail("--level needs the name of a level file in the data directory");
            levelPath = arguments[++i];
            continue;
        }
        if (argument == "--query") {
            if (queryGiven)
                return fail("--query is given twice");
            // The text is taken whatever it holds: it may be empty, and it
            // is the page's, read by its own rules.
            if (i + 1 >= arguments.size())
                return fail("--query needs the text of a web page's query (it may be empty)");
            queryGiven = true;
            query = arguments[++i];
            continue;
        }
        if (argument == "--first-frame") {
            if (firstFrame)
                return fail("--first-frame is given twice");
            firstFrame = true;
            continue;
        }
        return fail("unknown argument " + quote(argument));
    }

    if (queryGiven)
        readQuery(query);
    if (firstFrame && timedemo)
        return fail("--first-frame ends at the first frame and --timedemo times many; give one of them");

    if (shotGiven && !timedemo)
        return fail("--shot saves the last frame of a timedemo; give --timedemo too");
    outcome = Outcome::Run;
    return outcome;
}

} // namespace Quorvel
