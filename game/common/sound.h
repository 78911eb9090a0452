// The sound operations of the game. Every one does nothing when the slot has no sound or
// shell.soundMuted is set. Volumes are hundredths of a decibel (-10000..0; other values are
// refused and leave the volume as it was), pans -10000 (left) .. 10000 (right).
#pragma once

#include <array>
#include <cstdint>

inline constexpr int kSoundSlots = 256;

struct SoundState {
    // While a replay plays back, the slots read as loaded exactly as they were when it was
    // recorded (bit n: slot n), device or not: the ambient sounds draw their random numbers
    // only for a loaded sound. Null otherwise.
    const std::array<std::uint8_t, 32>* recordedSlots = nullptr;
};
inline SoundState soundState{};

int initSound();  // 1 when a device is open; the game runs silent without one
void releaseSound();
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
