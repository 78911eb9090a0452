// The state of the five picture screens that frame the game: the logo, the main menu, the two
// help pages and the two options screens. The title and menu screens' files share it, and a fresh start
// (the shell's reset) puts it back to these values.
#pragma once

#include <cstdint>

#include "game/screens/menu_layout.h"

inline constexpr std::int32_t kLogoHoldMs = 5000;

struct MenuState {
    std::int32_t logoPhase = -1;
    std::int32_t helpPhase = -1;
    std::int32_t help2Phase = -1;
    std::int32_t optionsPhase = -1;
    std::int32_t moreOptionsPhase = -1;
    std::int32_t menuPhase = -1;
    std::uint32_t logoStart = 0;  // frameTime of the logo's first waiting frame
    bool logoHolding = false;     // the hold's clock has been started
    std::int32_t menuItem = 0;
    std::int32_t optionsRow = kOptionsRows - 1;
    std::int32_t moreOptionsRow = kMoreOptionsRows - 1;
    // The row the options open on: their last, or the row of the screen the player comes back from.
    std::int32_t optionsOpenRow = kOptionsRows - 1;
};
inline MenuState menus{};
inline void resetMenus() {
    menus = MenuState{};
}
