// The game's digest: each subsystem hashes its own state beside its record, and this file
// strings them together with what belongs to the running game as a whole.
#include <iterator>

#include "game/common/assets.h"
#include "game/common/keys.h"
#include "game/common/light.h"
#include "game/common/random.h"
#include "game/replay/replay.h"
#include "game/screens/play_screens.h"
#include "game/screens/screens.h"
#include "game/world/world.h"

namespace {

constexpr Screen kGameScreens[] = {&gameStartScreen, &playScreen,     &pauseScreen,
                                   &lifeLostScreen,  &sceneEndScreen, &endPictureScreen};

// The running screen, the clock and the two options that take part in the rules. The display
// mode is left out: it changes how a frame reaches the screen, never what happens.
struct RunningGameDigest {
    std::int32_t screen = -1;
    std::uint32_t frameTime = 0;
    std::uint32_t framesPerSecond = 0;
    std::int32_t soundMuted = 0;
};

}  // namespace

int gameScreenIndex(Screen screen) {
    for (std::size_t i = 0; i < std::size(kGameScreens); ++i)
        if (kGameScreens[i] == screen) return static_cast<int>(i);
    return -1;
}

std::uint64_t gameDigest() {
    std::uint64_t hash = kFnvOffset;
    hash = digestWorld(hash);
    hash = digestRandom(hash);
    hash = digestLight(hash);
    hash = digestPlayScreens(hash);
    hash = digestKeyboard(hash);
    hash = digestBackground(hash);
    const RunningGameDigest running{gameScreenIndex(game.currentScreen), game.frameTime,
                                    options.framesPerSecond, options.soundMuted};
    return digestBytes(running, hash);
}
