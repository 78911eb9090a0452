// The worm: putting it on the start point, the per-frame step (speed change, what the head
// finds on a cell, steering from the key queue, movement round the torus, the body following),
// growth, molting at 25 segments and death. The order of the steps and of the random numbers
// is what the player sees, so each step below runs exactly where the frame expects it.
#include "game/common/assets.h"
#include "game/common/keys.h"
#include "game/common/light.h"
#include "game/common/random.h"
#include "game/common/sound.h"
#include "game/world/pond.h"
#include "game/world/world.h"
#include "scene/scene.h"

namespace {

// The cell of a pixel position; division truncates toward zero, so -8..-1 is column/row 0.
int cellOf(std::int32_t x, std::int32_t y) {
    return cellIndex(x / kCellSize, y / kCellSize);
}

void wrapPosition(std::int32_t& x, std::int32_t& y) {
    if (x < 0) x += 400;
    if (y < 0) y += 300;
    if (x > 390) x -= 400;
    if (y > 290) y -= 300;
}

void moveSegment(int i) {
    switch (world.segDir[i]) {
        case Up: world.segY[i] -= world.speed; break;
        case Right: world.segX[i] += world.speed; break;
        case Down: world.segY[i] += world.speed; break;
        default: world.segX[i] -= world.speed; break;
    }
    wrapPosition(world.segX[i], world.segY[i]);
}

// The cell a segment is leaving: a segment part-way into its next cell still covers the old one.
int trailingCell(int i) {
    const std::int32_t x = world.segX[i];
    const std::int32_t y = world.segY[i];
    const std::uint8_t dir = world.segDir[i];
    int column = x / kCellSize;
    int row = y / kCellSize;
    if (x < 0 && dir == Right) column = kFieldColumns - 1;
    if (y < 0 && dir == Down) row = kFieldRows - 1;
    if (x > 0 && x % kCellSize != 0 && dir == Left) column += 1;
    if (y > 0 && y % kCellSize != 0 && dir == Up) row += 1;
    return cellIndex(column, row);
}

void winScene() {
    world.sceneAccomplished = 1;
    world.endFade = 256;
    playSoundPanned(SoundAccomplished, soundPan(world.segX[0]));
    world.outcome = WorldOutcome::Won;
}

void startEffect(int index, std::uint8_t effect) {
    world.cellEffect[index] = effect;
    world.effectAge[index] = 0;
}

void stepSpeedChange() {
    if (world.speedTimer < 0) {
        const std::int32_t value = world.speedTimer * 10 - (gameRand() & 31);
        stampRipple(world.segX[0] + 4, world.segY[0] + 5, 2, value);
        world.speedTimer += 1;
        soundSetPan(SoundSpeedDown, soundPan(world.segX[0]));
        if (world.speedTimer == 0) world.speed = 2;
    } else if (world.speedTimer > 0) {
        const std::int32_t value = (gameRand() & 31) + (40 - world.speedTimer) * 20;
        stampRipple(world.segX[1] + 4, world.segY[1] + 5, 3, value);
        world.speedTimer -= 1;
        soundSetPan(SoundSpeedUp, soundPan(world.segX[0]));
        if (world.speedTimer == 0) world.speed = 5;
    }
}

void firePower(int colour) {
    switch (colour) {
        case Red:
            world.speedTimer = 40;
            playSoundPanned(SoundSpeedUp, soundPan(world.segX[0]));
            break;
        case Orange: fireLaser(); break;
        case Green: reviveStones(); break;
        case Blue:
            // A storm already raging is not extended.
            if (world.rainTimer == 0) world.rainTimer = 500;
            break;
        default: halveWorm(); break;
    }
}

void countCombo(int colour) {
    if (world.comboCount >= 1 && colour == world.comboColour) {
        world.comboCount += 1;
        if (world.comboCount == 5) {
            world.comboCount = 0;
            firePower(world.comboColour);
        }
    } else {
        world.comboColour = colour;
        world.comboCount = 1;
    }
}

void eatBean(int head, int colour) {
    world.score += 5;
    if (world.speed > 2) {
        world.score += 5;
        startEffect(head, EffectAdd5);
    }
    countCombo(colour);
    playSoundPanned(SoundEat, soundPan(world.segX[0]));
    if (world.scene.fallInterval == 0) dropRandomBean(gameRand() % 5);
    world.cells[head] = Empty;
    if (world.rainTimer > 0 && world.rainTimer < 450) {
        world.score += 10;
        startEffect(head, world.speed > 2 ? EffectAdd15 : EffectAdd10);
    }
    world.pendingGrowth += 1;
}

void slowDownOnRed() {
    world.speedTimer = -32;
    soundStop(SoundSpeedUp);
    soundStop(SoundSpeedDown);
    soundSetPan(SoundSpeedDown, soundPan(world.segX[0]));
    soundRewind(SoundSpeedDown);
    soundPlay(SoundSpeedDown, 0);
}

int arrowDirection(std::uint8_t key) {
    switch (key) {
        case kKeyUp: return Up;
        case kKeyRight: return Right;
        case kKeyDown: return Down;
        case kKeyLeft: return Left;
        default: return -1;
    }
}

// Takes presses until the first arrow, drops the rest; a reversal is refused.
void steer() {
    int direction = -1;
    for (std::uint8_t key = popKey(); key != 0; key = popKey()) {
        direction = arrowDirection(key);
        if (direction >= 0) break;
    }
    clearKeys();
    if (direction >= 0 && (direction + 2) % 4 != world.segDir[0]) {
        world.segDir[0] = static_cast<std::uint8_t>(direction);
    }
}

void markCells(int head) {
    world.cells[head] = WormBody;
    const int tail = world.length - 1;
    world.cells[cellOf(world.segX[tail], world.segY[tail])] = Empty;
}

// What the head finds on arriving at a cell. False when the worm died there.
bool actOnHeadCell() {
    const int head = cellOf(world.segX[0], world.segY[0]);
    const std::uint8_t code = world.cells[head];
    if (code == Red && (world.speedTimer > 0 || (world.speed > 2 && world.speedTimer >= 0))) {
        slowDownOnRed();
    }
    if (code < BonusBean) {
        eatBean(head, code);
    } else if (code == BonusBean) {
        startEffect(head, EffectAdd30);
        world.score += 30;
        playSoundPanned(SoundEat, soundPan(world.segX[0]));
    } else if (code == Stone || code == WormBody) {
        killWorm();
        return false;
    } else if (code == Exit) {
        winScene();
    }
    markCells(head);
    for (int i = world.length; i >= 1; --i) world.segDir[i] = world.segDir[i - 1];
    steer();
    return true;
}

void moveBody() {
    const int tail = world.length - 1;
    for (int i = 1; i <= tail; ++i) {
        if (i == tail && world.tailHold > 0) {
            world.tailHold -= 1;
        } else {
            moveSegment(i);
        }
    }
}

bool beanLeft() {
    for (int i = 0; i < kFieldCells; ++i) {
        if (world.cells[i] < BonusBean || world.cellEffect[i] < BonusBean) return true;
    }
    return false;
}

void checkExtraLife() {
    if (world.score < world.nextLifeScore || world.lives >= 99) return;
    startEffect(cellOf(world.segX[0], world.segY[0]), EffectLifeUp);
    soundStop(SoundLifeUp);
    soundRewind(SoundLifeUp);
    soundPlay(SoundLifeUp, 0);
    world.nextLifeScore += 5000;
    world.lives += 1;
}

}  // namespace

