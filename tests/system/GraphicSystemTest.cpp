#include "system/GraphicSystem.h"

#include "core/Application.h"
#include "core/String.h"
#include "support/BareApplication.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Quorvel;
using QuorvelTest::BareApplication;

namespace {

// A graphic system that records which setters configure calls, in order.
class RecordingGraphicSystem : public GraphicSystem {
public:
    bool hasFailed() override { return false; }
    uint32_t getWidth() const override { return width; }
    void setWidth(uint32_t value) override
    {
        width = value;
        calls.push_back("width");
    }
    uint32_t getHeight() const override { return height; }
    void setHeight(uint32_t value) override
    {
        height = value;
        calls.push_back("height");
    }
    uint32_t getBitsPerPixel() const override { return bits; }
    void setBitsPerPixel(uint32_t value) override
    {
        bits = value;
        calls.push_back("bpp");
    }
    uint32_t getRefreshRate() const override { return refresh; }
    void setRefreshRate(uint32_t value) override
    {
        refresh = value;
        calls.push_back("refreshrate");
    }
    bool getVsync() const override { return vsync; }
    void setVsync(bool value) override
    {
        vsync = value;
        calls.push_back("vsync");
    }
    bool getDoubleBuffer() const override { return doubleBuffer; }
    void setDoubleBuffer(bool value) override
    {
        doubleBuffer = value;
        calls.push_back("doublebuffer");
    }
    bool getFullscreen() const override { return true; }
    void setFullscreen(bool) override { calls.push_back("fullscreen"); }
    int32_t getState() const override { return Configuring; }
    void useDesktopMode() override {}
    uint32_t getFrameCount() const override { return 0; }
    void resetFrameCount() override {}
    bool isExtensionSupported(const char*) override { return false; }
    void* getProcAddress(const char*) override { return nullptr; }

    // Values no configuration produces, to see what was left alone.
    uint32_t width = 7, height = 7, bits = 7, refresh = 7;
    bool vsync = true, doubleBuffer = false;
    std::vector<std::string> calls;
};

struct ConfigureCase {
    const char* name;
    const char* conf;
    uint32_t width, height, bits, refresh;
    bool vsync, doubleBuffer;
};

} // namespace

TEST(GraphicSystemTest, ConfigureReadsTheGraphicSystemSectionWithItsDefaults)
{
    const ConfigureCase cases[] = {
        {"empty section", "[GraphicSystem]\n", 1024, 768, 32, 0, false, true},
        {"every key", "[GraphicSystem]\nwidth=800\nheight=600\nbpp=16\nrefreshrate=75\nvsync=on\ndoublebuffer=no\n",
         800, 600, 16, 75, true, false},
        {"section name in any case", "[ graphicSYSTEM ]\nWidth = 640\n", 640, 768, 32, 0, false, true},
        {"values that do not convert", "[GraphicSystem]\nwidth=800px\nheight=0x10\nvsync=1\ndoublebuffer=maybe\n", 1024,
         768, 32, 0, false, true},
        {"empty value is zero", "[GraphicSystem]\nbpp=\n", 1024, 768, 0, 0, false, true},
        {"key alone reads as true", "[GraphicSystem]\nvsync\n", 1024, 768, 32, 0, true, true},
        {"other sections do not count", "[Other]\nwidth=1\n[GraphicSystem]\nheight=480\n", 1024, 480, 32, 0, false,
         true},
    };
    const std::vector<std::string> order = {"width", "height", "bpp", "refreshrate", "vsync", "doublebuffer"};

    for (const ConfigureCase& c : cases) {
        SCOPED_TRACE(c.name);
        QuorvelTest::TempDir dir;
        dir.write("quorvel.conf", c.conf);
        BareApplication application;
        RecordingGraphicSystem graphics;

        graphics.configure();

        EXPECT_EQ(order, graphics.calls);
        EXPECT_EQ(c.width, graphics.width);
        EXPECT_EQ(c.height, graphics.height);
        EXPECT_EQ(c.bits, graphics.bits);
        EXPECT_EQ(c.refresh, graphics.refresh);
        EXPECT_EQ(c.vsync, graphics.vsync);
        EXPECT_EQ(c.doubleBuffer, graphics.doubleBuffer);
    }
}

TEST(GraphicSystemTest, ConfigureWithoutTheSectionSetsNothing)
{
    const char* confs[] = {nullptr, "", "width=800\n", "[Graphics]\nwidth=800\n"};
    for (const char* conf : confs) {
        SCOPED_TRACE(conf ? conf : "no quorvel.conf");
        QuorvelTest::TempDir dir;
        if (conf)
            dir.write("quorvel.conf", conf);
        BareApplication application;
        RecordingGraphicSystem graphics;

        graphics.configure();

        EXPECT_TRUE(graphics.calls.empty());
        EXPECT_EQ(7u, graphics.width) << "width left alone";
    }
}

TEST(GraphicSystemTest, TheFirstGraphicSystemConstructedIsTheInstance)
{
    ASSERT_EQ(nullptr, GraphicSystem::existingInstance()) << "an earlier test left a graphic system registered";
    {
        RecordingGraphicSystem first;
        RecordingGraphicSystem second;
        EXPECT_EQ(&first, GraphicSystem::existingInstance());
        EXPECT_EQ(&first, GraphicSystem::instance());
    }
    EXPECT_EQ(nullptr, GraphicSystem::existingInstance());
}

