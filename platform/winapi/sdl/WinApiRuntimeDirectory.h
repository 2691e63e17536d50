#pragma once
// WinApiRuntimeDirectory: a runtime directory for SDL when the session has
// none. SDL's video and audio back ends look for XDG_RUNTIME_DIR and complain
// on standard error when it is not set, which a user reads as our error. When
// it is missing, a private directory (mode 0700, under the temporary folder)
// stands in for it and is removed at exit.

namespace Quorvel {

class WinApiRuntimeDirectory {
public:
    // Sets XDG_RUNTIME_DIR to a private directory when it is unset or empty;
    // once per process, before SDL starts. Does nothing when it is set.
    static void ensure();
};

} // namespace Quorvel
