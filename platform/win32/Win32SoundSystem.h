#pragma once
// Win32SoundSystem: the Windows sound system on winmm's wave-out API. When
// the window exists it opens the default output for 44,100 Hz, 16-bit signed
// stereo PCM and keeps BufferCount buffers of BufferFrames frames in flight:
// about 93 ms between a change in the mixer and hearing it. A feeder thread
// polls the buffers every FeedPollMilliseconds and refills each one the
// device has finished (WHDR_DONE) from the mixer, in the order they play, so
// neither the frame nor a timedemo ever waits on audio. (Windows sleeps at
// its timer's resolution, up to about 16 ms: still well inside the 93 ms.)
// A device that takes no buffer back for StallMilliseconds has stopped
// playing (unplugged, or a driver that never plays): the feeder gives up.
//
// Its log lines: "Sound: 44100 Hz stereo, 4 buffers of 1024 frames (93 ms)"
// when the device plays; "Sound: enabled = off; no audio device opened";
// "Sound: no audio output (REASON); running silent" when the device cannot
// be opened or goes away later (reported from the next main-loop pass); and
// "Sound: stopped" when the main loop has ended.

#include "platform/win32/Win32Subsystem.h"
#include "system/SoundSystem.h"

#include <mmsystem.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <thread>

namespace Quorvel {

class Win32SoundSystem : public SoundSystem, public Win32Subsystem {
public:
    static constexpr uint32_t BufferCount = 4;
    static constexpr uint32_t BufferFrames = 1024;
    static constexpr uint32_t FeedPollMilliseconds = 4; // well below one buffer's 23 ms
    static constexpr uint32_t StallMilliseconds = 2000;

    Win32SoundSystem();           // registers as the sound system and with the application
    ~Win32SoundSystem() override; // closes the device without a log line

    bool hasFailed() override; // false: without a device the program runs silent

    void windowCreated(HWND window) override; // open()
    void update() override;                   // reports a device that went away

    // Opens the device and starts feeding it, unless disabled or already
    // open; logs the outcome. False when nothing plays.
    bool open();
    bool isPlaying() const override;
    void shutdown() override;

private:
    void feed(); // the feeder thread
    // Mixes into the buffer and queues it; the device's error, or 0.
    MMRESULT refill(WAVEHDR& header);
    bool stopAndClose(); // ends the feeder and closes the device; false when none was open
    void closeDevice();
    void reportSilent(const char* what, MMRESULT error);

    HWAVEOUT device = nullptr;
    std::array<WAVEHDR, BufferCount> headers{};
    std::array<std::array<int16_t, 2 * BufferFrames>, BufferCount> buffers{};
    uint32_t nextToPlay = 0; // feeder only: the buffer that finishes next
    std::thread feeder;
    std::atomic<bool> stopping{false};
    std::atomic<MMRESULT> lostWith{MMSYSERR_NOERROR}; // set by the feeder when a write failed
    std::atomic<bool> stalled{false};                 // set by the feeder when buffers stopped coming back
    bool lostReported = false;
};

} // namespace Quorvel
