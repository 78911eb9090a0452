// The scene selection screen as a player meets it: which files are listed and in which order,
// how the page and the selection move on every key (the paging examples for 0, 5, 30 and 60
// files), the held-arrow repeat, the scene read on every move, and leaving and coming back.
#include <cstdio>
#include <filesystem>
#include <string>

#include "game/screens/scene_select.h"
#include "game/screens/screens.h"
#include "game/shell/keys.h"
#include "game/world/world.h"
#include "tests/play/harness.h"

namespace play_test {
namespace {

std::string sceneName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "s%03d.qsn", i);
    return name;
}
std::string sceneTitle(int i) {
    char title[32];
    std::snprintf(title, sizeof title, "Scene %03d", i);
    return title;
}

class SceneList : public GameTest {
protected:
    void writeScenes(int count) {
        // Written in reverse so the folder's own order is not the listed one.
        for (int i = count - 1; i >= 0; --i) writeScene(sceneName(i), makeScene(sceneTitle(i)));
    }
    // Enters the screen and lets it fade in to the browse phase.
    void enter() {
        shell.currentScreen = &sceneSelectScreen;
        press(kKeyEnter);  // a skip press ends the fade-in at once
        runFrame();
        ASSERT_EQ(sceneSelect.phase, 0);
    }
    void key(std::uint8_t scanCode) {
        press(scanCode);
        runFrame();
    }
    int selected() const { return sceneSelect.sceneTop + sceneSelect.sceneRow; }
    std::string firstOnPage() const { return sceneSelect.sceneWindow[0].data(); }
};

// ---- which files, in which order ----

TEST_F(SceneList, ListsSceneFilesSortedByNameWhateverTheFolderOrder) {
    writeScene("b.qsn", makeScene("B"));
    writeScene("C.QSN", makeScene("C"));
    writeScene("a.qsn", makeScene("A"));
    writeScene("notes.txt", makeScene("not a scene"));
    writeScene(".hidden.qsn", makeScene("hidden"));
    std::filesystem::create_directory("Scenes/folder.qsn");
    const std::vector<std::string> names = listSceneFiles();
    EXPECT_EQ(names, (std::vector<std::string>{"C.QSN", "a.qsn", "b.qsn"}));
}

TEST_F(SceneList, OpensOnTheFirstFileSelectedAndRead) {
    writeScenes(5);
    enter();
    EXPECT_EQ(sceneSelect.sceneCount, 5);
    EXPECT_EQ(selected(), 0);
    EXPECT_STREQ(world.title, "Scene 000");
    EXPECT_EQ(std::string(sceneSelect.sceneWindow[5].data()), "");
}

TEST_F(SceneList, MissingFolderShowsOnlyThePictureAndBackspaceStillLeaves) {
    std::filesystem::remove("Scenes");
    enter();
    EXPECT_EQ(sceneSelect.sceneCount, 0);
    for (std::uint8_t k : {kKeyDown, kKeyEnd, kKeyPageDown, kKeyUp}) {
        key(k);
        EXPECT_EQ(sceneSelect.sceneRow, 0);
    }
    key(kKeyEnter);
    key(kKeySpace);
    EXPECT_EQ(sceneSelect.phase, 0) << "nothing to start";
    key(kKeyBackspace);
    EXPECT_EQ(sceneSelect.phase, 2);
    EXPECT_GT(runUntil(&mainMenuScreen, 40), 0);
}

TEST_F(SceneList, EmptyFolderBehavesLikeAMissingOne) {
    enter();
    EXPECT_EQ(sceneSelect.sceneCount, 0);
    key(kKeyEnter);
    EXPECT_EQ(sceneSelect.phase, 0);
}

// ---- paging ----

TEST_F(SceneList, FiveFilesPageDownAndEndSelectTheFifthHomeAndPageUpTheFirst) {
    writeScenes(5);
    enter();
    key(kKeyPageDown);
    EXPECT_EQ(selected(), 4);
    EXPECT_STREQ(world.title, "Scene 004");
    key(kKeyHome);
    EXPECT_EQ(selected(), 0);
    EXPECT_STREQ(world.title, "Scene 000");
    key(kKeyEnd);
    EXPECT_EQ(selected(), 4);
    key(kKeyPageUp);
    EXPECT_EQ(selected(), 0);
    EXPECT_STREQ(world.title, "Scene 000");
}

