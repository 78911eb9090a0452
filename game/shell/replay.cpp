// Recording a game as it is played and running a recorded game again. A recording starts on
// the frame that runs the game-start screen: the scene, the two random seeds, the held keys
// and the loaded sounds are taken then; every key event and every clock step other than
// 1000 / fps is noted before the frame it reaches; after each hundredth frame the game's digest
// is kept. The file is written when the game returns to the menu or the program shuts down.
#include "game/shell/replay.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "game/common/assets.h"
#include "game/common/keys.h"
#include "game/common/platform.h"
#include "game/common/random.h"
#include "game/common/sound.h"
#include "game/screens/play_screens.h"
#include "game/screens/screens.h"
#include "game/shell/shell.h"
#include "game/world/pond.h"
#include "game/world/world.h"
#include "render/pixels.h"
#include "scene/folders.h"

namespace {

namespace fs = std::filesystem;

// The screens of one game, in a fixed order: the digest names the running one by its place.
constexpr Screen kGameScreens[] = {&gameStartScreen, &playScreen,     &pauseScreen,
                                   &lifeLostScreen,  &sceneEndScreen, &endPictureScreen};

int gameScreenIndex(Screen screen) {
    for (std::size_t i = 0; i < std::size(kGameScreens); ++i)
        if (kGameScreens[i] == screen) return static_cast<int>(i);
    return -1;
}

struct RecordingState {
    bool active = false;
    Replay replay;
    std::uint32_t lastClock = 0;
};
RecordingState recording{};

template <typename T>
std::uint64_t mix(std::uint64_t hash, const T& value) {
    return fnv1a64(&value, sizeof value, hash);
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return in ? bytes.str() : std::string();
}

// The key table's events, noted before the frame they reach.
void noteKeyEvent(std::uint8_t scanCode, int kind) {
    Replay& r = recording.replay;
    r.inputs.push_back({r.frameCount, static_cast<ReplayInput::Kind>(kind), scanCode, 0});
}

void startRecording() {
    Replay& r = recording.replay;
    r = Replay{};
    r.sceneBytes = readWholeFile(sceneOrigin.path);
    r.sceneName = fs::path(sceneOrigin.path).filename().string();
    recording.active = !r.sceneBytes.empty() && !r.sceneName.empty() && r.sceneName.size() < 256 &&
                       r.sceneBytes.size() <= kReplayMaxSceneBytes;
    r.framesPerSecond = shell.framesPerSecond;
    r.soundMuted = shell.soundMuted != 0 ? 1 : 0;
    for (int id = 0; id < kSoundSlots; ++id)
        if (soundIsLoaded(id)) setBit(r.soundsLoaded, id);
    for (int key = 0; key < 256; ++key)
        if (keyHeld(static_cast<std::uint8_t>(key))) setBit(r.keysHeld, key);
    r.sceneSeed = sceneOrigin.seed;
    r.startSeed = randomState.state;
    r.startClock = shell.frameTime;
    r.startHiScore = world.hiScore;
    recording.lastClock = shell.frameTime;
    if (recording.active) {
        keyRecorder = &noteKeyEvent;
    } else {
        std::fprintf(stderr, "MunchTrail: this game is not recorded: cannot read its scene %s\n",
                     sceneOrigin.path.c_str());
    }
}

void noteClockStep() {
    Replay& r = recording.replay;
    const std::uint32_t step = shell.frameTime - recording.lastClock;
    recording.lastClock = shell.frameTime;
    if (r.frameCount > 0 && step != 1000 / r.framesPerSecond)
        r.inputs.push_back({r.frameCount, ReplayInput::Clock, 0, step});
}

// "2026-12-07_19-40-12_01-first-steps.mtreplay", with a counter when that name is taken.
std::string replayFileName(const std::string& folder, const std::string& sceneName) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    const std::string scene = fs::path(sceneName).stem().string();
    std::string name = folder + "/" + stamp + "_" + scene + ".mtreplay";
    std::error_code error;
    for (int n = 2; fs::exists(name, error) && n < 100; ++n)
        name = folder + "/" + stamp + "_" + scene + "-" + std::to_string(n) + ".mtreplay";
    return name;
}

