#include "platform/win32/Win32GraphicSystem.h"

#include "support/QuietApplication.h"
#include "support/TempDir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Quorvel;
using QuorvelTest::QuietApplication;

namespace {

// A fresh application and graphic system in a temporary directory for every
// test; the application owns the graphic system and destroys it.
class Win32GraphicSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(nullptr, Application::existingInstance()) << "an earlier test left an application registered";
        ASSERT_EQ(nullptr, GraphicSystem::existingInstance()) << "an earlier test left a graphic system registered";
        application.reset(new QuietApplication());
        graphics = new Win32GraphicSystem();
    }
    void TearDown() override
    {
        application.reset();
        UnregisterClassA(Win32Application::WindowClassName, GetModuleHandleA(nullptr));
    }

    std::string log() const { return dir.read("quorvel.log"); }

    QuorvelTest::TempDir dir;
    std::unique_ptr<QuietApplication> application;
    Win32GraphicSystem* graphics = nullptr;
};

} // namespace

TEST_F(Win32GraphicSystemTest, StartsConfiguringWithNoDisplaySizeAndRegisters)
{
    EXPECT_EQ(graphics, GraphicSystem::instance());
    ASSERT_EQ(1u, application->getSubsystems().size());
    EXPECT_EQ(static_cast<Win32Subsystem*>(graphics), application->getSubsystems()[0]);

    EXPECT_EQ(GraphicSystem::Configuring, graphics->getState());
    EXPECT_FALSE(graphics->hasFailed());
    EXPECT_EQ(0u, graphics->getWidth());
    EXPECT_EQ(0u, graphics->getHeight());
    EXPECT_EQ(0u, graphics->getBitsPerPixel());
    EXPECT_EQ(0u, graphics->getRefreshRate());
    EXPECT_FALSE(graphics->getVsync());
    EXPECT_TRUE(graphics->getDoubleBuffer());
    EXPECT_TRUE(graphics->getFullscreen());
    EXPECT_EQ(0u, graphics->getFrameCount());
}

TEST_F(Win32GraphicSystemTest, SettersStoreWhileConfiguring)
{
    graphics->setWidth(800);
    graphics->setHeight(600);
    graphics->setBitsPerPixel(16);
    graphics->setRefreshRate(75);
    graphics->setVsync(true);
    graphics->setDoubleBuffer(false);

    EXPECT_EQ(800u, graphics->getWidth());
    EXPECT_EQ(600u, graphics->getHeight());
    EXPECT_EQ(16u, graphics->getBitsPerPixel());
    EXPECT_EQ(75u, graphics->getRefreshRate());
    EXPECT_TRUE(graphics->getVsync());
    EXPECT_FALSE(graphics->getDoubleBuffer());
}

TEST_F(Win32GraphicSystemTest, OperationsOutsideTheirStateAreUsageErrors)
{
    // Before the context exists the extension queries are not allowed, and
    // setFullscreen never is. Debug builds stop; release builds ignore them.
    EXPECT_DEBUG_DEATH(EXPECT_FALSE(graphics->isExtensionSupported("GL_EXT_bgra")), "");
    EXPECT_DEBUG_DEATH(EXPECT_EQ(nullptr, graphics->getProcAddress("glActiveTextureARB")), "");
    EXPECT_DEBUG_DEATH(graphics->setFullscreen(false), "");
    EXPECT_TRUE(graphics->getFullscreen());
}

TEST_F(Win32GraphicSystemTest, AMissingDisplaySizeFailsStartUpWithAnExplanation)
{
    struct Case {
        uint32_t width, height, bits;
    };
    const Case cases[] = {{0, 0, 0}, {0, 768, 32}, {1024, 0, 32}, {1024, 768, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + "x" + std::to_string(c.bits));
        TearDown();
        SetUp();
        graphics->setWidth(c.width);
        graphics->setHeight(c.height);
        graphics->setBitsPerPixel(c.bits);

        WNDCLASSEXA windowClass = {};
        graphics->adjustWindowClass(windowClass);

        EXPECT_EQ(GraphicSystem::Failed, graphics->getState());
        EXPECT_TRUE(graphics->hasFailed());
        EXPECT_EQ(0u, static_cast<uint32_t>(windowClass.style)) << "the class is left alone";
        EXPECT_EQ(nullptr, windowClass.hbrBackground);
        ASSERT_EQ(1u, application->errors.size());
        EXPECT_NE(std::string::npos, application->errors[0].find("quorvel.conf"));
        EXPECT_NE(std::string::npos, application->errors[0].find("[GraphicSystem]"));
        EXPECT_EQ("", log()) << "a missing size has no log line of its own";

        // Nothing after a failed start-up touches the window or draws.
        uint32_t exStyle = 0, style = 0;
        int32_t x = 0, y = 0, width = 0, height = 0;
        graphics->adjustWindowParams(exStyle, style, x, y, width, height);
        EXPECT_EQ(0u, style);
        EXPECT_EQ(0, width);
        graphics->windowCreated(nullptr);
        graphics->update();
        EXPECT_EQ(GraphicSystem::Failed, graphics->getState());
        EXPECT_EQ(0u, graphics->getFrameCount());
    }
}

TEST_F(Win32GraphicSystemTest, WithoutConfigurationInitFailsBeforeTheWindowExists)
{
    // No "quorvel.conf": configure finds no section and sets nothing.
    graphics->configure();
    EXPECT_EQ(0u, graphics->getWidth());

    EXPECT_FALSE(application->init());

    EXPECT_EQ(nullptr, application->getWindow());
    EXPECT_EQ(1u, application->errors.size());
    EXPECT_EQ("Application initialising...\nInitialisation failed\n", log());
}

TEST_F(Win32GraphicSystemTest, DesktopModeOutsideConfiguringIsLoggedAndIgnored)
{
    WNDCLASSEXA windowClass = {};
    graphics->adjustWindowClass(windowClass); // no size: Failed
    ASSERT_EQ(GraphicSystem::Failed, graphics->getState());

    EXPECT_DEBUG_DEATH(graphics->useDesktopMode(), "");
#ifdef NDEBUG
    EXPECT_EQ("GraphicSystem: could not get display params\n", log());
    EXPECT_EQ(0u, graphics->getWidth());
#endif
}
