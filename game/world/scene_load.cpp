// Loading a scene into the game world: the game's reader hands over the settings and then the
// 1200 cells in file order, and each cell is converted into the playfield here. Filling happens
// once per scene (the selection screen reads the scene it shows); a lost life never refills.
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <string_view>

#include "game/common/random.h"
#include "game/world/world.h"
#include "scene/scene.h"

namespace {

void copySettings(const GameSceneSettings& settings) {
    world.scene = settings;
    world.scene.title[sizeof world.scene.title - 1] = '\0';
    world.scene.description[sizeof world.scene.description - 1] = '\0';
    // Nothing may fall into an Eat-up scene, or it could never be finished.
    if (world.scene.objective == EatUp) world.scene.randomFall = 0;
}

}  // namespace

void resetPlayfield() {
    world.cells.fill(Empty);
    world.cellEffect.fill(EffectNone);
    world.fallHeight.fill(0);
    world.effectAge.fill(0);
    world.stoneQueue.fill(StoneEntry{});
    world.stoneRead = 0;
    world.stoneWrite = 0;
    // A scene without a start or an exit cell gets the corner, not the cell of the scene read
    // before it: what a game starts from depends on its own scene alone, so its replay holds.
    world.startCol = world.startRow = 0;
    world.exitCol = world.exitRow = 0;
}

void fillPlayfield(int column, int row, std::uint8_t sceneCell) {
    if (column < 0 || column >= kFieldColumns || row < 0 || row >= kFieldRows) return;
    std::uint8_t& cell = world.cells[cellIndex(column, row)];
    switch (sceneCell) {
        case RedBean:
        case OrangeBean:
        case GreenBean:
        case BlueBean:
        case PurpleBean: cell = sceneCell; break;
        case StoneBean:
            cell = Stone;
            queueStone(column, row);
            break;
        case StartPoint:
            cell = Empty;
            world.startCol = column;
            world.startRow = row;
            break;
        case ExitPoint:
            cell = Exit;
            world.exitCol = column;
            world.exitRow = row;
            break;
        // The colour is drawn at the cell's turn in file order, so a seed gives one field.
        case RandomBean: cell = static_cast<std::uint8_t>(gameRand() % 5); break;
        default: cell = Empty; break;
    }
}

namespace {

// The reader fills a copy of the settings; the world takes them only from a file that opened,
// so a missing file leaves the previous scene in force. The copy starts from the scene in
// force, so a number that cannot be read keeps its previous value.
GameSceneSettings settingsInForce() {
    return world.scene;
}

GameSceneSink worldSink() {
    GameSceneSink sink;
    sink.resetCells = resetPlayfield;
    sink.cell = fillPlayfield;
    return sink;
}

// The origin is noted only for a file that opened, as the scene itself is.
bool loadAndNote(bool (*read)(const char*, GameSceneSettings&, const GameSceneSink&), const char* path,
                 const std::string& origin) {
    const std::uint32_t seed = randomState.state;
    GameSceneSettings settings = settingsInForce();
    if (!read(path, settings, worldSink())) return false;
    copySettings(settings);
    sceneOrigin = SceneOrigin{origin, seed};
    return true;
}

}  // namespace

void loadScene(const char* fileName) {
    loadAndNote(readSceneForGame, fileName, std::string("Scenes/") + fileName);
}

bool loadSceneFile(const char* path) {
    struct stat info {};
    if (stat(path, &info) != 0 || info.st_size == 0) return false;  // an empty file holds no scene
    return loadAndNote(readSceneFileForGame, path, path);
}

void loadSceneBytes(std::string_view bytes) {
    GameSceneSettings settings = settingsInForce();
    readSceneBytesForGame(bytes, settings, worldSink());
    copySettings(settings);
}
