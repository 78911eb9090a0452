// The RIFF WAVE reader: finds the "fmt " and "data" chunks of a file held in memory and hands
// back the format record (18 bytes plus any extra format bytes) and the sample bytes. Pure
// code: the SDL layer and the tests read files through it alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The reader's own error codes; only success or failure matters to the game.
inline constexpr int kWaveOk = 0;
inline constexpr int kWaveNoMemory = 0xE000;
inline constexpr int kWaveCannotOpen = 0xE100;
inline constexpr int kWaveNotWave = 0xE101;
inline constexpr int kWaveShortRead = 0xE102;
inline constexpr int kWaveCorrupt = 0xE103;

inline constexpr std::uint16_t kWavePcm = 1;
inline constexpr std::size_t kWaveMaxFileBytes = 64u << 20;  // far beyond any sound effect

struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;  // 0 for PCM
};

struct WaveSound {
    WaveFormat format;
    std::vector<std::uint8_t> formatBytes;  // the 18-byte record followed by the extra bytes
    std::vector<std::uint8_t> samples;
};

int readWave(const std::uint8_t* data, std::size_t size, WaveSound* out);
int readWaveFile(const char* path, WaveSound* out);

// 8-bit unsigned or 16-bit signed PCM, mono or stereo, with consistent block sizes: the
// formats the mixer can play.
bool isPlayablePcm(const WaveFormat& format);
