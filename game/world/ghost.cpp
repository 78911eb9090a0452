// The ghost's track: taken down from the live worm after every frame it moved, played back one
// entry per frame the player's worm moves (so the two race from their own first move, and a
// pause or a lost life holds the ghost too), and kept in a small checked file.
#include "game/world/ghost.h"

#include "game/common/assets.h"
#include "game/world/world.h"
#include "render/blit.h"
#include "scene/fnv1a.h"

namespace {

constexpr char kGhostTag[8] = {'M', 'T', 'G', 'H', 'O', 'S', 'T', '1'};
constexpr std::int32_t kGhostAlpha = 120;  // faint: the player's own worm must stay the clear one
constexpr std::int16_t kLowest = -kCellSize;
constexpr std::int16_t kHighest = kFieldColumns * kCellSize;

void putU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}

std::uint64_t readLittle(std::string_view bytes, std::size_t at, int size) {
    std::uint64_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

// The worm of one frame at `at`: its length is 1..kMaxSegments and every position lies on the
// field or in its wrap seam. The entry's size, or 0 for a damaged one.
std::size_t soundEntry(const std::vector<std::int16_t>& data, std::size_t at) {
    if (at >= data.size() || data[at] < 1 || data[at] > kMaxSegments) return 0;
    const std::size_t size = 1 + 2 * static_cast<std::size_t>(data[at]);
    if (at + size > data.size()) return 0;
    for (std::size_t i = at + 1; i < at + size; ++i)
        if (data[i] < kLowest || data[i] > kHighest) return 0;
    return size;
}

}  // namespace

void restartGhost() {
    ghost.at = 0;
    ghost.now = 0;
    ghost.capture = GhostTrack{};
}

void stepGhost() {
    GhostTrack& c = ghost.capture;
    if (c.frames < kGhostMaxFrames) {
        c.data.push_back(static_cast<std::int16_t>(world.length));
        for (int i = 0; i < world.length; ++i) {
            c.data.push_back(static_cast<std::int16_t>(world.segX[i]));
            c.data.push_back(static_cast<std::int16_t>(world.segY[i]));
        }
        c.frames += 1;
    }
    if (ghost.now + 1 < ghost.best.frames) {
        ghost.at += 1 + 2 * static_cast<std::size_t>(ghost.best.data[ghost.at]);
        ghost.now += 1;
    }
}

void drawGhost() {
    if (!ghost.shown || ghost.best.frames == 0) return;
    const std::vector<std::int16_t>& d = ghost.best.data;
    for (std::int16_t i = 0; i < d[ghost.at]; ++i)
        blitKeyedBlend(d[ghost.at + 1 + 2 * i], d[ghost.at + 2 + 2 * i], assets.ghost, kGhostAlpha);
}

std::string ghostBytes(const GhostTrack& track) {
    std::string out(kGhostTag, sizeof kGhostTag);
    putU32(out, track.frames);
    putU32(out, static_cast<std::uint32_t>(track.data.size()));
    for (std::int16_t v : track.data) {
        out.push_back(static_cast<char>(v & 0xFF));
        out.push_back(static_cast<char>(static_cast<std::uint16_t>(v) >> 8));
    }
    const std::uint64_t sum = fnv1a64(out.data(), out.size());
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>(sum >> (8 * i) & 0xFF));
    return out;
}

bool parseGhost(std::string_view bytes, GhostTrack& track) {
    constexpr std::size_t kHead = sizeof kGhostTag + 8;
    if (bytes.size() < kHead + 8 || bytes.substr(0, sizeof kGhostTag) != std::string_view(kGhostTag, 8))
        return false;
    const auto frames = static_cast<std::uint32_t>(readLittle(bytes, 8, 4));
    const std::uint64_t values = readLittle(bytes, 12, 4);
    if (frames > kGhostMaxFrames || kHead + 2 * values + 8 != bytes.size()) return false;
    if (fnv1a64(bytes.data(), bytes.size() - 8) != readLittle(bytes, bytes.size() - 8, 8)) return false;
    GhostTrack read;
    read.frames = frames;
    read.data.resize(values);
    for (std::size_t i = 0; i < values; ++i)
        read.data[i] = static_cast<std::int16_t>(readLittle(bytes, kHead + 2 * i, 2));
    std::size_t at = 0;
    for (std::uint32_t f = 0; f < frames; ++f) {
        const std::size_t size = soundEntry(read.data, at);
        if (size == 0) return false;
        at += size;
    }
    if (at != read.data.size()) return false;
    track = std::move(read);
    return true;
}
