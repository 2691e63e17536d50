#pragma once
// QuietApplication: the Windows application for tests. Fatal messages passed
// to error() are kept in `errors` (and written to stderr when `echo` is set)
// instead of being shown in a message box that would wait for a click. Construct it before any
// subsystem so that it is the registered application. Needs <windows.h> (on
// other systems the include path of platform/winapi/include).

#include "platform/win32/Win32Application.h"

#include <cstdio>
#include <string>
#include <vector>

namespace QuorvelTest {

class QuietApplication : public Quorvel::Win32Application {
public:
    void error(const Quorvel::String& message) override
    {
        errors.emplace_back(message.getData(), static_cast<size_t>(message.length()));
        if (echo)
            std::fprintf(stderr, "Quorvel error: %s\n", errors.back().c_str());
    }

    std::vector<std::string> errors;
    bool echo = false;
};

} // namespace QuorvelTest
