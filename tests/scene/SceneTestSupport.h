// Helpers shared by the scene tests that run without a display: an
// application that only owns a log (in the test's temporary directory), a
// timer system on a clock the test sets by hand, and mounting a directory
// under a prefix of its own so that stale mounts of earlier tests never match.
#pragma once

#include "support/BareApplication.h"

#include "core/Application.h"
#include "core/String.h"
#include "files/DiskDirectory.h"
#include "files/FileSystem.h"
#include "system/TimerSystem.h"

#include <string>

namespace SceneTest {

// The neutral application with nothing platform behind it: its log is
// "quorvel.log" in the working directory at construction.
using QuorvelTest::BareApplication;

// A timer system whose clock only moves when the test says so.
class ManualTimerSystem : public Quorvel::TimerSystem {
public:
    uint32_t now = 1000;
    uint32_t getTime() override { return now; }
    bool hasFailed() override { return false; }
};

// Mounts the directory under a prefix used by no earlier call and returns the
// prefix: open "<prefix>name" to reach "name" in that directory.
inline std::string mountUnderFreshPrefix(const std::string& path)
{
    static int mounts = 0;
    const std::string prefix = "scene-test-" + std::to_string(++mounts) + "/";
    Quorvel::FileSystem::instance()->mount(prefix.c_str(), new Quorvel::DiskDirectory(path.c_str()));
    return prefix;
}

} // namespace SceneTest
