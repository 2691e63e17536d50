#pragma once
// ConfigSection: one named section of the configuration, an ordered map from
// lower-case keys to their values as written. Every getter names its own
// default, returned when the key is missing or its value does not convert.

#include "core/String.h"

#include <cstdint>
#include <map>

namespace Quorvel {

class ConfigSection {
public:
    ConfigSection() = default;

    // Stores the value unless the key is already there (the first occurrence
    // wins); returns whether it was stored. The key is expected in lower case.
    bool insert(const String& key, const String& value);

    // Every query lower-cases a copy of the key before the lookup.
    bool has(const String& key) const;
    // ""/on/true/yes read as true, off/false/no as false (any case); else the default.
    bool getBool(const String& key, bool defaultValue) const;
    // Whole-value decimal conversion, clamped to the 32-bit range; empty is 0.
    int32_t getInt(const String& key, int32_t defaultValue) const;
    // Whole-value decimal floating-point conversion; empty is 0.
    float getFloat(const String& key, float defaultValue) const;
    String getString(const String& key, const String& defaultValue) const;

    const std::map<String, String>& getValues() const { return values; }

private:
    const String* find(const String& key) const; // null when missing

    std::map<String, String> values;
};

} // namespace Quorvel
