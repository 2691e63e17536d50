#include "core/Application.h"

#include "core/Config.h"
#include "core/ConfigSection.h"
#include "core/Log.h"
#include "support/BareApplication.h"
#include "support/TempDir.h"
#include "widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <memory>

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