void finishRecording(ReplayOutcome outcome) {
    recording.active = false;
    keyRecorder = nullptr;
    Replay& r = recording.replay;
    r.outcome = outcome;
    r.score = world.score;
    r.hiScore = world.hiScore;
    r.finalDigest = gameDigest();
    const std::string folder = replayFolder();
    std::error_code error;
    if (folder.empty() || (fs::create_directories(folder, error), error)) {
        std::fprintf(stderr, "MunchTrail: cannot keep the replay: no folder %s\n", folder.c_str());
        return;
    }
    std::string message;
    if (!writeReplayFile(replayFileName(folder, r.sceneName), r, message)) {
        std::fprintf(stderr, "MunchTrail: cannot keep the replay: %s\n", message.c_str());
        return;
    }
    pruneReplays(folder);
}

ReplayOutcome outcomeNow() {
    if (world.quitToMenu != 0) return ReplayOutcome::Abandoned;
    return world.sceneAccomplished != 0 ? ReplayOutcome::Won : ReplayOutcome::Lost;
}

void applyInput(const ReplayInput& input, std::uint32_t& step) {
    switch (input.kind) {
        case ReplayInput::Release: pushKeyEvent(input.scanCode, false); break;
        case ReplayInput::Press: pushKeyEvent(input.scanCode, true); break;
        case ReplayInput::ClearKeys: clearKeyState(); break;
        case ReplayInput::Clock: step = input.value; break;
    }
}

}  // namespace

void pruneReplays(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error); !error && it != fs::directory_iterator();
         it.increment(error))
        if (it->path().extension() == ".mtreplay") names.push_back(it->path().string());
    if (names.size() <= static_cast<std::size_t>(kReplaysKept)) return;
    std::sort(names.begin(), names.end());
    std::string best;
    std::uint32_t bestScore = 0;
    for (const std::string& name : names) {
        Replay replay;
        std::string ignored;
        if (readReplayFile(name, replay, ignored) && (best.empty() || replay.score >= bestScore)) {
            best = name;
            bestScore = replay.score;
        }
    }
    for (std::size_t i = 0; i + kReplaysKept < names.size(); ++i)
        if (names[i] != best) fs::remove(names[i], error);
}

void runScreenFrame() {
    if (!recording.active && shell.currentScreen == &gameStartScreen) startRecording();
    if (recording.active) noteClockStep();
    shell.currentScreen();
    if (!recording.active) return;
    Replay& r = recording.replay;
    ++r.frameCount;
    if (r.frameCount % kCheckpointInterval == 0) r.checkpoints.push_back(gameDigest());
    if (gameScreenIndex(shell.currentScreen) < 0) {
        finishRecording(outcomeNow());
    } else if (r.frameCount == kReplayMaxFrames) {
        // A game paused for more than a day: no reader would take its replay.
        finishRecording(ReplayOutcome::Quit);
    }
}

void finishReplayRecording() {
    if (recording.active) finishRecording(ReplayOutcome::Quit);
}

std::string replayFolder() {
    const std::string state = xdgFolder("XDG_STATE_HOME", ".local/state");
    return state.empty() ? state : state + "/munchtrail/replays";
}

std::uint64_t gameDigest() {
    const WorldState& w = world;
    std::uint64_t h = fnv1a64(w.cells.data(), w.cells.size());
    h = fnv1a64(w.cellEffect.data(), w.cellEffect.size(), h);
    h = fnv1a64(w.effectAge.data(), sizeof w.effectAge, h);
    h = fnv1a64(w.fallHeight.data(), sizeof w.fallHeight, h);
    h = fnv1a64(w.segX.data(), sizeof w.segX, h);
    h = fnv1a64(w.segY.data(), sizeof w.segY, h);
    h = fnv1a64(w.segDir.data(), sizeof w.segDir, h);
    h = fnv1a64(w.segDissolve.data(), sizeof w.segDissolve, h);
    for (std::int32_t v : {w.stoneRead,
                           w.stoneWrite,
                           w.startCol,
                           w.startRow,
                           w.length,
                           w.pendingGrowth,
                           w.tailHold,
                           w.speed,
                           w.speedTimer,
                           w.started,
                           w.face,
                           w.headDissolve,
                           w.lives,
                           w.comboColour,
                           w.comboCount,
                           w.sceneAccomplished,
                           w.quitToMenu,
                           w.fallCounter,
                           w.laserAge,
                           w.laserX,
                           w.laserY,
                           w.laserDX,
                           w.laserDY,
                           w.laserAngle,
                           w.rainTimer,
                           w.rainVolume,
                           w.dayClock,
                           w.nightSpritePatch,
                           w.startHintClock,
                           w.exitHintClock,
                           light.brightness,
                           world.endFade,
                           playScreens.endPicturePhase,
                           gameScreenIndex(shell.currentScreen)})
        h = mix(h, v);
    for (std::uint32_t v : {w.score, w.hiScore, w.nextLifeScore, randomState.state, assets.backgroundIndex})
        h = mix(h, v);
    h = fnv1a64(keyboard.keyState.data(), keyboard.keyState.size(), h);
    for (int i = keyboard.readIndex; i != keyboard.writeIndex; i = (i + 1) % kKeyQueueSize)
        h = mix(h, keyboard.keyQueue[static_cast<std::size_t>(i)]);
    return h;
}

