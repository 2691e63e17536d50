#pragma once
// TestEngine: the engine brought up for tests that need a real window and
// OpenGL context (the *GLTest.cpp programs, run under the Xvfb display that
// the test command starts, screen 1024x768x24).
//
// start() does it once per process through the engine's own bring-up
// (Engine), with the source tree's "data" directory mounted and the display
// settings ([GraphicSystem] width=1024 height=768 bpp=32 vsync=off) read
// from a private file of its own, which replaces whatever a quorvel.conf in
// the working directory holds; that file is never written. The log is "quorvel.log" in the working
// directory, where LogLines reads it. The application is the Windows application except that
// error() writes its message to stderr and keeps it (lastError) instead of
// showing a message box. Everything stays up until the process ends.
//
// Between the graphic system and init, start() registers one more window
// subsystem of its own, a probe that records what the window hooks left
// behind (startUp()); it does nothing else.
//
// The helpers never block: pass() is one pass of the main loop, and
// drawFrame() reads a frame back before presenting it (after the swap the
// front buffer reads black under GLX).
//
//   ASSERT_TRUE(QuorvelTest::TestEngine::start()) << QuorvelTest::TestEngine::lastError();
//   Quorvel::Application::instance()->getWidgetManager()->add(widget);
//   QuorvelTest::Frame frame = QuorvelTest::TestEngine::drawFrame();
//   EXPECT_EQ(frame.at(512, 384), (QuorvelTest::Pixel{0, 0, 0}));

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace QuorvelTest {

struct Pixel {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Pixel& other) const { return r == other.r && g == other.g && b == other.b; }
    bool operator!=(const Pixel& other) const { return !(*this == other); }
};

inline void PrintTo(const Pixel& pixel, std::ostream* out)
{
    *out << "rgb(" << int(pixel.r) << ", " << int(pixel.g) << ", " << int(pixel.b) << ")";
}

// A frame read back from OpenGL, addressed in screen space: (0, 0) is the
// top-left pixel, y grows downwards.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // OpenGL's rows, bottom row first, 3 bytes a pixel

    Pixel at(int x, int y) const; // black outside the frame
};

// What the window hooks of start-up left behind, as seen by a subsystem
// registered after the graphic system (so after its hook of each step).
struct StartUpRecord {
    int32_t stateAfterClass = -1; // the graphic system's state after each step
    int32_t stateAfterParams = -1;
    int32_t stateAfterCreated = -1;
    uint32_t classStyle = 0; // the window class record before registration
    bool classHasBackground = false;
    bool classHasCursor = false;
    uint32_t exStyle = 0; // the window parameters before creation
    uint32_t style = 0;
    int32_t x = -1, y = -1, width = 0, height = 0;
    bool windowCreated = false; // the hook got a window handle
};

class TestEngine {
public:
    static constexpr int Width = 1024; // the screen unless setScreenSize says otherwise
    static constexpr int Height = 768;

    // The display size start() asks for, for a program whose screen is not
    // 1024 x 768 (its test command starts a screen of that size). Only before
    // the first start().
    static void setScreenSize(int width, int height);

    // Brings the engine up on the first call; afterwards answers how that went.
    static bool start();
    static const StartUpRecord& startUp();
    // The last message passed to the application's error(), or empty.
    static std::string lastError();

    // Translates and dispatches every waiting window message.
    static void pumpMessages();
    // One pass of the main loop: pumpMessages, then every subsystem's update
    // (the graphic system's draws and presents a frame and counts it).
    static void pass();
    // Draws a frame (clear, every visible widget, wait for OpenGL), reads the
    // whole screen back, then presents and counts the frame.
    static Frame drawFrame();
};

} // namespace QuorvelTest
