// The neutral part of the graphic system: its registration as the one
// instance, reading the display settings and the extension-string word match.

#include "system/GraphicSystem.h"

#include "core/Application.h"
#include "core/Config.h"
#include "core/ConfigSection.h"

#include <cstring>

namespace Quorvel {

GraphicSystem* GraphicSystem::registeredInstance = nullptr;

GraphicSystem::GraphicSystem()
{
    if (!registeredInstance)
        registeredInstance = this;
}

GraphicSystem::~GraphicSystem()
{
    if (registeredInstance == this)
        registeredInstance = nullptr;
}

GraphicSystem* GraphicSystem::existingInstance()
{
    return registeredInstance;
}

void GraphicSystem::configure()
{
    Config* config = Application::instance()->getConfig();
    ConfigSection* section = config ? config->getSection("GraphicSystem") : nullptr;
    if (!section)
        return;
    setWidth(static_cast<uint32_t>(section->getInt("width", static_cast<int32_t>(DefaultWidth))));
    setHeight(static_cast<uint32_t>(section->getInt("height", static_cast<int32_t>(DefaultHeight))));
    setBitsPerPixel(static_cast<uint32_t>(section->getInt("bpp", static_cast<int32_t>(DefaultBitsPerPixel))));
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
