// Shared ground for the game's headless tests: a fresh temporary program folder with the
// generated DAT/ (its full-screen pictures replaced by solid colours), a private settings
// folder, and a fresh headless game. Files can be left out or broken per test to walk the
// failure paths.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/platform/headless/headless.h"

// The colour of each full-screen picture in the test DAT: distinct, so a frame tells which
// picture (and which lit part) was drawn.
inline constexpr std::uint32_t kLogoColour = 0x00204060;
inline constexpr std::uint32_t kMenuColour = 0x00101010;
inline constexpr std::uint32_t kMenuLitColour = 0x00F0F0F0;
inline constexpr std::uint32_t kOptionsColour = 0x00202020;
inline constexpr std::uint32_t kOptionsLitColour = 0x00E0E0E0;
inline constexpr std::uint32_t kHelpColour = 0x00300000;
inline constexpr std::uint32_t kHelp2Colour = 0x00003000;
inline constexpr std::uint32_t kMarkerColour = 0x0000FF00;

std::vector<std::uint8_t> makeBmp(int width, int height, std::uint32_t colour);
std::vector<std::uint8_t> makeWave(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                                   std::uint16_t bits, std::uint32_t frames,
                                   const std::vector<std::uint8_t>& extra = {});
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The program folder with its complete DAT/ (call before startGame, then remove files).
    void makeDat();
    void removeDatFile(const std::string& name);
    std::string settingsText() const;
    void writeSettingsText(const std::string& text) const;
    // initGame on the headless layer; true when the loop may run.
    bool startGame();
    // Runs frames until the current screen is `screen` (at most `limit` frames).
    bool runUntilScreen(void (*screen)(), int limit = 400);
    void runFrames(int count);
    void press(std::uint8_t scanCode);  // one press and release delivered before the next frame
    void step(std::uint8_t scanCode) {
        press(scanCode);
        runOneFrame();
    }  // a press, then a frame

    std::string folder_;
    std::string previousFolder_;
};
