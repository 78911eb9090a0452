// Watching a replay in the game's window. The recorded events drive the game; the player's
// keys only steer the viewing: Space pauses, Right switches four-times speed, Backspace,
// Escape or closing the window leave. Nothing of the player's settings or high score is read
// or written, and the focus changes leave the replayed key table alone.
#include <cstdio>

#include "game/common/assets.h"
#include "game/common/keys.h"
#include "game/common/platform.h"
#include "game/common/sound.h"
#include "game/shell/media.h"
#include "game/shell/replay.h"
#include "game/shell/shell.h"
#include "game/shell/window.h"
#include "render/pixels.h"

namespace {

struct ViewerState {
    bool paused = false;
    bool fast = false;
    bool leave = false;
};
ViewerState viewer{};

bool openWindow() {
    if (!platformCreateWindow()) return false;
    shell.windowOpen = 1;
    platformPlaceWindow();
    if (!initDisplay() || !platformInitInput()) return false;
    shell.isActive = 1;
    if (initSound()) loadSounds();  // without a device the replay runs silent
    return loadAssetFiles();
}

void closeWindow() {
    stopPlayback();
    freeAssetImages();
    if (!shell.windowOpen) return;
    releaseSound();
    releaseInput();
    platformReleaseDisplay();
    platformDestroyWindow();
    shell.windowOpen = 0;
}

// Runs the frames that are due and presents them; the ms until the next one (-1: none due).
std::int32_t viewFrames(std::uint32_t& due, std::uint32_t period) {
    if (viewer.paused) return -1;
    const std::uint32_t now = platformTicks();
    if (static_cast<std::int32_t>(due - now) > 0) return static_cast<std::int32_t>(due - now);
    due = now + period / (viewer.fast ? 4 : 1);
    if (!playbackFrame()) {
        viewer.leave = true;
        return 0;
    }
    presentFrame();
    return static_cast<std::int32_t>(due - now);
}

}  // namespace

bool viewerKeyEvent(std::uint8_t scanCode, bool pressed) {
    if (!replayPlayback.active || !shell.windowOpen) return false;
    if (!pressed) return true;
    if (scanCode == kKeyEscape || scanCode == kKeyBackspace) viewer.leave = true;
    if (scanCode == kKeySpace) viewer.paused = !viewer.paused;
    if (scanCode == kKeyRight) viewer.fast = !viewer.fast;
    return true;
}

bool viewerCloseRequest() {
    if (!replayPlayback.active || !shell.windowOpen) return false;
    viewer.leave = true;
    return true;
}

int watchReplayCommand(const std::string& path) {
    Replay replay;
    std::string message;
    if (!readReplayFile(path, replay, message)) {
        platformShowError((path + ": " + message).c_str());
        return 2;
    }
    viewer = ViewerState{};
    if (!openWindow()) {
        platformShowError(shell.errorText[0] != '\0' ? shell.errorText : "Failed to initialize screen!");
        closeWindow();
        return 2;
    }
    startPlayback(replay);
    std::uint32_t due = platformTicks();
    const std::uint32_t period = 1000 / replay.framesPerSecond;
    while (!viewer.leave && shell.windowOpen) {
        platformHandleEvents();
        if (viewer.leave) break;
        const std::int32_t wait = viewFrames(due, period);
        if (wait != 0) platformWaitEvent(wait);
    }
    closeWindow();
    return 0;
}
