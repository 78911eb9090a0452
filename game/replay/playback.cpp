// Running a recorded game again. The game is put where the recording began (every subsystem
// reset, the scene read from the replay's own copy with the recorded seed, the options, clock,
// held keys and loaded sounds as they were), then each frame gets its recorded inputs and
// clock step through the tap, and every hundredth frame's digest is compared with the one kept.
#include "game/common/assets.h"
#include "game/common/frames.h"
#include "game/common/keys.h"
#include "game/common/light.h"
#include "game/common/random.h"
#include "game/common/sound.h"
#include "game/replay/replay.h"
#include "game/replay/replay_detail.h"
#include "game/screens/play_screens.h"
#include "game/screens/progress.h"
#include "game/screens/screens.h"
#include "game/world/ghost.h"
#include "game/world/pond.h"
#include "game/world/world.h"

namespace {

struct PlaybackState {
    PlaybackStatus status;
    const Replay* replay = nullptr;
    std::size_t nextInput = 0;
};
PlaybackState playback{};

void applyInput(const ReplayInput& input, std::uint32_t& step) {
    switch (input.kind) {
        case ReplayInput::Release: pushKeyEvent(input.scanCode, false); break;
        case ReplayInput::Press: pushKeyEvent(input.scanCode, true); break;
        case ReplayInput::ClearKeys: clearKeyState(); break;
        case ReplayInput::Clock: step = input.value; break;
    }
}

}  // namespace

const PlaybackStatus& playbackStatus() {
    return playback.status;
}

void startPlayback(const Replay& replay) {
    // A replay races no ghost and knows nothing of the player's progress: its frames are the
    // same whoever watches it.
    gameProgress = GameProgress{};
    resetGhost();
    resetWorld();
    resetLight();
    resetPlayScreens();
    resetPond();
    resetKeyboard();
    world.hiScore = replay.startHiScore;
    seedRandom(replay.sceneSeed);
    loadSceneBytes(replay.sceneBytes);
    seedRandom(replay.startSeed);
    options.framesPerSecond = replay.framesPerSecond;
    options.soundMuted = replay.soundMuted;
    soundState.loaded = replay.soundsLoaded;
    game.frameTime = replay.startClock;
    game.currentScreen = &gameStartScreen;
    for (int key = 0; key < 256; ++key)
        if (bitSet(replay.keysHeld, key)) keyboard.keyState[static_cast<std::size_t>(key)] = 0x80;
    resetClipRect();
    drawContext.target = drawBuffer;
    playback = PlaybackState{};
    playback.status.active = true;
    playback.replay = &replay;
}

void stopPlayback() {
    playback = PlaybackState{};
}

void viewerKey(std::uint8_t scanCode, bool pressed) {
    if (!pressed) return;
    PlaybackStatus& s = playback.status;
    if (scanCode == kKeyBackspace) s.ended = true;
    if (scanCode == kKeySpace) s.paused = !s.paused;
    if (scanCode == kKeyRight) s.fast = !s.fast;
}

bool playbackFrameStart() {
    PlaybackStatus& s = playback.status;
    const Replay& r = *playback.replay;
    if (s.ended || s.frame >= r.frameCount || gameScreenIndex(game.currentScreen) < 0) {
        s.ended = true;
        return false;
    }
    if (s.paused) return false;
    std::uint32_t step = 1000 / r.framesPerSecond;
    for (; playback.nextInput < r.inputs.size() && r.inputs[playback.nextInput].frame == s.frame;
         ++playback.nextInput)
        applyInput(r.inputs[playback.nextInput], step);
    if (s.frame > 0) game.frameTime += step;
    return true;
}

void playbackFrameEnd() {
    PlaybackStatus& s = playback.status;
    const Replay& r = *playback.replay;
    drawContext.target = drawBuffer;  // a screen may leave it on a picture it composed
    ++s.frame;
    if (s.frame % kCheckpointInterval == 0 && s.firstBadFrame == 0 &&
        r.checkpoints[s.frame / kCheckpointInterval - 1] != gameDigest())
        s.firstBadFrame = s.frame;
}

int verifyReplay(const Replay& replay, std::string& message) {
    startPlayback(replay);
    while (playback.status.firstBadFrame == 0 && tapFrameStart()) {
        game.currentScreen();
        tapFrameEnd();
    }
    const std::uint32_t frames = playback.status.frame;
    const std::uint32_t bad = playback.status.firstBadFrame;
    stopPlayback();
    if (bad != 0) {
        message = "differs at checkpoint " + std::to_string(bad / kCheckpointInterval) + " (frame " +
                  std::to_string(bad) + ")";
        return 1;
    }
    if (frames != replay.frameCount) {
        message = "the game left its screens after frame " + std::to_string(frames) + " of " +
                  std::to_string(replay.frameCount);
        return 1;
    }
    // A game quit in the middle has no outcome of its own to compare.
    const bool outcomeMatches = replay.outcome == ReplayOutcome::Quit || outcomeNow() == replay.outcome;
    if (gameDigest() != replay.finalDigest || world.score != replay.score || !outcomeMatches) {
        message = "differs at the end (frame " + std::to_string(frames) + ")";
        return 1;
    }
    message = "ok: " + std::to_string(frames) + " frames, score " + std::to_string(world.score);
    return 0;
}
