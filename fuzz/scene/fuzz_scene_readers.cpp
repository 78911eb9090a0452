// Fuzz target of both scene readers: any bytes are read without fault, every text stays within
// its field, the game gets exactly 1200 cells in file order, and a scene the editor read is
// written back into bytes that read as the same scene.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "scene/scene.h"

namespace {

int cellsSeen = 0;

void countCell(int column, int row, std::uint8_t) {
    if (column != cellsSeen % kSceneColumns || row != cellsSeen / kSceneColumns) std::abort();
    ++cellsSeen;
}

void checkGameReader(std::string_view disk) {
    GameSceneSettings settings;
    GameSceneSink sink;
    sink.cell = countCell;
    cellsSeen = 0;
    readSceneBytesForGame(disk, settings, sink);
    if (cellsSeen != kSceneCells) std::abort();
    if (std::memchr(settings.title, 0, sizeof settings.title) == nullptr) std::abort();
    if (std::memchr(settings.description, 0, sizeof settings.description) == nullptr) std::abort();
    if (settings.objective == EatUp && settings.randomFall != 0) std::abort();
}

void checkEditorReader(std::string_view disk) {
    Scene scene;
    readSceneBytes(disk, scene);
    if (scene.title.size() > 254 || scene.description.size() > static_cast<std::size_t>(kDescriptionLimit)) {
        std::abort();
    }
    // A title holding a line end, or one that fills the whole title line read, cannot come back
    // unchanged; every other scene must.
    if (scene.title.size() >= 254 || scene.title.find('\n') != std::string::npos) return;
    if (scene.description.find('\0') != std::string::npos) return;
    Scene again;
    readSceneBytes(sceneDiskBytes(scene), again);
    if (again.title != scene.title || again.description != scene.description || again.grid != scene.grid ||
        again.background != scene.background || again.goalScore != scene.goalScore) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view disk(reinterpret_cast<const char*>(data), size);
    checkGameReader(disk);
    checkEditorReader(disk);
    return 0;
}
