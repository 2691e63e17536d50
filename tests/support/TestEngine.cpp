// The engine brought up once per test process, on the display the test
// command provides.

#include "support/TestEngine.h"

#include "support/QuietApplication.h"

#include "core/Application.h"
#include "platform/Engine.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32GraphicSystem.h"
#include "platform/win32/Win32Subsystem.h"
#include "system/GraphicSystem.h"
#include "system/OpenGL.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace QuorvelTest {

namespace {

QuietApplication* application = nullptr;
StartUpRecord record;

// Registered after the graphic system: notes what its hooks did.
class StartUpProbe : public Quorvel::Win32Subsystem {
public:
    bool hasFailed() override { return false; }
    void adjustWindowClass(WNDCLASSEXA& windowClass) override
    {
        record.stateAfterClass = Quorvel::GraphicSystem::instance()->getState();
        record.classStyle = windowClass.style;
        record.classHasBackground = windowClass.hbrBackground != nullptr;
        record.classHasCursor = windowClass.hCursor != nullptr;
    }
    void adjustWindowParams(uint32_t& exStyle, uint32_t& style, int32_t& x, int32_t& y, int32_t& width,
                            int32_t& height) override
    {
        record.stateAfterParams = Quorvel::GraphicSystem::instance()->getState();
        record.exStyle = exStyle;
        record.style = style;
        record.x = x;
        record.y = y;
        record.width = width;
        record.height = height;
    }
    void windowCreated(HWND window) override
    {
        record.stateAfterCreated = Quorvel::GraphicSystem::instance()->getState();
        record.windowCreated = window != nullptr;
    }
};
bool started = false;
bool running = false;
int screenWidth = TestEngine::Width;
int screenHeight = TestEngine::Height;

// Writes the test display's settings into a fresh private directory and
// returns the file's path, or the empty text when that fails.
std::string privateConfigFile()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-engine-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return std::string();
    const std::string path = pattern + "/quorvel.conf";
    std::ofstream config(path, std::ios::trunc);
    config << "[GraphicSystem]\nwidth=" << screenWidth << "\nheight=" << screenHeight << "\nbpp=32\nvsync=off\n";
    return config ? path : std::string();
}

Quorvel::Win32Application* win32Application()
{
    return dynamic_cast<Quorvel::Win32Application*>(Quorvel::Application::instance());
}

} // namespace

Pixel Frame::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return Pixel{};
    const size_t offset = (static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) + static_cast<size_t>(x))
        * 3;
    return Pixel{rgb[offset], rgb[offset + 1], rgb[offset + 2]};
}

void TestEngine::setScreenSize(int width, int height)
{
    if (started)
        return; // the display is already up at its size
    screenWidth = width;
    screenHeight = height;
}

bool TestEngine::start()
{
    if (started)
        return running;
    started = true;

    using namespace Quorvel;
#if !defined(_WIN32)
    // The sound system opens a device and feeds it as in a real run, but on
    // SDL's silent driver: a test never plays through the machine's speakers.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
#endif
    // Registered before any subsystem, so the subsystems join this application.
    if (!Application::existingInstance()) {
        application = new QuietApplication();
        application->echo = true;
    }

    Engine::Settings settings;
    settings.dataDirectory = QUORVEL_SOURCE_DIR "/data";
    // The display settings come from a file of the test engine's own, so
    // that a quorvel.conf where the program runs is never read or written.
    settings.beforeConfigure = [](Application& app) {
        const std::string config = privateConfigFile();
        if (!config.empty()) {
            app.readConfig(config.c_str());
            std::error_code ignored;
            std::filesystem::remove_all(std::filesystem::path(config).parent_path(), ignored);
        }
    };
    settings.beforeInit = [](Application&) {
        new StartUpProbe(); // owned by the application
    };
    running = Engine::start(settings);
    return running;
}

const StartUpRecord& TestEngine::startUp()
{
    return record;
}

std::string TestEngine::lastError()
{
    return application && !application->errors.empty() ? application->errors.back() : std::string();
}

void TestEngine::pumpMessages()
{
    if (Quorvel::Win32Application* app = win32Application())
        app->pumpMessages();
}

void TestEngine::pass()
{
    if (Quorvel::Win32Application* app = win32Application()) {
        app->pumpMessages();
        app->updateSubsystems();
    }
}

Frame TestEngine::drawFrame()
{
    Frame frame;
    auto* graphics = dynamic_cast<Quorvel::Win32GraphicSystem*>(Quorvel::GraphicSystem::instance());
    if (!running || !graphics)
        return frame;

    graphics->renderFrame();
    frame.width = static_cast<int>(graphics->getWidth());
    frame.height = static_cast<int>(graphics->getHeight());
    frame.rgb.assign(static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height) * 3, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(graphics->getDoubleBuffer() ? GL_BACK : GL_FRONT);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    graphics->presentFrame();
    return frame;
}

} // namespace QuorvelTest
