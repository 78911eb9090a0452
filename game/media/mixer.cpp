// The mixer of the game's 256 sound slots. Volume and pan are both attenuations in hundredths
// of a decibel, because that is how the game's rules fade and place their sounds: a positive
// pan attenuates the left channel by that much and a negative pan the right one, and -10000
// is silence.
#include "game/media/mixer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

MixerSlot* slotAt(int id) {
    if (id < 0 || id >= kMixerSlots) return nullptr;
    MixerSlot& slot = mixer.slots[static_cast<std::size_t>(id)];
    return slot.loaded ? &slot : nullptr;
}

void updateGains(MixerSlot& slot) {
    const std::int64_t player = slot.playerGain;
    slot.gainLeft =
        static_cast<std::int32_t>(attenuationGain(slot.volume - std::max(0, slot.pan)) * player >> 15);
    slot.gainRight =
        static_cast<std::int32_t>(attenuationGain(slot.volume + std::min(0, slot.pan)) * player >> 15);
}

// Adds the slot's frames into the 32-bit accumulator, wrapping or stopping at the end.
void mixSlot(MixerSlot& slot, std::int32_t* sum, int frameCount) {
    int done = 0;
    while (done < frameCount && slot.playing) {
        if (slot.position >= slot.frameCount) {
            slot.position = 0;
            if (!slot.looping || slot.frameCount == 0) {
                slot.playing = false;
                break;
            }
        }
        const int run = std::min<int>(frameCount - done, static_cast<int>(slot.frameCount - slot.position));
        const std::int16_t* in = slot.frames.data() + 2 * static_cast<std::size_t>(slot.position);
        std::int32_t* acc = sum + 2 * done;
        for (int i = 0; i < run; ++i) {
            acc[2 * i] += (in[2 * i] * slot.gainLeft) >> 15;
            acc[2 * i + 1] += (in[2 * i + 1] * slot.gainRight) >> 15;
        }
        slot.position += static_cast<std::uint32_t>(run);
        done += run;
        if (slot.position >= slot.frameCount && !slot.looping) {
            slot.position = 0;
            slot.playing = false;
        }
    }
}

}  // namespace

std::int32_t attenuationGain(std::int32_t hundredthsDb) {
    if (hundredthsDb <= kSilentVolume) return 0;
    if (hundredthsDb >= 0) return kUnityGain;
    return static_cast<std::int32_t>(std::lround(kUnityGain * std::pow(10.0, hundredthsDb / 2000.0)));
}

void mixerLoad(int id, std::vector<std::int16_t> frames) {
    if (id < 0 || id >= kMixerSlots) return;
    MixerSlot& slot = mixer.slots[static_cast<std::size_t>(id)];
    const std::int32_t playerGain = slot.playerGain;
    slot = MixerSlot{};
    slot.playerGain = playerGain;
    updateGains(slot);
    slot.frameCount = static_cast<std::uint32_t>(frames.size() / 2);
    slot.frames = std::move(frames);
    slot.loaded = true;
}

void mixerUnloadAll() {
    for (MixerSlot& slot : mixer.slots) slot = MixerSlot{};
}

bool mixerLoaded(int id) {
    return slotAt(id) != nullptr;
}

void mixerPlay(int id, bool loop) {
    if (MixerSlot* slot = slotAt(id)) {
        slot->playing = true;
        slot->looping = loop;
    }
}

void mixerStop(int id) {
    if (MixerSlot* slot = slotAt(id)) slot->playing = false;
}

void mixerRewind(int id) {
    if (MixerSlot* slot = slotAt(id)) slot->position = 0;
}

void mixerSetPan(int id, std::int32_t pan) {
    if (MixerSlot* slot = slotAt(id)) {
        slot->pan = std::clamp(pan, kPanLeft, kPanRight);
        updateGains(*slot);
    }
}

void mixerSetVolume(int id, std::int32_t volume) {
    if (volume < kSilentVolume || volume > 0) return;
    if (MixerSlot* slot = slotAt(id)) {
        slot->volume = volume;
        updateGains(*slot);
    }
}

void mixerSetPlayerVolume(int id, std::int32_t percent) {
    if (id < 0 || id >= kMixerSlots) return;
    MixerSlot& slot = mixer.slots[static_cast<std::size_t>(id)];
    slot.playerGain = playerVolumeGain(percent);
    updateGains(slot);
}

void mixAudio(std::int16_t* out, int frameCount) {
    constexpr int kBlock = 512;
    std::int32_t sum[2 * kBlock];
    for (int start = 0; start < frameCount; start += kBlock) {
        const int count = std::min(kBlock, frameCount - start);
        std::fill(sum, sum + 2 * count, 0);
        for (MixerSlot& slot : mixer.slots)
            if (slot.playing) mixSlot(slot, sum, count);
        for (int i = 0; i < 2 * count; ++i)
            out[2 * start + i] = static_cast<std::int16_t>(std::clamp(sum[i], -32768, 32767));
    }
}
