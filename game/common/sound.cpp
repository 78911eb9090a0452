// The game's sound operations. Each checks the two guards every caller relies on (a slot
// without a sound, sound switched off) and then hands the operation to the platform's mixer.
// Ids outside the 256 slots count as empty slots.
#include "game/common/sound.h"

#include "game/common/assets.h"
#include "game/common/game_state.h"
#include "game/common/platform.h"

namespace {

bool soundAllowed(int id) {
    return id >= 0 && id < kSoundSlots && !options.soundMuted && platformSoundLoaded(id);
}

}  // namespace

int initSound() {
    return platformOpenAudio();
}

void releaseSound() {
    platformCloseAudio();
    soundState.loaded.fill(0);
}

void applyPlayerVolumes() {
    for (int id = 0; id < kSoundSlots; ++id) {
        const bool ambient = id >= SoundAmbientFirst && id <= SoundAmbientLast;
        platformSetPlayerVolume(id, ambient ? options.ambientVolume : options.effectsVolume);
    }
}

int loadSound(int id, const char* path) {
    if (id < 0 || id >= kSoundSlots || path == nullptr) return 0;
    if (!platformLoadSound(id, path)) return 0;
    soundState.loaded[static_cast<std::size_t>(id) >> 3] |= static_cast<std::uint8_t>(1u << (id & 7));
    return 1;
}

bool soundIsLoaded(int id) {
    if (id < 0 || id >= kSoundSlots) return false;
    return (soundState.loaded[static_cast<std::size_t>(id) >> 3] >> (id & 7) & 1) != 0;
}

void soundPlay(int id, int loop) {
    if (soundAllowed(id)) platformSound(SoundOp::Play, id, loop ? 1 : 0);
}

void soundStop(int id) {
    if (soundAllowed(id)) platformSound(SoundOp::Stop, id, 0);
}

void soundRewind(int id) {
    if (soundAllowed(id)) platformSound(SoundOp::Rewind, id, 0);
}

void soundSetPan(int id, std::int32_t pan) {
    if (soundAllowed(id)) platformSound(SoundOp::SetPan, id, pan);
}

// Values outside -10000..0 are passed on: the mixer refuses them, as the fades expect.
void soundSetVolume(int id, std::int32_t volume) {
    if (soundAllowed(id)) platformSound(SoundOp::SetVolume, id, volume);
}

void playSoundFromStart(int id) {
    soundStop(id);
    soundRewind(id);
    soundPlay(id, 0);
}

void playSoundPanned(int id, std::int32_t pan) {
    soundStop(id);
    soundSetPan(id, pan);
    soundRewind(id);
    soundPlay(id, 0);
}
