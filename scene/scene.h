// The scene record shared by the game and the editor, its cell and objective codes, and the
// three routines that touch scene files: the editor's writer and reader and the game's reader.
// Files are read and written as binary streams; the readers and the writer translate line ends
// themselves (logical 10 <-> 13, 10 on disk) so that files stay interchangeable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int kSceneColumns = 40;
inline constexpr int kSceneRows = 30;
inline constexpr int kSceneCells = kSceneColumns * kSceneRows;

enum SceneCell : std::uint8_t {
    RedBean = 0,
    OrangeBean = 1,
    GreenBean = 2,
    BlueBean = 3,
    PurpleBean = 4,
    StoneBean = 5,
    StartPoint = 6,
    ExitPoint = 7,
    RandomBean = 10,
    EmptyCell = 255,
};

enum Objective : std::int32_t {
    Standard = 0,
    Escape = 1,
    GoalScore = 2,
    EatUp = 3,
};

// In memory the grid is indexed column x 30 + row, like every per-cell array of both programs.
constexpr int sceneCellIndex(int column, int row) {
    return column * kSceneRows + row;
}

// The editor's scene; a new scene has exactly these values.
struct Scene {
    std::string title;
    std::int32_t background = 0;
    std::int32_t randomFall = 1;
    std::int32_t fallInterval = 0;
    std::int32_t objective = Standard;
    std::int32_t goalScore = 5;
    std::string description;
    std::array<std::uint8_t, kSceneCells> grid = filledGrid();

    static constexpr std::array<std::uint8_t, kSceneCells> filledGrid() {
        std::array<std::uint8_t, kSceneCells> g{};
        g.fill(EmptyCell);
        return g;
    }
};

// The editor's writer: never destroys the existing file (see writeFileAtomically). Saves EatUp
// with randomFall 0 and, once saved, sets it to 0 in `scene` itself. False on any failure,
// with the old file and `scene` left as they were.
bool writeSceneFile(const char* path, Scene& scene);

// The editor's reader. False when the file cannot be opened (the scene is then unchanged).
bool readSceneFile(const char* path, Scene& scene);

// The game's settings as its reader keeps them: a title of at most 31 characters and a
// description of at most 255.
struct GameSceneSettings {
    char title[32] = {};
    std::int32_t background = 0;
    std::int32_t randomFall = 1;
    std::int32_t fallInterval = 0;
    std::int32_t objective = Standard;
    std::int32_t goalScore = 5;
    char description[256] = {};
};

// What the game does with the cells: resetCells() once the settings are read, then cell() for
// each of the 1200 cells in file order (row by row, column by column); a cell missing because
// the file ended arrives as EmptyCell.
struct GameSceneSink {
    void (*resetCells)() = nullptr;
    void (*cell)(int column, int row, std::uint8_t code) = nullptr;
};

// The game's reader of "Scenes/" + fileName. False, with nothing changed and no callback made,
// when the path does not fit the game's 256-byte path buffer or the file cannot be opened.
bool readSceneForGame(const char* fileName, GameSceneSettings& settings, const GameSceneSink& sink);
// The same reader for a scene file at any path (a player's own scenes live outside Scenes/).
bool readSceneFileForGame(const char* path, GameSceneSettings& settings, const GameSceneSink& sink);

// ---- Byte-level forms of the routines above (the file routines are thin wrappers over them) ----

// The bytes as they lie on disk (line ends already widened to 13, 10) of `scene` exactly as it
// stands: unlike writeSceneFile this forces nothing, so any set of values can be reproduced.
std::string sceneDiskBytes(const Scene& scene);

// Line-end translation of the file routines: every 10 becomes 13, 10 on the way out; on the way
// in a 13 followed by 10 becomes one 10 and any other 13 stays (a final 13 included).
std::string widenLineEnds(std::string_view logical);
std::string narrowLineEnds(std::string_view disk);

// The editor's reader over the bytes of a file (as on disk); never reads outside `disk`.
void readSceneBytes(std::string_view disk, Scene& scene);

// The game's reader over the bytes of a file (as on disk), making the same callbacks.
void readSceneBytesForGame(std::string_view disk, GameSceneSettings& settings, const GameSceneSink& sink);

// ---- Names and checks shared by the editor, the game and scenetool ----

inline constexpr int kTitleLimit = 28;         // what the properties dialog lets through
inline constexpr int kDescriptionLimit = 255;  // the readers' buffers hold 255 characters
inline constexpr int kGameTitleLimit = 31;
inline constexpr int kFallIntervalLimit = 60;
inline constexpr int kGoalScoreMin = 5;
inline constexpr int kGoalScoreMax = 9999999;
inline constexpr int kBackgroundCount = 11;

inline constexpr std::array<const char*, kBackgroundCount> editorBackgroundNames = {"Auto cycle background",
                                                                                    "Grass",
                                                                                    "Silt",
                                                                                    "Marble",
                                                                                    "Rock",
                                                                                    "Cobble",
                                                                                    "Granite",
                                                                                    "Sandrock",
                                                                                    "Cobblestone",
                                                                                    "Ore",
                                                                                    "Random background"};
inline constexpr std::array<const char*, kBackgroundCount> gameBackgroundNames = {"AUTO CYCLE BACKGROUND",
                                                                                  "GRASS",
                                                                                  "SILT",
                                                                                  "MARBLE",
                                                                                  "ROCK",
                                                                                  "COBBLE",
                                                                                  "GRANITE",
                                                                                  "SANDROCK",
                                                                                  "COBBLESTONE",
                                                                                  "ORE",
                                                                                  "RANDOM BACKGROUND"};
inline constexpr std::array<const char*, 4> editorObjectiveTexts = {
    "Standard - Score as high as you can", "Escape - Get to the exit point",
    "Goal Score - Reach the goal score", "Eat up - Eat up all non-stone beans"};
inline constexpr std::array<const char*, 4> gameObjectiveTexts = {
    "STANDARD - SCORE AS HIGH \nAS YOU CAN", "ESCAPE - GET TO THE EXIT \nPOINT",
    "GOAL SCORE - REACH THE \nGOAL SCORE", "EAT UP - EAT UP ALL NON-\nSTONE BEANS"};

// A non-stone bean: codes 0..4 and RandomBean.
constexpr bool isNonStoneBean(std::uint8_t code) {
    return code <= PurpleBean || code == RandomBean;
}
