// Recording a game as it is played. A recording starts on the frame that runs the game-start
// screen: the scene, the two random seeds, the held keys and the loaded sounds are taken then;
// every input that passes the tap and every clock step other than 1000 / fps is noted before
// the frame it reaches; after each hundredth frame the game's digest is kept. The file is
// written when the game leaves its screens (the end picture's fade, Backspace to the menu),
// when another game starts straight away, or when the program shuts down; then the game is
// counted into the player's progress, with the kept file as its scene's best when it is.
#include <filesystem>

#include "game/common/keys.h"
#include "game/common/random.h"
#include "game/common/sound.h"
#include "game/replay/replay.h"
#include "game/replay/replay_detail.h"
#include "game/screens/progress.h"
#include "game/screens/screens.h"
#include "game/world/world.h"
#include "scene/atomic_file.h"

namespace {

struct RecordingState {
    bool active = false;
    Replay replay;
    std::uint32_t lastClock = 0;
};
RecordingState recording{};

void noteFailure(const std::string& reason) {
    if (recordingReport.failedReason.empty()) recordingReport.failedReason = reason;
}

void startRecording() {
    Replay& r = recording.replay;
    r = Replay{};
    std::string reason;
    r.sceneName = std::filesystem::path(sceneOrigin.path).filename().string();
    const bool read = readRegularFile(sceneOrigin.path.c_str(), r.sceneBytes, reason, kReplayMaxSceneBytes);
    recording.active = read && !r.sceneBytes.empty() && !r.sceneName.empty() && r.sceneName.size() < 256;
    if (!recording.active) noteFailure("its scene " + sceneOrigin.path + " could not be read again");
    r.framesPerSecond = options.framesPerSecond;
    r.soundMuted = options.soundMuted != 0 ? 1 : 0;
    r.soundsLoaded = soundState.loaded;
    for (int key = 0; key < 256; ++key)
        if (keyHeld(static_cast<std::uint8_t>(key))) setBit(r.keysHeld, key);
    r.sceneSeed = sceneOrigin.seed;
    r.startSeed = randomState.state;
    r.startClock = game.frameTime;
    r.startHiScore = world.hiScore;
    recording.lastClock = game.frameTime;
}

void finishRecording(ReplayOutcome outcome) {
    recording.active = false;
    Replay& r = recording.replay;
    r.outcome = outcome;
    r.score = world.score;
    r.hiScore = world.hiScore;
    r.finalDigest = gameDigest();
    std::string error;
    const std::string path = keepReplay(r, error);
    if (path.empty()) noteFailure(error);
    noteFinishedGame(r.sceneName, fnv1a64(r.sceneBytes.data(), r.sceneBytes.size()), r.score,
                     outcome == ReplayOutcome::Won, std::filesystem::path(path).filename().string());
}

void noteClockStep() {
    Replay& r = recording.replay;
    const std::uint32_t step = game.frameTime - recording.lastClock;
    recording.lastClock = game.frameTime;
    if (r.frameCount > 0 && step != 1000 / r.framesPerSecond)
        r.inputs.push_back({r.frameCount, ReplayInput::Clock, 0, step});
}

}  // namespace

ReplayOutcome outcomeNow() {
    if (world.quitToMenu != 0) return ReplayOutcome::Abandoned;
    return world.sceneAccomplished != 0 ? ReplayOutcome::Won : ReplayOutcome::Lost;
}

void noteInput(ReplayInput::Kind kind, std::uint8_t scanCode) {
    if (!recording.active) return;
    recording.replay.inputs.push_back({recording.replay.frameCount, kind, scanCode, 0});
}

void recordFrameStart() {
    const bool starting = game.currentScreen == &gameStartScreen;
    if (recording.active && starting) finishRecording(outcomeNow());  // the next game, straight on
    if (starting) startRecording();
    if (recording.active) noteClockStep();
}

void recordFrameEnd() {
    if (!recording.active) return;
    Replay& r = recording.replay;
    ++r.frameCount;
    if (r.frameCount % kCheckpointInterval == 0) r.checkpoints.push_back(gameDigest());
    if (gameScreenIndex(game.currentScreen) < 0) {
        finishRecording(outcomeNow());
    } else if (r.frameCount == kReplayMaxFrames) {
        // A game paused for more than a day: no reader would take its replay.
        finishRecording(ReplayOutcome::Quit);
    }
}

void resetReplays() {
    recording = RecordingState{};
    recordingReport = RecordingReport{};
    stopPlayback();
}

void finishReplayRecording() {
    if (recording.active) finishRecording(ReplayOutcome::Quit);
}
