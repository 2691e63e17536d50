// Fuzz target: a web page's query, as the page hands it to the demonstration
// with --query. Whatever the bytes, the result is defined: options within
// their limits, or an error of one line that keeps no option; and the
// command line that carries the query always runs, with or without it.

#include "demo/CommandLine.h"
#include "demo/QueryString.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using Quorvel::CommandLine;
    using Quorvel::QueryString;
    const std::string text(reinterpret_cast<const char*>(data), size);

    QueryString query;
    const bool read = query.parse(text);
    if (read) {
        if (!query.getError().empty() || size > QueryString::MaxLength)
            std::abort();
        if (query.isTimedemo()
            && (query.getTimedemoFrames() < 1 || query.getTimedemoFrames() > CommandLine::MaxTimedemoFrames))
            std::abort();
        if (!query.isTimedemo() && query.getTimedemoFrames() != 0)
            std::abort();
        if (query.getLevel().size() > size || query.getLevel().find('\0') != std::string::npos)
            std::abort();
    } else {
        if (query.getError().empty() || query.getError().find('\n') != std::string::npos
            || query.getError().size() > 512)
            std::abort();
        if (!query.getLevel().empty() || query.isTimedemo() || query.isSkyFirst())
            std::abort(); // a refused query keeps nothing
    }

    // The same text through the command line: never a refusal of the
    // program's start, the query's options taken over or none of them.
    CommandLine line;
    const CommandLine::Outcome outcome = line.parseArguments(std::vector<std::string>{"--query", text});
    if (size <= CommandLine::MaxArgumentLength) {
        if (outcome != CommandLine::Outcome::Run || read != line.getQueryError().empty())
            std::abort();
        if (line.getLevelPath() != query.getLevel() || line.isTimedemo() != query.isTimedemo()
            || line.getTimedemoFrames() != query.getTimedemoFrames() || line.isSkyFirst() != query.isSkyFirst())
            std::abort();
    }
    return 0;
}
