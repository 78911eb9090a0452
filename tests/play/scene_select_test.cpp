// The scene selection screen as a player meets it: which files are listed and in which order,
// how the page and the selection move on every key (the paging examples for 0, 5, 30 and 60
// files), the held-arrow repeat, the scene read on every move, and leaving and coming back; and
// what it shows: each detail of the selected scene in its place, in upper case, blue over a
// grey copy one pixel lower, the list with its marker, the wrapped description, and a fade that
// dims the text together with the picture.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "game/common/assets.h"
#include "game/common/keys.h"
#include "game/screens/scene_select.h"
#include "game/screens/screens.h"
#include "game/world/world.h"
#include "render/blit.h"
#include "render/pixels.h"
#include "tests/play/harness.h"

namespace play_test {
namespace {

std::string numbered(const char* format, int i) {
    char text[32];
    std::snprintf(text, sizeof text, format, i);
    return text;
}
std::string sceneName(int i) {
    return numbered("s%03d.qsn", i);
}
std::string sceneTitle(int i) {
    return numbered("Scene %03d", i);
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
        step(kKeyEnter);  // a skip press ends the fade-in at once
        ASSERT_EQ(sceneSelect.phase, 0);
    }
    int selected() const { return sceneSelect.sceneTop + sceneSelect.sceneRow; }
    // Presses `key` `presses` times; then the page starts at file `top`, the selection is on
    // `row` of it, and the selected scene is the one read.
    struct Walk {
        std::uint8_t key;
        int presses, top, row;
    };
    void walk(std::initializer_list<Walk> walks) {
        for (const Walk& w : walks) {
            for (int i = 0; i < w.presses; ++i) step(w.key);
            EXPECT_EQ(sceneSelect.sceneTop, w.top) << int(w.key);
            EXPECT_EQ(sceneSelect.sceneRow, w.row) << int(w.key);
            EXPECT_EQ(firstOnPage(), sceneName(w.top));
            EXPECT_EQ(std::string(world.scene.title), sceneTitle(w.top + w.row));
        }
    }
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

TEST_F(SceneList, AMissingOrEmptyFolderListsNothingAndBackspaceStillLeaves) {
    for (bool missing : {false, true}) {
        SCOPED_TRACE(missing ? "missing" : "empty");
        if (missing) std::filesystem::remove("Scenes");
        enter();
        EXPECT_EQ(sceneSelect.sceneCount, 0);
        for (int y : {1, 45, 150, 298})  // only the picture is shown
            for (int x : {1, 40, 250, 398})
                EXPECT_TRUE(picturePixelShown(assets.sceneSelection, x, y)) << x << "," << y;
        for (std::uint8_t k : {kKeyDown, kKeyEnd, kKeyPageDown, kKeyUp}) {
            step(k);
            EXPECT_EQ(sceneSelect.sceneRow, 0);
        }
        step(kKeyEnter);
        step(kKeySpace);
        EXPECT_EQ(sceneSelect.phase, 0) << "nothing to start";
        step(kKeyBackspace);
        EXPECT_EQ(sceneSelect.phase, 2);
        EXPECT_GT(runUntil(&mainMenuScreen, 40), 0);
    }
}

// ---- paging ----

TEST_F(SceneList, FiveFilesOpenOnTheFirstAndEveryKeyStopsAtTheEnds) {
    writeScenes(5);
    enter();
    EXPECT_EQ(sceneSelect.sceneCount, 5);
    EXPECT_EQ(selected(), 0);
    EXPECT_STREQ(world.scene.title, "Scene 000");
    EXPECT_EQ(std::string(sceneSelect.sceneWindow[5].data()), "");
    walk({{kKeyPageDown, 1, 0, 4},
          {kKeyHome, 1, 0, 0},
          {kKeyEnd, 1, 0, 4},
          {kKeyPageUp, 1, 0, 0},
          {kKeyUp, 1, 0, 0},
          {kKeyDown, 3, 0, 3},
          {kKeyDown, 3, 0, 4}});
}

TEST_F(SceneList, ThirtyFilesScrollByOneAtTheBottomAndTopRowsTheLastPageEndingWithTheLastFile) {
    writeScenes(30);
    enter();
    walk({{kKeyDown, 26, 0, 26},
          {kKeyDown, 1, 1, 26},
          {kKeyDown, 5, 3, 26},
          {kKeyUp, 26, 3, 0},
          {kKeyUp, 1, 2, 0}});
}

TEST_F(SceneList, SixtyFilesPageDownByAPageThenToTheLastPage) {
    writeScenes(60);
    enter();
    walk({{kKeyDown, 2, 0, 2},
          {kKeyPageDown, 1, 27, 2},  // the row stays
          {kKeyPageDown, 1, 33, 26},
          {kKeyPageUp, 1, 6, 26},
          {kKeyPageUp, 1, 0, 0},
          {kKeyEnd, 1, 33, 26},
          {kKeyHome, 1, 0, 0}});
}

TEST_F(SceneList, ThePageIsReFoundByItsFirstNameWhenFilesAppearBeforeIt) {
    writeScenes(60);
    enter();
    step(kKeyPageDown);
    ASSERT_EQ(firstOnPage(), sceneName(27));
    writeScene("a0.qsn", makeScene("early 0"));
    writeScene("a1.qsn", makeScene("early 1"));
    for (int i = 0; i < 26; ++i) step(kKeyDown);
    step(kKeyDown);
    // The player saw s027 at the top; the page moves on by exactly one file from there.
    EXPECT_EQ(firstOnPage(), sceneName(28));
    EXPECT_EQ(sceneSelect.sceneTop, 30);
}

TEST_F(SceneList, EveryListingCountsAgainSoEndAndPageDownReachRealEntries) {
    writeScenes(30);
    enter();
    for (int i = 30; i < 35; ++i) writeScene(sceneName(i), makeScene(sceneTitle(i)));
    walk({{kKeyEnd, 1, 8, 26}});  // the five new files count
    for (int i = 3; i < 35; ++i) std::filesystem::remove("Scenes/" + sceneName(i));
    walk({{kKeyPageDown, 1, 0, 2}, {kKeyDown, 1, 0, 2}});  // back on the last real entry
}

TEST_F(SceneList, ThePlayersOwnScenesJoinTheListAndOverrideAShippedName) {
    writeScenes(2);
    const std::filesystem::path own = std::filesystem::path(getenv("XDG_DATA_HOME")) / "munchtrail/Scenes";
    std::filesystem::create_directories(own);
    std::filesystem::copy_file("Scenes/" + sceneName(1), own / "mine.qsn");
    std::filesystem::copy_file("Scenes/" + sceneName(0), own / sceneName(1));
    EXPECT_EQ(listSceneFiles(), (std::vector<std::string>{"mine.qsn", sceneName(0), sceneName(1)}));
    enter();
    EXPECT_STREQ(world.scene.title, sceneTitle(1).c_str());  // mine.qsn, a copy of s001
    step(kKeyEnd);
    EXPECT_STREQ(world.scene.title, sceneTitle(0).c_str());  // the player's s001 is a copy of s000
}

// ---- files the game cannot use ----

TEST_F(SceneList, ANameTooLongForTheReaderKeepsThePreviousScene) {
    writeScenes(1);
    const std::string longName = std::string(251, 'x') + ".qsn";
    writeScene(longName, makeScene("never read"));
    enter();
    ASSERT_EQ(sceneSelect.sceneCount, 2);
    step(kKeyDown);
    EXPECT_EQ(std::string(sceneSelect.sceneWindow[1].data()), longName);
    EXPECT_STREQ(world.scene.title, "Scene 000");
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
    step(kKeyDown);
    EXPECT_EQ(world.scene.background, -77);
    EXPECT_EQ(world.scene.objective, 42);
    runFrames(5);  // the details of impossible values are left out, nothing else happens
    step(kKeyUp);
    EXPECT_STREQ(world.scene.title, "Scene 000");
}

// ---- held arrows ----

TEST_F(SceneList, HeldDownMovesOnThePressThenEveryFrameFromTheSixteenth) {
    writeScenes(30);
    enter();
    hold(kKeyDown);
    runFrame();
    EXPECT_EQ(sceneSelect.sceneRow, 1);
    EXPECT_STREQ(world.scene.title, "Scene 001");
    runFrames(14);
    EXPECT_EQ(sceneSelect.sceneRow, 1) << "frames 2 to 15 wait";
    runFrame();
    EXPECT_EQ(sceneSelect.sceneRow, 2);
    runFrames(4);
    EXPECT_EQ(sceneSelect.sceneRow, 6);
    EXPECT_STREQ(world.scene.title, "Scene 001") << "the repeat itself reads nothing";
    release(kKeyDown);
    runFrame();
    EXPECT_EQ(sceneSelect.sceneRow, 6) << "the release does not move";
    EXPECT_STREQ(world.scene.title, "Scene 006") << "but reads the selected scene";
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
    step(kKeyEnter);
    step(kKeyBackspace);
    release(kKeyLeftAlt);
    hold(kKeyRightAlt);
    step(kKeyPadEnter);
    EXPECT_EQ(sceneSelect.phase, 0);
}

TEST_F(SceneList, EnterReReadsTheSelectedSceneAndFadesIntoTheGame) {
    writeScenes(3);
    enter();
    step(kKeyDown);
    Scene changed = makeScene("Scene 001 changed");
    writeScene(sceneName(1), changed);
    step(kKeyEnter);
    EXPECT_STREQ(world.scene.title, "Scene 001 changed") << "every game starts from a fresh read";
    EXPECT_EQ(sceneSelect.phase, 1);
    EXPECT_EQ(runUntil(&gameStartScreen, 40), 33) << "32 fade frames and the hand-over";
    EXPECT_EQ(light.brightness, 0);
    EXPECT_STREQ(world.scene.title, "Scene 001 changed") << "the chosen scene stays read";
}

TEST_F(SceneList, LeavingAndComingBackStartsOnTheFirstFile) {
    writeScenes(30);
    enter();
    step(kKeyPageDown);
    step(kKeyBackspace);
    ASSERT_GT(runUntil(&mainMenuScreen, 40), 0);
    EXPECT_EQ(std::string(sceneSelect.sceneWindow[0].data()), "");
    enter();
    EXPECT_EQ(selected(), 0);
    EXPECT_EQ(firstOnPage(), sceneName(0));
    EXPECT_STREQ(world.scene.title, "Scene 000");
}

// ---- what the screen shows ----

constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kGrey = 0x9F9F9F;

// Every pixel of the text is blue, and below each one that the text itself does not cover
// lies its grey shadow.
void expectShownText(int x, int y, Rect clip, const char* text) {
    SCOPED_TRACE(text);
    const std::vector<bool> mask = textMask(x, y, clip, text);
    int lit = 0;
    for (int py = 0; py < kFrameHeight - 1; ++py) {
        for (int px = 0; px < kFrameWidth; ++px) {
            if (!mask[py * kFrameWidth + px]) continue;
            ++lit;
            ASSERT_EQ(pixelAt(px, py), kBlue) << px << "," << py;
            const bool shadowClipped = py + 1 > clip.bottom + 1;
            if (!mask[(py + 1) * kFrameWidth + px] && !shadowClipped) {
                ASSERT_EQ(pixelAt(px, py + 1), kGrey) << px << "," << py + 1;
            }
        }
    }
    EXPECT_GT(lit, 0);
}

class SceneDetails : public GameTest {
protected:
    void show(const Scene& scene) {
        writeScene("only.qsn", scene);
        shell.currentScreen = &sceneSelectScreen;
        step(kKeySpace);
        ASSERT_EQ(light.brightness, 256);
    }
};

struct ShownText {
    int x, y;
    Rect clip;
    const char* text;
};

// Each detail in its place: title, background, random fall and its interval, the objective.
TEST_F(SceneDetails, EachDetailInUpperCaseInItsPlace) {
    const Rect title{225, 43, 399, 53}, back{265, 59, 399, 69}, fall{270, 75, 399, 85},
        every{245, 91, 399, 101}, goal{252, 107, 399, 127};
    struct Case {
        std::int32_t background, randomFall, fallInterval, objective, goalScore;
        std::vector<ShownText> shown;
    } cases[] = {
        {4,
         1,
         7,
         Standard,
         5,
         {{225, 43, title, "POND OF DAWN"},
          {265, 59, back, "ROCK"},
          {270, 75, fall, "YES"},
          {245, 91, every, "7"},
          {260, 91, every, "SEC."}}},
        {1, 1, 0, Standard, 5, {{245, 91, every, "FALL AFTER NIBBLE"}}},
        {10,
         0,
         12,
         Standard,
         5,
         {{245, 91, every, "DISABLED"}, {270, 75, fall, "NO"}, {265, 59, back, "RANDOM BACKGROUND"}}},
        {1,
         0,
         0,
         GoalScore,
         500,
         {{252, 107, goal, "GOAL SCORE - REACH THE "}, {252, 114, goal, "GOAL SCORE 500"}}},
        {1, 0, 0, Escape, 5, {{252, 107, goal, "ESCAPE - GET TO THE EXIT \nPOINT"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown[0].text);
        TearDown();
        SetUp();
        Scene scene = makeScene("Pond of Dawn");
        scene.background = c.background;
        scene.randomFall = c.randomFall;
        scene.fallInterval = c.fallInterval;
        scene.objective = c.objective;
        scene.goalScore = c.goalScore;
        show(scene);
        for (const ShownText& t : c.shown) expectShownText(t.x, t.y, t.clip, t.text);
    }
}

TEST_F(SceneDetails, DescriptionWrappedAtThirtyOneCharactersAndAtLineBreaks) {
    Scene scene = makeScene("x");
    scene.description = std::string(40, 'a') + "\r\nbc";
    show(scene);
    const std::string expected = std::string(31, 'A') + "\n" + std::string(9, 'A') + "\nBC";
    expectShownText(198, 158, {198, 158, 383, 263}, expected.c_str());
}

TEST_F(SceneDetails, ListNameInUpperCaseWithTheMarkerOnTheSelectedRow) {
    show(makeScene("x"));
    expectShownText(35, 45, {15, 40, 181, 266}, "ONLY.QSN");
    const PixelBuffer* marker = assets.marker;
    ASSERT_NE(marker, nullptr);
    int checked = 0;
    for (int my = 0; my < marker->height; ++my) {
        for (int mx = 0; mx < marker->width; ++mx) {
            const std::uint32_t colour = marker->pixels()[my * marker->width + mx];
            const int x = 15 + mx, y = 42 + my;
            if (colour == colourKey || x > 181 || y > 266) continue;
            // The marker may lie under the row's name; where it does not, it is the marker.
            if (pixelAt(x, y) == kBlue || pixelAt(x, y) == kGrey) continue;
            EXPECT_EQ(pixelAt(x, y), colour & 0xFFFFFF) << x << "," << y;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

TEST_F(SceneDetails, WrappingIsByCharactersNotWords) {
    char out[128];
    wrapDescription("the quick brown fox jumps over the lazy dog", out, sizeof out);
    EXPECT_STREQ(out, "THE QUICK BROWN FOX JUMPS OVER \nTHE LAZY DOG");
    wrapDescription("line\r\nnext\n", out, sizeof out);
    EXPECT_STREQ(out, "LINE\nNEXT\n");
    wrapDescription(std::string(62, 'z').c_str(), out, sizeof out);
    EXPECT_EQ(std::string(out), std::string(31, 'Z') + "\n" + std::string(31, 'Z'));
}

TEST_F(SceneDetails, TheFadeDimsTheText) {
    writeScene("only.qsn", makeScene("Dim"));
    shell.currentScreen = &sceneSelectScreen;
    runFrames(16);
    ASSERT_EQ(light.brightness, 128);
    const std::vector<bool> mask = textMask(225, 43, {225, 43, 399, 53}, "DIM");
    int dimmed = 0;
    for (int i = 0; i < kFramePixels; ++i) {
        if (!mask[i]) continue;
        EXPECT_EQ(pixelAt(i % kFrameWidth, i / kFrameWidth), 0x00007Fu);
        ++dimmed;
    }
    EXPECT_GT(dimmed, 0);
}

}  // namespace
}  // namespace play_test
