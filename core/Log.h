// Log: the engine's one diagnostic channel, a plain text file that receives
// one line per message, flushed at once so the file is complete even if the
// program dies. The application owns the one log ("quorvel.log").
#pragma once

#include "core/String.h"

#include <fstream>

namespace Quorvel {

class Log {
public:
    explicit Log(const String& fileName); // truncates the file
    ~Log();

    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    void write(const String& message);

    // Formats into a 1024-byte buffer; a longer text is cut to 1023 bytes.
    void printf(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    static constexpr int BufferSize = 1024;

private:
    std::ofstream stream; // text mode: the platform's line end
};

} // namespace Quorvel
