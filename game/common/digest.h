// Digests of the game's state, for the replay checkpoints. A record laid out without gaps is
// hashed byte for byte, so a member added to it is covered without anyone having to remember
// it; a record that cannot be (a ring with stale slots, pointers) hashes what it means, and
// pins its own size beside that, so a new member breaks the build until it is hashed too.
#pragma once

#include <cstdint>
#include <type_traits>

#include "scene/fnv1a.h"

template <typename T>
std::uint64_t digestBytes(const T& state, std::uint64_t hash) {
    static_assert(std::has_unique_object_representations_v<T>,
                  "a gap or a floating-point member would put undefined bytes into the digest: lay the "
                  "record out without padding");
    return fnv1a64(&state, sizeof state, hash);
}
