// The neutral part of the application: the objects it owns and its
// registration as the one instance. The platform file defines instance().

#include "core/Application.h"

#include "core/Config.h"
#include "core/Log.h"
#include "widgets/WidgetManager.h"

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

} // namespace Quorvel
