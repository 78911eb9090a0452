// Where the main menu's items, the options' rows and the options' value marks sit on their
// pictures. The screens light and mark these places and the picture generator paints the
// plaques and dimples into them, so both read them from here.
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

// Options rows: 0 display mode, 1 game speed, 2 sound, 3 more options, 4 the Controls screen
// (beside more options), 5 back to the main menu.
inline constexpr int kOptionsRows = 6;
inline constexpr int kOptionsMoreRow = 3;
inline constexpr int kOptionsControlsRow = 4;
inline constexpr std::array<MenuRect, kOptionsRows> kOptionsRects{{
    {20, 90, 145, 115},
    {20, 120, 135, 145},
    {20, 145, 145, 170},
    {20, 184, 175, 209},
    {225, 184, 380, 209},
    {110, 230, 295, 255},
}};

// The second options screen's rows: 0 pixels, 1 effects volume, 2 ambient volume, 3 bean
// marks, 4 ghost, 5 back to the options. Each value is written at run time at kMoreValueX.
inline constexpr int kMoreOptionsRows = 6;
inline constexpr std::array<MenuRect, kMoreOptionsRows> kMoreOptionsRects{{
    {20, 76, 175, 98},
    {20, 102, 175, 124},
    {20, 128, 175, 150},
    {20, 154, 175, 176},
    {20, 180, 175, 202},
    {110, 236, 295, 261},
}};
inline constexpr std::int32_t kMoreValueX = 196;

// The top-left corner of the 16-pixel marker beside each option value.
struct OptionMark {
    std::int32_t x, y;
};
struct OptionMarks {
    OptionMark fullScreen, window, slow, normal, fast, soundOn, soundOff;
};
inline constexpr OptionMarks kOptionMarks{{160, 95},  {280, 95},  {160, 121}, {230, 121},
                                          {323, 121}, {160, 148}, {217, 148}};

// The Controls screen: a row for each of the player's actions, then DEFAULTS; the name of the
// action, its key and its gamepad button each in a column of text the screen draws. The
// picture holds the panel under the rows and the columns' headings.
inline constexpr int kControlsRows = 10;
struct ControlsLayout {
    std::int32_t firstRowY, rowHeight;  // the top of the first row's text
    std::int32_t left, right;           // the lit band of the selected row
    std::int32_t nameX, keyX, padX;     // where each column's text starts
};
inline constexpr ControlsLayout kControlsLayout{78, 17, 28, 371, 40, 160, 286};