TEST_F(SceneList, FiveFilesDownStopsAtTheLastFile) {
    writeScenes(5);
    enter();
    for (int i = 0; i < 8; ++i) key(kKeyDown);
    EXPECT_EQ(sceneSelect.sceneRow, 4);
    EXPECT_STREQ(world.title, "Scene 004");
}

TEST_F(SceneList, ThirtyFilesScrollByOneAtTheBottomAndTopRows) {
    writeScenes(30);
    enter();
    for (int i = 0; i < 26; ++i) key(kKeyDown);
    EXPECT_EQ(sceneSelect.sceneRow, 26);
    EXPECT_EQ(sceneSelect.sceneTop, 0);
    key(kKeyDown);
    EXPECT_EQ(sceneSelect.sceneTop, 1);
    EXPECT_EQ(sceneSelect.sceneRow, 26);
    EXPECT_EQ(firstOnPage(), sceneName(1));
    EXPECT_STREQ(world.title, "Scene 027");
    for (int i = 0; i < 5; ++i) key(kKeyDown);
    EXPECT_EQ(sceneSelect.sceneTop, 3) << "the last page ends with the last file";
    EXPECT_STREQ(world.title, "Scene 029");
    for (int i = 0; i < 26; ++i) key(kKeyUp);
    EXPECT_EQ(sceneSelect.sceneRow, 0);
    key(kKeyUp);
    EXPECT_EQ(sceneSelect.sceneTop, 2);
    EXPECT_EQ(sceneSelect.sceneRow, 0);
    EXPECT_EQ(firstOnPage(), sceneName(2));
}

TEST_F(SceneList, SixtyFilesPageDownByAPageThenToTheLastPage) {
    writeScenes(60);
    enter();
    key(kKeyDown);
    key(kKeyDown);
    key(kKeyPageDown);
    EXPECT_EQ(sceneSelect.sceneTop, 27);
    EXPECT_EQ(sceneSelect.sceneRow, 2) << "the row stays";
    EXPECT_STREQ(world.title, "Scene 029");
    key(kKeyPageDown);
    EXPECT_EQ(sceneSelect.sceneTop, 33);
    EXPECT_EQ(sceneSelect.sceneRow, 26);
    EXPECT_STREQ(world.title, "Scene 059");
    key(kKeyPageUp);
    EXPECT_EQ(sceneSelect.sceneTop, 6);
    EXPECT_EQ(sceneSelect.sceneRow, 26);
    key(kKeyPageUp);
    EXPECT_EQ(sceneSelect.sceneTop, 0);
    EXPECT_EQ(sceneSelect.sceneRow, 0);
    key(kKeyEnd);
    EXPECT_EQ(sceneSelect.sceneTop, 33);
    EXPECT_EQ(sceneSelect.sceneRow, 26);
    EXPECT_EQ(firstOnPage(), sceneName(33));
    key(kKeyHome);
    EXPECT_EQ(selected(), 0);
    EXPECT_EQ(firstOnPage(), sceneName(0));
}

TEST_F(SceneList, ThePageIsReFoundByItsFirstNameWhenFilesAppearBeforeIt) {
    writeScenes(60);
    enter();
    key(kKeyPageDown);
    ASSERT_EQ(firstOnPage(), sceneName(27));
    writeScene("a0.qsn", makeScene("early 0"));
    writeScene("a1.qsn", makeScene("early 1"));
    for (int i = 0; i < 26; ++i) key(kKeyDown);
    key(kKeyDown);
    // The player saw s027 at the top; the page moves on by exactly one file from there.
    EXPECT_EQ(firstOnPage(), sceneName(28));
    EXPECT_EQ(sceneSelect.sceneTop, 30);
}

// ---- files the game cannot use ----

TEST_F(SceneList, ANameTooLongForTheReaderKeepsThePreviousScene) {
    writeScenes(1);
    const std::string longName = std::string(251, 'x') + ".qsn";
    writeScene(longName, makeScene("never read"));
    enter();
    ASSERT_EQ(sceneSelect.sceneCount, 2);
    key(kKeyDown);
    EXPECT_EQ(std::string(sceneSelect.sceneWindow[1].data()), longName);
    EXPECT_STREQ(world.title, "Scene 000");
    runFrames(5);
}

