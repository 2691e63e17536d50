#pragma once
// Engine: the one bring-up of the platform. The demonstration, the examples,
// a program of your own, the benchmarks and the drawing tests all start the
// engine here, so the order in which its parts come up is written once:
//
//   1. the content directory is mounted in the file system under the empty
//      prefix, so every resource name is looked up inside it;
//   2. the input system: its construction is the first use of the
//      application, which opens the log "quorvel.log", reads "quorvel.conf"
//      from the working directory and creates the widget manager; the input
//      system is the first window subsystem;
//   3. the timer system, the second: its timer events run before the frame
//      is drawn in every pass of the main loop;
//   4. the graphic system, the third, configured from the "GraphicSystem"
//      section while its setters are still allowed;
//   5. the sound system, the fourth, configured from the "Sound" section;
//      it opens the audio device once the window exists and never makes
//      start-up fail (without a device the program runs silent);
//   6. the application's init: display mode, window, OpenGL context,
//      extensions, the audio device, the widget manager's init.
//
// run() releases the audio device when the main loop has ended.
//
// A program adds its widgets after start() (with the OpenGL context current,
// each is initialised and sized at once) and then calls run(). Nothing is
// destroyed before the process ends.
//
//   if (!Quorvel::Engine::start())
//       return 1; // the failing part has logged and told the user
//   Quorvel::Application::instance()->getWidgetManager()->add(&myWidget);
//   return Quorvel::Engine::run();

#include "core/String.h"

#include <functional>

namespace Quorvel {

class Application;

class Engine {
public:
    struct Settings {
        // Mounted under the empty prefix; the empty text mounts nothing.
        String dataDirectory = "data";
        // Runs once the subsystems exist, before the graphic system reads
        // its settings: a program that keeps its configuration elsewhere
        // reads it here (Application::readConfig).
        std::function<void(Application&)> beforeConfigure;
        // Runs after the graphic system has been configured, before the
        // window exists: a program changes a display setting here or
        // registers window subsystems of its own, which then follow the
        // sound system in every hook.
        std::function<void(Application&)> beforeInit;
    };

    // Brings the engine up in the order above. False when start-up failed:
    // the failing part has logged the fault and told the user, and the
    // program ends with a non-zero exit code.
    static bool start();
    static bool start(const Settings& settings);

    // The main loop, until the window is closed. Returns the exit code the
    // program should end with: 0, or the code the system ended it with (a
    // lost display, say).
    static int run();
};

} // namespace Quorvel
