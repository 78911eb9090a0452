// Fuzz target of the RIFF WAVE reader: any bytes, read as a file image. A successful read must
// hand back sample and format bytes that lie within the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "game/media/wave.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WaveSound wave;
    if (readWave(data, size, &wave) == kWaveOk) {
        if (wave.samples.size() > size || wave.formatBytes.size() < 18) std::abort();
        if (wave.format.formatTag == kWavePcm && wave.format.extraSize != 0) std::abort();
        if (wave.formatBytes.size() != 18u + wave.format.extraSize) std::abort();
        isPlayablePcm(wave.format);
    }
    return 0;
}
