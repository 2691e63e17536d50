// The program's module in the Windows-API layer: its file name, with the
// Windows rules for buffers too small to hold it.

#include "platform/winapi/include/windows.h"

#include "core/Application.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string programPath()
{
    return std::filesystem::canonical("/proc/self/exe").string();
}

} // namespace

TEST(WinApiModuleFileName, GetModuleFileNameGivesTheProgramsFullPath)
{
    const std::string expected = programPath();
    char buffer[MAX_PATH * 4] = {};

    for (HMODULE module : {HMODULE(nullptr), GetModuleHandleA(nullptr)}) {
        const DWORD length = GetModuleFileNameA(module, buffer, DWORD(sizeof buffer));
        EXPECT_EQ(expected.size(), length);
        EXPECT_EQ(expected, buffer);
    }
    EXPECT_EQ(expected, Quorvel::Application::executablePath().c_str()) << "what the engine asks the platform";
}

TEST(WinApiModuleFileName, ABufferTooSmallGetsThePathCutWithItsTerminator)
{
    const std::string path = programPath();
    const DWORD full = DWORD(path.size());
    struct Case {
        DWORD size;
        DWORD result;
        bool insufficient;
    } const cases[] = {
        {1, 1, true},              // only the terminator fits
        {5, 5, true},              // four bytes and the terminator
        {full, full, true},        // all but the last byte
        {full + 1, full, false},   // exactly fits
        {full + 100, full, false}, // room to spare
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        std::vector<char> buffer(c.size + 8, 'x');
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(c.result, GetModuleFileNameA(nullptr, buffer.data(), c.size));
        const size_t copied = c.insufficient ? c.size - 1 : full;
        EXPECT_EQ(path.substr(0, copied), std::string(buffer.data()));
        EXPECT_EQ('x', buffer[c.size]) << "nothing written past the buffer";
        if (c.insufficient) {
            EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
        }
    }
}

TEST(WinApiModuleFileName, NoBufferOrAnotherModuleGivesZero)
{
    char buffer[16] = {};
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(0u, GetModuleFileNameA(nullptr, buffer, 0));
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(0u, GetModuleFileNameA(nullptr, nullptr, 16));

    EXPECT_EQ(0u, GetModuleFileNameA(reinterpret_cast<HMODULE>(uintptr_t(0x1234000)), buffer, DWORD(sizeof buffer)));
    EXPECT_EQ(DWORD(ERROR_MOD_NOT_FOUND), GetLastError());
    EXPECT_EQ('\0', buffer[0]) << "the buffer is untouched";
}
