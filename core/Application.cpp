// The neutral part of the application: the objects it owns and its
// registration as the one instance. The platform file defines instance().

#include "core/Application.h"

#include "core/Config.h"
#include "core/FileDropHandler.h"
#include "core/Log.h"
#include "widgets/WidgetManager.h"

#include <algorithm>
#include <fstream>

namespace Quorvel {

Application::Application() : quitRequested(false)
{
    log = std::make_unique<Log>("quorvel.log");

    readConfig("quorvel.conf");

    widgetManager = std::make_unique<WidgetManager>();
}

Application::~Application()
{
    // The log goes first, then the configuration.
    log.reset();
    config.reset();
    widgetManager.reset();
}

bool Application::readConfig(const String& fileName)
{
    // A missing configuration file is not an error: every reader then keeps
    // its own defaults (and the graphic system reports what it lacks). A
    // file that cannot be read (a directory of that name, a disk error) is
    // treated the same way, with one log line naming it.
    configFile = fileName;
    std::ifstream configStream(fileName.c_str());
    if (configStream.is_open())
        config = std::make_unique<Config>(configStream);
    const bool read = configStream.is_open() && config->isLoaded();
    if (configStream.is_open() && !read)
        log->write(String("Configuration: ") + fileName + " cannot be read; starting without it");
    if (!read)
        config = std::make_unique<Config>();
    return read;
}

void Application::writeLog(const String& line)
{
    Application* application = existingInstance();
    if (application && application->log)
        application->log->write(line);
}

void Application::addFileDropHandler(FileDropHandler* handler)
{
    if (handler == nullptr || std::find(dropHandlers.begin(), dropHandlers.end(), handler) != dropHandlers.end())
        return;
    dropHandlers.push_back(handler);
    if (dropHandlers.size() == 1)
        acceptFilesChanged(true);
}

void Application::removeFileDropHandler(FileDropHandler* handler)
{
    const auto found = std::find(dropHandlers.begin(), dropHandlers.end(), handler);
    if (found == dropHandlers.end())
        return;
    dropHandlers.erase(found);
    if (dropHandlers.empty())
        acceptFilesChanged(false);
}

void Application::fileDropped(const String& path)
{
    // Walked by index: a handler may add or remove handlers.
    for (size_t i = 0; i < dropHandlers.size(); ++i)
        dropHandlers[i]->fileDropped(path);
}

void Application::acceptFilesChanged(bool)
{
}

} // namespace Quorvel
