// Every file of the data folder DAT/, one row each: the game and the editor load them by the
// names here, the asset generator writes exactly these (pictures at exactly their size), the
// build lists them as the generator's outputs (read from this file by tools/assetgen's
// CMakeLists.txt: keep one path per row), and the tests check them.
#pragma once

#include <cstdint>
#include <string_view>

struct DataFile {
    const char* path;        // "DAT/<name>", relative to the data folder
    std::int32_t width = 0;  // pictures: their size in pixels; 0 for the others
    std::int32_t height = 0;
};

// clang-format off
inline constexpr DataFile kDataFiles[] = {
    // Full-screen pictures and the nine pond floors.
    {"DAT/logo.bmp", 400, 300},
    {"DAT/mainmenu.bmp", 400, 300},
    {"DAT/mainmenu0.bmp", 400, 300},
    {"DAT/help.bmp", 400, 300},
    {"DAT/help0.bmp", 400, 300},
    {"DAT/options.bmp", 400, 300},
    {"DAT/options0.bmp", 400, 300},
    {"DAT/selectscene.bmp", 400, 300},
    {"DAT/gameover.bmp", 400, 300},
    {"DAT/accomplished.bmp", 400, 300},
    {"DAT/bg00.bmp", 400, 300},
    {"DAT/bg01.bmp", 400, 300},
    {"DAT/bg02.bmp", 400, 300},
    {"DAT/bg03.bmp", 400, 300},
    {"DAT/bg04.bmp", 400, 300},
    {"DAT/bg05.bmp", 400, 300},
    {"DAT/bg06.bmp", 400, 300},
    {"DAT/bg07.bmp", 400, 300},
    {"DAT/bg08.bmp", 400, 300},
    // The playfield's sprites, the status panel and the options marker.
    {"DAT/cursor.bmp", 16, 13},
    {"DAT/score.bmp", 245, 11},
    {"DAT/up.bmp", 10, 10},
    {"DAT/down.bmp", 10, 10},
    {"DAT/left.bmp", 10, 10},
    {"DAT/right.bmp", 10, 10},
    {"DAT/shadow.bmp", 10, 10},
    {"DAT/exit.bmp", 10, 10},
    {"DAT/stone.bmp", 10, 10},
    {"DAT/add5.bmp", 14, 9},
    {"DAT/add10.bmp", 18, 9},
    {"DAT/add15.bmp", 18, 9},
    {"DAT/add30.bmp", 18, 9},
    {"DAT/lifeup.bmp", 18, 9},
    {"DAT/worm.bmp", 10, 10},
    {"DAT/wormb1.bmp", 10, 10},
    {"DAT/wormb2.bmp", 10, 10},
    {"DAT/wormb3.bmp", 10, 10},
    {"DAT/wormb4.bmp", 10, 10},
    {"DAT/wormb5.bmp", 10, 10},
    {"DAT/wormb6.bmp", 10, 10},
    {"DAT/wormb7.bmp", 10, 10},
    {"DAT/wormb8.bmp", 10, 10},
    {"DAT/wormd1.bmp", 10, 10},
    {"DAT/wormd2.bmp", 10, 10},
    {"DAT/wormd3.bmp", 10, 10},
    {"DAT/wormd4.bmp", 10, 10},
    {"DAT/wormd5.bmp", 10, 10},
    {"DAT/wormd6.bmp", 10, 10},
    {"DAT/wormd7.bmp", 10, 10},
    {"DAT/wormd8.bmp", 10, 10},
    // A player's progress: the won mark of the scene list and the ghost's segment.
    {"DAT/won.bmp", 7, 7},
    {"DAT/ghost.bmp", 10, 10},
    // The second options screen and its lit rows; the bean marks of the five colours.
    {"DAT/options2.bmp", 400, 300},
    {"DAT/options20.bmp", 400, 300},
    {"DAT/mark1.bmp", 5, 5},
    {"DAT/mark2.bmp", 5, 5},
    {"DAT/mark3.bmp", 5, 5},
    {"DAT/mark4.bmp", 5, 5},
    {"DAT/mark5.bmp", 5, 5},
    // The Controls screen, its rows drawn over it at run time.
    {"DAT/controls.bmp", 400, 300},
    // The editor's start point and random bean.
    {"DAT/start.bmp", 10, 10},
    {"DAT/random.bmp", 10, 10},
    // The bean and light textures.
    {"DAT/bean.txm"},
    {"DAT/bright.txm"},
    // Sounds: the effects, then the fourteen ambient sounds.
    {"DAT/loop.wav"},
    {"DAT/drop.wav"},
    {"DAT/eat.wav"},
    {"DAT/freeze.wav"},
    {"DAT/popo.wav"},
    {"DAT/die.wav"},
    {"DAT/thunder1.wav"},
    {"DAT/rainloop.wav"},
    {"DAT/thunder2.wav"},
    {"DAT/accomplished.wav"},
    {"DAT/beat.wav"},
    {"DAT/fade.wav"},
    {"DAT/laser.wav"},
    {"DAT/warp.wav"},
    {"DAT/speedup.wav"},
    {"DAT/speedown.wav"},
    {"DAT/lifeup.wav"},
    {"DAT/start.wav"},
    {"DAT/select.wav"},
    {"DAT/env1.wav"},
    {"DAT/env2.wav"},
    {"DAT/env3.wav"},
    {"DAT/env4.wav"},
    {"DAT/env5.wav"},
    {"DAT/env6.wav"},
    {"DAT/env7.wav"},
    {"DAT/env8.wav"},
    {"DAT/env9.wav"},
    {"DAT/env10.wav"},
    {"DAT/env11.wav"},
    {"DAT/env12.wav"},
    {"DAT/env13.wav"},
    {"DAT/env14.wav"},
};
// clang-format on

// The path of a data file by its name in DAT/: a name the table lacks does not compile.
consteval const char* dataPath(std::string_view name) {
    for (const DataFile& file : kDataFiles)
        if (std::string_view(file.path).substr(4) == name) return file.path;
    throw "not a data file";  // never constant: stops the build
}

// The row of a data file by its path, or null.
constexpr const DataFile* findDataFile(std::string_view path) {
    for (const DataFile& file : kDataFiles)
        if (path == file.path) return &file;
    return nullptr;
}

// The nine pond floors bg00 .. bg08, by number.
inline constexpr const char* kBackgroundPaths[] = {
    dataPath("bg00.bmp"), dataPath("bg01.bmp"), dataPath("bg02.bmp"),
    dataPath("bg03.bmp"), dataPath("bg04.bmp"), dataPath("bg05.bmp"),
    dataPath("bg06.bmp"), dataPath("bg07.bmp"), dataPath("bg08.bmp")};
