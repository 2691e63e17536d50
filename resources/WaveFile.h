#pragma once
// WaveFile: reads RIFF WAVE files holding PCM samples (8-bit unsigned or
// 16-bit signed, mono or stereo, 4,000 to 192,000 frames a second) into
// interleaved 16-bit samples. Every read is bounded by the file's real size;
// chunks the reader does not know are skipped. A file it cannot use leaves
// the reader empty (no samples, 0 channels, rate 0) with one line of reason.

#include "core/String.h"

#include <cstdint>
#include <vector>

namespace Quorvel {

class WaveFile {
public:
    static constexpr uint32_t MinSampleRate = 4000;     // frames a second
    static constexpr uint32_t MaxSampleRate = 192000;   // frames a second
    static constexpr uint32_t MaxDataBytes = 32u << 20; // a sample chunk larger than this is refused

    WaveFile() = default;

    // Opens the name through the file system as given (no extension added)
    // and reads it whole. True when the file held usable samples; false with
    // getError() set and the reader empty otherwise. Writes no log line.
    bool read(const String& fileName);

    uint16_t getChannels() const { return channels; }           // 1 or 2; 0 when empty
    uint32_t getSampleRate() const { return sampleRate; }       // frames a second; 0 when empty
    uint16_t getBitsPerSample() const { return bitsPerSample; } // as stored in the file: 8 or 16
    uint32_t getFrameCount() const { return channels == 0 ? 0 : static_cast<uint32_t>(samples.size() / channels); }
    const std::vector<int16_t>& getSamples() const { return samples; } // interleaved, left first
    const String& getError() const { return error; }                   // empty after a good read

private:
    bool fail(const String& reason);

    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;
    std::vector<int16_t> samples;
    String error;
};

} // namespace Quorvel
