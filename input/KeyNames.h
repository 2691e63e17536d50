#pragma once
// KeyNames: the fixed table of human-readable key names, both ways: the name
// of an engine key code ("A", "Gray +", "Up") and the code of a name, as the
// settings file writes keys. Mouse buttons, the wheel and the run-time codes
// have no names.

#include "core/String.h"

#include <cstdint>
#include <map>

namespace Quorvel {

class KeyNames {
public:
    KeyNames(); // fills the table

    // The name of a key code, empty for a code without one.
    String name(uint32_t code) const;
    // The code whose name this is, in any case and with surrounding white
    // space ignored ("w", " Gray + "); 0, which names no key, when none has it.
    uint32_t code(const String& name) const;

private:
    std::map<uint32_t, String> names;
    std::map<String, uint32_t> codes; // lower-case name -> code
};

} // namespace Quorvel
