#pragma once
// Application: the process-wide singleton behind the one window and the main
// loop. It owns the engine's log ("quorvel.log"), its configuration (read from
// "quorvel.conf" at construction) and the widget manager, and hands files
// dropped on the window to the registered drop handlers.

#include "core/RegisteredInstance.h"
#include "core/String.h"

#include <memory>
#include <vector>

namespace Quorvel {

class Log;
class Config;
class FileDropHandler;
class WidgetManager;

class Application : public RegisteredInstance<Application> {
public:
    // The one application. Creates the platform implementation on the first
    // call unless an application object already exists (a test may construct
    // its own first). Never destroyed while the program runs.
    static Application* instance();
    // Writes one line to the registered application's log; nothing when
    // there is no application. Never creates one, so the readers and tools
    // that log through it bring no window system up.
    static void writeLog(const String& line);

    // The full path of the running program's file, as the system tells it;
    // the empty text when it cannot. Defined by the platform implementation.
    static String executablePath();

    // Creates and shows the window. False when start-up failed: the failing
    // part has logged the fault and told the user through error(), and the
    // caller ends the process with a non-zero exit code. On success the caller
    // calls run(), which returns once the window has been closed.
    virtual bool init() = 0;
    virtual void run() = 0;                        // the main loop
    virtual void error(const String& message) = 0; // show a fatal message to the user
    virtual ~Application();

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    Log* getLog() const { return log.get(); }
    Config* getConfig() const { return config.get(); }
    // Replaces the configuration with the one read from the file (an empty
    // configuration when it cannot be opened or read; a file that opens but
    // cannot be read is named in the log). The constructor reads
    // "quorvel.conf" from the working directory this way; a program that
    // keeps its configuration elsewhere reads it before configuring its
    // subsystems. Returns whether the file was read.
    bool readConfig(const String& fileName);
    // The name of the configuration file read last, as it was given.
    const String& getConfigFile() const { return configFile; }
    WidgetManager* getWidgetManager() const { return widgetManager.get(); }

    // Files dropped on the window go to the registered handlers, in
    // registration order; the application only refers to them. The window
    // accepts dropped files only while a handler is registered, so that
    // without one a drop is refused as before. A null handler or one
    // registered already is not added again.
    void addFileDropHandler(FileDropHandler* handler);
    void removeFileDropHandler(FileDropHandler* handler);
    bool acceptsFiles() const { return !dropHandlers.empty(); }
    // Hands the path of one dropped file to every handler.
    void fileDropped(const String& path);

    void quit() { quitRequested = true; } // ends the main loop at its next pass
    bool isQuitRequested() const { return quitRequested; }

    // The process exit code the program should end with once the main loop
    // has ended: 0 unless the system ended the program (a quit message with
    // a code, as when the display's connection breaks).
    int getExitCode() const { return exitCode; }
    void setExitCode(int code) { exitCode = code; }

protected:
    // Opens the log, reads "quorvel.conf" (an empty configuration when it
    // cannot be opened, silently), creates the widget manager, and becomes the
    // registered instance when none is registered yet.
    Application();

    // Called when the window starts or stops accepting dropped files (the
    // first handler added, the last removed); the platform tells its window.
    virtual void acceptFilesChanged(bool accept);

    bool quitRequested;
    int exitCode = 0;
    String configFile;

private:
    std::unique_ptr<Log> log;
    std::unique_ptr<Config> config;
    std::unique_ptr<WidgetManager> widgetManager;
    std::vector<FileDropHandler*> dropHandlers;
};

} // namespace Quorvel
