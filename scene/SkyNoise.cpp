// SkyNoise: the cloud noise built beside the main thread.

#include "scene/SkyNoise.h"

#include "scene/SkyDome.h"

#include <system_error>

namespace Quorvel {

SkyNoise::~SkyNoise()
{
    if (worker.joinable())
        worker.join();
}

void SkyNoise::build()
{
    pixels.assign(static_cast<size_t>(SkyDome::NoiseSize) * SkyDome::NoiseSize, 0);
    SkyDome::buildNoise(pixels.data());
}

void SkyNoise::startBuilding()
{
    if (isStarted())
        return;
    // With one processor a second thread gains nothing, and a system
    // without threads (a browser page built without them) has one.
    if (std::thread::hardware_concurrency() < 2)
        return;
    try {
        // Only the worker touches the bytes until get() has joined it.
        worker = std::thread([this] { build(); });
    } catch (const std::system_error&) {
        // No thread to be had: get() builds the noise itself.
    }
}

const std::vector<uint8_t>& SkyNoise::get()
{
    if (worker.joinable())
        worker.join();
    else if (!built)
        build();
    built = true;
    return pixels;
}

} // namespace Quorvel
