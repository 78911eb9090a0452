// The scene record shared by the game and the editor, its cell and objective codes, and the
// three routines that touch scene files: the editor's writer and reader and the game's reader.
// Files are read and written as binary streams; the readers and the writer translate line ends
// themselves (logical 10 <-> 13, 10 on disk) so that files stay interchangeable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

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
constexpr int sceneCellIndex(int column, int row) { return column * kSceneRows + row; }

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

// The editor's writer: never destroys the existing file (writes a temporary file beside it and
// renames it over the target). Forces randomFall to 0 in `scene` itself for EatUp. False on any
// failure, with the old file left as it was.
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
