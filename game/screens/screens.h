// Every screen of the game, the fades over the shared light level, and the skip press.
// Screens are plain functions run once per frame through game.currentScreen
// (game/common/shell_state.h).
#pragma once

#include <cstdint>

#include "game/common/light.h"
#include "render/pixels.h"

// Space, Enter or keypad Enter while neither Alt key is held.
bool isSkipPress(std::uint8_t key);
// Enter or keypad Enter while neither Alt key is held: the menus' confirming key.
bool isConfirmPress(std::uint8_t key);

// The one key press a picture or menu screen acts on this frame (0 for none); the presses
// made meanwhile are dropped.
std::uint8_t takeKey();
// The standard fade-in for a screen in phase -1: a skip press jumps to full light, otherwise
// 8 steps a frame; true on the frame it ends, with phase set to 0 and brightness to 256.
bool stepFadeIn(std::int32_t& phase, std::uint8_t key);
// The standard fade-out: a skip press cuts to black, otherwise 8 steps a frame down; true when
// the screen is to hand over now (brightness 0). The caller sets its phase and the next screen.
bool stepFadeOut(std::uint8_t key);
// A full-screen picture at the current brightness, clipped to (1,1)-(398,298).
void drawPicture(const PixelBuffer* picture);
// The lit picture inside one rectangle (inclusive), then the full-screen clip again.
void drawLitRect(const PixelBuffer* picture, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                 std::int32_t y1);

void logoScreen();
void mainMenuScreen();
void helpScreen();
void helpScreen2();
void optionsScreen();
void moreOptionsScreen();
void controlsScreen();
void sceneSelectScreen();
void gameStartScreen();
void playScreen();
void pauseScreen();
void lifeLostScreen();
void sceneEndScreen();
void endPictureScreen();
