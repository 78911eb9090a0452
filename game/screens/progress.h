// A player's progress: for every scene played, the best game, whether the scene was ever won,
// how many games it has seen and which replay holds its best game, kept in
// $XDG_DATA_HOME/munchtrail/progress. A scene is known by its file name and a hash of its
// bytes: saved over with other bytes it starts afresh, and an unchanged copy in another folder
// is the same scene. The best game's worm is kept beside it as the ghost a new game races.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct SceneProgress {
    std::string scene;       // the scene's file name
    std::uint64_t hash = 0;  // FNV-1a of its bytes
    std::uint32_t bestScore = 0;
    bool won = false;
    std::uint32_t games = 0;
    std::string bestReplay;  // file name in the replay folder; empty when none was kept
};
// Sorted by scene name, then hash; one entry a scene.
using ProgressTable = std::vector<SceneProgress>;

// The file's text: a heading line, then one line a scene. Lines that do not read are left out
// (the next write drops them); of two lines for one scene the first counts.
ProgressTable parseProgress(std::string_view text);
std::string progressText(const ProgressTable& table);
const SceneProgress* findProgress(const ProgressTable& table, std::string_view scene, std::uint64_t hash);
// Whether any entry has this name: a scene without one need not be read to be hashed.
bool anyProgressFor(const ProgressTable& table, std::string_view scene);

// A game ranks above another when it was won and the other was not, then by its score. The
// entry's best game is beaten by this one (always, when the scene has none yet).
bool beatsBest(std::uint32_t score, bool won, const SceneProgress* entry);
// Counts a finished game into the table; true when it is the scene's new best.
bool countGame(ProgressTable& table, std::string_view scene, std::uint64_t hash, std::uint32_t score,
               bool won, std::string_view replayFile);

// $XDG_DATA_HOME/munchtrail/progress; empty without a data folder.
std::string progressFilePath();
// The file as it stands; empty when it is missing or cannot be read.
ProgressTable readProgress();
// Written whole through a temporary file; the first failure of the run is kept for the report
// at exit, and the old file stays as it was.
bool writeProgress(const ProgressTable& table);
struct ProgressReport {
    std::string failedReason;
};
inline ProgressReport progressReport{};

// FNV-1a of a scene file's bytes; false when it cannot be read.
bool sceneFileHash(const std::string& path, std::uint64_t& hash);

// The ghost file of a scene: its best game's worm (game/world/ghost.h).
std::string ghostFilePath(std::string_view scene, std::uint64_t hash);

// A finished game, as the recorder hands it over when the game has left its screens: counted
// into the file, and its worm kept as the scene's ghost when it is the new best.
void noteFinishedGame(const std::string& scene, std::uint64_t hash, std::uint32_t score, bool won,
                      const std::string& replayFile);

// The scene about to be played, as its progress stood when its game began: what the end
// picture compares the game with, and whether the ghost races. Set before the game-start
// screen by whatever starts a game; a replay starts with none known.
struct GameProgress {
    bool known = false;
    SceneProgress entry;    // games 0: never played
    std::string nextScene;  // the list's next name after this scene; empty after the last
    bool goOn = false;      // Enter on the won end picture: the next scene follows
};
inline GameProgress gameProgress{};
// Looks the scene just read (sceneOrigin) up, finds the next scene of the list, and loads the
// ghost when options.ghost asks for it.
void prepareGameProgress();
void resetProgressState();
