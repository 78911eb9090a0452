// The shell's fatal-error record: the first step that fails stores its message; the frame loop
// then shuts down once and shows it.
#include "game/common/shell_state.h"

#include <cstring>

void raiseFatalError(const char* message) {
    if (shell.fatalError) return;  // the first failure is the one the player sees
    std::strncpy(shell.errorText, message, sizeof shell.errorText - 1);
    shell.errorText[sizeof shell.errorText - 1] = '\0';
    shell.fatalError = 1;
}
