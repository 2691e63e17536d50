#include "demo/ContentLocation.h"

#include "core/Application.h"
#include "core/Config.h"
#include "core/ConfigSection.h"
#include "support/BareApplication.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using Quorvel::ContentLocation;
using Quorvel::String;

namespace {

namespace fs = std::filesystem;

// An installation beside a working directory:
//   work/                      the working directory (content as the case says)
//   prefix/bin/quorvel-demo    the program
//   prefix/share/quorvel/      the installed content (as the case says)
struct Layout {
    const char* name;
    std::vector<const char*> workFiles;      // made in work/ ("x/" a folder)
    std::vector<const char*> installedFiles; // made in prefix/share/quorvel/
    bool programKnown;                       // whether the program's path is known
    bool expectInstalled;                    // installed folder, or the working directory
};

void make(const fs::path& folder, const std::vector<const char*>& entries)
{
    fs::create_directories(folder);
    for (const char* entry : entries) {
        const std::string name(entry);
        if (name.back() == '/')
            fs::create_directories(folder / name);
        else
            std::ofstream(folder / name) << "[GraphicSystem]\n";
    }
}

} // namespace

TEST(ContentLocationTest, TheWorkingDirectoryWinsAndOnlyAnInstalledConfigurationIsUsedInstead)
{
    const Layout layouts[] = {
        {"conf and data in the working directory", {"quorvel.conf", "data/"}, {"quorvel.conf", "data/"}, true, false},
        {"only quorvel.conf in the working directory", {"quorvel.conf"}, {"quorvel.conf", "data/"}, true, false},
        {"only data in the working directory", {"data/"}, {"quorvel.conf", "data/"}, true, false},
        {"empty working directory, installed content", {}, {"quorvel.conf", "data/"}, true, true},
        {"installed configuration without data", {}, {"quorvel.conf"}, true, true},
        {"installed data without configuration (build tree)", {}, {"data/"}, true, false},
        {"nothing installed (build tree)", {}, {}, true, false},
        {"program path unknown", {}, {"quorvel.conf", "data/"}, false, false},
        {"unrelated files in the working directory", {"quorvel.log", "other/"}, {"quorvel.conf"}, true, true},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        QuorvelTest::TempDir dir;
        const fs::path root(dir.path());
        make(root / "work", layout.workFiles);
        make(root / "prefix" / "bin", {});
        if (!layout.installedFiles.empty())
            make(root / "prefix" / "share" / "quorvel", layout.installedFiles);
        const String program = layout.programKnown ? (root / "prefix" / "bin" / "quorvel-demo").string().c_str() : "";

        const String found = ContentLocation::find((root / "work").string().c_str(), program, "../share/quorvel");

        const std::string expected =
            layout.expectInstalled ? (fs::canonical(root / "prefix" / "share" / "quorvel") / "").string() : "";
        EXPECT_EQ(expected, found.c_str());
    }
}

TEST(ContentLocationTest, AWindowsInstallationKeepsTheContentBesideTheProgram)
{
    QuorvelTest::TempDir dir;
    const fs::path root(dir.path());
    make(root / "work", {});
    make(root / "quorvel", {"quorvel.conf", "data/"});

    const String found = ContentLocation::find((root / "work").string().c_str(),
                                               (root / "quorvel" / "quorvel-demo.exe").string().c_str(), ".");

    EXPECT_EQ((fs::canonical(root / "quorvel") / "").string(), found.c_str()) << "canonical, without \"./\"";
}

TEST(ContentLocationTest, ThisProcessHasNoInstalledContentInItsBuildTree)
{
    // The test program runs from the build tree: nothing is installed beside
    // it, so an empty working directory stays the working directory.
    QuorvelTest::TempDir dir;
    EXPECT_EQ(String(), ContentLocation::find());
    EXPECT_GT(Quorvel::Application::executablePath().length(), 0) << "the platform tells the program's path";
}

TEST(ContentLocationTest, ReadConfigReplacesTheConfigurationAndReportsWhetherTheFileOpened)
{
    QuorvelTest::TempDir dir;
    dir.write("quorvel.conf", "[GraphicSystem]\nwidth = 800\n");
    fs::create_directories(fs::path(dir.path()) / "installed");
    dir.write("installed/quorvel.conf", "[GraphicSystem]\nwidth = 640\n");
    QuorvelTest::BareApplication application;
    ASSERT_EQ(800, application.getConfig()->getSection("GraphicSystem")->getInt("width", 0));

    EXPECT_TRUE(application.readConfig(dir.file("installed/quorvel.conf").c_str()));
    ASSERT_NE(nullptr, application.getConfig()->getSection("GraphicSystem"));
    EXPECT_EQ(640, application.getConfig()->getSection("GraphicSystem")->getInt("width", 0));

    EXPECT_FALSE(application.readConfig(dir.file("missing.conf").c_str()));
    EXPECT_FALSE(application.getConfig()->isLoaded()) << "a missing file leaves an empty configuration";
    EXPECT_EQ(nullptr, application.getConfig()->getSection("GraphicSystem"));
}
