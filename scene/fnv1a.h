// FNV-1a, 64 bits: the one hash of the programs' digests and file checks (replay files, game
// digests, frame hashes, scene identities). Not for secrets: it only has to tell changed bytes
// from unchanged ones.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
inline constexpr std::uint64_t kFnvPrime = 1099511628211ull;

inline std::uint64_t fnv1a64(const void* data, std::size_t size, std::uint64_t hash = kFnvOffset) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * kFnvPrime;
    return hash;
}

// The same mixing a 32-bit word at a time: the frame hashes, which fold whole pixels.
inline std::uint64_t fnv1a64Words(const std::uint32_t* words, std::size_t count,
                                  std::uint64_t hash = kFnvOffset) {
    for (std::size_t i = 0; i < count; ++i) hash = (hash ^ words[i]) * kFnvPrime;
    return hash;
}
