// Fuzz target of the game's scene reader: any bytes are read without fault, the title and
// the description stay within their fields, the game gets exactly 1200 cells in file order,
// and an Eat up scene never has random fall.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "scene/scene.h"

static int cellsSeen = 0;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GameSceneSettings settings;
    GameSceneSink sink;
    sink.cell = [](int column, int row, std::uint8_t) {
        if (column != cellsSeen % kSceneColumns || row != cellsSeen++ / kSceneColumns) std::abort();
    };
    cellsSeen = 0;
    readSceneBytesForGame(std::string_view(reinterpret_cast<const char*>(data), size), settings, sink);
    if (cellsSeen != kSceneCells || (settings.objective == EatUp && settings.randomFall != 0)) std::abort();
    if (!std::memchr(settings.title, 0, sizeof settings.title) || !std::memchr(settings.description, 0, 256))
        std::abort();
    return 0;
}
