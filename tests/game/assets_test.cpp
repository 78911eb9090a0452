// The asset catalogue: its loading order's failure messages, each shown exactly once with the
// program ending in order, the background's replacement, and sounds that never fail the game.
#include <gtest/gtest.h>

#include "game/platform/headless.h"
#include "game/screens/assets.h"
#include "game/screens/screens.h"
#include "game/shell/settings.h"
#include "game/shell/shell.h"
#include "game/shell/sound.h"
#include "tests/game/game_test_support.h"

namespace {

class Catalogue : public GameTest {
protected:
    // Starts the game and runs the loop to its end; the boxes shown.
    std::vector<std::string> runToEnd() {
        runGame();
        return headless.errorBoxes;
    }
};

TEST_F(Catalogue, ACompleteFolderLoadsEverythingAndStartsWithTheLogo) {
    makeDat();
    ASSERT_TRUE(startGame());
    EXPECT_EQ(shell.currentScreen, logoScreen);
    EXPECT_EQ(shell.fatalError, 0);
    EXPECT_NE(assets.wormD[7], nullptr);
    EXPECT_NE(assets.background, nullptr);
    for (int id : {0, 13, 21, 23, 99, 100, 101, 114}) EXPECT_TRUE(soundIsLoaded(id)) << id;
    for (int id : {14, 20, 24, 98, 115}) EXPECT_FALSE(soundIsLoaded(id)) << id;
}

TEST_F(Catalogue, OneMissingWormImageFailsTheImagesOnceButLoadsTheRest) {
    makeDat();
    removeDatFile("wormb3.bmp");
    ASSERT_TRUE(startGame());
    EXPECT_EQ(shell.currentScreen, nullptr);
    EXPECT_STREQ(shell.errorText, "Failed to load images!");
    EXPECT_NE(assets.wormD[7], nullptr);  // every image is tried
    EXPECT_EQ(assets.wormB[2], nullptr);
    EXPECT_FALSE(soundIsLoaded(0));  // the catalogue stopped before the sounds
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(headless.errorBoxes, std::vector<std::string>{"Failed to load images!"});
    EXPECT_FALSE(shell.windowOpen);
    EXPECT_EQ(assets.wormD[7], nullptr);  // freed at the window's end
    EXPECT_NE(settingsText().find("GameSpeed=dword:20"), std::string::npos);  // settings still stored
}

TEST_F(Catalogue, AMissingFirstBackgroundIsAnImageFailure) {
    makeDat();
    removeDatFile("bg00.bmp");
    EXPECT_EQ(runToEnd(), std::vector<std::string>{"Failed to load images!"});
}

TEST_F(Catalogue, MissingTexturesNameTheirFile) {
    makeDat();
    removeDatFile("bean.txm");
    EXPECT_EQ(runToEnd(), std::vector<std::string>{"Failed to load texture file: bean.txm!"});
    resetHeadlessGame();
    makeDat();
    removeDatFile("bright.txm");
    EXPECT_EQ(runToEnd(), std::vector<std::string>{"Failed to load texture file: bright.txm!"});
}

TEST_F(Catalogue, AMissingBackgroundDuringPlayEndsTheGameAtTheNextPass) {
    makeDat();
    ASSERT_TRUE(startGame());
    removeDatFile("bg05.bmp");
    assets.backgroundIndex = 5;
    loadBackground();
    EXPECT_EQ(assets.background, nullptr);
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_EQ(headless.errorBoxes, std::vector<std::string>{"Failed to load background image!"});
}

TEST_F(Catalogue, AnIndexBeyondTheNineBackgroundsFallsBackToTheFirst) {
    makeDat();
    ASSERT_TRUE(startGame());
    writeBytes("DAT/bg00.bmp", makeBmp(3, 2, 0));
    assets.backgroundIndex = 9;
    loadBackground();
    EXPECT_EQ(assets.backgroundIndex, 0u);
    ASSERT_NE(assets.background, nullptr);
    EXPECT_EQ(assets.background->width, 3);
}

TEST_F(Catalogue, WithEverySoundMissingTheGameRunsSilently) {
    makeDat();
    for (const std::string& name : catalogueSoundNames()) removeDatFile(name);
    ASSERT_TRUE(startGame());
    EXPECT_EQ(shell.currentScreen, logoScreen);
    runFrames(40);
    press(0xD0);
    runFrames(2);
    EXPECT_TRUE(headless.soundCalls.empty());
    EXPECT_TRUE(headless.errorBoxes.empty());
}

TEST_F(Catalogue, WithoutASoundDeviceTheGameRunsSilently) {
    makeDat();
    headless.audioMissing = true;
    ASSERT_TRUE(startGame());
    EXPECT_FALSE(soundIsLoaded(100));
    EXPECT_EQ(shell.currentScreen, logoScreen);
}

TEST_F(Catalogue, StartupFailuresBeforeTheCatalogueShowTheirMessageOnce) {
    makeDat();
    headless.displayFails = true;
    EXPECT_EQ(runToEnd(), std::vector<std::string>{"Failed to initialize screen!"});
    resetHeadlessGame();
    headless.inputFails = true;
    EXPECT_EQ(runToEnd(), std::vector<std::string>{"Failed to initialize DirectInput!"});
    resetHeadlessGame();
    headless.windowFails = true;
    EXPECT_TRUE(runToEnd().empty());
}

}  // namespace
