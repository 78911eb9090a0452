// The colour powers a run of five beans earns (speed is part of the worm's step): the laser
// shot and its flight, the revival of the oldest stones, and halving the worm. The shot flies
// one cell a frame and is advanced by the pond-floor drawing pass.
#include <cstdint>

#include "game/common/assets.h"
#include "game/common/random.h"
#include "game/common/sound.h"
#include "game/world/world.h"

void fireLaser() {
    world.laserX = world.segX[0];
    world.laserY = world.segY[0];
    world.laserAge = 1;
    world.laserAngle = 0;
    world.laserDX = 0;
    world.laserDY = 0;
    switch (world.segDir[0]) {
        case Up: world.laserDY = -10; break;
        case Right: world.laserDX = 10; break;
        case Down: world.laserDY = 10; break;
        default: world.laserDX = -10; break;
    }
    playSoundPanned(SoundLaser, soundPan(world.segX[0]));
}

bool advanceLaser() {
    if (world.laserAge == 0) return false;
    if (world.laserDX == 0 && world.laserDY == 0) world.laserAge += 2;
    // The burnt-out flash still shows this frame; the laser is idle from the next.
    if (world.laserAge > 50) world.laserAge = 0;
    world.laserX += world.laserDX;
    world.laserY += world.laserDY;
    if (world.laserX < 0 || world.laserX >= 400 || world.laserY < 0 || world.laserY >= 300) {
        world.laserAge = 0;  // the shot does not wrap
        return false;
    }
    const int index = cellIndex(world.laserX / kCellSize, world.laserY / kCellSize);
    const std::uint8_t code = world.cells[index];
    if (code == Stone || code < BonusBean) {
        world.cells[index] = BonusBean;
        world.laserDX = 0;
        world.laserDY = 0;
        playSoundPanned(SoundWarp, soundPan(world.laserX));
    }
    world.laserAngle = (world.laserAngle + 64) & 255;
    return true;
}

void reviveStones() {
    // The queue is a ring: walked from the reader to the writer, so it keeps working after the
    // write position has wrapped round.
    int revived = 0;
    while (world.stoneRead != world.stoneWrite && revived < 5) {
        StoneEntry& entry = world.stoneQueue[world.stoneRead];
        if (entry.column < kFieldColumns && entry.row < kFieldRows) {
            const int colour = gameRand() % 5;
            const int index = cellIndex(entry.column, entry.row);
            world.cellEffect[index] = static_cast<std::uint8_t>(colour);
            world.effectAge[index] = 0;
            if (revived == 0) playSoundPanned(SoundFade, (entry.column - 20) * 50);
            revived += 1;
            entry = StoneEntry{};
        }
        world.stoneRead = (world.stoneRead + 1) % kStoneQueueSize;
    }
}

void halveWorm() {
    // The total of body and growth to come is halved, taken first from the growth.
    std::int32_t total = (world.pendingGrowth + world.length) >> 1;
    if (total < 1) total = 1;  // a worm always keeps its head
    std::int32_t newLength = world.length;
    world.pendingGrowth = total - world.length;
    if (world.pendingGrowth < 0) {
        world.pendingGrowth = 0;
        newLength = total;
    }
    for (int i = newLength; i < world.length; ++i) {
        const int index = cellIndex(world.segX[i] / kCellSize, world.segY[i] / kCellSize);
        world.cells[index] = Empty;
        // Staggered ages make the cut body pop from the tail end toward the cut.
        world.effectAge[index] = static_cast<std::int16_t>((i - newLength) * 2);
        world.cellEffect[index] = EffectVanish;
    }
    world.length = newLength;
    world.tailHold = 0;
    soundStop(SoundBeat);
    soundRewind(SoundBeat);
}
