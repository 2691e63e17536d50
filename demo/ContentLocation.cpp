// Finding the content folder: the working directory, or the content installed
// with the program.

#include "demo/ContentLocation.h"

#include "core/Application.h"

#include <filesystem>
#include <system_error>

// Set by the build from the installation layout.
#ifndef QUORVEL_INSTALLED_CONTENT
#define QUORVEL_INSTALLED_CONTENT "../share/quorvel"
#endif

namespace Quorvel {

const char* const ContentLocation::InstalledContent = QUORVEL_INSTALLED_CONTENT;

namespace {

namespace fs = std::filesystem;

bool isRegularFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool hasEntry(const fs::path& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

} // namespace

String ContentLocation::find(const String& workingDirectory, const String& executablePath,
                             const String& installedContent)
{
    const fs::path working(workingDirectory.c_str());
    if (hasEntry(working / ConfigFile) || hasEntry(working / DataDirectory))
        return String();
    if (executablePath.length() == 0)
        return String();

    const fs::path installed = fs::path(executablePath.c_str()).parent_path() / installedContent.c_str();
    if (!isRegularFile(installed / ConfigFile))
        return String();
    std::error_code error;
    const fs::path canonical = fs::canonical(installed, error);
    if (error)
        return String();
    // A trailing separator: names are appended to the folder as they are.
    return String((canonical / "").string().c_str());
}

String ContentLocation::find()
{
    std::error_code error;
    const fs::path working = fs::current_path(error);
    if (error)
        return String();
    return find(String(working.string().c_str()), Application::executablePath(), InstalledContent);
}

} // namespace Quorvel
