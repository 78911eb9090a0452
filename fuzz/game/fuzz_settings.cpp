// Fuzz target of the settings file reader: any bytes as the file's text. What a write makes
// of it must read back as itself, and only ever hold the known values: eight, and a key and a
// gamepad button for each of the player's actions.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/shell/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string once = normaliseSettingsText(text);
    if (normaliseSettingsText(once) != once) std::abort();
    std::size_t lines = 0;
    for (char c : once) lines += c == '\n';
    if (lines > 8 + 2 * kControlActions) std::abort();
    return 0;
}
