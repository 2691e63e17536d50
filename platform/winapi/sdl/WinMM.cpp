// The wave-out part of winmm in the layer, on SDL2's audio. A device is an
// SDL audio device whose callback (on SDL's audio thread) copies bytes out of
// the queue of written buffers, oldest first, and sets WHDR_DONE on each
// buffer it has copied to its end; when the queue runs dry it plays silence.
// The queue is linked through the headers themselves (lpNext), so writing a
// buffer never allocates. The audio subsystem is initialised on first open.

#include "platform/winapi/include/mmsystem.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <mutex>

struct HWAVEOUT__ {
    SDL_AudioDeviceID id = 0;
    std::mutex queueLock; // the game's feeder and SDL's audio thread
    WAVEHDR* first = nullptr;
    WAVEHDR* last = nullptr;
};

namespace {

// The checks every call on a buffer starts with.
MMRESULT checkBuffer(HWAVEOUT device, const WAVEHDR* header, UINT headerSize)
{
    if (!device)
        return MMSYSERR_INVALHANDLE;
    if (!header || headerSize < sizeof(WAVEHDR))
        return MMSYSERR_INVALPARAM;
    return MMSYSERR_NOERROR;
}

// The flags are read by the feeder without the device's lock, as a driver's
// flags are on Windows: every change is a single atomic store.
void storeFlags(WAVEHDR* header, DWORD flags)
{
    __atomic_store_n(&header->dwFlags, flags, __ATOMIC_RELEASE);
}

DWORD loadFlags(const WAVEHDR* header)
{
    return __atomic_load_n(&header->dwFlags, __ATOMIC_ACQUIRE);
}

void finish(WAVEHDR* header)
{
    header->lpNext = nullptr;
    storeFlags(header, (loadFlags(header) & ~DWORD(WHDR_INQUEUE)) | WHDR_DONE);
}

void SDLCALL play(void* userdata, Uint8* stream, int length)
{
    HWAVEOUT device = static_cast<HWAVEOUT>(userdata);
    size_t wanted = length > 0 ? size_t(length) : 0;
    std::lock_guard<std::mutex> hold(device->queueLock);
    while (wanted > 0 && device->first) {
        WAVEHDR* header = device->first;
        const size_t played = header->reserved;
        const size_t left = header->dwBufferLength > played ? header->dwBufferLength - played : 0;
        const size_t take = left < wanted ? left : wanted;
        std::memcpy(stream, header->lpData + played, take);
        stream += take;
        wanted -= take;
        header->reserved = played + take;
        if (header->reserved >= header->dwBufferLength) {
            device->first = header->lpNext;
            if (!device->first)
                device->last = nullptr;
            finish(header);
        }
    }
    std::memset(stream, 0, wanted); // ran dry: silence
}

bool audioReady()
{
    if (SDL_WasInit(SDL_INIT_AUDIO))
        return true;
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

} // namespace

MMRESULT WINAPI waveOutOpen(LPHWAVEOUT device, UINT deviceId, LPCWAVEFORMATEX format, DWORD_PTR, DWORD_PTR,
                            DWORD fdwOpen)
{
    if (!device || !format)
        return MMSYSERR_INVALPARAM;
    *device = nullptr;
    if (fdwOpen != CALLBACK_NULL)
        return MMSYSERR_INVALFLAG;
    if (deviceId != WAVE_MAPPER && deviceId != 0)
        return MMSYSERR_BADDEVICEID;
    if (format->wFormatTag != WAVE_FORMAT_PCM || format->wBitsPerSample != 16 || format->nChannels < 1
        || format->nChannels > 2 || format->nSamplesPerSec < 8000 || format->nSamplesPerSec > 192000)
        return WAVERR_BADFORMAT;
    if (!audioReady())
        return MMSYSERR_NODRIVER;

    HWAVEOUT opened = new HWAVEOUT__();
    SDL_AudioSpec wanted = {};
    wanted.freq = int(format->nSamplesPerSec);
    wanted.format = AUDIO_S16SYS;
    wanted.channels = Uint8(format->nChannels);
    wanted.samples = 1024;
    wanted.callback = play;
    wanted.userdata = opened;
    // No changes allowed: SDL converts to whatever the hardware plays, so the
    // buffers keep the format they were opened with.
    SDL_AudioSpec obtained = {};
    opened->id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (opened->id == 0) {
        delete opened;
        return MMSYSERR_NODRIVER;
    }
    SDL_PauseAudioDevice(opened->id, 0);
    *device = opened;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutClose(HWAVEOUT device)
{
    if (!device)
        return MMSYSERR_INVALHANDLE;
    {
        std::lock_guard<std::mutex> hold(device->queueLock);
        if (device->first)
            return WAVERR_STILLPLAYING;
    }
    SDL_CloseAudioDevice(device->id); // waits for a running callback to return
    delete device;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutPrepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT headerSize)
{
    if (const MMRESULT fault = checkBuffer(device, header, headerSize))
        return fault;
    if (!header->lpData)
        return MMSYSERR_INVALPARAM;
    storeFlags(header, loadFlags(header) | WHDR_PREPARED);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutUnprepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT headerSize)
{
    if (const MMRESULT fault = checkBuffer(device, header, headerSize))
        return fault;
    if (loadFlags(header) & WHDR_INQUEUE)
        return WAVERR_STILLPLAYING;
    storeFlags(header, loadFlags(header) & ~DWORD(WHDR_PREPARED));
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutWrite(HWAVEOUT device, LPWAVEHDR header, UINT headerSize)
{
    if (const MMRESULT fault = checkBuffer(device, header, headerSize))
        return fault;
    const DWORD flags = loadFlags(header);
    if (!(flags & WHDR_PREPARED))
        return WAVERR_UNPREPARED;
    if (flags & WHDR_INQUEUE)
        return MMSYSERR_INVALPARAM;
    if (SDL_GetAudioDeviceStatus(device->id) == SDL_AUDIO_STOPPED)
        return MMSYSERR_NODRIVER; // the device has gone away

    std::lock_guard<std::mutex> hold(device->queueLock);
    header->reserved = 0;
    header->lpNext = nullptr;
    storeFlags(header, (flags & ~DWORD(WHDR_DONE)) | WHDR_INQUEUE);
    if (device->last)
        device->last->lpNext = header;
    else
        device->first = header;
    device->last = header;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI waveOutReset(HWAVEOUT device)
{
    if (!device)
        return MMSYSERR_INVALHANDLE;
    std::lock_guard<std::mutex> hold(device->queueLock);
    while (device->first) {
        WAVEHDR* header = device->first;
        device->first = header->lpNext;
        finish(header);
    }
    device->last = nullptr;
    return MMSYSERR_NOERROR;
}
