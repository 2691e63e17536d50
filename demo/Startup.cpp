#include "demo/Startup.h"

#include "core/Application.h"
#include "demo/CommandLine.h"
#include "core/Config.h"
#include "core/ConfigSection.h"
#include "demo/ContentLocation.h"
#include "demo/FirstFrameMark.h"
#include "demo/LevelDrop.h"
#include "core/Log.h"
#include "demo/Timedemo.h"
#include "demo/WalkSounds.h"
#include "input/ControlSettings.h"
#include "input/InputSystem.h"
#include "input/MuteOnM.h"
#include "input/QuitOnEscape.h"
#include "platform/Engine.h"
#include "scene/LevelFile.h"
#include "scene/LevelGrid.h"
#include "scene/SkyNoise.h"
#include "scene/W_LevelRenderer.h"
#include "system/GraphicSystem.h"
#include "system/SoundSystem.h"
#include "widgets/WSCrosshair.h"
#include "widgets/WS_FpsCounter.h"
#include "widgets/WidgetManager.h"

#include <memory>

namespace Quorvel {

namespace {

// The level named on the command line, or else by "[Level] file" in the
// configuration, read from the data directory (dataDirectory, as mounted);
// the built-in level without either, and after one log line when the file
// cannot be used.
LevelGrid configuredLevel(Application* application, const String& dataDirectory, const std::string& levelPath)
{
    String name;
    if (!levelPath.empty()) {
        name = levelPath.c_str();
    } else {
        const ConfigSection* section = application->getConfig()->getSection("Level");
        if (section == nullptr || !section->has("file"))
            return LevelGrid::builtIn();
        name = section->getString("file", "");
        name.trim();
        if (name.length() == 0)
            return LevelGrid::builtIn();
    }

    LevelFile file;
    const std::string shown = std::string(dataDirectory.c_str()) + "/" + name.c_str();
    if (!file.load(name)) {
        application->getLog()->write((file.describeError(shown) + "; using the built-in level").c_str());
        return LevelGrid::builtIn();
    }
    const LevelGrid& grid = file.getGrid();
    application->getLog()->printf("Level file %s: %d x %d cells", shown.c_str(), grid.getWidth(), grid.getHeight());
    return grid;
}

} // namespace

int Startup::run()
{
    return run(CommandLine());
}

int Startup::run(const CommandLine& options)
{
    // The sky's cloud noise needs no OpenGL: a worker builds it while the
    // engine brings up the window and the context (started below).
    auto skyNoise = std::make_unique<SkyNoise>();

    // The content is in the working directory; an installed demonstration
    // started where there is none uses the content installed with it.
    const String content = ContentLocation::find();

    Engine::Settings settings;
    settings.dataDirectory = content + DataDirectory;
    settings.beforeConfigure = [&content](Application& application) {
        if (content.length() > 0) {
            // The log stays in the working directory.
            application.getLog()->write(String("Using the installed content in ") + content);
            application.readConfig(content + ContentLocation::ConfigFile);
        }
    };
    settings.beforeInit = [&options, &skyNoise](Application&) {
        if (options.isTimedemo())
            GraphicSystem::instance()->setVsync(false); // timed frames are never paced by the display
        // Not earlier: beside the opening of the display (libraries loaded,
        // memory mapped) the worker slowed the main thread by more than it
        // took off it; beside the window's creation it pays.
        skyNoise->startBuilding();
    };
    if (!Engine::start(settings))
        return 1; // the failing part has logged and told the user
    Application* application = Application::instance();
    if (!options.getQueryError().empty())
        application->getLog()->printf("Query: %s; running without the query", options.getQueryError().c_str());

    // Added after init, so each widget is initialised and sized at once, with
    // the OpenGL context current. The widget manager only refers to them; they
    // live here until the main loop has ended.
    const LevelGrid grid = configuredLevel(application, content + DataDirectory, options.getLevelPath());
    auto level = std::make_unique<W_LevelRenderer>(grid, *skyNoise);
    skyNoise.reset(); // the sky has its texture
    level->setControls(ControlSettings::read(application->getConfig()->getSection("Controls"), *application->getLog()));
    auto counter = std::make_unique<WS_FpsCounter>();
    auto crosshair = std::make_unique<WSCrosshair>();
    WidgetManager* widgets = application->getWidgetManager();
    // First, so the mark is taken as early in the pass after the first swap
    // as a widget can take it.
    std::unique_ptr<FirstFrameMark> firstFrame;
    if (options.isFirstFrame()) {
        firstFrame = std::make_unique<FirstFrameMark>();
        widgets->add(firstFrame.get());
    }
    widgets->add(level.get());
    widgets->add(counter.get());
    widgets->add(crosshair.get());
    crosshair->show();
    level->setSkyFirst(options.isSkyFirst());
    // After the level, so its ticks hear where the level's tick has moved the player.
    auto sounds = std::make_unique<WalkSounds>(*level, SoundSystem::instance()->getMixer());

    // Last, so it times whole frames and reads the finished picture back.
    std::unique_ptr<Timedemo> timedemo;
    if (options.isTimedemo()) {
        timedemo = std::make_unique<Timedemo>(*level, options.getTimedemoFrames(), options.getShotPath());
        widgets->add(timedemo.get());
    }

    // A level file dropped on the window restarts the walk in it.
    auto levelDrop = std::make_unique<LevelDrop>(*level, *application->getLog());
    application->addFileDropHandler(levelDrop.get());

    // Escape quits as closing the window does.
    auto quitKey = std::make_unique<QuitOnEscape>();
    InputSystem::instance()->addHandler(quitKey.get());
    // M mutes and unmutes the sound.
    auto muteKey = std::make_unique<MuteOnM>();
    InputSystem::instance()->addHandler(muteKey.get());
    application->getLog()->write("Press Escape or close the window to quit.");

    Engine::run();
    application->removeFileDropHandler(levelDrop.get());

    // The timedemo's result (or why there is none) first; an exit code the
    // application set (a signal, a lost display) wins over the timedemo's.
    int timedemoResult = 0;
    if (timedemo)
        timedemoResult = timedemo->report(*application->getLog());
    else if (firstFrame)
        timedemoResult = firstFrame->report(*application->getLog()); // the first frame's mark likewise
    if (application->getExitCode() != 0) {
        application->getLog()->printf("Application ended with exit code %d", application->getExitCode());
        return application->getExitCode();
    }
    if (timedemoResult != 0)
        return timedemoResult;
    application->getLog()->write("Application exited successfully.");
    return 0;
}

} // namespace Quorvel
