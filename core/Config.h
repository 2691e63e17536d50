#pragma once
// Config: the engine's settings, read once from a text stream of "[section]"
// headers and "key = value" lines. It owns its sections, found by name in any
// case; the unnamed section (empty name) holds the lines before the first header.

#include "core/ConfigSection.h"
#include "core/String.h"

#include <cstdint>
#include <istream>
#include <map>
#include <memory>

namespace Quorvel {

class Config {
public:
    Config(); // no sections at all, not loaded
    // Reads the stream to its end. A stream that fails while it is read
    // leaves no sections and isLoaded() false, as an empty Config; nothing
    // is thrown.
    explicit Config(std::istream& stream);
    // Opens the name as a text stream through the file system; stays empty
    // when no mounted directory has it or it cannot be read.
    explicit Config(const String& fileName);
    ~Config();

    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;

    // The section of that name (compared in lower case), or null. The section
    // belongs to the configuration.
    ConfigSection* getSection(const String& name) const;

    int32_t getErrorCount() const { return errorCount; } // malformed header lines read
    bool isLoaded() const { return loaded; }             // a stream was read to its end without failing
    const std::map<String, std::unique_ptr<ConfigSection>>& getSections() const { return sections; }

    // Longest line the format allows; longer lines are cut (see read()).
    static constexpr int32_t MaxLineLength = 1023;

private:
    void read(std::istream& stream);
    void parseLine(String& line, ConfigSection*& current);

    int32_t errorCount;
    bool loaded;
    std::map<String, std::unique_ptr<ConfigSection>> sections;
};

} // namespace Quorvel
