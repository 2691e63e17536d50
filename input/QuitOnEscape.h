#pragma once
// QuitOnEscape: an input handler that ends the program when Escape (or a
// gamepad's Back button) goes down, the same way as closing the window (the application's quit request:
// the main loop ends, the shutdown is logged, exit code 0).

#include "widgets/InputHandler.h"

namespace Quorvel {

class QuitOnEscape : public InputHandler {
public:
    static constexpr uint32_t KeyEscape = 27;

    QuitOnEscape(); // accepts key-down events only

    bool handleInput(uint32_t kind, const InputState& state) override; // consumes Escape and Back
};

} // namespace Quorvel
