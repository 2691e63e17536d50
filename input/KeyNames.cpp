// KeyNames: the table of key names and its reverse.

#include "input/KeyNames.h"

namespace Quorvel {

KeyNames::KeyNames()
{
    // clang-format off
    static const struct {
        uint32_t code;
        const char* name;
    } fixedNames[] = {
        {1, "Left Shift"}, {2, "Right Shift"}, {3, "Left Ctrl"}, {4, "Right Ctrl"},
        {5, "Left Alt"}, {6, "Right Alt"}, {8, "Backspace"}, {9, "Tab"},
        {13, "Return"}, {14, "Gray Enter"}, {15, "NumLock"}, {16, "Gray ."},
        {27, "Escape"}, {28, "Gray /"}, {29, "Gray *"}, {30, "Gray -"},
        {31, "Gray +"}, {32, "Space"}, {39, "'"}, {44, ","},
        {45, "-"}, {46, "."}, {47, "/"}, {59, ";"},
        {61, ":"}, // a colon on the key whose code is the equals sign
        {77, "CapsLock"}, {78, "PrintScreen"}, {79, "ScrollLock"}, {80, "Pause"},
        {81, "Ins"}, {82, "Del"}, {83, "Home"}, {84, "End"},
        {85, "PgUp"}, {86, "PgDn"}, {87, "Left"}, {88, "Right"},
        {89, "Up"}, {90, "Down"}, {91, "["}, {92, "\\"},
        {93, "]"}, {96, "`,~"},
    };
    // clang-format on
    for (const auto& entry : fixedNames)
        names[entry.code] = String(entry.name);

    for (uint32_t digit = 0; digit <= 9; ++digit) {
        const char keypad[] = {'G', 'r', 'a', 'y', ' ', static_cast<char>('0' + digit), '\0'};
        names[17 + digit] = String(keypad);
        const char plain[] = {static_cast<char>('0' + digit), '\0'};
        names[48 + digit] = String(plain);
    }
    for (uint32_t n = 1; n <= 12; ++n) {
        char function[4] = {'F', '\0', '\0', '\0'};
        if (n < 10) {
            function[1] = static_cast<char>('0' + n);
        } else {
            function[1] = '1';
            function[2] = static_cast<char>('0' + n - 10);
        }
        names[64 + n] = String(function);
    }
    for (uint32_t n = 1; n <= 26; ++n) {
        const char letter[] = {static_cast<char>('A' + n - 1), '\0'};
        names[96 + n] = String(letter);
    }

    for (const auto& entry : names) {
        String lower = entry.second;
        lower.toLower();
        codes[lower] = entry.first;
    }
}

String KeyNames::name(uint32_t code) const
{
    auto found = names.find(code);
    return found == names.end() ? String() : found->second;
}

uint32_t KeyNames::code(const String& name) const
{
    String wanted = name;
    wanted.trim();
    wanted.toLower();
    auto found = codes.find(wanted);
    return found == codes.end() ? 0 : found->second;
}

} // namespace Quorvel
