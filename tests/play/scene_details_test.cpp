// What the scene selection screen shows: each detail of the selected scene in its place, in
// upper case, blue over a grey copy one pixel lower; the list with its marker; the wrapped
// description; and a fade that dims the text together with the picture.
#include <cstring>
#include <string>
#include <vector>

#include "game/screens/assets.h"
#include "game/screens/scene_select.h"
#include "game/screens/screens.h"
#include "game/shell/keys.h"
#include "render/blit.h"
#include "render/font.h"
#include "render/pixels.h"
#include "tests/play/harness.h"

namespace play_test {
namespace {

constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kGrey = 0x9F9F9F;

struct Rect {
    int left, top, right, bottom;
};

// The pixels `text` sets when drawn at (x, y) inside `clip`, as a mask over the frame.
std::vector<bool> textMask(int x, int y, Rect clip, const char* text) {
    FrameBuffer* const saved = drawContext.target;
    drawContext.target = dibBuffer;
    clearFrameBuffer(dibBuffer);
    setClipRect(clip.left, clip.top, clip.right, clip.bottom);
    drawContext.drawColour = 0xFFFFFF;
    drawText(x, y, text);
    drawContext.target = saved;
    std::vector<bool> mask(kFramePixels);
    for (int i = 0; i < kFramePixels; ++i) mask[i] = dibBuffer->pixels[i] != 0;
    return mask;
}

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
        press(kKeySpace);
        runFrame();
        ASSERT_EQ(screens.brightness, 256);
    }
};

TEST_F(SceneDetails, TitleBackgroundAndRandomFallInUpperCase) {
    Scene scene = makeScene("Pond of Dawn");
    scene.background = 4;
    scene.randomFall = 1;
    scene.fallInterval = 7;
    show(scene);
    expectShownText(225, 43, {225, 43, 399, 53}, "POND OF DAWN");
    expectShownText(265, 59, {265, 59, 399, 69}, "ROCK");
    expectShownText(270, 75, {270, 75, 399, 85}, "YES");
    expectShownText(245, 91, {245, 91, 399, 101}, "7");
    expectShownText(260, 91, {245, 91, 399, 101}, "SEC.");
}

TEST_F(SceneDetails, FallAfterNibbleWhenTheIntervalIsZero) {
    Scene scene = makeScene("x");
    scene.randomFall = 1;
    scene.fallInterval = 0;
    show(scene);
    expectShownText(245, 91, {245, 91, 399, 101}, "FALL AFTER NIBBLE");
}

TEST_F(SceneDetails, DisabledWhateverTheIntervalWhenNothingFalls) {
    Scene scene = makeScene("x");
    scene.randomFall = 0;
    scene.fallInterval = 12;
    scene.background = 10;
    show(scene);
    expectShownText(245, 91, {245, 91, 399, 101}, "DISABLED");
    expectShownText(270, 75, {270, 75, 399, 85}, "NO");
    expectShownText(265, 59, {265, 59, 399, 69}, "RANDOM BACKGROUND");
}

TEST_F(SceneDetails, GoalScoreOnTheObjectivesSecondLine) {
    Scene scene = makeScene("x");
    scene.objective = GoalScore;
    scene.goalScore = 500;
    show(scene);
    expectShownText(252, 107, {252, 107, 399, 127}, "GOAL SCORE - REACH THE ");
    expectShownText(252, 114, {252, 107, 399, 127}, "GOAL SCORE 500");
}

TEST_F(SceneDetails, EscapeObjectiveInTwoLines) {
    Scene scene = makeScene("x");
    scene.objective = Escape;
    show(scene);
    expectShownText(252, 107, {252, 107, 399, 127}, "ESCAPE - GET TO THE EXIT \nPOINT");
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

TEST_F(SceneDetails, TheFadeDimsTextAndPictureAlike) {
    writeScene("only.qsn", makeScene("Dim"));
    shell.currentScreen = &sceneSelectScreen;
    runFrames(16);
    ASSERT_EQ(screens.brightness, 128);
    const std::vector<bool> mask = textMask(225, 43, {225, 43, 399, 53}, "DIM");
    int dimmed = 0;
    for (int i = 0; i < kFramePixels; ++i) {
        if (!mask[i]) continue;
        EXPECT_EQ(pixelAt(i % kFrameWidth, i / kFrameWidth), 0x00007Fu);
        ++dimmed;
    }
    EXPECT_GT(dimmed, 0);
    const PixelBuffer* picture = assets.sceneSelection;
    const std::uint32_t source = picture->pixels()[150 * picture->width + 10];
    const std::uint32_t red = ((source >> 16) & 0xFF) * 128 / 256;
    const std::uint32_t green = ((source >> 8) & 0xFF) * 128 / 256;
    const std::uint32_t blue = (source & 0xFF) * 128 / 256;
    EXPECT_EQ(pixelAt(10, 150), (red << 16) | (green << 8) | blue);
}

TEST_F(SceneDetails, WithoutScenesOnlyThePictureIsShown) {
    shell.currentScreen = &sceneSelectScreen;
    press(kKeySpace);
    runFrame();
    const PixelBuffer* picture = assets.sceneSelection;
    for (int y : {1, 45, 150, 298}) {
        for (int x : {1, 40, 250, 398}) {
            EXPECT_EQ(pixelAt(x, y), picture->pixels()[y * picture->width + x] & 0xFFFFFF);
        }
    }
}

}  // namespace
}  // namespace play_test
