#include "core/Log.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace Quorvel {

Log::Log(const String& fileName) : stream(fileName.c_str(), std::ios::out | std::ios::trunc)
{
    // A log that cannot be opened loses its lines: the stream stays failed
    // and every write does nothing. The user hears of it once, and the
    // program runs on.
    if (!stream.is_open()) {
        const int reason = errno;
        std::fprintf(stderr, "quorvel: the log \"%s\" cannot be written (%s); running without a log\n",
                     fileName.c_str(), std::strerror(reason));
    }
}

Log::~Log() = default;

void Log::write(const String& message)
{
    stream.write(message.getData(), message.length());
    stream << '\n';
    stream.flush();
}

void Log::printf(const char* format, ...)
{
    char buffer[BufferSize];
    va_list args;
    va_start(args, format);
    int written = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (written < 0)
        buffer[0] = 0;
    // vsnprintf never writes past the buffer; a longer text ends at 1023 bytes.
    stream << buffer << '\n';
    stream.flush();
}

} // namespace Quorvel
