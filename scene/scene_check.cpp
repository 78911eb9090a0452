// The editor's checks before a scene is saved. They look only at what the game needs to play
// the scene: something to eat (unless beans fall from the sky on a timer), a start point, and
// an exit point exactly in Escape scenes.
#include "scene/scene.h"

const char* validateScene(const Scene& scene) {
    bool bean = false;
    bool start = false;
    bool exit = false;
    for (std::uint8_t code : scene.grid) {
        bean = bean || isNonStoneBean(code);
        start = start || code == StartPoint;
        exit = exit || code == ExitPoint;
    }
    if (!bean && scene.randomFall == 0) return kNeedBeanMessage;
    if (!bean && scene.fallInterval == 0) return kNeedBeanMessage;
    if (!bean && scene.objective == EatUp) return kNeedBeanMessage;
    if (!start) return kNeedStartMessage;
    if (exit && scene.objective != Escape) return kEraseExitMessage;
    if (!exit && scene.objective == Escape) return kNeedExitMessage;
    return nullptr;
}
