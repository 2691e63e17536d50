// quorvel-spine: the engine's spine with nothing but a crosshair on top.
//
// Run it in a directory holding a "quorvel.conf" with a [GraphicSystem]
// section (width, height, bpp). It switches the display to that mode, opens
// the full-screen window with its OpenGL context, draws a white crosshair at
// the centre of a black screen every frame and ends with exit code 0 when the
// window is closed. The log "quorvel.log" tells each stage.

#include "core/Application.h"
#include "platform/Engine.h"
#include "widgets/WSCrosshair.h"
#include "widgets/WidgetManager.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

int runSpine()
{
    using namespace Quorvel;

    // The engine: subsystems, display mode, window, OpenGL context. A failure
    // has already been logged and shown to the user.
    if (!Engine::start())
        return 1;

    // The one widget: the crosshair, hidden until shown.
    WSCrosshair* crosshair = new WSCrosshair(); // lives until the process ends
    Application::instance()->getWidgetManager()->add(crosshair);
    crosshair->show();

    // The main loop, until the window is closed.
    return Engine::run();
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
