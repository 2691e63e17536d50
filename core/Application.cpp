// The neutral part of the application: the objects it owns and its
// registration as the one instance. The platform file defines instance().

#include "core/Application.h"

#include "core/Config.h"
#include "core/Log.h"
#include "widgets/WidgetManager.h"

#include <fstream>

namespace Quorvel {

Application* Application::registeredInstance = nullptr;

Application::Application() : quitRequested(false)
{
    if (!registeredInstance)
        registeredInstance = this;

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
    if (registeredInstance == this)
        registeredInstance = nullptr;
}

bool Application::readConfig(const String& fileName)
{
    // A missing configuration file is not an error: every reader then keeps
    // its own defaults (and the graphic system reports what it lacks).
    configFile = fileName;
    std::ifstream configStream(fileName.c_str());
    if (configStream.is_open())
        config = std::make_unique<Config>(configStream);
    else
        config = std::make_unique<Config>();
    return configStream.is_open();
}

Application* Application::existingInstance()
{
    return registeredInstance;
}

} // namespace Quorvel
