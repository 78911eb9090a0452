// RIFF WAVE reading on a memory image of the file. It follows the chunk walk of the
// multimedia file functions the game was first written for: the first chunk must be
// "RIFF"/"WAVE", "fmt " is searched from the form type on, the format is read (with its extra
// bytes for anything but PCM), and "data" is searched again from the form type on. Reads may
// run past the end of a chunk but never past the end of the file; every chunk size is checked
// against what the file really holds.
#include "game/media/wave.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
};

std::uint16_t read16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t read32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

struct Chunk {
    std::size_t dataStart = 0;  // offset of the chunk's first data byte
    std::uint32_t size = 0;
};

// Walks the chunks between from and end (the parent's end) looking for id; chunks are padded
// to even sizes. False when the walk leaves the parent or the file first.
bool findChunk(const Reader& file, std::size_t from, std::size_t end, const char* id, Chunk* out) {
    std::size_t at = from;
    while (at + 8 <= end) {
        const std::uint32_t size = read32(file.data + at + 4);
        if (std::memcmp(file.data + at, id, 4) == 0) {
            *out = {at + 8, size};
            return true;
        }
        const std::size_t next = at + 8 + static_cast<std::size_t>(size) + (size & 1u);
        if (next <= at) return false;
        at = next;
    }
    return false;
}

int readFormat(const Reader& file, const Chunk& fmt, WaveSound* out) {
    if (fmt.size < 16) return kWaveNotWave;
    if (fmt.dataStart + 16 > file.size) return kWaveShortRead;
    const std::uint8_t* p = file.data + fmt.dataStart;
    WaveFormat& f = out->format;
    f = {read16(p), read16(p + 2), read32(p + 4), read32(p + 8), read16(p + 12), read16(p + 14), 0};
    std::size_t at = fmt.dataStart + 16;
    if (f.formatTag != kWavePcm) {
        if (at + 2 > file.size) return kWaveShortRead;
        f.extraSize = read16(file.data + at);
        at += 2;
    }
    if (at + f.extraSize > file.size) return kWaveNotWave;
    out->formatBytes.assign(p, p + 16);
    out->formatBytes.push_back(static_cast<std::uint8_t>(f.extraSize & 0xFF));
    out->formatBytes.push_back(static_cast<std::uint8_t>(f.extraSize >> 8));
    out->formatBytes.insert(out->formatBytes.end(), file.data + at, file.data + at + f.extraSize);
    return kWaveOk;
}

}  // namespace

int readWave(const std::uint8_t* data, std::size_t size, WaveSound* out) {
    *out = WaveSound{};
    const Reader file{data, size};
    if (data == nullptr || size < 12) return kWaveNotWave;
    if (std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) return kWaveNotWave;
    // A RIFF size larger than the file is cut to the file: the chunk walk stops at the end.
    const std::size_t riffEnd = std::min<std::size_t>(size, 8 + static_cast<std::size_t>(read32(data + 4)));
    Chunk fmt;
    if (!findChunk(file, 12, riffEnd, "fmt ", &fmt)) return kWaveNotWave;
    const int result = readFormat(file, fmt, out);
    if (result != kWaveOk) return result;
    Chunk samples;
    if (!findChunk(file, 12, riffEnd, "data", &samples)) return kWaveNotWave;
    if (samples.size > size - samples.dataStart) return kWaveCorrupt;
    out->samples.assign(data + samples.dataStart, data + samples.dataStart + samples.size);
    return kWaveOk;
}

int readWaveFile(const char* path, WaveSound* out) {
    *out = WaveSound{};
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (file == nullptr) return kWaveCannotOpen;
    std::vector<std::uint8_t> bytes;
    std::uint8_t block[65536];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        if (bytes.size() + got > kWaveMaxFileBytes) {
            std::fclose(file);
            return kWaveNoMemory;
        }
        bytes.insert(bytes.end(), block, block + got);
    }
    std::fclose(file);
    return readWave(bytes.data(), bytes.size(), out);
}

bool isPlayablePcm(const WaveFormat& f) {
    if (f.formatTag != kWavePcm) return false;
    if (f.channels != 1 && f.channels != 2) return false;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
    if (f.samplesPerSec < 1000 || f.samplesPerSec > 192000) return false;
    return f.blockAlign == f.channels * f.bitsPerSample / 8;
}
