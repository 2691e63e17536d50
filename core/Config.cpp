#include "core/Config.h"

#include "files/FileSystem.h"

#include <exception>

namespace Quorvel {

namespace {

// Reads one physical line into line, without its line feed and without a
// carriage return right before it, so a file written with Windows line ends
// reads the same as one with plain line feeds. A line longer than
// Config::MaxLineLength is cut to its first MaxLineLength bytes; the rest of
// it is skipped and reading goes on with the next line. Returns false only
// when the stream had nothing left to read.
bool readLine(std::istream& stream, String& line)
{
    // One byte beyond the limit is kept so that a carriage return ending a
    // line of exactly the maximum length can still be recognised and dropped.
    constexpr int32_t Keep = Config::MaxLineLength + 1;
    char buffer[Keep];
    int32_t stored = 0;
    int64_t total = 0;
    char last = 0;
    bool sawAny = false;

    std::streambuf* source = stream.rdbuf();
    for (;;) {
        const int next = source->sbumpc();
        if (next == std::char_traits<char>::eof()) {
            stream.setstate(std::ios::eofbit);
            break;
        }
        sawAny = true;
        const char byte = static_cast<char>(next);
        if (byte == '\n')
            break;
        if (stored < Keep)
            buffer[stored++] = byte;
        ++total;
        last = byte;
    }
    if (!sawAny)
        return false;

    if (total > 0 && last == '\r' && stored == total)
        --stored;
    if (stored > Config::MaxLineLength)
        stored = Config::MaxLineLength;
    line = String(buffer, stored);
    return true;
}

// Removes the quotes of a quoted value and resolves its escapes from left to
// right. A backslash that is the last byte between the quotes stays a
// backslash. Returns false when the closing quote is missing.
bool unquote(String& value)
{
    const int32_t length = value.length();
    if (length == 1) { // a lone double quote opens and closes an empty value
        value = String();
        return true;
    }
    if (value[length - 1] != '"')
        return false;

    // The result is never longer than the text it comes from, so it is
    // written over the value in place.
    const int32_t end = length - 1;
    int32_t written = 0;
    for (int32_t i = 1; i < end; ++i) {
        char byte = value[i];
        if (byte == '\\' && i + 1 < end) {
            ++i;
            // clang-format off
            switch (value[i]) {
            case 'n': byte = '\n'; break;
            case 't': byte = '\t'; break;
            default: byte = value[i]; break; // \" \\ and any other character
            }
            // clang-format on
        }
        value[written++] = byte;
    }
    value.truncate(written);
    return true;
}

} // namespace

Config::Config() : errorCount(0), loaded(false)
{
}

Config::Config(std::istream& stream) : errorCount(0), loaded(false)
{
    read(stream);
}

Config::Config(const String& fileName) : errorCount(0), loaded(false)
{
    std::unique_ptr<std::istream> stream(FileSystem::instance()->openTextInput(fileName));
    if (stream)
        read(*stream);
}

Config::~Config() = default;

ConfigSection* Config::getSection(const String& name) const
{
    String lower(name);
    lower.toLower();
    auto it = sections.find(lower);
    return it == sections.end() ? nullptr : it->second.get();
}

void Config::read(std::istream& stream)
{
    errorCount = 0;
    loaded = false;
    sections.clear();

    std::unique_ptr<ConfigSection>& unnamed = sections[String()];
    unnamed.reset(new ConfigSection());
    ConfigSection* current = unnamed.get();

    // A stream whose reads fail (a directory opened as a file, a disk error)
    // may throw from its buffer whatever its exception mask says. Reading
    // never throws: such a stream leaves the configuration empty and not
    // loaded, as if there had been no file.
    try {
        String line;
        while (readLine(stream, line))
            parseLine(line, current);
    } catch (const std::exception&) {
        sections.clear();
        errorCount = 0;
        return;
    }
    loaded = true;
}

void Config::parseLine(String& line, ConfigSection*& current)
{
    line.trimLeft();
    const int32_t length = line.length();
    if (length == 0)
        return;

    const char first = line[0];
    if (first == ';' || first == '#')
        return;

    if (first == '[') {
        // Nothing may follow the closing bracket, not even white space.
        if (length < 2 || line[length - 1] != ']') {
            ++errorCount;
            return;
        }
        String name = line.substr(1, length - 2);
        name.trim();
        name.toLower();
        std::unique_ptr<ConfigSection>& section = sections[name];
        if (!section)
            section.reset(new ConfigSection());
        current = section.get();
        return;
    }

    String key;
    String value;
    const int32_t equals = line.find('=');
    if (equals < 0) {
        key = line; // trailing white space stays part of the key
    } else {
        key = line.substr(0, equals);
        key.trimRight();
        value = line.substr(equals + 1);
        value.trim();
        if (value.length() > 0 && value[0] == '"' && !unquote(value))
            return; // no closing quote: the whole line is dropped
    }
    key.toLower();
    current->insert(key, value);
}

} // namespace Quorvel
