// The state of the five picture screens that frame the game: the logo, the main menu, the two
// help pages and the options. Kept in a header so that the tests can follow each screen's
// phase frame by frame and start every test from a fresh state.
#pragma once

#include <array>
#include <cstdint>

struct MenuRect {
    std::int32_t x0, y0, x1, y1;  // inclusive corners
};

// Main menu items: 0 play, 1 options, 2 scene editor, 3 quit, 4 help.
inline constexpr int kMenuItems = 5;
inline constexpr std::array<MenuRect, kMenuItems> kMenuRects{{
    {140, 20, 255, 60},
    {300, 100, 395, 140},
    {220, 240, 355, 280},
    {75, 240, 145, 280},
    {20, 100, 90, 140},
}};

// Options rows: 0 display mode, 1 game speed, 2 sound, 3 back to the main menu.
inline constexpr int kOptionsRows = 4;
inline constexpr std::array<MenuRect, kOptionsRows> kOptionsRects{{
    {20, 90, 145, 115},
    {20, 120, 135, 145},
    {20, 145, 145, 170},
    {110, 230, 295, 255},
}};

inline constexpr std::int32_t kLogoHoldMs = 5000;

struct MenuState {
    std::int32_t logoPhase = -1;
    std::int32_t helpPhase = -1;
    std::int32_t help2Phase = -1;
    std::int32_t optionsPhase = -1;
    std::int32_t menuPhase = -1;
    std::uint32_t logoStart = 0;  // frameTime of the logo's first waiting frame
    bool logoHolding = false;     // the hold's clock has been started
    std::int32_t menuItem = 0;
    std::int32_t optionsRow = 3;
};
inline MenuState menus{};
