// Beans that come from the sky and the animations that run on cells: the random fall with its
// frame counter and candidate scan, the fall of a dropped bean through the air onto the pond
// floor with its splashes, beans materialising on revived stones, the score pop-ups and the
// vanishing segments of a halved worm. The drawing passes call the advance functions once per
// drawn frame, so the animations also run behind the life-lost and closing screens.
#include <array>
#include <cstdint>

#include "game/common/assets.h"
#include "game/common/game_state.h"
#include "game/common/random.h"
#include "game/common/sound.h"
#include "game/world/pond.h"
#include "game/world/world.h"

namespace {

// The candidate cells of one drop, in scan order; fixed storage, nothing allocated in play.
struct DropCandidates {
    std::array<std::uint8_t, kFieldCells> column{};
    std::array<std::uint8_t, kFieldCells> row{};
    int count = 0;
};
DropCandidates candidates;

void listEmptyCells() {
    candidates.count = 0;
    for (int row = 0; row < kFieldRows; ++row) {
        for (int column = 0; column < kFieldColumns; ++column) {
            if (world.cells[cellIndex(column, row)] != Empty) continue;
            candidates.column[candidates.count] = static_cast<std::uint8_t>(column);
            candidates.row[candidates.count] = static_cast<std::uint8_t>(row);
            candidates.count += 1;
        }
    }
}

}  // namespace

void dropRandomBean(int colour) {
    if (world.scene.randomFall == 0) return;
    const std::int64_t n = world.fallCounter;
    world.fallCounter += 1;
    if (n < static_cast<std::int64_t>(options.framesPerSecond) * world.scene.fallInterval) return;
    world.fallCounter = 0;
    listEmptyCells();
    if (candidates.count == 0) return;
    const int pick = gameRand() % candidates.count;
    const int index = cellIndex(candidates.column[pick], candidates.row[pick]);
    world.cells[index] = static_cast<std::uint8_t>(colour);
    world.fallHeight[index] = 63;
}

void advanceFloorFall(int column, int row) {
    const int index = cellIndex(column, row);
    const std::int16_t h = world.fallHeight[index];
    const std::int32_t x = column * kCellSize;
    const std::int32_t y = row * kCellSize;
    // One landing sound: only the first frame on the floor is at height 5.
    if (h == 5) playSoundPanned(SoundDrop, soundPan(x));
    if (h <= 0 || h > 5) return;
    world.fallHeight[index] = static_cast<std::int16_t>(h - 1);
    stampRipple(x + 4, y + 5, 3, -255 - (gameRand() & 63));
}

void advanceSkyFall(int column, int row) {
    const int index = cellIndex(column, row);
    const std::int16_t h = world.fallHeight[index];
    if (h <= 5) return;
    // Accelerating: one step a frame high up, four at the end.
    world.fallHeight[index] = static_cast<std::int16_t>(h - ((63 - h) >> 4) - 1);
}

void advanceMaterialising(int column, int row) {
    const int index = cellIndex(column, row);
    const std::int16_t t = world.effectAge[index];
    world.effectAge[index] = static_cast<std::int16_t>(t + 1);
    if (t < 63) return;
    // Until now the cell was still a stone, and killed.
    world.cells[index] = world.cellEffect[index];
    world.cellEffect[index] = EffectNone;
    world.fallHeight[index] = 0;
}

void advancePopUp(int column, int row) {
    const int index = cellIndex(column, row);
    const std::int16_t t = world.effectAge[index];
    if (t < 32) {
        world.effectAge[index] = static_cast<std::int16_t>(t + 1);
    } else {
        world.cellEffect[index] = EffectNone;
    }
}

bool advanceVanishing(int column, int row) {
    const int index = cellIndex(column, row);
    const std::int16_t t = world.effectAge[index];
    const std::int32_t x = column * kCellSize;
    const std::int32_t y = row * kCellSize;
    world.effectAge[index] = static_cast<std::int16_t>(t + 1);
    stampRipple(x + 4, y + 5, 3, gameRand() & 255);
    if (t < 8) return true;
    playSoundPanned(SoundPop, soundPan(x));
    world.cellEffect[index] = EffectNone;
    return false;
}
