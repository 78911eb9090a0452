// The sound device on SDL2: 16-bit stereo at 22,050 Hz preferred, any rate the device offers
// otherwise (SDL converts the format and channels for us), and no device means a silent game.
// The mixer runs in SDL's audio callback; every change to a slot holds the device lock.
#include <cstring>
#include <vector>

#include "game/common/platform.h"
#include "game/media/mixer.h"
#include "game/media/wave.h"
#include "game/platform/sdl/sdl_state.h"

namespace {

struct SdlAudio {
    SDL_AudioDeviceID device = 0;
    int rate = 22050;
};
SdlAudio sdlAudio{};

void mixCallback(void*, Uint8* stream, int bytes) {
    mixAudio(reinterpret_cast<std::int16_t*>(stream), bytes / 4);
}

// The wave's samples as stereo 16-bit frames at the device rate; empty when SDL cannot
// convert them.
std::vector<std::int16_t> toDeviceFrames(const WaveSound& wave) {
    const WaveFormat& f = wave.format;
    const SDL_AudioFormat from = f.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, from, static_cast<Uint8>(f.channels), static_cast<int>(f.samplesPerSec),
                          AUDIO_S16SYS, 2, sdlAudio.rate) < 0)
        return {};
    const std::size_t bytes = wave.samples.size() - wave.samples.size() % f.blockAlign;
    std::vector<std::uint8_t> buffer(bytes * static_cast<std::size_t>(cvt.len_mult) + 16);
    std::memcpy(buffer.data(), wave.samples.data(), bytes);
    cvt.buf = buffer.data();
    cvt.len = static_cast<int>(bytes);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return {};
    const std::size_t converted = cvt.needed ? static_cast<std::size_t>(cvt.len_cvt) : bytes;
    std::vector<std::int16_t> frames(converted / 4 * 2);
    std::memcpy(frames.data(), buffer.data(), frames.size() * 2);
    return frames;
}

}  // namespace

int platformOpenAudio() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    SDL_AudioSpec want{};
    want.freq = 22050;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 512;
    want.callback = mixCallback;
    SDL_AudioSpec have{};
    sdlAudio.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (sdlAudio.device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    sdlAudio.rate = have.freq;
    SDL_PauseAudioDevice(sdlAudio.device, 0);
    return 1;
}

void platformCloseAudio() {
    if (sdlAudio.device != 0) {
        SDL_CloseAudioDevice(sdlAudio.device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    sdlAudio = SdlAudio{};
    mixerUnloadAll();
}

int platformLoadSound(int id, const char* path) {
    if (sdlAudio.device == 0) return 0;
    WaveSound wave;
    if (readWaveFile(path, &wave) != kWaveOk || !isPlayablePcm(wave.format)) return 0;
    std::vector<std::int16_t> frames = toDeviceFrames(wave);
    if (frames.empty() && !wave.samples.empty()) return 0;
    SDL_LockAudioDevice(sdlAudio.device);
    mixerLoad(id, std::move(frames));
    SDL_UnlockAudioDevice(sdlAudio.device);
    return 1;
}

bool platformSoundLoaded(int id) {
    return sdlAudio.device != 0 && mixerLoaded(id);
}

void platformSetPlayerVolume(int id, std::int32_t percent) {
    if (sdlAudio.device == 0) return;
    SDL_LockAudioDevice(sdlAudio.device);
    mixerSetPlayerVolume(id, percent);
    SDL_UnlockAudioDevice(sdlAudio.device);
}

void platformSound(SoundOp op, int id, std::int32_t value) {
    if (sdlAudio.device == 0) return;
    SDL_LockAudioDevice(sdlAudio.device);
    switch (op) {
        case SoundOp::Play: mixerPlay(id, value != 0); break;
        case SoundOp::Stop: mixerStop(id); break;
        case SoundOp::Rewind: mixerRewind(id); break;
        case SoundOp::SetPan: mixerSetPan(id, value); break;
        case SoundOp::SetVolume: mixerSetVolume(id, value); break;
    }
    SDL_UnlockAudioDevice(sdlAudio.device);
}
