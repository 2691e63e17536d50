#include "platform/Engine.h"

#include "core/Application.h"
#include "files/DiskDirectory.h"
#include "files/FileSystem.h"
#include "input/InputSystem.h"
#include "system/GraphicSystem.h"
#include "system/SoundSystem.h"
#include "system/TimerSystem.h"

namespace Quorvel {

bool Engine::start()
{
    return start(Settings());
}

bool Engine::start(const Settings& settings)
{
    if (settings.dataDirectory.length() > 0)
        FileSystem::instance()->mount("", new DiskDirectory(settings.dataDirectory));

    // Registration order decides the order of every window hook and of the
    // per-pass updates: input, timer, graphic, sound. The first one creates
    // the application.
    InputSystem::instance();
    TimerSystem::instance();
    GraphicSystem* graphics = GraphicSystem::instance();
    SoundSystem* sound = SoundSystem::instance();
    Application* application = Application::instance();

    if (settings.beforeConfigure)
        settings.beforeConfigure(*application);
    graphics->configure();
    sound->configure();
    if (settings.beforeInit)
        settings.beforeInit(*application);

    return application->init();
}

int Engine::run()
{
    Application* application = Application::instance();
    application->run();
    // The audio device is released when the main loop ends, before the
    // program's last log lines; nothing else is torn down.
    if (SoundSystem* sound = SoundSystem::existingInstance())
        sound->shutdown();
    return application->getExitCode();
}

} // namespace Quorvel
