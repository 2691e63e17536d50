// waveOutGetErrorTextA: what each wave-out error means, for every system
// under the layer.

#include "platform/winapi/include/mmsystem.h"

#include <cstdio>

MMRESULT WINAPI waveOutGetErrorTextA(MMRESULT error, LPSTR text, UINT textSize)
{
    if (!text || textSize == 0)
        return MMSYSERR_INVALPARAM;
    struct Meaning {
        MMRESULT code;
        const char* text;
    };
    static const Meaning meanings[] = {
        {MMSYSERR_NOERROR, "no error"},
        {MMSYSERR_ERROR, "unspecified error"},
        {MMSYSERR_BADDEVICEID, "no such device"},
        {MMSYSERR_ALLOCATED, "device already in use"},
        {MMSYSERR_INVALHANDLE, "invalid device handle"},
        {MMSYSERR_NODRIVER, "no audio driver or device"},
        {MMSYSERR_NOMEM, "out of memory"},
        {MMSYSERR_NOTSUPPORTED, "not supported"},
        {MMSYSERR_INVALFLAG, "invalid flag"},
        {MMSYSERR_INVALPARAM, "invalid parameter"},
        {WAVERR_BADFORMAT, "unsupported wave format"},
        {WAVERR_STILLPLAYING, "buffers still playing"},
        {WAVERR_UNPREPARED, "buffer not prepared"},
    };
    const char* meaning = "unknown error";
    for (const Meaning& entry : meanings)
        if (entry.code == error)
            meaning = entry.text;
    std::snprintf(text, textSize, "%s", meaning);
    return MMSYSERR_NOERROR;
}
