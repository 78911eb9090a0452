// Fuzz target of the RIFF WAVE reader: any bytes, read as a file image. A successful read must
// hand back sample and format bytes that lie within the input. The seeds are files it reads
// (chunks in any order) and damaged ones it refuses (bad-*).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "game/media/wave.h"

int fuzzAccepted = -1;  // for the seed replay: whether the last file was read

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WaveSound wave;
    fuzzAccepted = readWave(data, size, &wave) == kWaveOk;
    if (fuzzAccepted) {
        if (wave.samples.size() > size || wave.formatBytes.size() < 18) std::abort();
        if (wave.format.formatTag == kWavePcm && wave.format.extraSize != 0) std::abort();
        if (wave.formatBytes.size() != 18u + wave.format.extraSize) std::abort();
        isPlayablePcm(wave.format);
    }
    return 0;
}