TEST_F(SceneList, AGarbledFileIsListedAndShownWithoutHarm) {
    writeScenes(1);
    {
        std::FILE* file = std::fopen("Scenes/t-garbled.qsn", "wb");
        ASSERT_NE(file, nullptr);
        const char bytes[] = "\xff\xfe title without end\r\n-77 99 -3 42 -9\r\n\x01\x02";
        std::fwrite(bytes, 1, sizeof bytes - 1, file);
        std::fclose(file);
    }
    enter();
    key(kKeyDown);
    EXPECT_EQ(world.background, -77);
    EXPECT_EQ(world.objective, 42);
    runFrames(5);  // the details of impossible values are left out, nothing else happens
    key(kKeyUp);
    EXPECT_STREQ(world.title, "Scene 000");
}

// ---- held arrows ----

TEST_F(SceneList, HeldDownMovesOnThePressThenEveryFrameFromTheSixteenth) {
    writeScenes(30);
    enter();
    hold(kKeyDown);
    runFrame();
    EXPECT_EQ(sceneSelect.sceneRow, 1);
    EXPECT_STREQ(world.title, "Scene 001");
    runFrames(14);
    EXPECT_EQ(sceneSelect.sceneRow, 1) << "frames 2 to 15 wait";
    runFrame();
    EXPECT_EQ(sceneSelect.sceneRow, 2);
    runFrames(4);
    EXPECT_EQ(sceneSelect.sceneRow, 6);
    EXPECT_STREQ(world.title, "Scene 001") << "the repeat itself reads nothing";
    release(kKeyDown);
    runFrame();
    EXPECT_EQ(sceneSelect.sceneRow, 6) << "the release does not move";
    EXPECT_STREQ(world.title, "Scene 006") << "but reads the selected scene";
}

TEST_F(SceneList, HoldingUpAndDownTogetherStopsTheRepeat) {
    writeScenes(30);
    enter();
    hold(kKeyDown);
    runFrames(20);
    const int row = sceneSelect.sceneRow;
    hold(kKeyUp);
    runFrames(20);
    EXPECT_EQ(sceneSelect.sceneRow, row - 1) << "only the press of Up moved";
}

// ---- confirming and leaving ----

TEST_F(SceneList, AltKeepsEnterAndBackspaceFromActing) {
    writeScenes(3);
    enter();
    hold(kKeyLeftAlt);
    key(kKeyEnter);
    key(kKeyBackspace);
    release(kKeyLeftAlt);
    hold(kKeyRightAlt);
    key(kKeyPadEnter);
    EXPECT_EQ(sceneSelect.phase, 0);
}

TEST_F(SceneList, EnterReReadsTheSelectedSceneAndFadesIntoTheGame) {
    writeScenes(3);
    enter();
    key(kKeyDown);
    Scene changed = makeScene("Scene 001 changed");
    writeScene(sceneName(1), changed);
    key(kKeyEnter);
    EXPECT_STREQ(world.title, "Scene 001 changed") << "every game starts from a fresh read";
    EXPECT_EQ(sceneSelect.phase, 1);
    EXPECT_EQ(runUntil(&gameStartScreen, 40), 33) << "32 fade frames and the hand-over";
    EXPECT_EQ(screens.brightness, 0);
    EXPECT_STREQ(world.title, "Scene 001 changed") << "the chosen scene stays read";
}

TEST_F(SceneList, LeavingAndComingBackStartsOnTheFirstFile) {
    writeScenes(30);
    enter();
    key(kKeyPageDown);
    key(kKeyBackspace);
    ASSERT_GT(runUntil(&mainMenuScreen, 40), 0);
    EXPECT_EQ(std::string(sceneSelect.sceneWindow[0].data()), "");
    enter();
    EXPECT_EQ(selected(), 0);
    EXPECT_EQ(firstOnPage(), sceneName(0));
    EXPECT_STREQ(world.title, "Scene 000");
}

TEST_F(SceneList, FadeInTakesThirtyTwoFramesWithoutAKey) {
    writeScenes(2);
    shell.currentScreen = &sceneSelectScreen;
    runFrames(32);
    EXPECT_EQ(sceneSelect.phase, -1);
    EXPECT_EQ(screens.brightness, 256);
    runFrame();
    EXPECT_EQ(sceneSelect.phase, 0);
}

}  // namespace
}  // namespace play_test
