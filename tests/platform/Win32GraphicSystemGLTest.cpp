// The graphic system on a real display: the engine is brought up once for
// this program by the test engine (1024 x 768, 32 bits, vsync off).

#include "platform/win32/Win32GraphicSystem.h"

#include "core/Application.h"
#include "platform/win32/Win32Application.h"
#include "support/TestEngine.h"
#include "system/Extensions.h"
#include "system/OpenGL.h"
#include "widgets/WSCrosshair.h"
#include "widgets/WidgetManager.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

using namespace Quorvel;
using QuorvelTest::Pixel;
using QuorvelTest::TestEngine;

namespace {

class Win32GraphicSystemGLTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestEngine::start()) << TestEngine::lastError();
        graphics = dynamic_cast<Win32GraphicSystem*>(GraphicSystem::instance());
        ASSERT_NE(nullptr, graphics);
    }
    Win32GraphicSystem* graphics = nullptr;
};

const Pixel Black{0, 0, 0};
const Pixel White{255, 255, 255};

} // namespace

TEST_F(Win32GraphicSystemGLTest, StartUpReachesContextReadyWithTheConfiguredMode)
{
    EXPECT_EQ(GraphicSystem::ContextReady, graphics->getState());
    EXPECT_FALSE(graphics->hasFailed());
    EXPECT_EQ(1024u, graphics->getWidth());
    EXPECT_EQ(768u, graphics->getHeight());
    EXPECT_EQ(32u, graphics->getBitsPerPixel());
    EXPECT_EQ(0u, graphics->getRefreshRate());
    EXPECT_FALSE(graphics->getVsync());
    EXPECT_TRUE(graphics->getDoubleBuffer());
    EXPECT_NE(nullptr, graphics->getDeviceContext());
    EXPECT_NE(nullptr, graphics->getRenderContext());

    // The window covers the screen, and the context draws on all of it.
    auto* application = dynamic_cast<Win32Application*>(Application::instance());
    ASSERT_NE(nullptr, application);
    ASSERT_NE(nullptr, application->getWindow());
    RECT client = {};
    ASSERT_TRUE(GetClientRect(application->getWindow(), &client));
    EXPECT_EQ(1024, client.right - client.left);
    EXPECT_EQ(768, client.bottom - client.top);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(1024, viewport[2]);
    EXPECT_EQ(768, viewport[3]);

    GLfloat clearColour[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    EXPECT_EQ(0.0f, clearColour[0] + clearColour[1] + clearColour[2] + clearColour[3]) << "black, alpha 0";
    GLfloat clearDepth = 0;
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &clearDepth);
    EXPECT_FLOAT_EQ(1.0f, clearDepth) << "10000 clamped by OpenGL";
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);
}

TEST_F(Win32GraphicSystemGLTest, EachWindowHookTakesTheStateOneStepFurther)
{
    const QuorvelTest::StartUpRecord& record = TestEngine::startUp();
    EXPECT_EQ(GraphicSystem::ModeSet, record.stateAfterClass);
    EXPECT_EQ(GraphicSystem::ModeSet, record.stateAfterParams);
    EXPECT_EQ(GraphicSystem::ContextReady, record.stateAfterCreated);
    EXPECT_TRUE(record.windowCreated);

    EXPECT_EQ(static_cast<uint32_t>(CS_OWNDC), record.classStyle & CS_OWNDC);
    EXPECT_TRUE(record.classHasBackground) << "a solid black brush";
    EXPECT_FALSE(record.classHasCursor);

    EXPECT_EQ(static_cast<uint32_t>(WS_EX_APPWINDOW), record.exStyle);
    EXPECT_EQ(static_cast<uint32_t>(WS_POPUP), record.style);
    EXPECT_EQ(0, record.x);
    EXPECT_EQ(0, record.y);
    EXPECT_EQ(1024, record.width);
    EXPECT_EQ(768, record.height);
}

TEST_F(Win32GraphicSystemGLTest, TheLogTellsEachStageOfStartUp)
{
    std::ifstream file("quorvel.log");
    std::stringstream text;
    text << file.rdbuf();
    const std::string log = text.str();
    const size_t initialising = log.find("Application initialising...\n");
    const size_t successful = log.find("Initialisation successful\n");
    ASSERT_NE(std::string::npos, initialising) << log;
    ASSERT_NE(std::string::npos, successful) << log;
    EXPECT_LT(initialising, successful);
    EXPECT_EQ(std::string::npos, log.find("GraphicSystem:")) << log;
}

