// The game world: the 40 x 30 playfield of one scene with its per-cell companions (effects,
// fall heights, the queue of stones), the scene settings the world reads, the worm, the
// counters, the laser and the storm, and the operations that step all of it once per frame.
// Everything lives in the one record `world`; the pond and the drawing code read it and
// advance the falling, effect and laser animations through the functions at the end of this
// header, once per drawn frame.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/common/digest.h"
#include "scene/scene.h"

inline constexpr int kFieldColumns = 40;
inline constexpr int kFieldRows = 30;
inline constexpr int kFieldCells = kFieldColumns * kFieldRows;
inline constexpr int kCellSize = 10;
inline constexpr int kMaxSegments = 30;
inline constexpr int kStoneQueueSize = 12000;

// What a playfield cell holds. Codes 0..4 are the bean colours in the order used everywhere;
// "a bean" is a code below 5, "a bean or bonus bean" a code below 6.
enum PlayCell : std::uint8_t {
    Red = 0,
    Orange = 1,
    Green = 2,
    Blue = 3,
    Purple = 4,
    BonusBean = 5,
    Exit = 252,
    WormBody = 253,
    Stone = 254,
    Empty = 255,
};

// What runs at a cell (cellEffect). Codes 0..4 are a bean of that colour materialising on a
// stone; the pop-ups show points or a life rising from the cell.
enum CellEffectCode : std::uint8_t {
    EffectAdd5 = 10,
    EffectAdd10 = 11,
    EffectAdd15 = 12,
    EffectAdd30 = 30,
    EffectLifeUp = 31,
    EffectVanish = 201,  // a cut worm segment vanishing
    EffectNone = 255,
};

enum class WorldOutcome : std::int32_t { None, Won, Died };

enum Direction : std::uint8_t { Up = 0, Right = 1, Down = 2, Left = 3 };

// Per-cell arrays are column-major: the 30 cells of column 0 come first.
constexpr int cellIndex(int column, int row) {
    return column * kFieldRows + row;
}

// Pan of a sound made at pixel column x: the field spans -1000 .. 950.
constexpr std::int32_t soundPan(std::int32_t x) {
    return 5 * x - 1000;
}

struct StoneEntry {
    std::uint8_t column = 255;  // 255, 255: consumed
    std::uint8_t row = 255;
};

struct WorldState {
    // Playfield and its per-cell companions, indexed by cellIndex.
    std::array<std::uint8_t, kFieldCells> cells{};       // PlayCell codes
    std::array<std::uint8_t, kFieldCells> cellEffect{};  // CellEffectCode or colour 0..4
    std::array<std::int16_t, kFieldCells> effectAge{};
    std::array<std::int16_t, kFieldCells> fallHeight{};  // 63 at a drop, 0 on the ground
    std::array<StoneEntry, kStoneQueueSize> stoneQueue{};
    std::int32_t stoneRead = 0;
    std::int32_t stoneWrite = 0;

    // The scene's settings as the game's reader stored them (randomFall and goalScore 0 until
    // a scene is read).
    GameSceneSettings scene{.randomFall = 0, .goalScore = 0};
    std::int32_t startCol = 0;  // also the respawn point: killWorm moves it
    std::int32_t startRow = 0;
    std::int32_t exitCol = 0;
    std::int32_t exitRow = 0;

    // The worm: index 0 is the head, length - 1 the tail. Positions are the top-left pixel of
    // a segment; -9..-1 means it is crossing the wrap seam.
    std::array<std::int32_t, kMaxSegments> segX{};
    std::array<std::int32_t, kMaxSegments> segY{};
    std::array<std::int32_t, kMaxSegments> segDir{};  // Direction
    std::int32_t length = 1;
    std::int32_t pendingGrowth = 0;
    std::int32_t tailHold = 0;  // after a death: the still frames before the burst
    std::int32_t speed = 2;
    std::int32_t speedTimer = 0;  // > 0 speeding up (from 40), < 0 slowing down (from -32)
    std::int32_t started = 0;
    std::int32_t face = 0;  // 0..5 looks, 6 dead
    std::array<std::int32_t, kMaxSegments> segDissolve{};
    std::int32_t headDissolve = 0;

    // Counters.
    std::uint32_t score = 0;
    std::uint32_t hiScore = 0;
    std::int32_t lives = 2;
    std::uint32_t nextLifeScore = 5000;
    std::int32_t comboColour = 0;
    std::int32_t comboCount = 0;

    // Flags shared with the play screens. quitToMenu lives here because a new game clears it
    // with the worm.
    std::int32_t sceneAccomplished = 0;
    std::int32_t quitToMenu = 0;
    // The closing fade of the play screens: a win starts it at 256, a death holds it at 1000
    // while the worm dies, and the burst tail ends it at 0.
    std::int32_t endFade = 256;
    // What the last step of the worm ended in; the play screen acts on it in the same frame.
    WorldOutcome outcome = WorldOutcome::None;

