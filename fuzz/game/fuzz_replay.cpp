// Fuzz target of the replay reader: any bytes as a replay file, with the closing check sum
// made right first so the fuzzer gets past it into the fields. What reads must write back to
// the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/replay/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.size() >= 8) {
        std::uint64_t sum = fnv1a64(bytes.data(), bytes.size() - 8);
        for (std::size_t i = bytes.size() - 8; i < bytes.size(); ++i, sum >>= 8)
            bytes[i] = static_cast<char>(sum);
    }
    Replay replay;
    std::string error;
    if (parseReplay(bytes, replay, error) && replayBytes(replay) != bytes) std::abort();
    if (!parseReplay(bytes, replay, error) && error.empty()) std::abort();
    return 0;
}
