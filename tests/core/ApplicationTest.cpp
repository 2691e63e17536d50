#include "core/Application.h"

#include "core/Config.h"
#include "core/ConfigSection.h"
#include "core/FileDropHandler.h"
#include "core/Log.h"
#include "support/BareApplication.h"
#include "support/TempDir.h"
#include "widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>

using Quorvel::Application;
using Quorvel::String;
using QuorvelTest::BareApplication;

TEST(ApplicationTest, ConstructionOpensTheLogReadsTheConfigurationAndCreatesTheWidgetManager)
{
    QuorvelTest::TempDir dir;
    dir.write("quorvel.log", "a previous run's line\n");
    dir.write("quorvel.conf", "[GraphicSystem]\nwidth = 800\n");

    BareApplication application;

    ASSERT_NE(nullptr, application.getLog());
    EXPECT_EQ("", dir.read("quorvel.log")) << "the log starts empty on every run";
    application.getLog()->write("hello");
    EXPECT_EQ("hello\n", dir.read("quorvel.log"));

    ASSERT_NE(nullptr, application.getConfig());
    EXPECT_TRUE(application.getConfig()->isLoaded());
    Quorvel::ConfigSection* section = application.getConfig()->getSection("GraphicSystem");
    ASSERT_NE(nullptr, section);
    EXPECT_EQ(800, section->getInt("width", 1024));

    ASSERT_NE(nullptr, application.getWidgetManager());
    EXPECT_FALSE(application.getWidgetManager()->isInitialised());
    EXPECT_FALSE(application.isQuitRequested());
}

TEST(ApplicationTest, WithoutConfigurationFileTheConfigurationIsEmptyAndNothingIsLogged)
{
    QuorvelTest::TempDir dir;

    BareApplication application;

    ASSERT_NE(nullptr, application.getConfig());
    EXPECT_FALSE(application.getConfig()->isLoaded());
    EXPECT_EQ(nullptr, application.getConfig()->getSection("")) << "not even the unnamed section";
    EXPECT_EQ(nullptr, application.getConfig()->getSection("GraphicSystem"));
    EXPECT_EQ("", dir.read("quorvel.log"));
}

TEST(ApplicationTest, AnUnreadableConfigurationIsTreatedAsMissingAndNamedInTheLog)
{
    QuorvelTest::TempDir dir;
    // A directory of that name opens as a stream whose every read fails;
    // reading it used to throw out of the application's constructor.
    ASSERT_EQ(0, ::mkdir(dir.file("quorvel.conf").c_str(), 0755));

    std::unique_ptr<BareApplication> application;
    ASSERT_NO_THROW(application = std::make_unique<BareApplication>());

    ASSERT_NE(nullptr, application->getConfig());
    EXPECT_FALSE(application->getConfig()->isLoaded());
    EXPECT_EQ(nullptr, application->getConfig()->getSection("")) << "as empty as a missing file";
    EXPECT_EQ("Configuration: quorvel.conf cannot be read; starting without it\n", dir.read("quorvel.log"));
}

TEST(ApplicationTest, TheFirstApplicationConstructedIsTheInstanceUntilItIsDestroyed)
{
    QuorvelTest::TempDir dir;
    ASSERT_EQ(nullptr, Application::existingInstance()) << "an earlier test left an application registered";
    {
        BareApplication first;
        BareApplication second;
        EXPECT_EQ(&first, Application::existingInstance());
        EXPECT_EQ(&first, Application::instance()) << "instance() must not create another application";
    }
    EXPECT_EQ(nullptr, Application::existingInstance());
}

TEST(ApplicationTest, QuitRequestsTheEndOfTheMainLoop)
{
    QuorvelTest::TempDir dir;
    BareApplication application;
    application.quit();
    EXPECT_TRUE(application.isQuitRequested());
}

namespace {

class RecordingHandler : public Quorvel::FileDropHandler {
public:
    void fileDropped(const Quorvel::String& path) override { paths.emplace_back(path.getData()); }
    std::vector<std::string> paths;
};

// Records whether the platform was told to accept files.
class AcceptingApplication : public QuorvelTest::BareApplication {
public:
    std::vector<bool> changes;

protected:
    void acceptFilesChanged(bool accept) override { changes.push_back(accept); }
};

} // namespace

TEST(ApplicationTest, DroppedFilesGoToTheHandlersAndTheWindowAcceptsFilesWhileThereIsOne)
{
    QuorvelTest::TempDir dir; // the application's log goes here
    AcceptingApplication application;
    RecordingHandler first;
    RecordingHandler second;
    EXPECT_FALSE(application.acceptsFiles());
    application.fileDropped("/nowhere.lvl"); // no handler: nothing happens

    application.addFileDropHandler(&first);
    application.addFileDropHandler(&second);
    application.addFileDropHandler(&first); // once only
    application.addFileDropHandler(nullptr);
    EXPECT_TRUE(application.acceptsFiles());
    application.fileDropped("/a.lvl");
    application.removeFileDropHandler(&first);
    application.fileDropped("/b.lvl");
    application.removeFileDropHandler(&second);
    application.removeFileDropHandler(&second);
    EXPECT_FALSE(application.acceptsFiles());
    application.fileDropped("/c.lvl");

    EXPECT_EQ(first.paths, std::vector<std::string>{"/a.lvl"});
    EXPECT_EQ(second.paths, (std::vector<std::string>{"/a.lvl", "/b.lvl"}));
    EXPECT_EQ(application.changes, (std::vector<bool>{true, false})) << "told on the first handler and the last";
}