TEST_F(Win32GraphicSystemGLTest, ExtensionFlagsFollowTheDriversExtensionString)
{
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    ASSERT_NE(nullptr, extensions);
    struct Case {
        const char* name;
        bool flag;
        bool entryPoints;
        void* sample; // the last entry point of the extension
    };
    const Case cases[] = {
        {"GL_EXT_bgra", extBgra, false, nullptr},
        {"GL_ARB_point_parameters", extPointParameters, true, reinterpret_cast<void*>(Quorvel::glPointParameterfvARB)},
        {"GL_ARB_point_sprite", extPointSprite, false, nullptr},
        {"GL_ARB_shading_language_100", extShadingLanguage100, false, nullptr},
        {"GL_ARB_shader_objects", extShaderObjects, true, reinterpret_cast<void*>(Quorvel::glGetShaderSourceARB)},
        {"GL_ARB_vertex_shader", extVertexShader, true, reinterpret_cast<void*>(Quorvel::glGetVertexAttribPointervARB)},
        {"GL_ARB_fragment_shader", extFragmentShader, false, nullptr},
        {"GL_ARB_multitexture", extMultitexture, true, reinterpret_cast<void*>(Quorvel::glMultiTexCoord4svARB)},
    };
    for (const Case& c : cases) {
        const bool listed = GraphicSystem::containsExtension(extensions, c.name);
        EXPECT_EQ(listed, graphics->isExtensionSupported(c.name)) << c.name;
        EXPECT_EQ(listed, c.flag) << c.name;
        if (c.flag && c.entryPoints) {
            EXPECT_NE(nullptr, c.sample) << c.name << ": its last entry point was looked up";
        }
    }
    EXPECT_FALSE(extFramebufferObject) << "the framebuffer-object loader is not run";
    EXPECT_EQ(extSwapControl, Quorvel::wglSwapIntervalEXT != nullptr && Quorvel::wglGetSwapIntervalEXT != nullptr);

    EXPECT_FALSE(graphics->isExtensionSupported("GL_ARB_shader")) << "only whole names match";
    EXPECT_NE(nullptr, graphics->getProcAddress("glActiveTextureARB"));
}

TEST_F(Win32GraphicSystemGLTest, SettersAreUsageErrorsOnceTheModeIsSet)
{
    EXPECT_DEBUG_DEATH(graphics->setWidth(640), "");
    EXPECT_DEBUG_DEATH(graphics->setVsync(true), "");
    EXPECT_EQ(1024u, graphics->getWidth());
    EXPECT_FALSE(graphics->getVsync());
}

TEST_F(Win32GraphicSystemGLTest, EveryPassOfTheMainLoopCountsOneFrame)
{
    graphics->resetFrameCount();
    EXPECT_EQ(0u, graphics->getFrameCount());
    for (int pass = 0; pass < 3; ++pass)
        TestEngine::pass();
    EXPECT_EQ(3u, graphics->getFrameCount());
}

TEST_F(Win32GraphicSystemGLTest, TheCrosshairIsDrawnWhiteAtTheCentreOfABlackScreen)
{
    // Visible through the application's widget manager from now on.
    static WSCrosshair* crosshair = nullptr;
    if (!crosshair) {
        crosshair = new WSCrosshair();
        Application::instance()->getWidgetManager()->add(crosshair);
        crosshair->show();
    }

    graphics->resetFrameCount();
    const QuorvelTest::Frame frame = TestEngine::drawFrame();
    ASSERT_EQ(1024, frame.width);
    ASSERT_EQ(768, frame.height);
    EXPECT_EQ(1u, graphics->getFrameCount());

    // A segment along a pixel edge may light the row (or column) on either
    // side of it, so each arm is looked for on both.
    auto lit = [&frame](int x0, int y0, int x1, int y1) {
        return frame.at(x0, y0) == White || frame.at(x1, y1) == White;
    };
    EXPECT_TRUE(lit(505, 383, 505, 384)) << "left arm";
    EXPECT_TRUE(lit(518, 383, 518, 384)) << "right arm";
    EXPECT_TRUE(lit(511, 377, 512, 377)) << "top arm";
    EXPECT_TRUE(lit(511, 390, 512, 390)) << "bottom arm";

    const int blackPoints[][2] = {
        {511, 383}, {512, 384},  {511, 384}, {512, 383}, // the open centre
        {498, 384}, {526, 384},  {512, 371}, {512, 397}, // beyond the arm ends
        {0, 0},     {1023, 767}, {300, 600},             // the cleared screen
    };
    for (const auto& point : blackPoints)
        EXPECT_EQ(Black, frame.at(point[0], point[1])) << "at " << point[0] << "," << point[1];
}
