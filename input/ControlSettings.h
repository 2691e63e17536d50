#pragma once
// ControlSettings: how the player's controls feel and which key does what,
// from the [Controls] section of the settings file. Every setting has a
// default that stands when the section or the key is missing, and when a
// value is refused: an unknown key name, a number out of range, a key that
// two actions would share or that quitting or muting already takes. Each
// refusal is one log line naming the setting and the value.

#include "input/WC_ActionMap.h"

#include <array>
#include <cstdint>

namespace Quorvel {

class ConfigSection;
class Log;

class ControlSettings {
public:
    static constexpr float DefaultMouseSensitivity = 1.0f; // a factor on the turn per pixel
    static constexpr float MinMouseSensitivity = 0.1f;
    static constexpr float MaxMouseSensitivity = 10.0f;
    static constexpr float DefaultStickLookSpeed = 2.5f; // radians per second at full deflection
    static constexpr float MinStickLookSpeed = 0.1f;
    static constexpr float MaxStickLookSpeed = 20.0f;

    ControlSettings(); // every default

    // The settings of the section, null when there is none; refusals and
    // unknown settings are logged.
    static ControlSettings read(const ConfigSection* section, Log& log);

    float getMouseSensitivity() const { return mouseSensitivity; }
    void setMouseSensitivity(float value) { mouseSensitivity = value; }
    bool isInvertY() const { return invertY; } // moving the mouse forward looks down
    void setInvertY(bool value) { invertY = value; }
    float getStickLookSpeed() const { return stickLookSpeed; }
    void setStickLookSpeed(float value) { stickLookSpeed = value; }
    uint32_t getKey(WC_ActionMap::Action action) const { return keys[static_cast<size_t>(action)]; }
    void setKey(WC_ActionMap::Action action, uint32_t code) { keys[static_cast<size_t>(action)] = code; }

    // Binds every action of the map to this key.
    void applyTo(WC_ActionMap& map) const;

private:
    float mouseSensitivity;
    bool invertY;
    float stickLookSpeed;
    std::array<uint32_t, WC_ActionMap::ActionCount> keys;
};

} // namespace Quorvel
