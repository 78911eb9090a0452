// The fatal-error record: the first step that fails stores its message; the frame loop then
// shuts down once and shows it.
#include "game/common/game_state.h"

#include <cstring>

void raiseFatalError(const char* message) {
    if (game.fatalError) return;  // the first failure is the one the player sees
    std::strncpy(game.errorText, message, sizeof game.errorText - 1);
    game.errorText[sizeof game.errorText - 1] = '\0';
    game.fatalError = 1;
}
