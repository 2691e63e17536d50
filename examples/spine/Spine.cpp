// quorvel-spine: the engine's spine with nothing but a crosshair on top.
//
// Run it in a directory holding a "quorvel.conf" with a [GraphicSystem]
// section (width, height, bpp). It switches the display to that mode, opens
// the full-screen window with its OpenGL context, draws a white crosshair at
// the centre of a black screen every frame and ends with exit code 0 when the
// window is closed. The log "quorvel.log" tells each stage.

#include "core/Application.h"
#include "input/InputSystem.h"
#include "system/GraphicSystem.h"
#include "system/TimerSystem.h"
#include "widgets/WSCrosshair.h"
#include "widgets/WidgetManager.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

int runSpine()
{
    using namespace Quorvel;

    // 1. The subsystems, in the demonstration's order. The first one creates
    //    the application: the log is opened and "quorvel.conf" is read.
    InputSystem::instance();
    TimerSystem::instance();
    GraphicSystem* graphics = GraphicSystem::instance();

    // 2. The display settings, while the graphic system still takes them.
    graphics->configure();

    // 3. Display mode, window, OpenGL context and extensions. A failure has
    //    already been logged and shown to the user.
    Application* application = Application::instance();
    if (!application->init())
        return 1;

    // 4. The one widget: the crosshair, hidden until shown.
    WSCrosshair* crosshair = new WSCrosshair(); // lives until the process ends
    application->getWidgetManager()->add(crosshair);
    crosshair->show();

    // 5. The main loop, until the window is closed.
    application->run();
    return 0;
}

} // namespace

#ifdef _WIN32
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return runSpine();
}
#else
int main()
{
    return runSpine();
}
#endif
