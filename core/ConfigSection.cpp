#include "core/ConfigSection.h"

namespace Quorvel {

bool ConfigSection::insert(const String& key, const String& value)
{
    return values.emplace(key, value).second;
}

const String* ConfigSection::find(const String& key) const
{
    String lower(key);
    lower.toLower();
    auto it = values.find(lower);
    return it == values.end() ? nullptr : &it->second;
}

bool ConfigSection::has(const String& key) const
{
    return find(key) != nullptr;
}

bool ConfigSection::getBool(const String& key, bool defaultValue) const
{
    const String* value = find(key);
    if (!value)
        return defaultValue;

    // clang-format off
    struct Word { const char* text; bool result; };
    static const Word words[] = {
        {"", true}, {"on", true}, {"true", true}, {"yes", true},
        {"off", false}, {"false", false}, {"no", false},
    };
    // clang-format on
    String lower(*value);
    lower.toLower();
    for (const Word& word : words) {
        if (lower == String(word.text))
            return word.result;
    }
    return defaultValue;
}

int32_t ConfigSection::getInt(const String& key, int32_t defaultValue) const
{
    const String* value = find(key);
    int32_t result = 0;
    if (!value || !value->toInt(result))
        return defaultValue;
    return result;
}

float ConfigSection::getFloat(const String& key, float defaultValue) const
{
    const String* value = find(key);
    float result = 0.0f;
    if (!value || !value->toFloat(result))
        return defaultValue;
    return result;
}

String ConfigSection::getString(const String& key, const String& defaultValue) const
{
    const String* value = find(key);
    return value ? *value : defaultValue;
}

} // namespace Quorvel
