// Every picture, texture and sound the game loads once at start (the background is the one
// image replaced while running), with the sound ids the screens and the world play.
#pragma once

#include <array>
#include <cstdint>

#include "game/common/digest.h"
#include "render/pixels.h"
#include "render/texture.h"

enum SoundId : int {
    SoundLoop = 0,
    SoundDrop = 1,
    SoundEat = 2,
    SoundFreeze = 3,
    SoundPop = 4,
    SoundDie = 5,
    SoundThunder1 = 6,
    SoundRainLoop = 7,
    SoundThunder2 = 8,
    SoundAccomplished = 9,
    SoundBeat = 10,
    SoundFade = 11,
    SoundLaser = 12,
    SoundWarp = 13,
    SoundSpeedUp = 21,
    SoundSpeedDown = 22,
    SoundLifeUp = 23,
    SoundStart = 99,
    SoundSelect = 100,
    SoundAmbientFirst = 101,  // env1 .. env14 are 101 .. 114
    SoundAmbientLast = 114,
};

struct AssetCatalogue {
    PixelBuffer* logo = nullptr;
    PixelBuffer* mainMenu = nullptr;
    PixelBuffer* mainMenuLit = nullptr;
    PixelBuffer* help1 = nullptr;
    PixelBuffer* help2 = nullptr;
    PixelBuffer* options = nullptr;
    PixelBuffer* optionsLit = nullptr;
    PixelBuffer* moreOptions = nullptr;
    PixelBuffer* moreOptionsLit = nullptr;
    PixelBuffer* sceneSelection = nullptr;
    PixelBuffer* gameOver = nullptr;
    PixelBuffer* accomplished = nullptr;
    PixelBuffer* marker = nullptr;
    PixelBuffer* background = nullptr;
    PixelBuffer* score = nullptr;
    PixelBuffer* up = nullptr;
    PixelBuffer* down = nullptr;
    PixelBuffer* left = nullptr;
    PixelBuffer* right = nullptr;
    PixelBuffer* shadow = nullptr;
    PixelBuffer* exit = nullptr;
    PixelBuffer* stone = nullptr;
    PixelBuffer* add5 = nullptr;
    PixelBuffer* add10 = nullptr;
    PixelBuffer* add15 = nullptr;
    PixelBuffer* add30 = nullptr;
    PixelBuffer* lifeUp = nullptr;
    PixelBuffer* worm = nullptr;
    std::array<PixelBuffer*, 8> wormB{};  // wormb1 .. wormb8
    std::array<PixelBuffer*, 8> wormD{};  // wormd1 .. wormd8
    PixelBuffer* wonMark = nullptr;       // beside a won scene in the list
    PixelBuffer* ghost = nullptr;         // a segment of the best game's worm, raced
    // A mark drawn over each bean of a colour (red, orange, green, blue, purple) when the
    // player asks for them, so that no power depends on telling colours apart.
    std::array<PixelBuffer*, 5> beanMarks{};
    PixelBuffer* controls = nullptr;    // the Controls screen, its rows drawn over it
    std::uint32_t backgroundIndex = 0;  // 0..8: which bgNN.bmp is loaded
};
inline AssetCatalogue assets{};
// The one part of the catalogue a game changes: which background it shows. The pictures
// themselves are the same files for every game.
inline std::uint64_t digestBackground(std::uint64_t hash) {
    return digestBytes(assets.backgroundIndex, hash);
}

// The two textures live for the whole process.
extern TextureStore beanTexture;
extern TextureStore brightTexture;

// The pictures and textures alone, without sounds or settings (replay checking); false after
// raising the fatal error of the first that failed.
bool loadAssetFiles();
// Every sound into its slot (watching a replay with sound); a sound that fails stays silent.
void loadSounds();
void loadBackground();       // frees the slot and loads bg of assets.backgroundIndex (fatal on failure)
void freeAssetImages();      // frees every image and nothing else (a fresh start in the tests)
void resetAssetCatalogue();  // frees every image and empties the catalogue
