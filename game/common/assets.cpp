// The asset catalogue: every picture, both textures and every sound, loaded once at start in
// a fixed order and freed when the window goes. Every image is tried even after one failed,
// so a broken installation shows one message however many files are missing. Sounds never
// fail the game: a missing one leaves its slot empty and silent.
#include "game/common/assets.h"

#include <iterator>

#include "scene/data_files.h"

#include "game/common/game_state.h"
#include "game/common/sound.h"

TextureStore beanTexture;
TextureStore brightTexture;

namespace {

struct SoundFile {
    int id;
    const char* path;
};

constexpr SoundFile kSoundFiles[] = {
    {SoundLoop, dataPath("loop.wav")},         {SoundDrop, dataPath("drop.wav")},
    {SoundEat, dataPath("eat.wav")},           {SoundFreeze, dataPath("freeze.wav")},
    {SoundPop, dataPath("popo.wav")},          {SoundDie, dataPath("die.wav")},
    {SoundThunder1, dataPath("thunder1.wav")}, {SoundRainLoop, dataPath("rainloop.wav")},
    {SoundThunder2, dataPath("thunder2.wav")}, {SoundAccomplished, dataPath("accomplished.wav")},
    {SoundBeat, dataPath("beat.wav")},         {SoundFade, dataPath("fade.wav")},
    {SoundLaser, dataPath("laser.wav")},       {SoundWarp, dataPath("warp.wav")},
    {SoundSpeedUp, dataPath("speedup.wav")},   {SoundSpeedDown, dataPath("speedown.wav")},
    {SoundLifeUp, dataPath("lifeup.wav")},     {SoundStart, dataPath("start.wav")},
    {SoundSelect, dataPath("select.wav")},
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
    dataPath("logo.bmp"),         dataPath("mainmenu.bmp"),    dataPath("mainmenu0.bmp"),
    dataPath("help.bmp"),         dataPath("help0.bmp"),       dataPath("options.bmp"),
    dataPath("options0.bmp"),     dataPath("selectscene.bmp"), dataPath("gameover.bmp"),
    dataPath("accomplished.bmp"), dataPath("cursor.bmp"),
};
constexpr const char* kLaterPaths[] = {
    dataPath("score.bmp"),  dataPath("up.bmp"),     dataPath("down.bmp"),  dataPath("left.bmp"),
    dataPath("right.bmp"),  dataPath("shadow.bmp"), dataPath("exit.bmp"),  dataPath("stone.bmp"),
    dataPath("add5.bmp"),   dataPath("add10.bmp"),  dataPath("add15.bmp"), dataPath("add30.bmp"),
    dataPath("lifeup.bmp"), dataPath("worm.bmp"),
};
static_assert(std::size(kFirstPaths) == std::size(kFirstImages));
static_assert(std::size(kLaterPaths) == std::size(kLaterImages));

// Loads into the slot; false when the file could not be read. The slot must be empty.
bool loadInto(PixelBuffer** slot, const char* path) {
    *slot = loadBmp(path);
    return *slot != nullptr;
}

constexpr const char* kBurstPaths[] = {dataPath("wormb1.bmp"), dataPath("wormb2.bmp"), dataPath("wormb3.bmp"),
                                       dataPath("wormb4.bmp"), dataPath("wormb5.bmp"), dataPath("wormb6.bmp"),
                                       dataPath("wormb7.bmp"), dataPath("wormb8.bmp")};
constexpr const char* kDissolvePaths[] = {
    dataPath("wormd1.bmp"), dataPath("wormd2.bmp"), dataPath("wormd3.bmp"), dataPath("wormd4.bmp"),
    dataPath("wormd5.bmp"), dataPath("wormd6.bmp"), dataPath("wormd7.bmp"), dataPath("wormd8.bmp")};
constexpr const char* kAmbientPaths[] = {dataPath("env1.wav"),  dataPath("env2.wav"),  dataPath("env3.wav"),
                                         dataPath("env4.wav"),  dataPath("env5.wav"),  dataPath("env6.wav"),
                                         dataPath("env7.wav"),  dataPath("env8.wav"),  dataPath("env9.wav"),
                                         dataPath("env10.wav"), dataPath("env11.wav"), dataPath("env12.wav"),
                                         dataPath("env13.wav"), dataPath("env14.wav")};
static_assert(std::size(kAmbientPaths) == SoundAmbientLast - SoundAmbientFirst + 1);

// The pictures added after the first set: a player's progress (the won mark, the ghost's
// segment), the second options screen, the bean marks of the five colours, and the Controls
// screen.
PixelBuffer** const kAddedImages[] = {
    &assets.wonMark,      &assets.ghost,        &assets.moreOptions,  &assets.moreOptionsLit,
    &assets.beanMarks[0], &assets.beanMarks[1], &assets.beanMarks[2], &assets.beanMarks[3],
    &assets.beanMarks[4], &assets.controls,
};
constexpr const char* kAddedPaths[] = {
    dataPath("won.bmp"),   dataPath("ghost.bmp"),    dataPath("options2.bmp"), dataPath("options20.bmp"),
    dataPath("mark1.bmp"), dataPath("mark2.bmp"),    dataPath("mark3.bmp"),    dataPath("mark4.bmp"),
    dataPath("mark5.bmp"), dataPath("controls.bmp"),
};
static_assert(std::size(kAddedPaths) == std::size(kAddedImages));

// The worm's sixteen frames, then the added pictures.
bool loadWormFrames() {
    bool complete = true;
    for (std::size_t i = 0; i < assets.wormB.size(); ++i)
        complete &= loadInto(&assets.wormB[i], kBurstPaths[i]);
    for (std::size_t i = 0; i < assets.wormD.size(); ++i)
        complete &= loadInto(&assets.wormD[i], kDissolvePaths[i]);
    for (std::size_t i = 0; i < std::size(kAddedImages); ++i)
        complete &= loadInto(kAddedImages[i], kAddedPaths[i]);
    return complete;
}

// Frees the background slot and loads the picture of backgroundIndex (an index outside 0..8
// falls back to bg00). False when the picture could not be read.
bool replaceBackground() {
    destroyPixelBuffer(assets.background);
    assets.background = nullptr;
    if (assets.backgroundIndex >= std::size(kBackgroundPaths)) assets.backgroundIndex = 0;
    return loadInto(&assets.background, kBackgroundPaths[assets.backgroundIndex]);
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
    for (std::size_t i = 0; i < std::size(kAmbientPaths); ++i)
        loadSound(SoundAmbientFirst + static_cast<int>(i), kAmbientPaths[i]);
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
    if (!loadTexture(&beanTexture, dataPath("bean.txm"))) {
        raiseFatalError("Failed to load texture file: bean.txm!");
        return false;
    }
    if (!loadTexture(&brightTexture, dataPath("bright.txm"))) {
        raiseFatalError("Failed to load texture file: bright.txm!");
        return false;
    }
    return true;
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
    for (PixelBuffer** slot : kAddedImages) freeSlot(slot);
}

void resetAssetCatalogue() {
    freeAssetImages();
    assets = AssetCatalogue{};
}
