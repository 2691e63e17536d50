// SoundMixer: the command ring, the voices and the mix.

#include "system/SoundMixer.h"

#include "system/SoundSamples.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Quorvel {

namespace {

constexpr float QuarterPi = 0.785398163f;
constexpr int32_t GainBits = 14; // gains are fixed point with 14 fraction bits: a sample times a gain fits 30 bits
constexpr int32_t GainOne = 1 << GainBits;
constexpr int32_t GainStep = GainOne / static_cast<int32_t>(SoundMixer::RampFrames); // per frame of a glide

float clampUnit(float value, float low)
{
    // NaN ends up at low as well: a broken number mutes rather than blares.
    return value >= low ? (value <= 1.0f ? value : 1.0f) : low;
}

int32_t glide(int32_t gain, int32_t target)
{
    if (gain < target)
        return gain + GainStep < target ? gain + GainStep : target;
    return gain - GainStep > target ? gain - GainStep : target;
}

int16_t saturate(int32_t value)
{
    return static_cast<int16_t>(value > 32767 ? 32767 : (value < -32768 ? -32768 : value));
}

} // namespace

SoundMixer::SoundMixer()
{
    for (std::atomic<uint64_t>& id : playing)
        id.store(0, std::memory_order_relaxed);
    accumulator.fill(0);
}

// --- game side -------------------------------------------------------------

bool SoundMixer::push(const Command& command)
{
    const uint32_t write = writeCount.load(std::memory_order_relaxed);
    if (write - readCount.load(std::memory_order_acquire) >= CommandCapacity)
        return false;
    commands[write % CommandCapacity] = command;
    writeCount.store(write + 1, std::memory_order_release);
    return true;
}

SoundMixer::Voice SoundMixer::start(const SoundSamples* sound, float volume, float pan, bool loop)
{
    if (sound == nullptr || sound->getFrameCount() == 0 || sound->getSampleRate() == 0)
        return Voice();
    Command command;
    command.type = CommandType::Start;
    command.id = nextId;
    command.sound = sound;
    command.volume = clampUnit(volume, 0.0f);
    command.pan = clampUnit(pan, -1.0f);
    command.loop = loop;
    if (!push(command))
        return Voice();
    ++nextId;
    return Voice{command.id};
}

bool SoundMixer::stop(Voice voice)
{
    Command command;
    command.type = CommandType::Stop;
    command.id = voice.id;
    return voice.isValid() && push(command);
}

bool SoundMixer::setVolume(Voice voice, float volume)
{
    Command command;
    command.type = CommandType::Volume;
    command.id = voice.id;
    command.volume = clampUnit(volume, 0.0f);
    return voice.isValid() && push(command);
}

bool SoundMixer::setPan(Voice voice, float pan)
{
    Command command;
    command.type = CommandType::Pan;
    command.id = voice.id;
    command.pan = clampUnit(pan, -1.0f);
    return voice.isValid() && push(command);
}

bool SoundMixer::setMasterVolume(float volume)
{
    Command command;
    command.type = CommandType::Master;
    command.volume = clampUnit(volume, 0.0f);
    return push(command);
}

bool SoundMixer::stopAll()
{
    Command command;
    command.type = CommandType::StopAll;
    return push(command);
}

bool SoundMixer::isPlaying(Voice voice) const
{
    if (!voice.isValid() || voice.id >= nextId)
        return false;
    // The reported start comes before the slots are read: a voice the audio
    // side started is then either in a slot or over.
    if (voice.id > startedUpTo.load(std::memory_order_acquire))
        return true;
    for (const std::atomic<uint64_t>& id : playing) {
        if (id.load(std::memory_order_acquire) == voice.id)
            return true;
    }
    return false;
}

uint32_t SoundMixer::getPlayingCount() const
{
    uint32_t count = 0;
    for (const std::atomic<uint64_t>& id : playing)
        count += id.load(std::memory_order_acquire) != 0 ? 1 : 0;
    return count;
}

// --- audio side ------------------------------------------------------------

SoundMixer::Slot* SoundMixer::slotFor(uint64_t id)
{
    for (Slot& slot : slots) {
        if (slot.id == id && id != 0 && !slot.stopping)
            return &slot;
    }
    return nullptr;
}

SoundMixer::Slot& SoundMixer::slotToStart()
{
    Slot* chosen = &slots[0];
    for (Slot& slot : slots) {
        if (slot.id == 0)
            return slot;
        // Fading voices count as silent already; then the quietest, then the oldest.
        const float loudness = slot.stopping ? -1.0f : slot.volume;
        const float chosenLoudness = chosen->stopping ? -1.0f : chosen->volume;
        if (loudness < chosenLoudness || (loudness == chosenLoudness && slot.id < chosen->id))
            chosen = &slot;
    }
    return *chosen;
}

void SoundMixer::aim(Slot& slot) const
{
    float left;
    float right;
    if (slot.sound->getChannels() == 2) {
        left = std::min(1.0f, 1.0f - slot.pan);
        right = std::min(1.0f, 1.0f + slot.pan);
    } else {
        const float angle = (slot.pan + 1.0f) * QuarterPi;
        left = std::cos(angle);
        right = std::sin(angle);
    }
    const float scale = slot.volume * masterVolume * static_cast<float>(GainOne);
    slot.target[0] = static_cast<int32_t>(std::lround(left * scale));
    slot.target[1] = static_cast<int32_t>(std::lround(right * scale));
}

