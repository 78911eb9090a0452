// Fuzz target of the progress file's and the ghost file's readers: any bytes as either. What a
// write makes of a progress text reads back as itself; a ghost that reads writes back byte for
// byte.
#include <cstdlib>

#include "game/screens/progress.h"
#include "game/world/ghost.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string once = progressText(parseProgress(bytes));
    GhostTrack track;
    if (progressText(parseProgress(once)) != once || (parseGhost(bytes, track) && ghostBytes(track) != bytes))
        std::abort();
    return 0;
}
