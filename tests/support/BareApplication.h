#pragma once
// BareApplication: the neutral application with nothing platform behind it,
// for tests without a window. Constructing it opens the log ("quorvel.log" in
// the working directory) and reads the configuration, so a test can read what
// the engine logs; error() does nothing.

#include "core/Application.h"
#include "core/String.h"

namespace QuorvelTest {

class BareApplication : public Quorvel::Application {
public:
    bool init() override { return true; }
    void run() override {}
    void error(const Quorvel::String&) override {}
};

} // namespace QuorvelTest