void resetWorm(WormReset kind) {
    world.segX.fill(world.startCol * kCellSize);
    world.segY.fill(world.startRow * kCellSize);
    world.segDir.fill(Up);
    world.segDissolve.fill(0);
    world.started = 0;
    world.face = 0;
    world.length = 1;
    world.pendingGrowth = 4;
    world.tailHold = 0;
    world.headDissolve = 0;
    world.speed = 2;
    world.speedTimer = 0;
    world.laserAge = 0;
    world.laserAngle = 0;
    world.fallCounter = 0;
    world.rainTimer = 0;
    world.endFade = 0;
    world.startHintClock = 0;
    world.exitHintClock = 0;
    if (kind == WormReset::NewLife) {
        world.lives -= 1;
        return;
    }
    // A new game also forgets where the last laser shot flew: a replay starts from a fresh
    // world, and a recording made after an earlier game of the same run must match it.
    world.laserX = world.laserY = world.laserDX = world.laserDY = 0;
    world.lives = 2;
    world.score = 0;
    world.sceneAccomplished = 0;
    world.quitToMenu = 0;
    world.comboColour = 0;
    world.comboCount = 0;
    world.nextLifeScore = 5000;
    world.dayClock = 256;
    light.brightness = 256;
    world.nightSpritePatch = 1;
}

