// Writing and strictly reading replay files. Every count in a file is checked against the
// bytes that remain before anything is reserved for it, so a damaged or hostile file costs no
// more memory than its own size, which is capped before it is read.
#include "game/replay/replay_file.h"

#include <cstring>

#include "scene/atomic_file.h"

namespace {

void putU8(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
}
void putU16(std::string& out, std::uint32_t v) {
    putU8(out, v);
    putU8(out, v >> 8);
}
void putU32(std::string& out, std::uint32_t v) {
    putU16(out, v);
    putU16(out, v >> 16);
}
void putU64(std::string& out, std::uint64_t v) {
    putU32(out, static_cast<std::uint32_t>(v));
    putU32(out, static_cast<std::uint32_t>(v >> 32));
}
void putVarint(std::string& out, std::uint32_t v) {
    while (v >= 0x80) {
        putU8(out, (v & 0x7F) | 0x80);
        v >>= 7;
    }
    putU8(out, v);
}

void putInputs(std::string& out, const std::vector<ReplayInput>& inputs) {
    std::string stream;
    std::uint32_t frame = 0;
    for (const ReplayInput& input : inputs) {
        putVarint(stream, input.frame - frame);
        frame = input.frame;
        putU8(stream, input.kind);
        if (input.kind == ReplayInput::Press || input.kind == ReplayInput::Release)
            putU8(stream, input.scanCode);
        if (input.kind == ReplayInput::Clock) putVarint(stream, input.value);
    }
    putU32(out, static_cast<std::uint32_t>(inputs.size()));
    putU32(out, static_cast<std::uint32_t>(stream.size()));
    out += stream;
}

// A cursor over the file that fails once and stays failed with the first message.
struct Reader {
    std::string_view bytes;
    std::size_t at = 0;
    std::string error;

