// The Controls screen's own state: its fades and the selected row (an action, or DEFAULTS last).
#pragma once

#include <cstdint>

struct ControlsMenuState {
    std::int32_t phase = -1;
    std::int32_t row = 0;
};
inline ControlsMenuState controlsMenu{};
inline void resetControlsScreen() {
    controlsMenu = ControlsMenuState{};
}
