#pragma once
// SkyNoise: the sky's cloud noise (SkyDome::buildNoise), built on a worker
// thread of its own, so that start-up can prepare it while the window and
// the OpenGL context come up and hand it to the sky (SkyDome) when the sky is
// made. The bytes are the same on whichever thread they are built; without a
// worker (none started, or the system could start no thread) they are built
// on the first get(). Owns the worker and the bytes.

#include <cstdint>
#include <thread>
#include <vector>

namespace Quorvel {

class SkyNoise {
public:
    SkyNoise() = default;
    ~SkyNoise(); // waits for a build under way
    SkyNoise(const SkyNoise&) = delete;
    SkyNoise& operator=(const SkyNoise&) = delete;

    // Starts building on a new thread; once started or built, does nothing.
    void startBuilding();
    // The noise, SkyDome::NoiseSize squared bytes, row after row: waits for
    // the worker, or builds it now when no worker was started. From the
    // thread that owns the object only.
    const std::vector<uint8_t>& get();
    bool isStarted() const { return worker.joinable() || built; }

private:
    void build();

    std::thread worker;
    std::vector<uint8_t> pixels;
    bool built = false;
};

} // namespace Quorvel
