#pragma once
// LogLines: the lines of the engine's log file ("quorvel.log" in the working
// directory), for tests that check what a loader reported. mark() notes how
// many lines there are; since() returns the lines written after the mark.

#include <fstream>
#include <string>
#include <vector>

namespace QuorvelTest {

inline std::vector<std::string> logLines()
{
    std::vector<std::string> lines;
    std::ifstream file("quorvel.log");
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class LogMark {
public:
    LogMark() : count(logLines().size()) {}
    std::vector<std::string> since() const
    {
        std::vector<std::string> lines = logLines();
        return std::vector<std::string>(lines.begin()
                                            + static_cast<std::ptrdiff_t>(count < lines.size() ? count : lines.size()),
                                        lines.end());
    }

private:
    size_t count;
};

} // namespace QuorvelTest
