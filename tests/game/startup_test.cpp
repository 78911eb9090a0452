// Start and end of the program: the asset catalogue's failure messages, each shown exactly once
// with the program ending in order, the background's replacement, sounds that never fail the
// game; settings and high score in the settings file: first-start defaults, validation, the
// moments of reading and writing, atomic replacement and damaged files.
#include <cstring>
#include <filesystem>
#include <tuple>

#include <gtest/gtest.h>

#include "game/common/message_text.h"
#include "tests/game/game_test_support.h"

namespace {

using Catalogue = GameTest;
using Strings = std::vector<std::string>;

TEST_F(Catalogue, ACompleteFolderLoadsEverythingAndStartsWithTheLogo) {
    makeDat();
    ASSERT_TRUE(startGame());
    EXPECT_EQ(game.currentScreen, logoScreen);  // the pictures: every kept game's frames show them
    EXPECT_EQ(randomState.state, headless.now) << "the random numbers start from the clock";
    for (int id : {0, 13, 21, 23, 99, 100, 101, 114}) EXPECT_TRUE(soundIsLoaded(id)) << id;
    for (int id : {14, 20, 24, 98, 115}) EXPECT_FALSE(soundIsLoaded(id)) << id;
}

TEST_F(Catalogue, OneMissingWormImageFailsTheImagesOnceButLoadsTheRest) {
    makeDat();
    removeDatFile("wormb3.bmp");
    ASSERT_TRUE(startGame());
    EXPECT_EQ(game.currentScreen, nullptr);
    EXPECT_NE(assets.wormD[7], nullptr);  // every image is tried
    EXPECT_EQ(assets.wormB[2], nullptr);
    EXPECT_FALSE(soundIsLoaded(0));  // the catalogue stopped before the sounds
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(headless.errorBoxes, Strings{"Failed to load images!"});
    EXPECT_FALSE(loop.windowOpen);
    EXPECT_EQ(assets.wormD[7], nullptr);                                      // freed at the window's end
    EXPECT_NE(settingsText().find("GameSpeed=dword:20"), std::string::npos);  // settings still stored
}

TEST_F(Catalogue, EachStartupFailureShowsItsMessageOnce) {
    struct Case {
        const char* missingFile;
        bool HeadlessState::*fails;
        const char* message;  // nullptr: no box at all
    } cases[] = {
        {"bg00.bmp", nullptr, "Failed to load images!"},
        {"bean.txm", nullptr, "Failed to load texture file: bean.txm!"},
        {"bright.txm", nullptr, "Failed to load texture file: bright.txm!"},
        {nullptr, &HeadlessState::displayFails, "Failed to initialize screen!"},
        {nullptr, &HeadlessState::inputFails, "Failed to initialize DirectInput!"},
        {nullptr, &HeadlessState::windowFails, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message ? c.message : "window");
        resetHeadlessGame();
        makeDat();
        if (c.missingFile) removeDatFile(c.missingFile);
        if (c.fails) headless.*c.fails = true;
        runGame();
        EXPECT_EQ(headless.errorBoxes, c.message ? Strings{c.message} : Strings{});
    }
}

// --play FILE: the scene at once, and Backspace (or the end picture) ends the program; a file
// that cannot be read fails the start. A game whose replay cannot be kept says so at exit.
TEST_F(Catalogue, PlayingOneSceneStartsAtOnceAndEndsTheProgram) {
    makeDat();
    writeBytes("one.qsn", {'x'});
    loop.playFile = folder_ + "/one.qsn";
    setenv("XDG_STATE_HOME", loop.playFile.c_str(), 1);  // no replay folder below a file
    ASSERT_TRUE(startGame());
    runOneFrame();
    EXPECT_EQ(game.currentScreen, playScreen);
    scriptKey(kKeyBackspace, true);
    EXPECT_TRUE(runUntilScreen(sceneEndScreen, 5));
    for (int i = 0; i < 60 && runOneFrame(); ++i) {}
    EXPECT_EQ(loop.windowOpen, 0);
    ASSERT_EQ(headless.errorBoxes.size(), 1u);
    EXPECT_EQ(headless.errorBoxes[0].rfind("A game could not be kept as a replay: no folder", 0), 0u);
    resetHeadlessGame();
    loop.playFile = folder_ + "/none.qsn";
    EXPECT_EQ(runGame(), 1);
    EXPECT_EQ(headless.errorBoxes, Strings{"Cannot read the scene file!"});
}

TEST_F(Catalogue, BackgroundsDuringPlay) {
    makeDat();
    ASSERT_TRUE(startGame());
    writeBytes("DAT/bg00.bmp", makeBmp(3, 2, 0));
    assets.backgroundIndex = 9;  // beyond the nine: the first one
    loadBackground();
    EXPECT_EQ(assets.backgroundIndex, 0u);
    ASSERT_NE(assets.background, nullptr);
    EXPECT_EQ(assets.background->width, 3);
    removeDatFile("bg05.bmp");  // a missing one ends the game at the next pass
    assets.backgroundIndex = 5;
    loadBackground();
    EXPECT_EQ(assets.background, nullptr);
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(headless.errorBoxes, Strings{"Failed to load background image!"});
}

TEST_F(Catalogue, WithoutSoundsOrASoundDeviceTheGameRunsSilently) {
    makeDat();
    for (const auto& entry : std::filesystem::directory_iterator("DAT"))
        if (entry.path().extension() == ".wav") std::filesystem::remove(entry.path());
    ASSERT_TRUE(startGame());
    EXPECT_EQ(game.currentScreen, logoScreen);
    runFrames(40);
    press(0xD0);
    runFrames(2);
    EXPECT_TRUE(headless.soundCalls.empty());
    EXPECT_TRUE(headless.errorBoxes.empty());
    resetHeadlessGame();
    makeDat();
    headless.audioMissing = true;
    ASSERT_TRUE(startGame());
    EXPECT_FALSE(soundIsLoaded(100));
    EXPECT_EQ(game.currentScreen, logoScreen);
}

using Settings = GameTest;

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

TEST_F(Settings, FirstStartUsesTheDefaultsAndQuittingStoresEveryValue) {
    EXPECT_EQ(settingsFilePath(), folder_ + "/config/Quillfern/MunchTrail.ini");
    makeDat();
    ASSERT_TRUE(startGame());
    EXPECT_EQ(options.isWindowed, 1);
    EXPECT_EQ(options.framesPerSecond, 20u);
    EXPECT_EQ(options.soundMuted, 0);
    EXPECT_EQ(world.hiScore, 0u);
    shutdownGame();
    const std::string keys =
        "KeyUp=dword:200\nPadUp=dword:12\nKeyDown=dword:208\nPadDown=dword:13\nKeyLeft=dword:203\n"
        "PadLeft=dword:14\nKeyRight=dword:205\nPadRight=dword:15\nKeyPause=dword:57\nPadPause=dword:7\n"
        "KeyBack=dword:14\nPadBack=dword:2\nKeyConfirm=dword:28\nPadConfirm=dword:1\nKeyPanel=dword:15\n"
        "PadPanel=dword:0\nKeyFullScreen=dword:28\nPadFullScreen=dword:0\n";
    EXPECT_EQ(settingsText(),
              "WindowedMode=dword:1\nGameSpeed=dword:20\nNoSound=dword:0\nGhost=dword:2\nSharpFill=dword:1\n"
              "EffectsVolume=dword:100\nAmbientVolume=dword:100\nBeanMarks=dword:0\nHiScore=dword:0\nVersion="
              "sz:2.01\n"
              "Homepage=sz:" +
                  std::string(kHomepageText) + "\nCopyright=sz:" + kCopyrightText + "\n" + keys);
    EXPECT_EQ(fs::status(folder_ + "/config/Quillfern").permissions(), fs::perms::owner_all);
}

TEST_F(Settings, ARelativeConfigFolderIsIgnoredForTheOneInHome) {
    const std::string home = std::getenv("HOME");
    setenv("HOME", folder_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", "config", 1);
    const std::string path = settingsFilePath();
    setenv("HOME", home.c_str(), 1);
    EXPECT_EQ(path, folder_ + "/.config/Quillfern/MunchTrail.ini");
}

TEST_F(Settings, SpeedSoundAndHighScoreAreReadAtStartAndStoredAtExit) {
    struct Case {
        const char* text;
        std::uint32_t speed;
        int muted;
        std::uint32_t hiScore;
        PlayerOptions more{};  // ghost, fill, volumes, marks
    } cases[] = {
        {"GameSpeed=dword:30\nEffectsVolume=dword:40\n", 20, 0, 0, {.effectsVolume = 40}},  // speed: twenty
        {"GameSpeed=dword:25\nNoSound=dword:7\nHiScore=dword:1000\nGhost=dword:0\nSharpFill=dword:0\n"
         "EffectsVolume=dword:0\nAmbientVolume=dword:30\nBeanMarks=dword:1\n",
         25,
         1,
         1000,
         {.ghost = 0, .sharpFill = 0, .effectsVolume = 0, .ambientVolume = 30, .beanMarks = 1}},
        // out of range or between steps: the defaults
        {"GameSpeed=dword:15\nNoSound=dword:0\nGhost=dword:3\nSharpFill=dword:2\nEffectsVolume=dword:55\n"
         "AmbientVolume=dword:110\nBeanMarks=dword:4294967295\n",
         15, 0, 0},
    };
    makeDat();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        resetHeadlessGame();
        writeSettingsText(c.text);
        ASSERT_TRUE(startGame());
        EXPECT_EQ(options.framesPerSecond, c.speed);
        EXPECT_EQ(options.soundMuted, c.muted);
        EXPECT_EQ(world.hiScore, c.hiScore);
        EXPECT_EQ(std::tie(options.ghost, options.sharpFill, options.effectsVolume, options.ambientVolume,
                           options.beanMarks),
                  std::tie(c.more.ghost, c.more.sharpFill, c.more.effectsVolume, c.more.ambientVolume,
                           c.more.beanMarks));
        const auto& mixer = headless.slots;  // the stored volumes reach the mixer at start
        EXPECT_EQ(std::pair(mixer[SoundEat].playerVolume, mixer[SoundAmbientLast].playerVolume),
                  std::pair(c.more.effectsVolume, c.more.ambientVolume));
        world.hiScore += 234;
        shutdownGame();
        EXPECT_TRUE(contains(settingsText(), ("GameSpeed=dword:" + std::to_string(c.speed) + "\n").c_str()));
        EXPECT_TRUE(
            contains(settingsText(), ("HiScore=dword:" + std::to_string(c.hiScore + 234) + "\n").c_str()));
    }
}

TEST_F(Settings, FullScreenIsRememberedAndTheNextStartSwitchesBeforeTheFirstFrame) {
    makeDat();
    ASSERT_TRUE(startGame());
    switchDisplayMode();
    scriptPress(0x01);  // Escape
    runOneFrame();
    EXPECT_TRUE(contains(settingsText(), "WindowedMode=dword:0\n"));
    resetHeadlessGame();
    ASSERT_TRUE(startGame());
    EXPECT_EQ(options.isWindowed, 0);
    EXPECT_EQ(headless.framesShown, 0);
    EXPECT_TRUE(headless.displayOpen);
}

TEST_F(Settings, TheWindowSizeComesBackAndAModeChosenForOneRunIsNotStored) {
    const std::pair<const char*, std::uint32_t> sizes[] = {
        {"WindowSize=sz:1000x700\n", 1000}, {"WindowSize=sz:0x700\n", 0},   {"WindowSize=sz:12x\n", 0},
        {"WindowSize=dword:800\n", 0},      {"WindowSize=sz:99999x5\n", 0}, {"WindowSize=sz:-1x5\n", 0}};
    for (auto [text, width] : sizes) {
        writeSettingsText(text);
        EXPECT_EQ(readSettings().windowWidth, width) << text;
        EXPECT_EQ(readSettings().windowHeight, width != 0 ? 700u : 0u) << text;
    }
    makeDat();
    writeSettingsText("WindowedMode=dword:1\nWindowSize=sz:640x480\n");
    loop.modeOverride = 0;  // --fullscreen
    ASSERT_TRUE(startGame());
    EXPECT_EQ(options.isWindowed, 0);
    EXPECT_EQ(headless.windowSize.width, 640);
    headless.windowSize.height = 500;  // the player drags the window taller
    options.isWindowed = 1;
    presentFrame();
    shutdownGame();
    EXPECT_TRUE(contains(settingsText(), "WindowedMode=dword:1\nWindowSize=sz:640x500\n"));
}

TEST_F(Settings, ADamagedFileGivesDefaultsAndIsRepairedOnWrite) {
    for (const char* junk : {"dword:99999999999", "dword:4294967296", "dword:18446744073709551616",
                             "dword:12x", "dword:-1", "dword:+5", "dword: 5", "dword:", "sz:15"}) {
        writeSettingsText(std::string("garbage\0\xff\n", 10) + "HiScore=" + junk + "\n=\n:::\nHiScore\n");
        std::uint32_t score = 77;
        readHighScore(&score);
        EXPECT_EQ(score, 77u) << junk;
        writeHighScore(5);
        EXPECT_EQ(settingsText(), "HiScore=dword:5\n") << junk;
    }
}

TEST_F(Settings, AWriteKeepsTheReadableValuesOnceEachInOrder) {
    EXPECT_EQ(normaliseSettingsText(
                  "Version=sz:x\r\r\nHiScore=dword:7\nHiScore=dword:8\nNoSound=sz:1\nFoo=dword:1\n"),
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

// An error box's lines fit a 1024-pixel screen: broken at spaces, after slashes, or hard.
TEST(ErrorBox, LongMessagesAreBrokenIntoLinesOfSixtyCharacters) {
    const std::pair<const char*, const char*> rows[] = {
        {"Short stays.", "Short stays."},
        {"The settings could not be saved to /home/someone/.config/Quillfern/MunchTrail.ini (No space left "
         "on "
         "device).",
         "The settings could not be saved to /home/someone/.config/\nQuillfern/MunchTrail.ini (No space left "
         "on device)."},
        {"/a-very-long-folder-name-that-goes-on/and-on-and-on/further-down/file.ini",
         "/a-very-long-folder-name-that-goes-on/and-on-and-on/\nfurther-down/file.ini"},
        {"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
         "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\nxxxxxx"},
        {"One\nTwo", "One\nTwo"},
    };
    for (auto [text, expected] : rows) EXPECT_EQ(wrapMessage(text), expected);
}

TEST_F(Settings, AFailedWriteKeepsTheGameGoingAndIsReportedAtExit) {
    makeDat();
    writeBytes(folder_ + "/file", {1});
    std::filesystem::create_directories(folder_ + "/config/Quillfern/MunchTrail.ini");
    for (auto [config, reason] : {std::pair{folder_ + "/file/below", "Not a directory"},
                                  std::pair{folder_ + "/config", "Is a directory"}}) {
        resetHeadlessGame();
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ASSERT_TRUE(startGame());
        EXPECT_FALSE(writeHighScore(3).ok);
        runFrames(3);
        EXPECT_EQ(headless.errorBoxes, Strings{});
        shutdownGame();
        ASSERT_EQ(headless.errorBoxes.size(), 1u);
        EXPECT_TRUE(contains(headless.errorBoxes[0], (config + "/Quillfern/MunchTrail.ini").c_str()));
        EXPECT_TRUE(contains(headless.errorBoxes[0], reason)) << headless.errorBoxes[0];
    }
}

TEST_F(Settings, WritesReplaceTheFileWhole) {
    writeSettingsText("HiScore=dword:1\n");
    writeVersionInfo();
    writeHighScore(2);
    EXPECT_TRUE(contains(settingsText(), "HiScore=dword:2\n"));
    EXPECT_TRUE(contains(settingsText(), "Version=sz:2.01\n"));
}

}  // namespace
