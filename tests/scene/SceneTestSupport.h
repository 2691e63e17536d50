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
#include "scene/LevelGrid.h"
#include "system/TimerSystem.h"

#include <algorithm>
#include <string>
#include <vector>

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

// A level from its picture, rows top to bottom, '#' solid, 'S' the start.
inline Quorvel::LevelGrid gridFrom(const std::vector<std::string>& rows)
{
    size_t width = 0;
    for (const std::string& row : rows)
        width = std::max(width, row.size());
    Quorvel::LevelGrid grid(static_cast<int32_t>(width), static_cast<int32_t>(rows.size()));
    for (size_t j = 0; j < rows.size(); ++j) {
        for (size_t i = 0; i < rows[j].size(); ++i) {
            grid.setSolid(static_cast<int32_t>(i), static_cast<int32_t>(j), rows[j][i] == '#');
            if (rows[j][i] == 'S')
                grid.setStart(static_cast<int32_t>(i), static_cast<int32_t>(j));
        }
    }
    return grid;
}

} // namespace SceneTest
