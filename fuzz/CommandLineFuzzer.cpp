// Fuzz target: the demonstration's command line, both as WinMain receives it
// (one text, split the Windows way) and as main() receives it (the bytes cut
// at zero bytes into arguments). Whatever the bytes, the result is defined:
// options within their limits, or an error of one line.

#include "demo/CommandLine.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void checkOutcome(const Quorvel::CommandLine& line)
{
    using Quorvel::CommandLine;
    switch (line.getOutcome()) {
    case CommandLine::Outcome::Error:
        if (line.getError().empty() || line.getError().find('\n') != std::string::npos)
            std::abort();
        break;
    case CommandLine::Outcome::Run:
        if (line.isTimedemo()) {
            if (line.getTimedemoFrames() < 1 || line.getTimedemoFrames() > CommandLine::MaxTimedemoFrames)
                std::abort();
        } else if (line.getTimedemoFrames() != 0 || !line.getShotPath().empty()) {
            std::abort(); // a frame count or a picture only comes with a timedemo
        }
        if (line.getShotPath().size() > CommandLine::MaxArgumentLength
            || line.getLevelPath().size() > CommandLine::MaxArgumentLength)
            std::abort();
        if (line.getQueryError().find('\n') != std::string::npos)
            std::abort();
        break;
    case CommandLine::Outcome::Help:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using Quorvel::CommandLine;
    const char* text = reinterpret_cast<const char*>(data);

    CommandLine windows;
    windows.parseWindows(text, size);
    checkOutcome(windows);

    // The same bytes as main()'s arguments: the program's name first, then
    // one argument per zero-terminated piece.
    std::vector<std::string> pieces(1, "quorvel-demo");
    std::string piece;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            pieces.push_back(piece);
            piece.clear();
        } else {
            piece.push_back(text[i]);
        }
    }
    if (!piece.empty())
        pieces.push_back(piece);
    std::vector<const char*> argv;
    for (const std::string& p : pieces)
        argv.push_back(p.c_str());
    CommandLine posix;
    posix.parse(static_cast<int>(argv.size()), argv.data());
    checkOutcome(posix);
    return 0;
}
