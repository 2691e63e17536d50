#pragma once
// The multimedia part of the Windows API our layer provides: the multimedia
// timer (declared in windows.h on these systems) and the wave-out subset the
// sound system plays through, on SDL2's audio. Only 16-bit PCM stereo or
// mono output is supported; a device plays the buffers written to it in the
// order written and sets WHDR_DONE on each once it has been consumed.
#include "windows.h"

struct HWAVEOUT__;
typedef struct HWAVEOUT__* HWAVEOUT;
typedef HWAVEOUT* LPHWAVEOUT;

#define WAVE_MAPPER ((UINT)-1)
#define WAVE_FORMAT_PCM 1

// How a device reports finished buffers; the layer supports none but the
// polled WHDR_DONE flag (CALLBACK_NULL).
#define CALLBACK_NULL 0x00000000
#define CALLBACK_FUNCTION 0x00030000
#define CALLBACK_EVENT 0x00050000

#define WHDR_DONE 0x00000001
#define WHDR_PREPARED 0x00000002
#define WHDR_BEGINLOOP 0x00000004
#define WHDR_ENDLOOP 0x00000008
#define WHDR_INQUEUE 0x00000010

#define MMSYSERR_NOERROR 0
#define MMSYSERR_ERROR 1
#define MMSYSERR_BADDEVICEID 2
#define MMSYSERR_ALLOCATED 4
#define MMSYSERR_INVALHANDLE 5
#define MMSYSERR_NODRIVER 6
#define MMSYSERR_NOMEM 7
#define MMSYSERR_NOTSUPPORTED 8
#define MMSYSERR_INVALFLAG 10
#define MMSYSERR_INVALPARAM 11
#define WAVERR_BADFORMAT 32
#define WAVERR_STILLPLAYING 33
#define WAVERR_UNPREPARED 34
#define MAXERRORLENGTH 256

typedef struct tWAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
} WAVEFORMATEX;
typedef WAVEFORMATEX* LPWAVEFORMATEX;
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;

typedef struct wavehdr_tag {
    LPSTR lpData;
    DWORD dwBufferLength;
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags; // written by the device while the buffer is queued
    DWORD dwLoops;
    struct wavehdr_tag* lpNext; // the device's queue
    DWORD_PTR reserved;         // the device's: bytes of the buffer played so far
} WAVEHDR;
typedef WAVEHDR* LPWAVEHDR;

// deviceId: WAVE_MAPPER or 0 (the default output). A format other than 16-bit
// PCM with one or two channels is WAVERR_BADFORMAT; no audio driver or device
// is MMSYSERR_NODRIVER. fdwOpen must be CALLBACK_NULL.
MMRESULT WINAPI waveOutOpen(LPHWAVEOUT device, UINT deviceId, LPCWAVEFORMATEX format, DWORD_PTR callback,
                            DWORD_PTR instance, DWORD fdwOpen);
// WAVERR_STILLPLAYING while buffers are queued (reset first).
MMRESULT WINAPI waveOutClose(HWAVEOUT device);
MMRESULT WINAPI waveOutPrepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT headerSize);
MMRESULT WINAPI waveOutUnprepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT headerSize);
// Queues a prepared buffer; clears WHDR_DONE and sets WHDR_INQUEUE until it
// has been played. MMSYSERR_NODRIVER once the device has gone away.
MMRESULT WINAPI waveOutWrite(HWAVEOUT device, LPWAVEHDR header, UINT headerSize);
// Stops playing and marks every queued buffer done.
MMRESULT WINAPI waveOutReset(HWAVEOUT device);
MMRESULT WINAPI waveOutGetErrorTextA(MMRESULT error, LPSTR text, UINT textSize);
