// The kernel32 and winmm parts of the layer: module handle and file name,
// the XInput libraries loaded at run time, last error, sleeping and the
// clocks, on POSIX.

#include "platform/winapi/include/windows.h"

#include "platform/winapi/include/xinput.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

thread_local DWORD lastError = 0;

// The program's own module; Windows loads programs at this address.
HMODULE const programModule = reinterpret_cast<HMODULE>(uintptr_t(0x400000));

uint64_t monotonicNanoseconds()
{
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint64_t(now.tv_sec) * 1000000000u + uint64_t(now.tv_nsec);
}

// The one library the layer serves by name: its XInput.
HMODULE const xinputModule = reinterpret_cast<HMODULE>(uintptr_t(0x7e000000));

// Whether the name is one of XInput's libraries: xinput1_4, xinput1_3 or
// xinput9_1_0, in any case, with or without ".dll".
bool isXInputName(const char* name)
{
    std::string lower;
    for (const char* c = name; *c != '\0' && lower.size() < MAX_PATH; ++c)
        lower += char(std::tolower(static_cast<unsigned char>(*c)));
    for (const char* known : {"xinput1_4", "xinput1_3", "xinput9_1_0"}) {
        const std::string plain(known);
        if (lower == plain || lower == plain + ".dll")
            return true;
    }
    return false;
}

} // namespace

HMODULE WINAPI LoadLibraryA(LPCSTR fileName)
{
    if (fileName && isXInputName(fileName))
        return xinputModule;
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName)
{
    if (module == xinputModule && procName) {
        if (std::strcmp(procName, "XInputGetState") == 0)
            return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&XInputGetState));
        if (std::strcmp(procName, "XInputSetState") == 0)
            return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&XInputSetState));
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

BOOL WINAPI FreeLibrary(HMODULE module)
{
    if (module == xinputModule)
        return TRUE; // the layer's own code stays loaded
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName)
{
    if (!moduleName)
        return programModule;
    SetLastError(126); // ERROR_MOD_NOT_FOUND: no other modules are loaded by name
    return nullptr;
}

// Joins the working directory and the name; "." and ".." stay as written
// (the name is not looked up, as on Windows).
DWORD WINAPI GetFullPathNameA(LPCSTR fileName, DWORD bufferLength, LPSTR buffer, LPSTR* filePart)
{
    if (!fileName || !fileName[0]) {
        SetLastError(87); // ERROR_INVALID_PARAMETER
        return 0;
    }
    std::string path;
    if (fileName[0] != '/') {
        std::string directory(4096, '\0');
        if (!getcwd(&directory[0], directory.size())) {
            SetLastError(3); // ERROR_PATH_NOT_FOUND
            return 0;
        }
        path = directory.c_str();
        if (path.empty() || path.back() != '/')
            path += '/';
    }
    path += fileName;
    if (!buffer || path.size() + 1 > bufferLength)
        return DWORD(path.size() + 1);
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    if (filePart) {
        const size_t slash = path.rfind('/');
        *filePart = slash + 1 < path.size() ? buffer + slash + 1 : nullptr;
    }
    return DWORD(path.size());
}

// The program's file as the system names it (/proc/self/exe on Linux).
DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size)
{
    if (module && module != programModule) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    std::vector<char> path(256);
    ssize_t length = 0;
    for (;;) {
        length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return 0;
        }
        if (size_t(length) < path.size())
            break;
        if (path.size() >= 65536) { // no file name is that long; give up rather than grow on
            SetLastError(ERROR_FILE_NOT_FOUND);
            return 0;
        }
        path.resize(path.size() * 2); // the link may have been cut: read it again
    }
    if (!fileName || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (size_t(length) >= size) {
        std::memcpy(fileName, path.data(), size - 1);
        fileName[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(fileName, path.data(), size_t(length));
    fileName[length] = '\0';
    return DWORD(length);
}

DWORD WINAPI GetLastError()
{
    return lastError;
}

void WINAPI SetLastError(DWORD error)
{
    lastError = error;
}

void WINAPI Sleep(DWORD milliseconds)
{
    timespec wait = {};
    wait.tv_sec = time_t(milliseconds / 1000);
    wait.tv_nsec = long(milliseconds % 1000) * 1000000L;
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

// Milliseconds of the monotonic clock (time since the system started), in
// 32 bits: it wraps around after 2^32 ms, as on Windows.
DWORD WINAPI timeGetTime()
{
    return DWORD(monotonicNanoseconds() / 1000000u);
}

DWORD WINAPI GetTickCount()
{
    return timeGetTime();
}

MMRESULT WINAPI timeBeginPeriod(UINT)
{
    return TIMERR_NOERROR;
}

MMRESULT WINAPI timeEndPeriod(UINT)
{
    return TIMERR_NOERROR;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count)
{
    if (!count)
        return FALSE;
    count->QuadPart = LONGLONG(monotonicNanoseconds());
    return TRUE;
}

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (!frequency)
        return FALSE;
    frequency->QuadPart = 1000000000;
    return TRUE;
}

void WINAPI OutputDebugStringA(LPCSTR text)
{
    if (text)
        std::fputs(text, stderr);
}
