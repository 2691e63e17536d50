// The Windows sound system: the wave-out device, its buffers and the thread
// that keeps them filled from the mixer.

#include "platform/win32/Win32SoundSystem.h"

#include "core/Application.h"
#include "core/Log.h"

#include <chrono>
#include <cstring>

namespace Quorvel {

namespace {

// The device sets the flags from its own thread while a buffer is queued.
bool isDone(const WAVEHDR& header)
{
    return (__atomic_load_n(&header.dwFlags, __ATOMIC_ACQUIRE) & WHDR_DONE) != 0;
}

} // namespace

SoundSystem* SoundSystem::instance()
{
    if (SoundSystem* existing = existingInstance())
        return existing;
    return new Win32SoundSystem(); // owned by the application from here on
}

Win32SoundSystem::Win32SoundSystem() = default;

Win32SoundSystem::~Win32SoundSystem()
{
    stopAndClose(); // quietly: the application and its log may be on their way out too
}

bool Win32SoundSystem::hasFailed()
{
    return false;
}

void Win32SoundSystem::windowCreated(HWND)
{
    open();
}

bool Win32SoundSystem::open()
{
    if (device)
        return true;
    Log* log = Application::instance()->getLog();
    if (!isEnabled()) {
        log->write("Sound: enabled = off; no audio device opened");
        return false;
    }

    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = SoundMixer::OutputRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(format.nChannels * format.wBitsPerSample / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    const MMRESULT opened = waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL);
    if (opened != MMSYSERR_NOERROR) {
        device = nullptr;
        reportSilent("waveOutOpen", opened);
        return false;
    }

    // Every buffer starts full, so the device has BufferCount buffers queued
    // before the feeder takes over.
    for (uint32_t i = 0; i < BufferCount; ++i) {
        WAVEHDR& header = headers[i];
        header = WAVEHDR();
        header.lpData = reinterpret_cast<LPSTR>(buffers[i].data());
        header.dwBufferLength = static_cast<DWORD>(sizeof(buffers[i]));
        MMRESULT result = waveOutPrepareHeader(device, &header, sizeof(WAVEHDR));
        if (result == MMSYSERR_NOERROR)
            result = refill(header);
        if (result != MMSYSERR_NOERROR) {
            closeDevice();
            reportSilent("waveOutWrite", result);
            return false;
        }
    }
    nextToPlay = 0;
    stopping = false;
    feeder = std::thread([this] { feed(); });

    const uint32_t latency = (BufferCount * BufferFrames * 1000 + SoundMixer::OutputRate / 2) / SoundMixer::OutputRate;
    log->printf("Sound: %u Hz stereo, %u buffers of %u frames (%u ms)", static_cast<unsigned>(SoundMixer::OutputRate),
                static_cast<unsigned>(BufferCount), static_cast<unsigned>(BufferFrames),
                static_cast<unsigned>(latency));
    return true;
}

bool Win32SoundSystem::isPlaying() const
{
    return device != nullptr && lostWith.load() == MMSYSERR_NOERROR && !stalled.load();
}

MMRESULT Win32SoundSystem::refill(WAVEHDR& header)
{
    getMixer().mix(reinterpret_cast<int16_t*>(header.lpData), BufferFrames);
    return waveOutWrite(device, &header, sizeof(WAVEHDR));
}

void Win32SoundSystem::feed()
{
    // Buffers finish in the order they were written, so only the next one to
    // finish is checked; a poll that finds several done refills them all.
    // What goes wrong is reported by the game side's next update.
    auto lastReturn = std::chrono::steady_clock::now();
    while (!stopping.load()) {
        while (isDone(headers[nextToPlay]) && !stopping.load()) {
            const MMRESULT result = refill(headers[nextToPlay]);
            if (result != MMSYSERR_NOERROR) {
                lostWith = result;
                return;
            }
            nextToPlay = (nextToPlay + 1) % BufferCount;
            lastReturn = std::chrono::steady_clock::now();
        }
        if (std::chrono::steady_clock::now() - lastReturn > std::chrono::milliseconds(StallMilliseconds)) {
            stalled = true;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(FeedPollMilliseconds));
    }
}

void Win32SoundSystem::update()
{
    if (lostReported)
        return;
    const MMRESULT lost = lostWith.load();
    if (lost != MMSYSERR_NOERROR) {
        lostReported = true;
        reportSilent("device lost", lost);
    } else if (stalled.load()) {
        lostReported = true;
        Application::instance()->getLog()->printf(
            "Sound: no audio output (the device played nothing for %u ms); running silent",
            static_cast<unsigned>(StallMilliseconds));
    }
}

void Win32SoundSystem::shutdown()
{
    if (stopAndClose())
        Application::instance()->getLog()->write("Sound: stopped");
}

bool Win32SoundSystem::stopAndClose()
{
    if (!device)
        return false;
    stopping = true;
    if (feeder.joinable())
        feeder.join();
    closeDevice();
    return true;
}

void Win32SoundSystem::closeDevice()
{
    waveOutReset(device); // every queued buffer comes back done
    for (WAVEHDR& header : headers)
        if (header.lpData)
            waveOutUnprepareHeader(device, &header, sizeof(WAVEHDR));
    waveOutClose(device);
    device = nullptr;
}

void Win32SoundSystem::reportSilent(const char* what, MMRESULT error)
{
    char text[MAXERRORLENGTH] = {};
    if (waveOutGetErrorTextA(error, text, sizeof(text)) != MMSYSERR_NOERROR)
        text[0] = '\0';
    text[sizeof(text) - 1] = '\0';
    // The system's texts are sentences; inside the line the full stop goes.
    size_t length = std::strlen(text);
    while (
        length > 0
        && (text[length - 1] == '.' || text[length - 1] == ' ' || text[length - 1] == '\r' || text[length - 1] == '\n'))
        text[--length] = '\0';
    Application::instance()->getLog()->printf("Sound: no audio output (%s: %s, error %u); running silent", what, text,
                                              static_cast<unsigned>(error));
}

} // namespace Quorvel