void SoundMixer::release(Slot& slot)
{
    slot = Slot();
    playing[static_cast<size_t>(&slot - slots.data())].store(0, std::memory_order_release);
}

void SoundMixer::carryOut(const Command& command)
{
    switch (command.type) {
    case CommandType::Start: {
        Slot& slot = slotToStart();
        slot = Slot();
        slot.id = command.id;
        slot.sound = command.sound;
        slot.step = (static_cast<uint64_t>(command.sound->getSampleRate()) << 32) / OutputRate;
        slot.length = static_cast<uint64_t>(command.sound->getFrameCount()) << 32;
        slot.volume = command.volume;
        slot.pan = command.pan;
        slot.loop = command.loop;
        aim(slot);
        slot.gain[0] = slot.target[0];
        slot.gain[1] = slot.target[1];
        playing[static_cast<size_t>(&slot - slots.data())].store(command.id, std::memory_order_release);
        startedUpTo.store(command.id, std::memory_order_release);
        break;
    }
    case CommandType::Stop:
        if (Slot* slot = slotFor(command.id)) {
            slot->stopping = true;
            slot->target[0] = 0;
            slot->target[1] = 0;
            playing[static_cast<size_t>(slot - slots.data())].store(0, std::memory_order_release);
        }
        break;
    case CommandType::Volume:
        if (Slot* slot = slotFor(command.id)) {
            slot->volume = command.volume;
            aim(*slot);
        }
        break;
    case CommandType::Pan:
        if (Slot* slot = slotFor(command.id)) {
            slot->pan = command.pan;
            aim(*slot);
        }
        break;
    case CommandType::Master:
        masterVolume = command.volume;
        for (Slot& slot : slots) {
            if (slot.id != 0 && !slot.stopping)
                aim(slot);
        }
        break;
    case CommandType::StopAll:
        for (Slot& slot : slots) {
            if (slot.id != 0 && !slot.stopping) {
                slot.stopping = true;
                slot.target[0] = 0;
                slot.target[1] = 0;
                playing[static_cast<size_t>(&slot - slots.data())].store(0, std::memory_order_release);
            }
        }
        break;
    }
}

// Adds frameCount frames of the slot to the accumulator; frees the slot when
// a one-shot sound ends or a stop has faded out.
void SoundMixer::mixSlot(Slot& slot, int32_t* out, uint32_t frameCount)
{
    const int16_t* samples = slot.sound->getSamples();
    const uint32_t channels = slot.sound->getChannels();
    const uint32_t lastFrame = slot.sound->getFrameCount() - 1;
    for (uint32_t frame = 0; frame < frameCount; ++frame) {
        if (slot.position >= slot.length) {
            if (!slot.loop) {
                release(slot);
                return;
            }
            // A fast sound's step can pass over a very short loop more than once.
            slot.position %= slot.length;
        }
        const uint32_t index = static_cast<uint32_t>(slot.position >> 32);
        const int32_t fraction = static_cast<int32_t>((slot.position >> 17) & 0x7FFF); // 15 bits
        // The frame after the last is the first for a loop, silence for a one-shot.
        const bool atEnd = index == lastFrame;
        const int16_t* now = samples + static_cast<size_t>(index) * channels;
        const int16_t* next = atEnd ? (slot.loop ? samples : nullptr) : now + channels;
        int32_t value[2] = {0, 0};
        for (uint32_t c = 0; c < channels; ++c) {
            const int32_t a = now[c];
            const int32_t b = next != nullptr ? next[c] : 0;
            value[c] = a + (((b - a) * fraction) >> 15); // at most 65535 x 32767: fits
        }
        if (channels == 1)
            value[1] = value[0];

        slot.gain[0] = glide(slot.gain[0], slot.target[0]);
        slot.gain[1] = glide(slot.gain[1], slot.target[1]);
        out[2 * frame] += (value[0] * slot.gain[0]) >> GainBits;
        out[2 * frame + 1] += (value[1] * slot.gain[1]) >> GainBits;
        slot.position += slot.step;

        if (slot.stopping && slot.gain[0] == 0 && slot.gain[1] == 0) {
            release(slot);
            return;
        }
    }
}

void SoundMixer::mix(int16_t* frames, uint32_t frameCount)
{
    uint32_t read = readCount.load(std::memory_order_relaxed);
    const uint32_t write = writeCount.load(std::memory_order_acquire);
    for (; read != write; ++read)
        carryOut(commands[read % CommandCapacity]);
    readCount.store(read, std::memory_order_release);

    while (frameCount > 0) {
        const uint32_t count = std::min(frameCount, BlockFrames);
        std::fill(accumulator.begin(), accumulator.begin() + 2 * count, 0);
        for (Slot& slot : slots) {
            if (slot.id != 0)
                mixSlot(slot, accumulator.data(), count);
        }
        for (uint32_t i = 0; i < 2 * count; ++i)
            frames[i] = saturate(accumulator[i]);
        frames += 2 * count;
        frameCount -= count;
    }
}

} // namespace Quorvel
