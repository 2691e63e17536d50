#pragma once
// MuteOnM: an input handler that mutes the sound system when M goes down and
// unmutes it the next time, with a log line each way. Without a sound system
// the key is left to other handlers.

#include "widgets/InputHandler.h"

namespace Quorvel {

class MuteOnM : public InputHandler {
public:
    static constexpr uint32_t KeyM = 109; // printable keys carry their character

    MuteOnM();                                                         // accepts key-down events only
    bool handleInput(uint32_t kind, const InputState& state) override; // consumes M
};

} // namespace Quorvel
