// Every screen of the game, the light level the fades share, and the skip press. Screens are
// plain functions run once per frame through shell.currentScreen (see shell/shell.h).
#pragma once

#include <cstdint>

struct ScreenState {
    std::int32_t brightness = 0;  // 0..256: picture fades and the playfield's light
    std::int32_t endFade = 256;   // the play screens' closing fade (see playScreen)
};
inline ScreenState screens{};

// Space, Enter or keypad Enter while neither Alt key is held.
bool isSkipPress(std::uint8_t key);

void logoScreen();
void mainMenuScreen();
void helpScreen();
void helpScreen2();
void optionsScreen();
void sceneSelectScreen();
void gameStartScreen();
void playScreen();
void pauseScreen();
void lifeLostScreen();
void sceneEndScreen();
void endPictureScreen();
