// The layer's wave-out on SDL's disk audio driver, which writes exactly the
// bytes the device consumed to a file: buffers play in the order written,
// each comes back with WHDR_DONE, and the calls refuse what winmm refuses.

#include "platform/winapi/include/windows.h"
#include "platform/winapi/include/mmsystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

namespace {

WAVEFORMATEX pcmFormat(WORD bits = 16, WORD channels = 2, WORD tag = WAVE_FORMAT_PCM)
{
    WAVEFORMATEX format = {};
    format.wFormatTag = tag;
    format.nChannels = channels;
    format.nSamplesPerSec = 44100;
    format.wBitsPerSample = bits;
    format.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    return format;
}

bool isDone(const WAVEHDR& header)
{
    return (__atomic_load_n(&header.dwFlags, __ATOMIC_ACQUIRE) & WHDR_DONE) != 0;
}

// The audio subsystem starts on the first open, so the driver and its file
// are chosen once per test process (each test runs in a process of its own).
class WinMMTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        output = directory.path() + "/out.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    }

    std::vector<uint8_t> written() const
    {
        std::ifstream file(output, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    QuorvelTest::TempDir directory;
    std::string output;
};

TEST_F(WinMMTest, BuffersPlayInOrderAndComeBackDone)
{
    const WAVEFORMATEX format = pcmFormat();
    HWAVEOUT device = nullptr;
    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    ASSERT_NE(device, nullptr);

    // Three buffers of 1000 frames, each sample tagged with its buffer and
    // position, so an order or a seam out of place shows in the file.
    constexpr int Buffers = 3;
    constexpr int Frames = 1000;
    std::vector<std::vector<int16_t>> data(Buffers, std::vector<int16_t>(2 * Frames));
    WAVEHDR headers[Buffers] = {};
    for (int b = 0; b < Buffers; ++b) {
        for (int i = 0; i < 2 * Frames; ++i)
            data[b][i] = static_cast<int16_t>(b * 10000 + i);
        headers[b].lpData = reinterpret_cast<LPSTR>(data[b].data());
        headers[b].dwBufferLength = 2 * Frames * sizeof(int16_t);
        ASSERT_EQ(waveOutPrepareHeader(device, &headers[b], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
        EXPECT_TRUE(headers[b].dwFlags & WHDR_PREPARED);
    }
    for (int b = 0; b < Buffers; ++b) {
        ASSERT_EQ(waveOutWrite(device, &headers[b], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
        EXPECT_EQ(waveOutWrite(device, &headers[b], sizeof(WAVEHDR)), MMSYSERR_INVALPARAM) << "already queued";
    }
    EXPECT_EQ(waveOutClose(device), WAVERR_STILLPLAYING);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!isDone(headers[Buffers - 1]) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    for (int b = 0; b < Buffers; ++b) {
        EXPECT_TRUE(isDone(headers[b])) << "buffer " << b;
        EXPECT_FALSE(headers[b].dwFlags & WHDR_INQUEUE) << "buffer " << b;
    }

    EXPECT_EQ(waveOutReset(device), MMSYSERR_NOERROR);
    for (WAVEHDR& header : headers) {
        EXPECT_EQ(waveOutUnprepareHeader(device, &header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
        EXPECT_FALSE(header.dwFlags & WHDR_PREPARED);
    }
    ASSERT_EQ(waveOutClose(device), MMSYSERR_NOERROR);

    const std::vector<uint8_t> bytes = written();
    const size_t expected = Buffers * 2 * Frames * sizeof(int16_t);
    const int16_t* samples = reinterpret_cast<const int16_t*>(bytes.data());
    const size_t count = bytes.size() / sizeof(int16_t);
    // The device plays from the moment it opens, so silence may come before
    // the first buffer (as much as ran out before the first write). The
    // first buffer starts with a 0 sample, then 1.
    size_t start = 0;
    while (start < count && samples[start] == 0)
        ++start;
    ASSERT_LT(start, count) << "nothing but silence was played";
    --start;
    ASSERT_GE(count - start, expected / sizeof(int16_t));
    size_t wrong = 0;
    for (int b = 0; b < Buffers; ++b)
        for (int i = 0; i < 2 * Frames; ++i)
            wrong += samples[start + size_t(b * 2 * Frames + i)] != data[b][i];
    EXPECT_EQ(wrong, 0u);
    // Once the queue ran dry the device played silence.
    size_t loud = 0;
    for (size_t i = start + expected / sizeof(int16_t); i < count; ++i)
        loud += samples[i] != 0;
    EXPECT_EQ(loud, 0u);
}

TEST_F(WinMMTest, ResetReturnsQueuedBuffersDoneAtOnce)
{
    const WAVEFORMATEX format = pcmFormat();
    HWAVEOUT device = nullptr;
    ASSERT_EQ(waveOutOpen(&device, 0, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    // Ten seconds of sound: far from played when the reset comes.
    std::vector<int16_t> data(2 * 441000, 1000);
    WAVEHDR header = {};
    header.lpData = reinterpret_cast<LPSTR>(data.data());
    header.dwBufferLength = static_cast<DWORD>(data.size() * sizeof(int16_t));
    EXPECT_EQ(waveOutWrite(device, &header, sizeof(WAVEHDR)), WAVERR_UNPREPARED);
    ASSERT_EQ(waveOutPrepareHeader(device, &header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(device, &header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutUnprepareHeader(device, &header, sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
    EXPECT_FALSE(isDone(header));

    EXPECT_EQ(waveOutReset(device), MMSYSERR_NOERROR);
    EXPECT_TRUE(isDone(header));
    EXPECT_EQ(waveOutUnprepareHeader(device, &header, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
}

TEST_F(WinMMTest, RefusesWhatItCannotPlay)
{
    struct Case {
        const char* name;
        WAVEFORMATEX format;
        UINT deviceId;
        DWORD flags;
        MMRESULT expected;
    };
    const Case cases[] = {
        {"8-bit", pcmFormat(8), WAVE_MAPPER, CALLBACK_NULL, WAVERR_BADFORMAT},
        {"24-bit", pcmFormat(24), WAVE_MAPPER, CALLBACK_NULL, WAVERR_BADFORMAT},
        {"no channels", pcmFormat(16, 0), WAVE_MAPPER, CALLBACK_NULL, WAVERR_BADFORMAT},
        {"three channels", pcmFormat(16, 3), WAVE_MAPPER, CALLBACK_NULL, WAVERR_BADFORMAT},
        {"float tag", pcmFormat(16, 2, 3), WAVE_MAPPER, CALLBACK_NULL, WAVERR_BADFORMAT},
        {"second device", pcmFormat(), 1, CALLBACK_NULL, MMSYSERR_BADDEVICEID},
        {"callback function", pcmFormat(), WAVE_MAPPER, CALLBACK_FUNCTION, MMSYSERR_INVALFLAG},
    };
    for (const Case& c : cases) {
        HWAVEOUT device = reinterpret_cast<HWAVEOUT>(uintptr_t(1));
        EXPECT_EQ(waveOutOpen(&device, c.deviceId, &c.format, 0, 0, c.flags), c.expected) << c.name;
        EXPECT_EQ(device, nullptr) << c.name;
    }
    WAVEHDR header = {};
    EXPECT_EQ(waveOutWrite(nullptr, &header, sizeof(WAVEHDR)), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveOutReset(nullptr), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveOutClose(nullptr), MMSYSERR_INVALHANDLE);
    char text[MAXERRORLENGTH];
    ASSERT_EQ(waveOutGetErrorTextA(MMSYSERR_NODRIVER, text, sizeof(text)), MMSYSERR_NOERROR);
    EXPECT_STREQ(text, "no audio driver or device");
}

TEST(WinMMNoDriverTest, AnAudioDriverThatCannotStartIsNoDriver)
{
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    const WAVEFORMATEX format = pcmFormat();
    HWAVEOUT device = reinterpret_cast<HWAVEOUT>(uintptr_t(1));
    EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
    EXPECT_EQ(device, nullptr);
}

} // namespace
