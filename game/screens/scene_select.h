// The scene selection screen's state: one page of up to 27 scene file names, where that page
// sits in the sorted list of Scenes/*.qsn, the selected row and the held-arrow counters; and
// the two rules of the list that other code shares: which files are scenes, and how a
// description is wrapped.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/screens/progress.h"

inline constexpr int kScenePageRows = 27;
inline constexpr int kSceneNameSize = 260;   // a file name and its terminating zero
inline constexpr int kAutoRepeatDelay = 14;  // frames an arrow waits before it repeats

struct SceneSelectState {
    // The page now shown; the entry after the last name is empty, and an empty first entry
    // means the list has not been read on this visit yet.
    std::array<std::array<char, kSceneNameSize>, kScenePageRows + 1> sceneWindow{};
    std::int32_t sceneCount = 0;
    std::int32_t sceneTop = 0;
    std::int32_t sceneRow = 0;
    std::int32_t upHeldFrames = 0;
    std::int32_t downHeldFrames = 0;
    // -1 fade in, 0 browse, 1 fade out to the game, 2 to the menu, 3 to the best game (R)
    std::int32_t phase = -1;
};
inline SceneSelectState sceneSelect{};

// What the list shows of the player's progress, read with the list on every visit: the won
// marks of the page, how many listed scenes are won, and the selected scene's entry.
struct SceneListProgress {
    ProgressTable table;
    std::array<std::uint8_t, kScenePageRows + 1> pageWon{};  // 1: that row's scene is won
    std::int32_t wonCount = 0;
    SceneProgress selected;  // games 0: not played yet
    std::string watchFile;   // the best game the loop is asked to show
};
inline SceneListProgress listProgress{};

inline void resetSceneSelect() {
    sceneSelect = SceneSelectState{};
    listProgress = SceneListProgress{};
}

// Back from watching a best game: the page as it was, the selected scene read again, and the
// screen fading in.
void returnToSceneSelect();
// After Enter on a won scene's end picture: reads the next scene of the list and starts its
// game, or goes to the main menu after the last. One frame, drawing nothing; it is not one of
// the game's screens, so the finished game's recording has ended before the next scene is read.
void nextSceneScreen();
// The file the selection reads for a listed name: the player's own when there is one, else
// the shipped one in Scenes/.
std::string listedScenePath(const char* name);

// The scene files of the Scenes folder (regular files ending in ".qsn", any letter case, whose
// names fit an entry), sorted by file name byte by byte. The folder's own order is arbitrary
// on Linux, so sorting is what gives players a list they can rely on.
std::vector<std::string> listSceneFiles();

// The description as the screen shows it: carriage returns dropped, upper case, and a line feed
// inserted before any character that would be the 32nd of its line (words are cut).
void wrapDescription(const char* text, char* out, std::size_t size);
