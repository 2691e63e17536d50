// The ".wav" reader on files built here byte by byte: the formats it reads,
// the chunks it skips, and a table of files it must refuse, each with the
// reason it gives.

#include "resources/WaveFile.h"

#include "files/FileSystem.h"
#include "resources/MemoryDirectory.h"
#include "support/ByteText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Quorvel;
using QuorvelTest::u16;
using QuorvelTest::u32;

namespace {

std::string chunk(const std::string& tag, const std::string& body, bool pad = true)
{
    std::string bytes = tag + u32(static_cast<uint32_t>(body.size())) + body;
    if (pad && body.size() % 2 == 1)
        bytes += '\0';
    return bytes;
}

std::string format(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag = 1)
{
    const uint16_t align = static_cast<uint16_t>(channels * (bits / 8));
    return u16(tag) + u16(channels) + u32(rate) + u32(rate * align) + u16(align) + u16(bits);
}

std::string riff(const std::string& chunks)
{
    return "RIFF" + u32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

std::string samples16(const std::vector<int16_t>& values)
{
    std::string bytes;
    for (int16_t v : values)
        bytes += u16(static_cast<uint16_t>(v));
    return bytes;
}

// A directory of its own under a prefix of its own for each test.
class WaveFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int mounts = 0;
        directory = new QuorvelTest::MemoryDirectory();
        prefix = "wave" + std::to_string(++mounts) + ":";
        FileSystem::instance()->mount(prefix.c_str(), directory);
    }

    // Reads bytes as a file of the given name.
    bool read(WaveFile& wave, const std::string& bytes, const std::string& name = "test.wav")
    {
        directory->files[name] = bytes;
        return wave.read((prefix + name).c_str());
    }

    QuorvelTest::MemoryDirectory* directory = nullptr; // owned by the file system
    std::string prefix;
};

std::string text(const String& s)
{
    return std::string(s.getData(), static_cast<size_t>(s.length()));
}

} // namespace

TEST_F(WaveFileTest, ReadsEachPcmShape)
{
    struct Case {
        const char* what;
        std::string file;
        uint16_t channels;
        uint32_t rate;
        uint16_t bits;
        std::vector<int16_t> expected;
    };
    const Case cases[] = {
        {"16-bit mono",
         riff(chunk("fmt ", format(1, 22050, 16)) + chunk("data", samples16({0, 32767, -32768, -5}))),
         1,
         22050,
         16,
         {0, 32767, -32768, -5}},
        {"16-bit stereo, left first",
         riff(chunk("fmt ", format(2, 44100, 16)) + chunk("data", samples16({100, -100, 200, -200}))),
         2,
         44100,
         16,
         {100, -100, 200, -200}},
        // 8-bit samples are unsigned, 128 is silence.
        {"8-bit mono",
         riff(chunk("fmt ", format(1, 8000, 8)) + chunk("data", std::string("\x80\xff\x00\x81", 4))),
         1,
         8000,
         8,
         {0, 127 * 256, -32768, 256}},
        {"8-bit stereo, odd data size padded",
         riff(chunk("fmt ", format(2, 11025, 8)) + chunk("data", std::string("\x80\x00\xff", 3))
              + chunk("LIST", "after")),
         2,
         11025,
         8,
         {0, -32768}},
        {"unknown chunks before, between and after, odd-sized ones padded",
         riff(chunk("JUNK", "abc") + chunk("fmt ", format(1, 48000, 16)) + chunk("LIST", "INFOxyz")
              + chunk("data", samples16({7, 8})) + chunk("cue ", "1")),
         1,
         48000,
         16,
         {7, 8}},
        {"data before the format chunk",
         riff(chunk("data", samples16({9})) + chunk("fmt ", format(1, 32000, 16))),
         1,
         32000,
         16,
         {9}},
        {"longer format chunk (with a zero extension size)",
         riff(chunk("fmt ", format(1, 16000, 16) + u16(0)) + chunk("data", samples16({1, 2}))),
         1,
         16000,
         16,
         {1, 2}},
        {"odd last chunk without its pad byte",
         riff(chunk("fmt ", format(1, 22050, 16)) + chunk("data", samples16({3})) + chunk("note", "x", false)),
         1,
         22050,
         16,
         {3}},
        {"a partial frame at the end is left out",
         riff(chunk("fmt ", format(2, 22050, 16)) + chunk("data", samples16({1, 2, 3}))),
         2,
         22050,
         16,
         {1, 2}},
        {"trailing bytes outside the RIFF size",
         riff(chunk("fmt ", format(1, 22050, 16)) + chunk("data", samples16({4}))) + "trailing",
         1,
         22050,
         16,
         {4}},
    };
    for (const Case& c : cases) {
        WaveFile wave;
        ASSERT_TRUE(read(wave, c.file)) << c.what << ": " << text(wave.getError());
        EXPECT_EQ(c.channels, wave.getChannels()) << c.what;
        EXPECT_EQ(c.rate, wave.getSampleRate()) << c.what;
        EXPECT_EQ(c.bits, wave.getBitsPerSample()) << c.what;
        EXPECT_EQ(c.expected, wave.getSamples()) << c.what;
        EXPECT_EQ(c.expected.size() / c.channels, wave.getFrameCount()) << c.what;
        EXPECT_EQ("", text(wave.getError())) << c.what;
    }
}

