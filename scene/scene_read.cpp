// The editor's and the game's scene readers. Both read the same header; the editor keeps every
// grid byte as it is (codes the editor never writes included), the game hands each cell to its
// conversion rule in file order and keeps its texts in its fixed-size fields.
#include <cstdio>
#include <cstring>

#include "scene/atomic_file.h"
#include "scene/scene.h"
#include "scene/scene_input.h"

using scene_detail::SceneHeader;
using scene_detail::SceneInput;

namespace {

constexpr std::size_t kGamePathBuffer = 256;
constexpr char kScenesFolder[] = "Scenes/";

// Opens a regular file for reading; a folder, a FIFO, a device, a file larger than any scene
// reader takes or a missing file counts as one that cannot be opened.
std::FILE* openSceneFile(const char* path) {
    return openRegularFile(path);
}

void readEditorScene(SceneInput& in, Scene& scene) {
    SceneHeader header;
    std::int32_t numbers[5] = {scene.background, scene.randomFall, scene.fallInterval, scene.objective,
                               scene.goalScore};
    scene_detail::readSceneHeader(in, header, numbers);
    scene.title = header.title;
    scene.background = numbers[0];
    scene.randomFall = numbers[1];
    scene.fallInterval = numbers[2];
    scene.objective = numbers[3];
    scene.goalScore = numbers[4];
    if (scene.objective == EatUp) scene.randomFall = 0;
    scene.description = header.description;
    // The file holds the cells row by row; memory holds them column by column.
    for (int row = 0; row < kSceneRows; ++row) {
        for (int column = 0; column < kSceneColumns; ++column) {
            scene.grid[static_cast<std::size_t>(sceneCellIndex(column, row))] = scene_detail::getGridByte(in);
        }
    }
}

// The rest of the buffer is zeroed too, so the settings' bytes depend on this file alone and
// not on the title of a scene read before it (replay checkpoints hash them).
void copyBounded(char* target, std::size_t capacity, const std::string& text) {
    std::size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(target, text.data(), length);
    std::memset(target + length, 0, capacity - length);
}

void readGameScene(SceneInput& in, GameSceneSettings& settings, const GameSceneSink& sink) {
    SceneHeader header;
    std::int32_t numbers[5] = {settings.background, settings.randomFall, settings.fallInterval,
                               settings.objective, settings.goalScore};
    scene_detail::readSceneHeader(in, header, numbers);
    copyBounded(settings.title, sizeof settings.title, header.title);
    settings.background = numbers[0];
    settings.randomFall = numbers[1];
    settings.fallInterval = numbers[2];
    settings.objective = numbers[3];
    settings.goalScore = numbers[4];
    if (settings.objective == EatUp) settings.randomFall = 0;
    copyBounded(settings.description, sizeof settings.description, header.description);
    if (sink.resetCells != nullptr) sink.resetCells();
    for (int row = 0; row < kSceneRows; ++row) {
        for (int column = 0; column < kSceneColumns; ++column) {
            std::uint8_t code = scene_detail::getGridByte(in);
            if (sink.cell != nullptr) sink.cell(column, row, code);
        }
    }
}

}  // namespace

bool readSceneFile(const char* path, Scene& scene) {
    std::FILE* file = openSceneFile(path);
    if (file == nullptr) return false;
    SceneInput in;
    in.file = file;
    readEditorScene(in, scene);
    std::fclose(file);
    return true;
}

void readSceneBytes(std::string_view disk, Scene& scene) {
    SceneInput in;
    in.memory = disk;
    readEditorScene(in, scene);
}

bool readSceneForGame(const char* fileName, GameSceneSettings& settings, const GameSceneSink& sink) {
    if (fileName == nullptr) return false;
    // The path must fit the game's 256-byte buffer with its NUL; a longer one reads nothing.
    std::size_t length = std::strlen(fileName);
    if (sizeof kScenesFolder - 1 + length + 1 > kGamePathBuffer) return false;
    char path[kGamePathBuffer];
    std::memcpy(path, kScenesFolder, sizeof kScenesFolder - 1);
    std::memcpy(path + sizeof kScenesFolder - 1, fileName, length + 1);
    return readSceneFileForGame(path, settings, sink);
}

bool readSceneFileForGame(const char* path, GameSceneSettings& settings, const GameSceneSink& sink) {
    std::FILE* file = openSceneFile(path);
    if (file == nullptr) return false;
    SceneInput in;
    in.file = file;
    readGameScene(in, settings, sink);
    std::fclose(file);
    return true;
}

void readSceneBytesForGame(std::string_view disk, GameSceneSettings& settings, const GameSceneSink& sink) {
    SceneInput in;
    in.memory = disk;
    readGameScene(in, settings, sink);
}
