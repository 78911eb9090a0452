// The asset catalogue: every picture, both textures and every sound, loaded once at start in
// a fixed order and freed when the window goes. Every image is tried even after one failed,
// so a broken installation shows one message however many files are missing. Sounds never
// fail the game: a missing one leaves its slot empty and silent.
#include "game/screens/assets.h"

#include <cstdio>
#include <iterator>

#include "game/screens/screens.h"
#include "game/shell/settings.h"
#include "game/shell/shell.h"
#include "game/shell/sound.h"
#include "game/world/world.h"

TextureStore beanTexture;
TextureStore brightTexture;

namespace {

struct SoundFile {
    int id;
    const char* path;
};

constexpr SoundFile kSoundFiles[] = {
    {SoundLoop, "DAT/loop.wav"},         {SoundDrop, "DAT/drop.wav"},
    {SoundEat, "DAT/eat.wav"},           {SoundFreeze, "DAT/freeze.wav"},
    {SoundPop, "DAT/popo.wav"},          {SoundDie, "DAT/die.wav"},
    {SoundThunder1, "DAT/thunder1.wav"}, {SoundRainLoop, "DAT/rainloop.wav"},
    {SoundThunder2, "DAT/thunder2.wav"}, {SoundAccomplished, "DAT/accomplished.wav"},
    {SoundBeat, "DAT/beat.wav"},         {SoundFade, "DAT/fade.wav"},
    {SoundLaser, "DAT/laser.wav"},       {SoundWarp, "DAT/warp.wav"},
    {SoundSpeedUp, "DAT/speedup.wav"},   {SoundSpeedDown, "DAT/speedown.wav"},
    {SoundLifeUp, "DAT/lifeup.wav"},     {SoundStart, "DAT/start.wav"},
    {SoundSelect, "DAT/select.wav"},
};

// The images before the background, in loading order.
PixelBuffer** const kFirstImages[] = {
    &assets.logo,     &assets.mainMenu,     &assets.mainMenuLit, &assets.help1,
    &assets.help2,    &assets.options,      &assets.optionsLit,  &assets.sceneSelection,
    &assets.gameOver, &assets.accomplished, &assets.marker,
};

// The images after the background, up to the worm; the sixteen worm frames follow.
PixelBuffer** const kLaterImages[] = {
    &assets.score, &assets.up,   &assets.down,  &assets.left,  &assets.right, &assets.shadow, &assets.exit,
    &assets.stone, &assets.add5, &assets.add10, &assets.add15, &assets.add30, &assets.lifeUp, &assets.worm,
};

constexpr const char* kFirstPaths[] = {
    "DAT/logo.bmp",     "DAT/mainmenu.bmp",     "DAT/mainmenu0.bmp", "DAT/help.bmp",
    "DAT/help0.bmp",    "DAT/options.bmp",      "DAT/options0.bmp",  "DAT/selectscene.bmp",
    "DAT/gameover.bmp", "DAT/accomplished.bmp", "DAT/cursor.bmp",
};
constexpr const char* kLaterPaths[] = {
    "DAT/score.bmp",  "DAT/up.bmp",    "DAT/down.bmp",   "DAT/left.bmp", "DAT/right.bmp",
    "DAT/shadow.bmp", "DAT/exit.bmp",  "DAT/stone.bmp",  "DAT/add5.bmp", "DAT/add10.bmp",
    "DAT/add15.bmp",  "DAT/add30.bmp", "DAT/lifeup.bmp", "DAT/worm.bmp",
};
static_assert(std::size(kFirstPaths) == std::size(kFirstImages));
static_assert(std::size(kLaterPaths) == std::size(kLaterImages));

// Loads into the slot; false when the file could not be read. The slot must be empty.
bool loadInto(PixelBuffer** slot, const char* path) {
    *slot = loadBmp(path);
    return *slot != nullptr;
}

bool loadWormFrames() {
    bool complete = true;
    char path[32];
    for (int i = 0; i < 8; ++i) {
        std::snprintf(path, sizeof path, "DAT/wormb%d.bmp", i + 1);
        complete &= loadInto(&assets.wormB[static_cast<std::size_t>(i)], path);
    }
    for (int i = 0; i < 8; ++i) {
        std::snprintf(path, sizeof path, "DAT/wormd%d.bmp", i + 1);
        complete &= loadInto(&assets.wormD[static_cast<std::size_t>(i)], path);
    }
    return complete;
}

// Frees the background slot and loads the picture of backgroundIndex (an index outside 0..8
// falls back to bg00). False when the picture could not be read.
bool replaceBackground() {
    destroyPixelBuffer(assets.background);
    assets.background = nullptr;
    if (assets.backgroundIndex > 8) assets.backgroundIndex = 0;
    char path[32];
    std::snprintf(path, sizeof path, "DAT/bg%02u.bmp", static_cast<unsigned>(assets.backgroundIndex));
    return loadInto(&assets.background, path);
}

bool loadImages() {
    bool complete = true;
    for (std::size_t i = 0; i < std::size(kFirstImages); ++i)
        complete &= loadInto(kFirstImages[i], kFirstPaths[i]);
    complete &= replaceBackground();
    for (std::size_t i = 0; i < std::size(kLaterImages); ++i)
        complete &= loadInto(kLaterImages[i], kLaterPaths[i]);
    complete &= loadWormFrames();
    return complete;
}

}  // namespace

void loadSounds() {
    for (const SoundFile& sound : kSoundFiles) loadSound(sound.id, sound.path);
    char path[32];
    for (int n = 1; n <= 14; ++n) {
        std::snprintf(path, sizeof path, "DAT/env%d.wav", n);
        loadSound(100 + n, path);
    }
}

namespace {

void freeSlot(PixelBuffer** slot) {
    destroyPixelBuffer(*slot);
    *slot = nullptr;
}

}  // namespace

bool loadAssetFiles() {
    if (!loadImages()) {
        raiseFatalError("Failed to load images!");
        return false;
    }
    if (!loadTexture(&beanTexture, "DAT/bean.txm")) {
        raiseFatalError("Failed to load texture file: bean.txm!");
        return false;
    }
    if (!loadTexture(&brightTexture, "DAT/bright.txm")) {
        raiseFatalError("Failed to load texture file: bright.txm!");
        return false;
    }
    return true;
}

void loadAssetCatalogue() {
    writeVersionInfo();
    readHighScore(&world.hiScore);
    if (!loadAssetFiles()) return;
    loadSounds();
    shell.currentScreen = logoScreen;
}

void loadBackground() {
    if (!replaceBackground()) raiseFatalError("Failed to load background image!");
}

void freeAssetImages() {
    for (PixelBuffer** slot : kFirstImages) freeSlot(slot);
    freeSlot(&assets.background);
    for (PixelBuffer** slot : kLaterImages) freeSlot(slot);
    for (PixelBuffer*& image : assets.wormB) freeSlot(&image);
    for (PixelBuffer*& image : assets.wormD) freeSlot(&image);
}

void releaseAssets() {
    freeAssetImages();
    writeHighScore(world.hiScore);
    shell.currentScreen = nullptr;
}
