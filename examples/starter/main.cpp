// A starter program on the Quorvel engine: a window with the crosshair and a
// widget of its own, a square that changes colour with the space bar.
//
// The engine brings up its subsystems, opens the window described by the
// [GraphicSystem] section of quorvel.conf (in the working directory) and runs
// the main loop until the window is closed. The log goes to quorvel.log.

#include <quorvel/core/Application.h>
#include <quorvel/core/Log.h>
#include <quorvel/widgets/InputHandler.h>
#include <quorvel/platform/Engine.h>
#include <quorvel/system/OpenGL.h>
#include <quorvel/widgets/WSCrosshair.h>
#include <quorvel/widgets/Widget.h>
#include <quorvel/widgets/WidgetManager.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdint>

namespace {

// A filled square in the top-left part of the screen. Space switches its
// colour: red, green, blue, then red again.
class ColourSquare : public Quorvel::Widget {
public:
    static constexpr float Left = 64.0f;
    static constexpr float Top = 64.0f;
    static constexpr float Size = 128.0f;
    static constexpr uint32_t SpaceKey = ' '; // printable keys carry their character

    // Widgets are drawn in screen pixels: x to the right, y down.
    void draw() override
    {
        static const float colours[3][3] = {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}};
        glColor3fv(colours[colour]);
        glBegin(GL_QUADS);
        glVertex3f(Left, Top, 0.0f);
        glVertex3f(Left, Top + Size, 0.0f);
        glVertex3f(Left + Size, Top + Size, 0.0f);
        glVertex3f(Left + Size, Top, 0.0f);
        glEnd();
        glColor3f(1.0f, 1.0f, 1.0f); // as the next widget expects
    }

    // Every key and cursor event is offered here; true keeps it from the
    // widgets after this one.
    bool handleInput(uint32_t kind, const Quorvel::InputState& state) override
    {
        if (kind == Quorvel::KeyDown && state.getKey() == SpaceKey) {
            colour = (colour + 1) % 3;
            Quorvel::Application::instance()->getLog()->write("Starter: colour changed");
            return true;
        }
        return false;
    }

private:
    int colour = 0;
};

int runStarter()
{
    using namespace Quorvel;

    // The engine: its subsystems, the log, quorvel.conf, the display mode,
    // the window and its OpenGL context. A failure has been logged and shown
    // to the user already.
    if (!Engine::start())
        return 1;
    Application* application = Application::instance();

    // The widgets draw in the order they were added; they must live until the
    // main loop has ended.
    ColourSquare square;
    WSCrosshair crosshair;
    application->getWidgetManager()->add(&square);
    application->getWidgetManager()->add(&crosshair);
    square.show();
    crosshair.show();

    return Engine::run(); // until the window is closed
}

} // namespace

#ifdef _WIN32
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return runStarter();
}
#else
int main()
{
    return runStarter();
}
#endif
