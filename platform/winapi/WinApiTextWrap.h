#pragma once
// WinApiTextWrap: long lines of a message broken at word boundaries, so a
// message box stays narrower than the screen. Lines the text already breaks
// are kept; a word longer than a line is cut.

#include <string>

namespace Quorvel {

class WinApiTextWrap {
public:
    static constexpr size_t DefaultWidth = 80; // characters a line

    // The text with every line of more than width characters broken before
    // the last word that fits (the spaces at a break dropped).
    static std::string wrap(const std::string& text, size_t width = DefaultWidth);
};

} // namespace Quorvel
