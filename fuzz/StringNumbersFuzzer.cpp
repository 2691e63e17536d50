// Fuzz target: the text-to-number conversions of String that every
// configuration value goes through, and the line reading of text files.

#include "core/String.h"

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace Quorvel;
    const String text(reinterpret_cast<const char*>(data), static_cast<int32_t>(size));

    int32_t whole = 0;
    text.toInt(whole);
    float real = 0.0f;
    // A converted value is always a finite number, whatever the text.
    if (text.toFloat(real) && !std::isfinite(real))
        std::abort();

    String trimmed(text);
    trimmed.trim();
    trimmed.toLower();
    trimmed.toInt(whole);

    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    String line;
    while (String::getline(lines, line, 64))
        line.toFloat(real);
    return 0;
}