    // Random fall: frames since the last random bean.
    std::int32_t fallCounter = 0;

    // The laser shot: 0 idle, 1 flying, then rising by 2 while its flash burns out.
    std::int32_t laserAge = 0;
    std::int32_t laserX = 0;
    std::int32_t laserY = 0;
    std::int32_t laserDX = 0;
    std::int32_t laserDY = 0;
    std::int32_t laserAngle = 0;  // 0..255

    // The storm: frames left (500 at its start), and the rain loop's volume in 1/100 dB.
    std::int32_t rainTimer = 0;
    std::int32_t rainVolume = 0;

    // Day cycle and drawing clocks, kept here because a new game or life resets them with the
    // worm; the day cycle and the drawing code advance them.
    std::int32_t dayClock = 256;
    std::int32_t nightSpritePatch = 1;
    std::int32_t startHintClock = 0;
    std::int32_t exitHintClock = 0;
};
inline WorldState world{};
inline void resetWorld() {
    world = WorldState{};
}
// Every byte of the world: a member added later is in the replays' checkpoints at once.
inline std::uint64_t digestWorld(std::uint64_t hash) {
    return digestBytes(world, hash);
}

// ---- Scene loading (scene_load.cpp) -------------------------------------------------------

// Where the world's scene came from: the file last read and the random state before its random
// beans were drawn, so a replay can fill the same playfield again.
struct SceneOrigin {
    std::string path;
    std::uint32_t seed = 0;
};
inline SceneOrigin sceneOrigin{};

// Reads "Scenes/" + fileName with the game's reader into the settings and the playfield. A file
// that cannot be opened leaves the previously loaded scene in force.
void loadScene(const char* fileName);
// The same for a scene file at any path (a player's own scene, --play); false, with the scene
// in force kept, when it cannot be opened or is empty.
bool loadSceneFile(const char* path);
// The same for a scene file's bytes (a replay's copy).
void loadSceneBytes(std::string_view bytes);
// The two halves of filling the playfield, as the reader calls them: clear everything, then
// convert one scene cell (file order; a random bean draws its colour at its turn).
void resetPlayfield();
void fillPlayfield(int column, int row, std::uint8_t sceneCell);

// ---- The worm (worm.cpp) ------------------------------------------------------------------

enum class WormReset { NewGame, NewLife };
// Puts a one-segment worm on the start point; a new game also resets lives, score, combo,
// day and light, a new life takes one of the lives.
void resetWorm(WormReset kind);
void stepWorm();  // one frame: speed change, the head cell, steering, movement, the checks
void growWorm();  // one segment more at the tail
void moltWorm();  // heartbeat at 24 segments, 20 stones shed at 25
void killWorm();  // ends the life: the outcome is a death
// Appends a cell that just became a stone to the stone queue, a ring of 12000 entries; when
// the ring is full its oldest entry gives way.
void queueStone(int column, int row);

// ---- Beans and powers (beans.cpp, powers.cpp, rain.cpp) ------------------------------------

void dropRandomBean(int colour);  // a bean on a random empty cell once the interval has run out
void fireLaser();
// Starts turning the (at most five) oldest queued stones into beans, walking the ring from
// stoneRead to stoneWrite.
void reviveStones();
void halveWorm();
void updateRain();  // one frame of the storm

// ---- Animations advanced by the drawing passes, once per drawn frame ----------------------

// Pond-floor pass, for a cell whose code is below 7 and whose height is 5 or less, after the
// bean is drawn: the landing sound at height 5, then one step down with a splash.
void advanceFloorFall(int column, int row);
// Sky pass, for a cell whose code is below 6 and whose height is above 5, after it is drawn.
void advanceSkyFall(int column, int row);
// A bean materialising (cellEffect 0..4), after it is drawn: at 64 frames the cell becomes it.
void advanceMaterialising(int column, int row);
// A pop-up (cellEffect 10, 11, 12, 30, 31), after it is drawn: ends after 33 frames.
void advancePopUp(int column, int row);
// A vanishing segment (cellEffect 201): ages and splashes; true while the segment is still to be
// drawn this frame, false once it has popped (the effect has then ended).
bool advanceVanishing(int column, int row);
// The laser, each frame while laserAge is not 0 (floor pass, after the worm and the effects):
// moves the shot, turns the first bean or stone it meets into a bonus bean and turns the
// flash. True when the flash is to be drawn (with half-size laserAge + 10 at laserAngle).
bool advanceLaser();