TEST(GraphicSystemTest, ExtensionNamesMatchWholeWordsOnly)
{
    struct Case {
        const char* extensions;
        const char* name;
        bool expected;
    };
    const Case cases[] = {
        {"GL_ARB_shader_objects GL_EXT_bgra", "GL_ARB_shader_objects", true},
        {"GL_ARB_shader_objects GL_EXT_bgra", "GL_EXT_bgra", true},     // last word, no separator after it
        {"GL_ARB_shader_objects GL_EXT_bgra", "GL_ARB_shader", false},  // only the start of a word
        {"GL_ARB_shader_objects GL_EXT_bgra", "shader_objects", false}, // only the end of a word
        {"GL_ARB_shader_objects GL_EXT_bgra", "GL_EXT_bgrab", false},   // longer than the word
        {"GL_ARB_shader_objects GL_EXT_bgra", "GL_ARB_shader_objects GL_EXT_bgra", false}, // two words
        {"  GL_A\tGL_B\nGL_C\rGL_D  ", "GL_A", true},
        {"  GL_A\tGL_B\nGL_C\rGL_D  ", "GL_B", true},
        {"  GL_A\tGL_B\nGL_C\rGL_D  ", "GL_C", true},
        {"  GL_A\tGL_B\nGL_C\rGL_D  ", "GL_D", true},
        {"GL_A\x01GL_B\x1fGL_C", "GL_B", true}, // control bytes separate
        {"GL_A\x80GL_B\xffGL_C", "GL_B", true}, // bytes of 128 and above separate
        {"GL_A\x80GL_B\xffGL_C", "GL_C", true},
        {"GL_A!GL_B", "GL_B", false}, // printable bytes do not
        {"GL_A!GL_B", "GL_A!GL_B", true},
        {"GL_EXT_bgra", "", false},
        {"", "GL_EXT_bgra", false},
        {"   ", "GL_EXT_bgra", false},
        {nullptr, "GL_EXT_bgra", false},
        {"GL_EXT_bgra", nullptr, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, GraphicSystem::containsExtension(c.extensions, c.name))
            << "name \"" << (c.name ? c.name : "(null)") << "\" in \"" << (c.extensions ? c.extensions : "(null)")
            << "\"";
    }
}

TEST(GraphicSystemTest, FullscreenKeyChoosesTheScreenMode)
{
    const struct {
        const char* line;
        int32_t mode;
        bool logged; // an unknown value is logged and read as on
    } cases[] = {
        {"", GraphicSystem::FullScreen, false},
        {"fullscreen = on\n", GraphicSystem::FullScreen, false},
        {"fullscreen\n", GraphicSystem::FullScreen, false},
        {"fullscreen = yes\n", GraphicSystem::FullScreen, false},
        {"fullscreen = off\n", GraphicSystem::Windowed, false},
        {"fullscreen = NO\n", GraphicSystem::Windowed, false},
        {"fullscreen = Desktop\n", GraphicSystem::Desktop, false},
        {"fullscreen = borderless\n", GraphicSystem::FullScreen, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        QuorvelTest::TempDir dir;
        dir.write("quorvel.conf", std::string("[GraphicSystem]\n") + c.line);
        {
            BareApplication application;
            RecordingGraphicSystem graphics;
            graphics.configure();
            EXPECT_EQ(c.mode, graphics.getScreenMode());
            EXPECT_EQ(0, graphics.getSettingFault().length());
        }
        const bool logged = dir.read("quorvel.log").find("is not on, off or desktop") != std::string::npos;
        EXPECT_EQ(c.logged, logged);
    }
}

TEST(GraphicSystemTest, SizesOfZeroOrBelowAreKeptAsTheSettingFaultWithTheValueAsWritten)
{
    const struct {
        const char* conf;
        const char* fault;
        uint32_t width; // what the setter still receives
    } cases[] = {
        {"width = -1\n", "width = -1", 4294967295u},
        {"width = 800\nheight = 0\n", "height = 0", 800},
        {"bpp = -16\n", "bpp = -16", 1024},
        {"bpp =\n", "bpp = ", 1024},
        {"width = -1\nheight = -2\n", "width = -1", 4294967295u},  // the first one found
        {"width = 800px\n", "", 1024},                             // not a number: the default, no fault
        {"fullscreen = desktop\nwidth = 0\nheight = -5\n", "", 0}, // sizes unused in desktop mode
        {"fullscreen = desktop\nbpp = 0\n", "bpp = 0", 1024},
        {"fullscreen = off\nwidth = 0\n", "width = 0", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.conf);
        QuorvelTest::TempDir dir;
        dir.write("quorvel.conf", std::string("[GraphicSystem]\n") + c.conf);
        BareApplication application;
        RecordingGraphicSystem graphics;
        graphics.configure();
        EXPECT_STREQ(c.fault, graphics.getSettingFault().c_str());
        EXPECT_EQ(c.width, graphics.width);
    }
}