TEST_F(WaveFileTest, RefusesBadFilesWithAReason)
{
    const std::string fmt = chunk("fmt ", format(1, 22050, 16));
    const std::string data = chunk("data", samples16({1, 2, 3, 4}));
    const std::string good = riff(fmt + data);
    struct Case {
        const char* what;
        std::string file;
        const char* reason;
    };
    const Case cases[] = {
        {"empty file", "", "shorter than a RIFF header"},
        {"RIFF header cut short", good.substr(0, 11), "shorter than a RIFF header"},
        {"not RIFF", "RIFX" + good.substr(4), "not a RIFF WAVE file"},
        {"not WAVE", good.substr(0, 8) + "AVI " + good.substr(12), "not a RIFF WAVE file"},
        {"truncated in the samples", good.substr(0, good.size() - 3), "RIFF size 44 does not fit the file of 49 bytes"},
        {"RIFF size past the end", "RIFF" + u32(0xFFFFFFF0) + good.substr(8),
         "RIFF size 4294967280 does not fit the file of 52 bytes"},
        {"RIFF size below WAVE", "RIFF" + u32(2) + good.substr(8), "RIFF size 2 does not fit the file of 52 bytes"},
        {"data size lies", riff(fmt + "data" + u32(1000) + samples16({1, 2})),
         "chunk 'data' claims 1000 bytes, 4 are left"},
        {"unknown chunk size lies", riff("JUNK" + u32(0x7FFFFFFF) + fmt + data),
         "chunk 'JUNK' claims 2147483647 bytes, 40 are left"},
        {"huge declared data, file short", riff(fmt + "data" + u32(0xFFFFFFFF)),
         "chunk 'data' claims 4294967295 bytes, 0 are left"},
        {"format size lies", riff("fmt " + u32(0xFFFFFFF8) + format(1, 22050, 16)),
         "chunk 'fmt ' claims 4294967288 bytes, 16 are left"},
        {"no format chunk", riff(data), "no format chunk"},
        {"no data chunk", riff(fmt + chunk("LIST", "x")), "no data chunk"},
        {"empty data", riff(fmt + chunk("data", "")), "the data chunk holds no whole frame"},
        {"less than a frame", riff(chunk("fmt ", format(2, 22050, 16)) + chunk("data", "abc")),
         "the data chunk holds no whole frame"},
        {"format chunk too short", riff(chunk("fmt ", format(1, 22050, 16).substr(0, 14)) + data),
         "format chunk of 14 bytes is too short"},
        {"two format chunks", riff(fmt + fmt + data), "two format chunks"},
        {"two data chunks", riff(fmt + data + data), "two data chunks"},
        {"zero channels", riff(chunk("fmt ", format(0, 22050, 16)) + data), "zero channels"},
        {"six channels", riff(chunk("fmt ", format(6, 22050, 16)) + data),
         "6 channels are not supported (mono or stereo only)"},
        {"24-bit", riff(chunk("fmt ", format(1, 22050, 24)) + data), "24-bit samples are not supported (8 or 16 only)"},
        {"32-bit float", riff(chunk("fmt ", format(1, 22050, 32, 3)) + data),
         "sample format 3 is not supported (PCM only)"},
        {"IMA ADPCM", riff(chunk("fmt ", format(1, 22050, 4, 0x11)) + data),
         "sample format 17 is not supported (PCM only)"},
        {"extensible", riff(chunk("fmt ", format(2, 44100, 16, 0xFFFE)) + data),
         "sample format 65534 is not supported (PCM only)"},
        {"4-bit PCM", riff(chunk("fmt ", format(1, 22050, 4)) + data),
         "4-bit samples are not supported (8 or 16 only)"},
        {"rate 0", riff(chunk("fmt ", format(1, 0, 16)) + data), "sample rate 0 is outside 4000 to 192000"},
        {"rate huge", riff(chunk("fmt ", format(1, 0xFFFFFFFF, 16)) + data),
         "sample rate 4294967295 is outside 4000 to 192000"},
        {"block align wrong", riff(chunk("fmt ", u16(1) + u16(2) + u32(22050) + u32(0) + u16(0) + u16(16)) + data),
         "block align 0 does not match 2 channels of 16 bits"},
    };
    for (const Case& c : cases) {
        WaveFile wave;
        EXPECT_FALSE(read(wave, c.file)) << c.what;
        EXPECT_EQ(c.reason, text(wave.getError())) << c.what;
        EXPECT_TRUE(wave.getSamples().empty()) << c.what;
        EXPECT_EQ(0, wave.getChannels()) << c.what;
        EXPECT_EQ(0u, wave.getSampleRate()) << c.what;
        EXPECT_EQ(0u, wave.getFrameCount()) << c.what;
    }

    WaveFile wave;
    EXPECT_FALSE(wave.read((prefix + "missing.wav").c_str()));
    EXPECT_EQ("cannot be opened", text(wave.getError()));
}

