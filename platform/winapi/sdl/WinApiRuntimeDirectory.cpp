#include "platform/winapi/sdl/WinApiRuntimeDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace Quorvel {

namespace {

std::string& madeDirectory()
{
    static std::string* path = new std::string(); // used by the exit handler
    return *path;
}

void removeAtExit()
{
    std::error_code ignored;
    std::filesystem::remove_all(madeDirectory(), ignored);
}

} // namespace

void WinApiRuntimeDirectory::ensure()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const char* set = std::getenv("XDG_RUNTIME_DIR");
    if (set && *set)
        return;
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error)
        base = "/tmp";
    std::string pattern = (base / "quorvel-runtime-XXXXXX").string();
    if (!mkdtemp(pattern.data())) // made with mode 0700
        return;
    madeDirectory() = pattern;
    setenv("XDG_RUNTIME_DIR", pattern.c_str(), 1);
    std::atexit(removeAtExit);
}

} // namespace Quorvel
