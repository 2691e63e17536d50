#pragma once
// SoundMixer: mixes up to MaxVoices playing sounds into 44,100 Hz, 16-bit
// signed, stereo interleaved frames (left first). Two sides use it, each from
// one thread of its own: the game side starts, stops and changes voices; the
// audio side calls mix() whenever the output wants frames. A game-side call
// only writes one command into a fixed ring that mix() empties, so after
// construction neither side allocates, and neither ever waits for the other.
//
// Full: when every voice plays and another starts, the new one always starts
// and the quietest playing voice gives way (by the volume last set on it);
// among equally quiet voices the one started first gives way. A voice that is
// fading out after stop() is taken before any other.
//
// Pan law (pan -1 is left, 0 the centre, +1 right): a mono sound is spread
// with constant power, left = cos(a) and right = sin(a) for a = (pan + 1) *
// pi / 4, so the centre plays 0.707 (-3 dB) on each side and left^2 + right^2
// is 1 everywhere. A stereo sound is balanced: at the centre both of its sides
// play at full, and panning turns the far side down linearly (pan 0.5: left
// side at 0.5, right side at 1).
//
// Sounds play at their own rate: each output frame reads the sound between two
// of its frames with linear interpolation; a looping sound interpolates from
// its last frame into its first, so the seam is as smooth as the sound.
// Changes of volume, pan and master volume, and stops, glide over RampFrames
// frames instead of jumping (a jump is a click); a voice starts at its volume.
// Voices mix into a 32-bit accumulator; the sum saturates at the ends of the
// 16-bit range instead of wrapping round.

#include <array>
#include <atomic>
#include <cstdint>

namespace Quorvel {

class SoundSamples;

class SoundMixer {
public:
    static constexpr uint32_t OutputRate = 44100; // frames a second
    static constexpr uint32_t MaxVoices = 32;
    static constexpr uint32_t CommandCapacity = 256; // game-side calls that can wait for the next mix
    static constexpr uint32_t RampFrames = 256;      // length of a glide, about 6 ms

    // A handle to one started voice. Handles are never reused: once its voice
    // has ended, been stopped or given way, every call with the handle does
    // nothing, whatever plays in that voice's place now.
    struct Voice {
        uint64_t id = 0; // 0: no voice
        bool isValid() const { return id != 0; }
    };

    SoundMixer();

    SoundMixer(const SoundMixer&) = delete;
    SoundMixer& operator=(const SoundMixer&) = delete;

    // --- game side (one thread) ----------------------------------------------
    // Each call queues one command for the next mix() and returns at once. A
    // call fails (false, or an invalid Voice) only when CommandCapacity
    // commands are already waiting, or for a null or empty sound or an
    // invalid handle. The sound must stay loaded while it plays (resources
    // do: they live until the end of the program).
    Voice start(const SoundSamples* sound, float volume = 1.0f, float pan = 0.0f, bool loop = false);
    bool stop(Voice voice);                    // fades out over RampFrames
    bool setVolume(Voice voice, float volume); // 0 to 1
    bool setPan(Voice voice, float pan);       // -1 (left) to 1 (right)
    bool setMasterVolume(float volume);        // 0 to 1, for every voice; 1 at first
    bool stopAll();                            // fades every voice out
    // True from start() until the voice ends, is stopped or gives way, as the
    // audio side last reported; a start the audio side has not yet seen counts.
    bool isPlaying(Voice voice) const;

    // --- audio side (one thread) ---------------------------------------------
    // Carries out the waiting commands, then writes frameCount stereo frames
    // (2 x frameCount values) to frames. Never allocates, never blocks.
    void mix(int16_t* frames, uint32_t frameCount);
    uint32_t getPlayingCount() const; // voices playing after the last mix (either side may ask)

private:
    static constexpr uint32_t BlockFrames = 256; // frames mixed at a time into the accumulator

    enum class CommandType : uint8_t { Start, Stop, Volume, Pan, Master, StopAll };

    struct Command {
        CommandType type = CommandType::Stop;
        bool loop = false;
        uint64_t id = 0;
        const SoundSamples* sound = nullptr;
        float volume = 0.0f;
        float pan = 0.0f;
    };

    // A voice as the audio side keeps it; only mix() touches these.
    struct Slot {
        uint64_t id = 0; // 0: free
        const SoundSamples* sound = nullptr;
        uint64_t position = 0; // in the sound's frames, 32.32 fixed point
        uint64_t step = 0;     // position advance per output frame, 32.32
        uint64_t length = 0;   // the sound's frame count, 32.32
        float volume = 0.0f;
        float pan = 0.0f;
        bool loop = false;
        bool stopping = false;      // fading out; freed at gain 0
        int32_t gain[2] = {0, 0};   // left, right now
        int32_t target[2] = {0, 0}; // left, right to glide to
    };

    bool push(const Command& command);
    void carryOut(const Command& command);
    Slot* slotFor(uint64_t id);
    Slot& slotToStart();
    void aim(Slot& slot) const; // sets the slot's target gains from its volume, pan and the master volume
    void mixSlot(Slot& slot, int32_t* accumulator, uint32_t frameCount);
    void release(Slot& slot); // frees the slot and reports it free

    // The command ring: the game side writes at writeCount, the audio side
    // reads at readCount; both only grow (index = count % CommandCapacity).
    std::array<Command, CommandCapacity> commands;
    std::atomic<uint32_t> writeCount{0};
    std::atomic<uint32_t> readCount{0};
    uint64_t nextId = 1; // game side only

    // Audio side only.
    std::array<Slot, MaxVoices> slots;
    float masterVolume = 1.0f;
    std::array<int32_t, 2 * BlockFrames> accumulator;

    // What the audio side reports back: each slot's playing voice (0 when
    // free or fading out) and the newest voice whose start it has carried out.
    std::array<std::atomic<uint64_t>, MaxVoices> playing;
    std::atomic<uint64_t> startedUpTo{0};
};

} // namespace Quorvel
