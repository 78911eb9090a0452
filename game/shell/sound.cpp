// The game's sound operations. Each checks the two guards every caller relies on (a slot
// without a sound, sound switched off) and then hands the operation to the platform's mixer.
// Ids outside the 256 slots count as empty slots.
#include "game/shell/sound.h"

#include "game/shell/platform.h"
#include "game/shell/replay.h"
#include "game/shell/shell.h"

namespace {

bool soundAllowed(int id) {
    return id >= 0 && id < kSoundSlots && !shell.soundMuted && platformSoundLoaded(id);
}

}  // namespace

int initSound() {
    return platformOpenAudio();
}

void releaseSound() {
    platformCloseAudio();
}

int loadSound(int id, const char* path) {
    if (id < 0 || id >= kSoundSlots || path == nullptr) return 0;
    return platformLoadSound(id, path);
}

// A replay plays back the sounds that were loaded when it was recorded, device or not: the
// ambient sounds draw their random numbers only for a loaded sound.
bool soundIsLoaded(int id) {
    if (replayPlayback.active)
        return id >= 0 && id < kSoundSlots && bitSet(replayPlayback.replay->soundsLoaded, id);
    return id >= 0 && id < kSoundSlots && platformSoundLoaded(id);
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