TEST_F(WaveFileTest, RefusesDataOverTheLimitBeforeReadingIt)
{
    // A file that really holds a data chunk just over the limit.
    const uint32_t size = WaveFile::MaxDataBytes + 2;
    WaveFile wave;
    EXPECT_FALSE(read(wave, riff(chunk("fmt ", format(1, 22050, 16)) + chunk("data", std::string(size, '\0')))));
    EXPECT_EQ("data chunk of 33554434 bytes is over the limit of 33554432", text(wave.getError()));
}

TEST_F(WaveFileTest, AFailedReadEmptiesAReaderThatHeldASound)
{
    WaveFile wave;
    ASSERT_TRUE(read(wave, riff(chunk("fmt ", format(2, 44100, 16)) + chunk("data", samples16({1, 2})))));
    EXPECT_FALSE(read(wave, riff(chunk("fmt ", format(0, 44100, 16)) + chunk("data", samples16({1, 2}))), "b.wav"));
    EXPECT_TRUE(wave.getSamples().empty());
    EXPECT_EQ(0, wave.getChannels());
    ASSERT_TRUE(read(wave, riff(chunk("fmt ", format(1, 8000, 8)) + chunk("data", "\x80")), "c.wav"));
    EXPECT_EQ("", text(wave.getError())) << "a good read clears the last reason";
}
