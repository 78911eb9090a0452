// The game's software mixer: 256 slots, each one sound of 16-bit stereo frames at the device
// rate playing as one instance (starting it again moves the same cursor, so a sound never
// overlaps itself), with a loop flag, a volume in hundredths of a decibel and a pan set by the
// game's rules, and the player's volume for the slot's kind of sound on top of them. mixAudio
// fills a device buffer from every playing slot. Pure code: the SDL layer calls mixAudio from
// its audio callback and changes slots only while it holds the device lock.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

inline constexpr int kMixerSlots = 256;
inline constexpr std::int32_t kSilentVolume = -10000;
inline constexpr std::int32_t kPanLeft = -10000;
inline constexpr std::int32_t kPanRight = 10000;
inline constexpr std::int32_t kUnityGain = 1 << 15;

struct MixerSlot {
    std::vector<std::int16_t> frames;  // interleaved left, right
    std::uint32_t frameCount = 0;
    std::uint32_t position = 0;  // next frame to play
    bool loaded = false;
    bool playing = false;
    bool looping = false;
    std::int32_t volume = 0;               // -10000..0
    std::int32_t pan = 0;                  // -10000..10000
    std::int32_t playerGain = kUnityGain;  // the player's volume; kept when a sound is loaded
    std::int32_t gainLeft = kUnityGain;
    std::int32_t gainRight = kUnityGain;
};

struct MixerState {
    std::array<MixerSlot, kMixerSlots> slots{};
};
inline MixerState mixer{};

// Replaces whatever the slot held; frames are interleaved stereo.
void mixerLoad(int id, std::vector<std::int16_t> frames);
void mixerUnloadAll();
bool mixerLoaded(int id);

void mixerPlay(int id, bool loop);  // from the current position
void mixerStop(int id);             // the position stays
void mixerRewind(int id);
void mixerSetPan(int id, std::int32_t pan);        // clamped to -10000..10000
void mixerSetVolume(int id, std::int32_t volume);  // outside -10000..0: refused
// The player's volume for the slot, 0..100 % (clamped), applied after the rules' volume and pan.
void mixerSetPlayerVolume(int id, std::int32_t percent);

// The player's volume law: the gain (on the scale of 32768) grows with the square of the
// percentage, so equal steps sound roughly equally far apart (50 % is about -12 dB).
constexpr std::int32_t playerVolumeGain(std::int32_t percent) {
    const std::int32_t p = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    return kUnityGain * p * p / 10000;
}

// Gain on a scale of 32768 for an attenuation in hundredths of a decibel (0: full, -10000 and
// below: silent).
std::int32_t attenuationGain(std::int32_t hundredthsDb);

// Mixes every playing slot into out (frameCount stereo frames, overwritten), saturating.
void mixAudio(std::int16_t* out, int frameCount);
