// The sound operations of the game. Every one does nothing when the slot has no sound or
// options.soundMuted is set. Volumes are hundredths of a decibel (-10000..0; other values are
// refused and leave the volume as it was), pans -10000 (left) .. 10000 (right).
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kSoundSlots = 256;

struct SoundState {
    // Bit n: slot n was given its sound at start. The rules ask this, not the device (the
    // ambient sounds draw their random numbers only for a loaded sound), so a replay restores
    // it as it restores the rest of the state, with a device or without.
    std::array<std::uint8_t, kSoundSlots / 8> loaded{};
};
inline SoundState soundState{};
inline void resetSoundState() {
    soundState = SoundState{};
}

int initSound();  // 1 when a device is open; the game runs silent without one
void releaseSound();
// Hands the player's two volumes (options) to every slot: the ambient sounds take the ambient
// one, all others the effects'. After loading and whenever the options screen changes them.
void applyPlayerVolumes();
int loadSound(int id, const char* path);  // 1 on success
bool soundIsLoaded(int id);

void soundPlay(int id, int loop);  // from the current position
void soundStop(int id);            // the position stays
void soundRewind(int id);
void soundSetPan(int id, std::int32_t pan);
void soundSetVolume(int id, std::int32_t volume);

// Stop, rewind and play once: a sound still playing restarts from its beginning.
void playSoundFromStart(int id);
// Stop, pan, rewind and play once.
void playSoundPanned(int id, std::int32_t pan);
