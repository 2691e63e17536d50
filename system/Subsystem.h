#pragma once
// Subsystem: the common base of the engine's services (input, timer, graphics).
// It holds nothing; the platform implementation of a service derives from the
// service's neutral interface and from Win32Subsystem, each a Subsystem.

namespace Quorvel {

class Subsystem {
public:
    Subsystem() = default;
    virtual ~Subsystem() = default;

    Subsystem(const Subsystem&) = delete;
    Subsystem& operator=(const Subsystem&) = delete;

    // True when the service could not be brought up and must not be used.
    virtual bool hasFailed() = 0;
};

} // namespace Quorvel
