// Settings and high score in the settings file: first-start defaults, validation, the moments
// of reading and writing, atomic replacement and damaged files.
#include <filesystem>

#include <gtest/gtest.h>

#include "game/platform/headless.h"
#include "game/screens/screens.h"
#include "game/shell/settings.h"
#include "game/shell/shell.h"
#include "game/world/world.h"
#include "tests/game/game_test_support.h"

namespace {

using Settings = GameTest;

TEST_F(Settings, TheFileFollowsXdgConfigHome) {
    EXPECT_EQ(settingsFilePath(), folder_ + "/config/Quillfern/MunchTrail.ini");
}

TEST_F(Settings, FirstStartUsesTheDefaultsAndQuittingStoresAllSevenValues) {
    makeDat();
    ASSERT_TRUE(startGame());
    EXPECT_EQ(shell.isWindowed, 1);
    EXPECT_EQ(shell.framesPerSecond, 20u);
    EXPECT_EQ(shell.soundMuted, 0);
    EXPECT_EQ(world.hiScore, 0u);
    shutdownGame();
    EXPECT_EQ(settingsText(),
              "WindowedMode=dword:1\nGameSpeed=dword:20\nNoSound=dword:0\nHiScore=dword:0\nVersion=sz:2.01\n"
              "Homepage=sz:" + std::string(kHomepageText) + "\nCopyright=sz:" + kCopyrightText + "\n");
}

TEST_F(Settings, AnUnknownGameSpeedRunsAtTwentyAndIsRewrittenAsTwenty) {
    makeDat();
    writeSettingsText("GameSpeed=dword:30\n");
    ASSERT_TRUE(startGame());
    EXPECT_EQ(shell.framesPerSecond, 20u);
    shutdownGame();
    EXPECT_NE(settingsText().find("GameSpeed=dword:20\n"), std::string::npos);
}

TEST_F(Settings, ValidSpeedsAndAnyNonZeroNoSoundAreTaken) {
    makeDat();
    writeSettingsText("GameSpeed=dword:25\nNoSound=dword:7\n");
    ASSERT_TRUE(startGame());
    EXPECT_EQ(shell.framesPerSecond, 25u);
    EXPECT_EQ(shell.soundMuted, 1);
}

TEST_F(Settings, FullScreenIsRememberedAndTheNextStartSwitchesBeforeTheFirstFrame) {
    makeDat();
    ASSERT_TRUE(startGame());
    toggleDisplayMode();
    scriptPress(0x01);  // Escape
    runOneFrame();
    EXPECT_NE(settingsText().find("WindowedMode=dword:0\n"), std::string::npos);
    resetHeadlessGame();
    ASSERT_TRUE(startGame());
    EXPECT_EQ(shell.isWindowed, 0);
    EXPECT_EQ(headless.framesShown, 0);
    EXPECT_TRUE(headless.displayOpen);
}

TEST_F(Settings, TheHighScoreIsReadAtStartAndKeptAtExit) {
    makeDat();
    writeSettingsText("HiScore=dword:1000\n");
    ASSERT_TRUE(startGame());
    EXPECT_EQ(world.hiScore, 1000u);
    world.hiScore = 1234;
    shutdownGame();
    EXPECT_NE(settingsText().find("HiScore=dword:1234\n"), std::string::npos);
}

TEST_F(Settings, ADamagedFileGivesDefaultsAndIsRepairedOnWrite) {
    writeSettingsText("garbage\0\xff\nWindowedMode=dword:99999999999\nGameSpeed=sz:15\nNoSound=dword:-1\n"
                      "HiScore=dword:12x\n=\n:::\nWindowedMode\n");
    const StoredSettings stored = readSettings();
    EXPECT_EQ(stored.windowedMode, 1u);
    EXPECT_EQ(stored.gameSpeed, 20u);
    EXPECT_EQ(stored.noSound, 0u);
    std::uint32_t score = 77;
    readHighScore(&score);
    EXPECT_EQ(score, 77u);
    writeHighScore(5);
    EXPECT_EQ(settingsText(), "HiScore=dword:5\n");
}

TEST_F(Settings, AWriteKeepsTheReadableValuesOnceEachInOrder) {
    EXPECT_EQ(normaliseSettingsText("Version=sz:x\r\r\nHiScore=dword:7\nHiScore=dword:8\nNoSound=sz:1\nFoo=dword:1\n"),
              "HiScore=dword:8\nVersion=sz:x\n");
    EXPECT_EQ(normaliseSettingsText(""), "");
}

TEST_F(Settings, WindowsLineEndsAndTheLargestNumberAreRead) {
    writeSettingsText("HiScore=dword:4294967295\r\nWindowedMode=dword:0\r\n");
    std::uint32_t score = 0;
    readHighScore(&score);
    EXPECT_EQ(score, 4294967295u);
    EXPECT_EQ(readSettings().windowedMode, 0u);
}

TEST_F(Settings, AnUnwritableFolderLosesTheValuesButNeverStopsTheGame) {
    setenv("XDG_CONFIG_HOME", (folder_ + "/missing/file/below/a/file").c_str(), 1);
    writeBytes(folder_ + "/missing", {1});
    writeHighScore(3);
    std::uint32_t score = 9;
    readHighScore(&score);
    EXPECT_EQ(score, 9u);
}

TEST_F(Settings, WritesReplaceTheFileWhole) {
    writeSettingsText("HiScore=dword:1\n");
    writeVersionInfo();
    writeHighScore(2);
    const std::string text = settingsText();
    EXPECT_NE(text.find("HiScore=dword:2\n"), std::string::npos);
    EXPECT_NE(text.find("Version=sz:2.01\n"), std::string::npos);
    for (const auto& entry : std::filesystem::directory_iterator(folder_ + "/config/Quillfern"))
        EXPECT_EQ(entry.path().filename(), "MunchTrail.ini");  // no temporary file left behind
}

}  // namespace