    bool fail(const char* message) {
        if (error.empty()) error = message;
        return false;
    }
    std::size_t left() const { return bytes.size() - at; }
    bool take(std::size_t n, const unsigned char** p) {
        if (!error.empty()) return false;
        if (n > left()) return fail("the file is truncated");
        *p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
        at += n;
        return true;
    }
    std::uint64_t number(int size) {
        const unsigned char* p = nullptr;
        if (!take(static_cast<std::size_t>(size), &p)) return 0;
        std::uint64_t v = 0;
        for (int i = size - 1; i >= 0; --i) v = v << 8 | p[i];
        return v;
    }
    std::uint8_t u8() { return static_cast<std::uint8_t>(number(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(number(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(number(4)); }
    std::uint64_t u64() { return number(8); }
    std::uint32_t varint() {
        std::uint32_t v = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            const std::uint8_t b = u8();
            if (shift == 28 && b > 0x0F) {
                fail("the key events are damaged");
                return 0;
            }
            // One way of writing each number: a closing byte of 0 after others is refused.
            if (shift > 0 && b == 0) {
                fail("the key events are damaged");
                return 0;
            }
            v |= static_cast<std::uint32_t>(b & 0x7F) << shift;
            if ((b & 0x80) == 0) return v;
        }
        return v;
    }
    void bits(std::array<std::uint8_t, 32>& out) {
        const unsigned char* p = nullptr;
        if (take(out.size(), &p)) std::memcpy(out.data(), p, out.size());
    }
    void text(std::string& out, std::size_t size) {
        const unsigned char* p = nullptr;
        if (take(size, &p)) out.assign(reinterpret_cast<const char*>(p), size);
    }
};

bool readHeader(Reader& in, Replay& replay) {
    const unsigned char* tag = nullptr;
    if (in.left() < sizeof kReplayTag || std::memcmp(in.bytes.data(), kReplayTag, sizeof kReplayTag) != 0)
        return in.fail("not a MunchTrail replay");
    in.take(sizeof kReplayTag, &tag);
    const std::uint16_t version = in.u16();
    if (in.error.empty() && version > kReplayFormatVersion)
        return in.fail("the replay was made by a newer MunchTrail; this one reads format 2");
    if (in.error.empty() && version == 1)
        return in.fail(
            "the replay was recorded by an older MunchTrail (format 1), whose checkpoints "
            "this one cannot check; record the game again");
    if (in.error.empty() && version == 0) return in.fail("the replay is damaged (format 0)");
    replay.programVersion = in.u16();
    replay.framesPerSecond = in.u32();
    replay.soundMuted = in.u8();
    in.bits(replay.soundsLoaded);
    in.bits(replay.keysHeld);
    replay.sceneSeed = in.u32();
    replay.startSeed = in.u32();
    replay.startClock = in.u32();
    replay.startHiScore = in.u32();
    if (in.error.empty() && replay.framesPerSecond != 15 && replay.framesPerSecond != 20 &&
        replay.framesPerSecond != 25)
        return in.fail("the replay is damaged (frame rate)");
    return in.error.empty() && (replay.soundMuted <= 1 || in.fail("the replay is damaged (sound flag)"));
}

bool readScene(Reader& in, Replay& replay) {
    const std::uint32_t nameSize = in.u8();
    if (in.error.empty() && nameSize == 0) return in.fail("the replay is damaged (scene name)");
    in.text(replay.sceneName, nameSize);
    const std::uint32_t sceneSize = in.u32();
    if (in.error.empty() && sceneSize > kReplayMaxSceneBytes)
        return in.fail("the replay's scene is implausibly large");
    in.text(replay.sceneBytes, sceneSize);
    for (char c : replay.sceneName)
        if (c == '/' || c == '\0') return in.fail("the replay is damaged (scene name)");
    return in.error.empty();
}

bool readInputs(Reader& in, Replay& replay) {
    replay.frameCount = in.u32();
    if (in.error.empty() && replay.frameCount > kReplayMaxFrames)
        return in.fail("the replay claims implausibly many frames");
    const std::uint32_t count = in.u32();
    const std::uint32_t streamSize = in.u32();
    // Each event takes at least two bytes of the stream, the stream no more than the file.
    if (in.error.empty() && (streamSize > in.left() || count > streamSize / 2))
        return in.fail("the file is truncated");
    if (!in.error.empty()) return false;  // nothing is reserved on a count that was not checked
    replay.inputs.reserve(count);
    const std::size_t end = in.at + streamSize;
    std::uint32_t frame = 0;
    for (std::uint32_t i = 0; i < count && in.error.empty(); ++i) {
        ReplayInput input;
        const std::uint32_t step = in.varint();
        if (step > replay.frameCount - frame) return in.fail("the key events are damaged");
        frame += step;
        input.frame = frame;
        const std::uint8_t kind = in.u8();
        if (kind > ReplayInput::Clock) return in.fail("the key events are damaged");
        input.kind = static_cast<ReplayInput::Kind>(kind);
        if (kind <= ReplayInput::Press) input.scanCode = in.u8();
        if (kind == ReplayInput::Clock) input.value = in.varint();
        replay.inputs.push_back(input);
    }
    if (in.error.empty() && in.at != end) return in.fail("the key events are damaged");
    return in.error.empty();
}

bool readResult(Reader& in, Replay& replay) {
    const std::uint32_t count = in.u32();
    if (in.error.empty() && count != replay.frameCount / kCheckpointInterval)
        return in.fail("the replay is damaged (checkpoints)");
    if (in.error.empty() && count > in.left() / 8) return in.fail("the file is truncated");
    if (!in.error.empty()) return false;
    replay.checkpoints.reserve(count);
    for (std::uint32_t i = 0; i < count && in.error.empty(); ++i) replay.checkpoints.push_back(in.u64());
    const std::uint8_t outcome = in.u8();
    if (in.error.empty() && outcome > static_cast<std::uint8_t>(ReplayOutcome::Quit))
        return in.fail("the replay is damaged (outcome)");
    replay.outcome = static_cast<ReplayOutcome>(outcome);
    replay.score = in.u32();
    replay.hiScore = in.u32();
    replay.finalDigest = in.u64();
    return in.error.empty();
}

}  // namespace

std::string replayBytes(const Replay& replay) {
    std::string out(kReplayTag, sizeof kReplayTag);
    putU16(out, kReplayFormatVersion);
    putU16(out, replay.programVersion);
    putU32(out, replay.framesPerSecond);
    putU8(out, replay.soundMuted);
    out.append(reinterpret_cast<const char*>(replay.soundsLoaded.data()), replay.soundsLoaded.size());
    out.append(reinterpret_cast<const char*>(replay.keysHeld.data()), replay.keysHeld.size());
    for (std::uint32_t v : {replay.sceneSeed, replay.startSeed, replay.startClock, replay.startHiScore})
        putU32(out, v);
    putU8(out, static_cast<std::uint32_t>(replay.sceneName.size()));
    out += replay.sceneName;
    putU32(out, static_cast<std::uint32_t>(replay.sceneBytes.size()));
    out += replay.sceneBytes;
    putU32(out, replay.frameCount);
    putInputs(out, replay.inputs);
    putU32(out, static_cast<std::uint32_t>(replay.checkpoints.size()));
    for (std::uint64_t digest : replay.checkpoints) putU64(out, digest);
    putU8(out, static_cast<std::uint32_t>(replay.outcome));
    putU32(out, replay.score);
    putU32(out, replay.hiScore);
    putU64(out, replay.finalDigest);
    putU64(out, fnv1a64(out.data(), out.size()));
    return out;
}

bool parseReplay(std::string_view bytes, Replay& replay, std::string& error) {
    replay = Replay{};
    Reader in{bytes, 0, {}};
    if (bytes.size() > kReplayMaxFileBytes) in.fail("the file is implausibly large for a replay");
    const bool read =
        readHeader(in, replay) && readScene(in, replay) && readInputs(in, replay) && readResult(in, replay);
    if (read && in.left() != 8)
        in.fail(in.left() < 8 ? "the file is truncated" : "the replay is damaged (trailing bytes)");
    if (in.error.empty() && in.u64() != fnv1a64(bytes.data(), bytes.size() - 8))
        in.fail("the replay is damaged (check sum)");
    error = in.error;
    if (!error.empty()) replay = Replay{};
    return error.empty();
}

bool readReplayFile(const std::string& path, Replay& replay, std::string& error) {
    std::string bytes, reason;
    if (!readRegularFile(path.c_str(), bytes, reason, kReplayMaxFileBytes)) {
        error = "cannot open " + path + " (" + reason + ")";
        return false;
    }
    return parseReplay(bytes, replay, error);
}

bool looksLikeReplay(const std::string& path) {
    std::string bytes, reason;
    return readRegularFile(path.c_str(), bytes, reason, kReplayMaxFileBytes) &&
           bytes.size() >= sizeof kReplayTag && std::memcmp(bytes.data(), kReplayTag, sizeof kReplayTag) == 0;
}

bool writeReplayFile(const std::string& path, const Replay& replay, std::string& error) {
    const FileWrite written = writeFileAtomically(path, replayBytes(replay));
    if (!written.ok) error = path + ": " + written.reason;
    return written.ok;
}