void startPlayback(const Replay& replay) {
    recording.active = false;
    keyRecorder = nullptr;
    world = WorldState{};
    resetLight();
    playScreens = PlayScreenState{};
    pond = PondState{};
    keyboard = KeyboardState{};
    world.hiScore = replay.startHiScore;
    seedRandom(replay.sceneSeed);
    loadSceneBytes(replay.sceneBytes);
    seedRandom(replay.startSeed);
    shell.framesPerSecond = replay.framesPerSecond;
    shell.soundMuted = replay.soundMuted;
    shell.frameTime = replay.startClock;
    shell.currentScreen = &gameStartScreen;
    for (int key = 0; key < 256; ++key)
        if (bitSet(replay.keysHeld, key)) keyboard.keyState[static_cast<std::size_t>(key)] = 0x80;
    resetClipRect();
    drawContext.target = drawBuffer;
    replayPlayback = ReplayPlaybackState{};
    replayPlayback.active = true;
    replayPlayback.replay = &replay;
    soundState.recordedSlots = &replay.soundsLoaded;
}

bool playbackFrame() {
    ReplayPlaybackState& p = replayPlayback;
    const Replay& r = *p.replay;
    if (!p.active || p.frame >= r.frameCount || gameScreenIndex(shell.currentScreen) < 0) return false;
    std::uint32_t step = 1000 / r.framesPerSecond;
    for (; p.nextInput < r.inputs.size() && r.inputs[p.nextInput].frame == p.frame; ++p.nextInput)
        applyInput(r.inputs[p.nextInput], step);
    if (p.frame > 0) shell.frameTime += step;
    shell.currentScreen();
    drawContext.target = drawBuffer;
    ++p.frame;
    if (p.frame % kCheckpointInterval == 0 && p.firstBadFrame == 0 &&
        r.checkpoints[p.frame / kCheckpointInterval - 1] != gameDigest())
        p.firstBadFrame = p.frame;
    return true;
}

void stopPlayback() {
    replayPlayback = ReplayPlaybackState{};
    soundState.recordedSlots = nullptr;
}

int verifyReplay(const Replay& replay, std::string& message) {
    startPlayback(replay);
    while (playbackFrame()) {
        if (replayPlayback.firstBadFrame != 0) break;
    }
    const std::uint32_t frames = replayPlayback.frame;
    const std::uint32_t bad = replayPlayback.firstBadFrame;
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

int verifyReplayCommand(const std::string& path) {
    Replay replay;
    std::string message;
    if (!readReplayFile(path, replay, message)) {
        std::fprintf(stderr, "MunchTrail: %s: %s\n", path.c_str(), message.c_str());
        return 2;
    }
    initRowTables();
    clearFrameBuffer(0);
    clearFrameBuffer(2);
    if (!loadAssetFiles()) {
        std::fprintf(stderr, "MunchTrail: %s\n", shell.errorText);
        return 2;
    }
    const int code = verifyReplay(replay, message);
    std::fprintf(code == 0 ? stdout : stderr, "%s%s\n", code == 0 ? "" : "MunchTrail: ", message.c_str());
    freeAssetImages();
    return code;
}
