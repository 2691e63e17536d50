#pragma once
// ContentLocation: where a program finds its content, "quorvel.conf" and the
// "data" folder. The working directory comes first, as it always has; only
// when it holds neither of them does an installed program use the copies
// installed with it, in the content folder at a fixed place relative to its
// own folder (share/quorvel beside bin/, or the program's own folder in a
// Windows installation). A program run from its build tree has no installed
// copies and so keeps to the working directory.

#include "core/String.h"

namespace Quorvel {

class ContentLocation {
public:
    // The folder to read "quorvel.conf" and "data" from, ending in a path
    // separator, or the empty text for the working directory. The installed
    // folder is executableFolder/installedContent and counts only when it
    // holds a "quorvel.conf"; it is returned in its canonical form.
    // executablePath is the running program's full path (empty when unknown).
    static String find(const String& workingDirectory, const String& executablePath, const String& installedContent);

    // The same for this process: its working directory, its program's path
    // as the platform tells it, and the layout of the installation.
    static String find();

    // The content folder relative to the program folder in an installation.
    static const char* const InstalledContent;
    static constexpr const char* ConfigFile = "quorvel.conf";
    static constexpr const char* DataDirectory = "data";
};

} // namespace Quorvel
