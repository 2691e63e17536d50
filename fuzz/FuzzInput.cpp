#include "FuzzInput.h"

#include "support/TestEngine.h"

#include "files/Directory.h"
#include "files/FileSystem.h"
#include "files/MemoryFile.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace QuorvelFuzz {

namespace {

// Holds the one input file; gives it out as a fresh memory file each time,
// as the disk directory gives out small files.
class InputDirectory : public Quorvel::Directory {
public:
    std::string name;
    std::string bytes;

    bool exists(const Quorvel::String& wanted) override { return matches(wanted); }
    std::istream* openTextInput(const Quorvel::String& wanted) override
    {
        return matches(wanted) ? new std::istringstream(bytes) : nullptr;
    }
    std::ostream* openTextOutput(const Quorvel::String&) override { return nullptr; }
    Quorvel::BinaryFile* openBinaryInput(const Quorvel::String& wanted) override
    {
        if (!matches(wanted))
            return nullptr;
        // Copied, so that a read past the real size lands outside the copy
        // and the address sanitizer sees it.
        return new Quorvel::MemoryFile(bytes.data(), static_cast<int32_t>(bytes.size()), true);
    }
    Quorvel::BinaryFile* openBinaryOutput(const Quorvel::String&) override { return nullptr; }

private:
    bool matches(const Quorvel::String& wanted) const
    {
        return static_cast<size_t>(wanted.length()) == name.size()
            && name.compare(0, name.size(), wanted.getData(), name.size()) == 0;
    }
};

InputDirectory* directory()
{
    static InputDirectory* const input = [] {
        auto* created = new InputDirectory();
        Quorvel::FileSystem::instance()->mount("fuzz/", created); // owned by the file system
        return created;
    }();
    return input;
}

} // namespace

Quorvel::String FuzzInput::set(const char* name, const uint8_t* bytes, size_t size)
{
    InputDirectory* input = directory();
    input->name = name;
    input->bytes.assign(reinterpret_cast<const char*>(bytes), size);
    return Quorvel::String("fuzz/") + name;
}

void FuzzInput::startGraphics()
{
    directory(); // the input mount goes first, before the data directory
    if (!QuorvelTest::TestEngine::start()) {
        std::fprintf(stderr, "fuzz: the engine could not start its window (%s); is DISPLAY set?\n",
                     QuorvelTest::TestEngine::lastError().c_str());
        std::exit(1);
    }
}

} // namespace QuorvelFuzz
