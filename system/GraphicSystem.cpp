// The neutral part of the graphic system: its registration as the one
// instance, reading the display settings and the extension-string word match.

#include "system/GraphicSystem.h"

#include "core/Application.h"
#include "core/Config.h"
#include "core/ConfigSection.h"
#include "core/Log.h"
#include "core/String.h"

#include <cstring>

namespace Quorvel {

GraphicSystem::GraphicSystem() = default;
GraphicSystem::~GraphicSystem() = default;

const String& GraphicSystem::getSettingFault() const
{
    static const String none;
    return settingFault ? *settingFault : none;
}

uint32_t GraphicSystem::readSize(ConfigSection* section, const char* key, uint32_t fallback, bool used)
{
    const int32_t read = section->getInt(key, static_cast<int32_t>(fallback));
    if (read <= 0 && used && !settingFault)
        settingFault = std::make_unique<String>(String(key) + String(" = ") + section->getString(key, String()));
    return static_cast<uint32_t>(read);
}

void GraphicSystem::configure()
{
    Config* config = Application::instance()->getConfig();
    ConfigSection* section = config ? config->getSection("GraphicSystem") : nullptr;
    if (!section)
        return;

    String mode = section->getString("fullscreen", "on");
    mode.toLower();
    if (mode == String("desktop")) {
        setScreenMode(Desktop);
    } else if (section->getBool("fullscreen", true)) {
        if (!(mode == String("") || mode == String("on") || mode == String("true") || mode == String("yes")))
            Application::instance()->getLog()->printf(
                "GraphicSystem: fullscreen = %s is not on, off or desktop; using on", mode.c_str());
        setScreenMode(FullScreen);
    } else {
        setScreenMode(Windowed);
    }

    // The desktop's own size stands in for width and height in Desktop mode,
    // so only there a size of 0 or below in them is no fault.
    const bool sizeUsed = getScreenMode() != Desktop;
    setWidth(readSize(section, "width", DefaultWidth, sizeUsed));
    setHeight(readSize(section, "height", DefaultHeight, sizeUsed));
    setBitsPerPixel(readSize(section, "bpp", DefaultBitsPerPixel, true));
    setRefreshRate(static_cast<uint32_t>(section->getInt("refreshrate", static_cast<int32_t>(DefaultRefreshRate))));
    setVsync(section->getBool("vsync", DefaultVsync));
    setDoubleBuffer(section->getBool("doublebuffer", DefaultDoubleBuffer));
}

namespace {

bool isSeparator(unsigned char byte)
{
    return byte <= 32 || byte >= 128;
}

} // namespace

bool GraphicSystem::containsExtension(const char* extensions, const char* name)
{
    if (!extensions || !name || !*name)
        return false;
    const size_t nameLength = std::strlen(name);
    const unsigned char* word = reinterpret_cast<const unsigned char*>(extensions);
    for (;;) {
        while (*word && isSeparator(*word))
            ++word;
        if (!*word)
            return false;
        const unsigned char* end = word;
        while (*end && !isSeparator(*end))
            ++end;
        const size_t wordLength = static_cast<size_t>(end - word);
        if (wordLength == nameLength && std::memcmp(word, name, nameLength) == 0)
            return true;
        word = end;
    }
}

} // namespace Quorvel
