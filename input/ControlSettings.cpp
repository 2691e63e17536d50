// ControlSettings: reading and checking the [Controls] section.

#include "input/ControlSettings.h"

#include "core/ConfigSection.h"
#include "core/Log.h"
#include "input/KeyNames.h"
#include "input/MuteOnM.h"
#include "input/QuitOnEscape.h"

namespace Quorvel {

namespace {

using Action = WC_ActionMap::Action;

// The value as written, surrounding white space removed.
String writtenValue(const ConfigSection& section, const char* key)
{
    String written = section.getString(key, String());
    written.trim();
    return written;
}

// A number from min to max (NaN and infinities are neither); else the
// default after one log line.
float readFactor(const ConfigSection& section, const char* key, float min, float max, float defaultValue, Log& log)
{
    if (!section.has(key))
        return defaultValue;
    const String written = writtenValue(section, key);
    float value = 0.0f;
    if (written.length() > 0 && written.toFloat(value) && value >= min && value <= max)
        return value;
    log.printf("Controls: %s = %s is not a number from %g to %g; using %g", key, written.c_str(),
               static_cast<double>(min), static_cast<double>(max), static_cast<double>(defaultValue));
    return defaultValue;
}

// The keys quitting and muting take before the level sees them.
const char* reservedFor(uint32_t code)
{
    if (code == QuitOnEscape::KeyEscape)
        return "quitting";
    if (code == MuteOnM::KeyM)
        return "muting";
    return nullptr;
}

} // namespace

ControlSettings::ControlSettings()
    : mouseSensitivity(DefaultMouseSensitivity), invertY(false), stickLookSpeed(DefaultStickLookSpeed), keys()
{
    for (size_t n = 0; n < WC_ActionMap::ActionCount; ++n)
        keys[n] = WC_ActionMap::defaultKey(WC_ActionMap::actionAt(n));
}

ControlSettings ControlSettings::read(const ConfigSection* section, Log& log)
{
    ControlSettings settings;
    if (!section)
        return settings;

    settings.mouseSensitivity = readFactor(*section, "mouse_sensitivity", MinMouseSensitivity, MaxMouseSensitivity,
                                           DefaultMouseSensitivity, log);
    settings.stickLookSpeed =
        readFactor(*section, "stick_look_speed", MinStickLookSpeed, MaxStickLookSpeed, DefaultStickLookSpeed, log);
    if (section->has("invert_y")) {
        const String written = writtenValue(*section, "invert_y");
        const bool asTrue = section->getBool("invert_y", true);
        const bool asFalse = section->getBool("invert_y", false);
        if (asTrue == asFalse && written.length() > 0)
            settings.invertY = asTrue;
        else
            log.printf("Controls: invert_y = %s is not on or off; using off", written.c_str());
    }

    // Each written key name first on its own, then the bindings together.
    static const KeyNames names;
    std::array<bool, WC_ActionMap::ActionCount> written{};
    for (size_t n = 0; n < WC_ActionMap::ActionCount; ++n) {
        const Action action = WC_ActionMap::actionAt(n);
        const char* key = WC_ActionMap::actionName(action);
        if (!section->has(key))
            continue;
        const String value = writtenValue(*section, key);
        const uint32_t code = names.code(value);
        const String fallback = names.name(settings.keys[n]);
        if (code == 0)
            log.printf("Controls: %s = %s is not a key name; using %s", key, value.c_str(), fallback.c_str());
        else if (const char* reserved = reservedFor(code))
            log.printf("Controls: %s = %s is the key for %s; using %s", key, value.c_str(), reserved, fallback.c_str());
        else {
            settings.keys[n] = code;
            written[n] = true;
        }
    }
    // A key that two actions would share goes back to its default in every
    // written binding that shares it; that can free or take another key, so
    // look again until the bindings are distinct. Defaults are distinct, and
    // each round sends at least one written binding back, so this ends.
    for (bool clash = true; clash;) {
        clash = false;
        std::array<bool, WC_ActionMap::ActionCount> undo{};
        for (size_t n = 0; n < WC_ActionMap::ActionCount; ++n)
            for (size_t other = 0; other < WC_ActionMap::ActionCount; ++other)
                if (other != n && written[n] && settings.keys[n] == settings.keys[other])
                    undo[n] = true;
        for (size_t n = 0; n < WC_ActionMap::ActionCount; ++n) {
            if (!undo[n])
                continue;
            const Action action = WC_ActionMap::actionAt(n);
            const char* key = WC_ActionMap::actionName(action);
            const String value = writtenValue(*section, key);
            settings.keys[n] = WC_ActionMap::defaultKey(action);
            written[n] = false;
            clash = true;
            log.printf("Controls: %s = %s is a key another action has too; using %s", key, value.c_str(),
                       names.name(settings.keys[n]).c_str());
        }
    }

    for (const auto& entry : section->getValues()) {
        bool known = entry.first == "mouse_sensitivity" || entry.first == "invert_y"
            || entry.first == "stick_look_speed";
        for (size_t n = 0; n < WC_ActionMap::ActionCount && !known; ++n)
            known = entry.first == WC_ActionMap::actionName(WC_ActionMap::actionAt(n));
        if (!known)
            log.printf("Controls: %s is no setting; ignored", entry.first.c_str());
    }
    return settings;
}

void ControlSettings::applyTo(WC_ActionMap& map) const
{
    for (size_t n = 0; n < WC_ActionMap::ActionCount; ++n)
        map.setKey(WC_ActionMap::actionAt(n), keys[n]);
}

} // namespace Quorvel