void stepWorm() {
    stepSpeedChange();
    if (world.segX[0] % kCellSize == 0 && world.segY[0] % kCellSize == 0) {
        // A death ends the step before anything moves or is checked.
        if (!actOnHeadCell()) return;
    }
    moveSegment(0);
    if (world.length == 24) soundSetPan(SoundBeat, soundPan(world.segX[0]));
    moveBody();
    moltWorm();
    if (world.scene.objective == EatUp && !beanLeft()) winScene();
    checkExtraLife();
    if (world.scene.objective == GoalScore &&
        world.score >= static_cast<std::uint32_t>(world.scene.goalScore))
        winScene();
    if (world.score > world.hiScore) world.hiScore = world.score;
}

void growWorm() {
    const int tail = world.length - 1;
    if (world.length >= kMaxSegments) return;  // molting keeps it far below this
    world.tailHold = 10 / world.speed;
    world.segX[tail + 1] = world.segX[tail];
    world.segY[tail + 1] = world.segY[tail];
    world.segDir[tail + 1] = world.segDir[tail];
    world.length += 1;
}

void moltWorm() {
    if (world.length == 24) {
        soundSetPan(SoundBeat, soundPan(world.segX[0]));
        soundSetVolume(SoundBeat, 0);
        soundPlay(SoundBeat, 1);
    }
    if (world.length < 25) return;
    soundStop(SoundBeat);
    soundRewind(SoundBeat);
    soundSetPan(SoundFreeze, soundPan(world.segX[5]));
    soundPlay(SoundFreeze, 0);
    // A tail still held by growth would leave a gap in the stones: wait for it.
    if (world.tailHold > 0) return;
    for (int i = world.length - 1; i >= 4; --i) {
        world.cells[cellOf(world.segX[i], world.segY[i])] = Empty;
        const int trail = trailingCell(i);
        world.cells[trail] = Empty;
        if (i == 4) continue;  // the new tail's cell stays free for the worm crawling on
        world.cells[trail] = Stone;
        queueStone(trail / kFieldRows, trail % kFieldRows);
    }
    world.length = 5;
    world.tailHold = 0;
}

void killWorm() {
    // The last body cell becomes the respawn point: the next worm starts where this one lay.
    for (int i = 1; i < world.length; ++i) {
        const int cell = cellOf(world.segX[i], world.segY[i]);
        if (world.cells[cell] != WormBody) continue;
        world.cells[cell] = Empty;
        world.startCol = cell / kFieldRows;
        world.startRow = cell % kFieldRows;
    }
    world.face = 6;
    world.tailHold = 15;
    world.headDissolve = 0;
    world.endFade = 1000;
    soundSetPan(SoundDie, soundPan(world.segX[0]));
    soundPlay(SoundDie, 0);
    soundStop(SoundBeat);
    soundRewind(SoundBeat);
    world.outcome = WorldOutcome::Died;
}

void queueStone(int column, int row) {
    world.stoneQueue[world.stoneWrite] = {static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(row)};
    world.stoneWrite = (world.stoneWrite + 1) % kStoneQueueSize;
    // A full ring drops its oldest entry rather than losing every stone at once.
    if (world.stoneWrite == world.stoneRead) {
        world.stoneRead = (world.stoneRead + 1) % kStoneQueueSize;
    }
}
