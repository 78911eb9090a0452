// The event tap: the one door between the platform's input and the game's state. Live, every
// input is applied and (during a game) noted by the recorder; while a replay plays, the
// recorded inputs come in through the same functions and the player's keys go to the viewer.
#include "game/common/keys.h"
#include "game/replay/replay.h"
#include "game/replay/replay_detail.h"

void tapKey(std::uint8_t scanCode, bool pressed) {
    if (playbackStatus().active) {
        viewerKey(scanCode, pressed);
        return;
    }
    noteInput(pressed ? ReplayInput::Press : ReplayInput::Release, scanCode);
    pushKeyEvent(scanCode, pressed);
}

void tapFocusChange() {
    if (playbackStatus().active) return;
    noteInput(ReplayInput::ClearKeys, 0);
    clearKeyState();
}

void tapClock(std::uint32_t now) {
    if (!playbackStatus().active) game.frameTime = now;
}

bool tapFrameStart() {
    if (playbackStatus().active) return playbackFrameStart();
    recordFrameStart();
    return true;
}

void tapFrameEnd() {
    if (playbackStatus().active) {
        playbackFrameEnd();
    } else {
        recordFrameEnd();
    }
}
