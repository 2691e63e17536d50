// WaveFile: the RIFF WAVE reader.

#include "resources/WaveFile.h"

#include "files/BinaryFile.h"

#include <cstdio>
#include <memory>

namespace Quorvel {

namespace {

constexpr uint32_t RiffHeaderSize = 12;  // "RIFF", size, "WAVE"
constexpr uint32_t ChunkHeaderSize = 8;  // identifier, size
constexpr uint32_t FormatChunkSize = 16; // the part of "fmt " that PCM needs
constexpr uint16_t FormatPcm = 1;

bool isTag(const uint8_t* bytes, const char* tag)
{
    return bytes[0] == tag[0] && bytes[1] == tag[1] && bytes[2] == tag[2] && bytes[3] == tag[3];
}

// A chunk identifier for a message, with anything unprintable shown as '?'.
String tagText(const uint8_t* bytes)
{
    char text[5] = {};
    for (int i = 0; i < 4; ++i)
        text[i] = bytes[i] >= 0x20 && bytes[i] < 0x7F ? static_cast<char>(bytes[i]) : '?';
    return String(text);
}

String number(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%u", value);
    return String(text);
}

} // namespace

bool WaveFile::fail(const String& reason)
{
    channels = 0;
    sampleRate = 0;
    bitsPerSample = 0;
    samples = std::vector<int16_t>();
    error = reason;
    return false;
}

bool WaveFile::read(const String& fileName)
{
    fail(String());
    std::unique_ptr<BinaryFile> file(BinaryFile::openInput(fileName));
    if (!file)
        return fail("cannot be opened");
    const int32_t fileSize = file->seek(0, BinaryFile::End);
    if (fileSize < 0 || file->seek(0, BinaryFile::Begin) != 0)
        return fail("its size cannot be found");
    if (static_cast<uint32_t>(fileSize) < RiffHeaderSize)
        return fail("shorter than a RIFF header");

    uint8_t riff[RiffHeaderSize];
    if (file->read(riff, RiffHeaderSize) != RiffHeaderSize)
        return fail("the RIFF header cannot be read");
    if (!isTag(riff, "RIFF") || !isTag(riff + 8, "WAVE"))
        return fail("not a RIFF WAVE file");
    // The RIFF size counts from after its own field. Writers that leave a
    // little trailing data outside it are common; a size past the file's end
    // is not believed.
    const uint32_t riffSize = readU32(riff + 4);
    if (riffSize < 4 || riffSize > static_cast<uint32_t>(fileSize) - 8)
        return fail(String("RIFF size ") + number(riffSize) + " does not fit the file of " + number(fileSize)
                    + " bytes");
    const uint32_t end = riffSize + 8;

    bool haveFormat = false;
    uint16_t blockAlign = 0;
    uint32_t dataOffset = 0;
    uint32_t dataSize = 0;
    bool haveData = false;
    uint32_t position = RiffHeaderSize;
    while (end - position >= ChunkHeaderSize) {
        uint8_t header[ChunkHeaderSize];
        if (file->seek(static_cast<int32_t>(position), BinaryFile::Begin) != static_cast<int32_t>(position)
            || file->read(header, ChunkHeaderSize) != ChunkHeaderSize)
            return fail("a chunk header cannot be read");
        const uint32_t size = readU32(header + 4);
        const uint32_t body = position + ChunkHeaderSize;
        if (size > end - body)
            return fail(String("chunk '") + tagText(header) + "' claims " + number(size) + " bytes, "
                        + number(end - body) + " are left");

        if (isTag(header, "fmt ")) {
            if (haveFormat)
                return fail("two format chunks");
            if (size < FormatChunkSize)
                return fail(String("format chunk of ") + number(size) + " bytes is too short");
            uint8_t format[FormatChunkSize];
            if (file->read(format, FormatChunkSize) != FormatChunkSize)
                return fail("the format chunk cannot be read");
            const uint16_t tag = readU16(format);
            channels = readU16(format + 2);
            sampleRate = readU32(format + 4);
            blockAlign = readU16(format + 12);
            bitsPerSample = readU16(format + 14);
            if (tag != FormatPcm)
                return fail(String("sample format ") + number(tag) + " is not supported (PCM only)");
            if (channels == 0)
                return fail("zero channels");
            if (channels > 2)
                return fail(number(channels) + " channels are not supported (mono or stereo only)");
            if (bitsPerSample != 8 && bitsPerSample != 16)
                return fail(number(bitsPerSample) + "-bit samples are not supported (8 or 16 only)");
            if (sampleRate < MinSampleRate || sampleRate > MaxSampleRate)
                return fail(String("sample rate ") + number(sampleRate) + " is outside " + number(MinSampleRate)
                            + " to " + number(MaxSampleRate));
            if (blockAlign != channels * (bitsPerSample / 8))
                return fail(String("block align ") + number(blockAlign) + " does not match " + number(channels)
                            + " channels of " + number(bitsPerSample) + " bits");
            haveFormat = true;
        } else if (isTag(header, "data")) {
            if (haveData)
                return fail("two data chunks");
            dataOffset = body;
            dataSize = size;
            haveData = true;
        }
        // A chunk of odd size is followed by a pad byte; a last chunk that
        // lacks it is accepted.
        const uint32_t padded = size + (size & 1u);
        position = padded > end - body ? end : body + padded;
    }

    if (!haveFormat)
        return fail("no format chunk");
    if (!haveData)
        return fail("no data chunk");
    if (dataSize > MaxDataBytes)
        return fail(String("data chunk of ") + number(dataSize) + " bytes is over the limit of "
                    + number(MaxDataBytes));
    // A partial frame at the end of the data is left out.
    const uint32_t frames = dataSize / blockAlign;
    if (frames == 0)
        return fail("the data chunk holds no whole frame");

    const uint32_t bytes = frames * blockAlign;
    std::vector<uint8_t> raw(bytes);
    if (file->seek(static_cast<int32_t>(dataOffset), BinaryFile::Begin) != static_cast<int32_t>(dataOffset)
        || file->read(raw.data(), bytes) != bytes)
        return fail("the samples cannot be read");

    const uint32_t count = frames * channels;
    samples.resize(count);
    if (bitsPerSample == 8) {
        for (uint32_t i = 0; i < count; ++i)
            samples[i] = static_cast<int16_t>((raw[i] - 128) * 256); // unsigned, centred on 128
    } else {
        for (uint32_t i = 0; i < count; ++i)
            samples[i] = static_cast<int16_t>(readU16(raw.data() + 2 * i));
    }
    return true;
}

} // namespace Quorvel
