// Key names both ways: every named code reads back from its name in any case,
// and what names no key gives 0.

#include "input/InputSystem.h"
#include "input/KeyNames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Quorvel::KeyNames;

TEST(KeyNamesTest, EveryNameLeadsBackToItsCode)
{
    const KeyNames names;
    int named = 0;
    for (uint32_t code = 0; code < Quorvel::InputState::KeyCount; ++code) {
        const Quorvel::String name = names.name(code);
        if (name.length() == 0)
            continue;
        ++named;
        EXPECT_EQ(names.code(name), code) << name.c_str();
        Quorvel::String lower = name;
        lower.toLower();
        EXPECT_EQ(names.code(lower), code) << name.c_str() << " in lower case";
    }
    // 43 fixed names, 10 keypad digits, 10 digits, 12 function keys, 26 letters.
    EXPECT_EQ(named, 101);
}

TEST(KeyNamesTest, CodesOfWrittenNames)
{
    const struct {
        const char* name;
        uint32_t code;
    } cases[] = {
        {"w", 119},     {"W", 119},  {"  Up\t", 89}, {"gray +", 31}, {"GRAY -", 30}, {"Gray 5", 22},
        {"f12", 76},    {"`,~", 96}, {":", 61},      {"Space", 32},  {"", 0},        {"Gray", 0},
        {"Gray  +", 0}, {"Upp", 0},  {"119", 0},     {"Mouse", 0},   {"ww", 0},      {"\xff", 0},
    };
    const KeyNames names;
    for (const auto& c : cases)
        EXPECT_EQ(names.code(c.name), c.code) << "'" << c.name << "'";
}

} // namespace
