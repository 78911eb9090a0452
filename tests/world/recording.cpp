#include "tests/world/recording.h"

#include "game/common/keys.h"
#include "game/common/light.h"
#include "game/common/random.h"
#include "game/world/pond.h"
#include "game/world/world.h"

int platformOpenAudio() {
    return 1;
}
void platformCloseAudio() {}
int platformLoadSound(int id, const char*) {
    wt::soundLog.loaded[static_cast<std::size_t>(id)] = true;
    return 1;
}
bool platformSoundLoaded(int id) {
    return id >= 0 && id < 256 && wt::soundLog.loaded[static_cast<std::size_t>(id)];
}
void platformSound(SoundOp op, int id, std::int32_t value) {
    wt::soundLog.calls.push_back({op, id, value});
}

namespace wt {

SoundLog soundLog;

void resetSoundLog() {
    soundLog = SoundLog{};
    soundLog.loaded.fill(true);
}

std::vector<SoundCall> callsOn(int id) {
    std::vector<SoundCall> out;
    for (const SoundCall& call : soundLog.calls)
        if (call.id == id) out.push_back(call);
    return out;
}

int playsOf(int id) {
    int n = 0;
    for (const SoundCall& call : soundLog.calls) n += call.id == id && call.op == SoundOp::Play;
    return n;
}

std::vector<SoundCall> restartCalls(int id, std::int32_t pan) {
    return {
        {SoundOp::Stop, id, 0}, {SoundOp::SetPan, id, pan}, {SoundOp::Rewind, id, 0}, {SoundOp::Play, id, 0}};
}

void playStep() {
    constexpr std::uint8_t kArrows[4] = {kKeyUp, kKeyRight, kKeyDown, kKeyLeft};
    for (int d = 0; d < 4 && !world.started; ++d) {
        if (!keyHeld(kArrows[d])) continue;
        world.segDir[0] = static_cast<std::uint8_t>(d);
        world.started = 1;
    }
    if (world.started) {
        stepWorm();
        if (world.pendingGrowth > 0 && world.tailHold <= 0) {
            world.pendingGrowth -= 1;
            growWorm();
        }
        if (world.scene.fallInterval != 0) dropRandomBean(gameRand() % 5);
    }
    bool steering = false;
    for (int d = 0; d < 4; ++d) steering |= keyHeld(kArrows[d]) && (d + 2) % 4 != world.segDir[0];
    if (steering) stampRipple(world.segX[1] + 4, world.segY[1] + 5, 2, gameRand() & 127);
}

}  // namespace wt
