// The wave-out part of winmm in a browser: no device. The page plays no
// sound (a browser would only let it start after a click, and the engine
// runs without sound when no device opens), so opening one fails as on a
// machine without a sound card and every other call finds no device.

#include "platform/winapi/include/mmsystem.h"

MMRESULT WINAPI waveOutOpen(LPHWAVEOUT device, UINT, LPCWAVEFORMATEX format, DWORD_PTR, DWORD_PTR, DWORD)
{
    if (!device || !format)
        return MMSYSERR_INVALPARAM;
    *device = nullptr;
    return MMSYSERR_NODRIVER;
}

MMRESULT WINAPI waveOutClose(HWAVEOUT)
{
    return MMSYSERR_INVALHANDLE;
}

MMRESULT WINAPI waveOutPrepareHeader(HWAVEOUT, LPWAVEHDR, UINT)
{
    return MMSYSERR_INVALHANDLE;
}

MMRESULT WINAPI waveOutUnprepareHeader(HWAVEOUT, LPWAVEHDR, UINT)
{
    return MMSYSERR_INVALHANDLE;
}

MMRESULT WINAPI waveOutWrite(HWAVEOUT, LPWAVEHDR, UINT)
{
    return MMSYSERR_INVALHANDLE;
}

MMRESULT WINAPI waveOutReset(HWAVEOUT)
{
    return MMSYSERR_INVALHANDLE;
}
