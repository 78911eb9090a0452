// The scene selection screen: a page of 27 scene file names beside the details of the selected
// scene. Every key that moves or confirms the selection reads that scene at once, so the
// details and the playfield always hold the scene the next game plays. Only one page of names
// is kept; another page is found by listing the folder again and re-finding the current page
// by the name it starts with, so files added or removed meanwhile never confuse the list.
// The whole frame is composed off screen first so the fade dims the text with the picture.
#include "game/screens/scene_select.h"
#include "game/common/frames.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "game/common/assets.h"
#include "game/common/game_state.h"
#include "game/common/keys.h"
#include "game/screens/progress.h"
#include "game/screens/screens.h"
#include "game/world/world.h"
#include "render/blit.h"
#include "render/font.h"
#include "render/pixels.h"
#include "scene/folders.h"
#include "scene/scene.h"
#include "scene/scene_text.h"

namespace {

constexpr Colour kShadowGrey = 0x009F9F9Fu;
constexpr Colour kTextBlue = 0x000000FFu;
constexpr int kDescriptionWidth = 31;  // characters per line of the wrapped description
// The won count stands on the water above the details, in the picture's own hint colours.
constexpr Colour kCountCream = 0x00F4EACBu;
constexpr Colour kCountShadow = 0x000A171Bu;

// Upper case of the letters a..z only; bytes beyond ASCII stay as they are.
char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

bool hasSceneExtension(const std::string& name) {
    if (name.size() < 5 || name[0] == '.') return false;  // hidden files stay hidden
    const char* ext = name.c_str() + name.size() - 4;
    return ext[0] == '.' && (ext[1] | 0x20) == 'q' && (ext[2] | 0x20) == 's' && (ext[3] | 0x20) == 'n';
}

void addSceneFiles(const std::string& folder, std::vector<std::string>& names) {
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        std::error_code statError;
        if (!entry->is_regular_file(statError)) continue;
        std::string name = entry->path().filename().string();
        if (name.size() >= static_cast<std::size_t>(kSceneNameSize)) continue;
        if (hasSceneExtension(name)) names.push_back(std::move(name));
    }
}

// The progress of a listed scene, found by its name and the hash of the file the list reads.
const SceneProgress* listedProgress(const char* name) {
    std::uint64_t hash = 0;
    if (!anyProgressFor(listProgress.table, name) || !sceneFileHash(listedScenePath(name), hash))
        return nullptr;
    return findProgress(listProgress.table, name, hash);
}

// Reads a listed scene: the player's own file of that name when there is one (it overrides
// the shipped scene), the shipped one otherwise. Its progress comes with it for the details.
void loadListedScene(const char* name) {
    const std::string path = listedScenePath(name);
    if (path.rfind("Scenes/", 0) == 0) {
        loadScene(name);
    } else {
        loadSceneFile(path.c_str());
    }
    const SceneProgress* entry = listedProgress(name);
    listProgress.selected = entry != nullptr ? *entry : SceneProgress{};
}

// The won marks of the page now shown.
void markPage() {
    listProgress.pageWon.fill(0);
    for (int i = 0; i < kScenePageRows && sceneSelect.sceneWindow[i][0] != '\0'; ++i) {
        const SceneProgress* entry = listedProgress(sceneSelect.sceneWindow[i].data());
        listProgress.pageWon[i] = entry != nullptr && entry->won ? 1 : 0;
    }
}

// Only scenes the progress names are read to be hashed, so a long list of new scenes opens
// as fast as before.
void countWonScenes(const std::vector<std::string>& names) {
    listProgress.wonCount = 0;
    for (const std::string& name : names) {
        const SceneProgress* entry = listedProgress(name.c_str());
        if (entry != nullptr && entry->won) listProgress.wonCount += 1;
    }
}

// ---- the page of names ----

// Copies the names from position `from` on into the page; the entry behind the last is empty.
void fillPage(const std::vector<std::string>& names, int from) {
    auto& window = sceneSelect.sceneWindow;
    int copied = 0;
    for (int i = std::max(from, 0); i < static_cast<int>(names.size()) && copied < kScenePageRows;
         ++i, ++copied) {
        std::memcpy(window[copied].data(), names[i].c_str(), names[i].size() + 1);
    }
    window[copied][0] = '\0';
    markPage();
}

// Lists the folder again, counts it anew and moves sceneTop to wherever the page's first name
// now stands. A name that has vanished leaves sceneTop where it was.
std::vector<std::string> refindPage() {
    std::vector<std::string> names = listSceneFiles();
    sceneSelect.sceneCount = static_cast<std::int32_t>(names.size());
    const char* first = sceneSelect.sceneWindow[0].data();
    auto found = std::lower_bound(names.begin(), names.end(), std::string(first));
    if (first[0] != '\0' && found != names.end() && *found == first) {
        sceneSelect.sceneTop = static_cast<std::int32_t>(found - names.begin());
    }
    return names;
}

// Shows the page starting at position `top` (already re-found and computed by the caller),
// pulled back so that it ends with the last file when files have gone; the selected row stays
// on a name.
void showPage(const std::vector<std::string>& names, int top) {
    top = std::max(0, std::min(top, static_cast<int>(names.size()) - kScenePageRows));
    fillPage(names, top);
    sceneSelect.sceneTop = top;
    while (sceneSelect.sceneRow > 0 && sceneSelect.sceneWindow[sceneSelect.sceneRow][0] == '\0')
        sceneSelect.sceneRow -= 1;
}

void readListOnce() {
    if (sceneSelect.sceneWindow[0][0] != '\0') return;
    std::vector<std::string> names = listSceneFiles();
    if (names.empty()) return;
    listProgress.table = readProgress();
    countWonScenes(names);
    sceneSelect.sceneCount = static_cast<std::int32_t>(names.size());
    fillPage(names, 0);
    loadListedScene(sceneSelect.sceneWindow[0].data());
    sceneSelect.sceneTop = 0;
    sceneSelect.sceneRow = 0;
}

// ---- keys of the browse phase ----

void moveUp() {
    SceneSelectState& s = sceneSelect;
    if (s.sceneRow >= 1) {
        s.sceneRow -= 1;
        return;
    }
    std::vector<std::string> names = refindPage();
    showPage(names, s.sceneTop - 1);
}

void moveDown() {
    SceneSelectState& s = sceneSelect;
    if (s.sceneRow < kScenePageRows - 1) {
        if (s.sceneRow < s.sceneCount - 1 && s.sceneWindow[s.sceneRow + 1][0] != '\0') s.sceneRow += 1;
        return;
    }
    std::vector<std::string> names = refindPage();
    showPage(names, s.sceneTop + 1);
}

void pageUp() {
    SceneSelectState& s = sceneSelect;
    std::vector<std::string> names = refindPage();
    if (s.sceneTop < kScenePageRows) {
        showPage(names, 0);
        s.sceneRow = 0;
    } else {
        showPage(names, s.sceneTop - kScenePageRows);
    }
}

void pageDown() {
    SceneSelectState& s = sceneSelect;
    std::vector<std::string> names = refindPage();
    if (s.sceneCount < kScenePageRows + 1) {
        showPage(names, 0);
        s.sceneRow = std::max(s.sceneCount - 1, 0);
        return;
    }
    if (s.sceneTop > s.sceneCount - 2 * kScenePageRows) {
        showPage(names, s.sceneCount - kScenePageRows);
        s.sceneRow = kScenePageRows - 1;
    } else {
        showPage(names, s.sceneTop + kScenePageRows);
    }
}

void home() {
    sceneSelect.sceneRow = 0;
    showPage(refindPage(), 0);
}

void end() {
    SceneSelectState& s = sceneSelect;
    std::vector<std::string> names = refindPage();
    s.sceneRow = std::min(std::max(s.sceneCount - 1, 0), kScenePageRows - 1);
    showPage(names, s.sceneCount - kScenePageRows);
}

bool isMovementKey(std::uint8_t key) {
    return key == kKeyUp || key == kKeyDown || key == kKeyPageUp || key == kKeyPageDown || key == kKeyHome ||
           key == kKeyEnd;
}

void browse(std::uint8_t key) {
    SceneSelectState& s = sceneSelect;
    // A released arrow no longer repeats, even though its counter is only cleared after this.
    const bool upRepeats = keyHeld(kKeyUp) && s.upHeldFrames > kAutoRepeatDelay;
    const bool downRepeats = keyHeld(kKeyDown) && s.downHeldFrames > kAutoRepeatDelay;
    if (s.sceneCount == 0 && (isMovementKey(key) || upRepeats || downRepeats)) {
        s.sceneRow = 0;
    } else if (key == kKeyUp || upRepeats) {
        moveUp();
    } else if (key == kKeyDown || downRepeats) {
        moveDown();
    } else if (key == kKeyPageUp) {
        pageUp();
    } else if (key == kKeyPageDown) {
        pageDown();
    } else if (key == kKeyHome) {
        home();
    } else if (key == kKeyEnd) {
        end();
    }
    if (isSkipPress(key) && s.sceneCount > 0) {
        light.brightness = 256;
        s.phase = 1;
    } else if (key == kKeyBackspace && !altKeyHeld()) {
        light.brightness = 256;
        s.phase = 2;
    } else if (key == kKeyR && s.sceneCount > 0 && !listProgress.selected.bestReplay.empty()) {
        light.brightness = 256;
        s.phase = 3;
    }
}

// ---- phases ----

void fadeIn(std::uint8_t key) {
    stepFadeIn(sceneSelect.phase, key);
    readListOnce();
}

// The best game is shown by the loop; the page stays for the way back.
void handOverToReplay() {
    listProgress.watchFile = listProgress.selected.bestReplay;
    game.action = GameAction::WatchReplay;
    light.brightness = 0;
    sceneSelect.phase = -1;
}

void handOver() {
    SceneSelectState& s = sceneSelect;
    if (s.phase == 3) {
        handOverToReplay();
        return;
    }
    const bool toGame = s.phase == 1;
    if (toGame) prepareGameProgress();
    s.sceneRow = 0;
    s.sceneTop = 0;
    s.sceneCount = 0;
    s.sceneWindow[0][0] = '\0';  // the next visit reads the folder again
    light.brightness = 0;
    s.phase = -1;
    game.currentScreen = toGame ? &gameStartScreen : &mainMenuScreen;
}

// A held arrow moves once on its press, waits, then repeats every frame; its release counts
// as one more press of it so the scene under the selection is read again.
std::uint8_t updateAutoRepeat(std::uint8_t key) {
    SceneSelectState& s = sceneSelect;
    if (!keyHeld(kKeyUp)) {
        if (s.upHeldFrames != 0) key = kKeyUp;
        s.upHeldFrames = 0;
    } else {
        s.upHeldFrames += 1;
    }
    if (!keyHeld(kKeyDown)) {
        if (s.downHeldFrames != 0) key = kKeyDown;
        s.downHeldFrames = 0;
    } else {
        s.downHeldFrames += 1;
    }
    if (keyHeld(kKeyUp) && keyHeld(kKeyDown)) {
        s.upHeldFrames = 0;
        s.downHeldFrames = 0;
    }
    return key;
}

void rereadSelection(std::uint8_t key) {
    const bool reads = isMovementKey(key) || key == kKeySpace || key == kKeyEnter || key == kKeyPadEnter;
    if (!reads || altKeyHeld()) return;
    const char* name = sceneSelect.sceneWindow[sceneSelect.sceneRow].data();
    if (name[0] != '\0') loadListedScene(name);
}

// ---- drawing ----

struct ClipRect {
    std::int32_t left, top, right, bottom;
};

// Text in the screen's look: a grey copy one pixel lower under the blue text, each pass
// clipped to the item's own rectangle (moved down with the grey copy).
void drawItem(std::int32_t x, std::int32_t y, ClipRect clip, const char* text) {
    drawContext.drawColour = kShadowGrey;
    setClipRect(clip.left, clip.top + 1, clip.right, clip.bottom + 1);
    drawText(x, y + 1, text);
    drawContext.drawColour = kTextBlue;
    setClipRect(clip.left, clip.top, clip.right, clip.bottom);
    drawText(x, y, text);
}

void upperCase(const char* text, char* out, std::size_t size) {
    std::size_t i = 0;
    for (; text[i] != '\0' && i + 1 < size; ++i) out[i] = upperAscii(text[i]);
    out[i] = '\0';
}

void drawList() {
    const SceneSelectState& s = sceneSelect;
    char name[kSceneNameSize];
    for (int i = 0; i <= kScenePageRows && s.sceneWindow[i][0] != '\0'; ++i) {
        const std::int32_t y = 45 + 8 * i;
        if (y >= 261) break;
        // File names are UTF-8; the list shows them in the scenes' own Latin-1.
        upperCase(utf8ToLatin1(s.sceneWindow[i].data()).text.c_str(), name, sizeof name);
        drawItem(35, y, {15, 40, 181, 266}, name);
        // drawItem left the list's own clip rectangle set for the marker and the won mark
        if (i == s.sceneRow) blitKeyed(15, y - 3, assets.marker);
        const auto length = static_cast<std::int32_t>(std::strlen(name));
        if (listProgress.pageWon[i]) blitKeyed(std::min(35 + 6 * length + 2, 174), y, assets.wonMark);
    }
}

void drawFallInterval() {
    const GameSceneSettings& scene = world.scene;
    if (scene.randomFall == 0) {
        drawItem(245, 91, {245, 91, 399, 101}, "DISABLED");
    } else if (scene.fallInterval < 1) {
        drawItem(245, 91, {245, 91, 399, 101}, "FALL AFTER NIBBLE");
    } else {
        char number[12];
        std::snprintf(number, sizeof number, "%d", static_cast<int>(scene.fallInterval));
        drawItem(245, 91, {245, 91, 399, 101}, number);
        drawItem(260, 91, {245, 91, 399, 101}, "SEC.");
    }
}

void drawObjective() {
    const GameSceneSettings& scene = world.scene;
    if (scene.objective < 0 || scene.objective > 3) return;
    char text[64];
    if (scene.objective == GoalScore) {
        std::snprintf(text, sizeof text, "%s %d", gameObjectiveTexts[GoalScore],
                      static_cast<int>(static_cast<std::int32_t>(scene.goalScore)));
    } else {
        std::snprintf(text, sizeof text, "%s", gameObjectiveTexts[scene.objective]);
    }
    drawItem(252, 107, {252, 107, 399, 127}, text);
}

void drawDescription() {
    char wrapped[600];
    wrapDescription(world.scene.description, wrapped, sizeof wrapped);
    drawItem(198, 158, {198, 158, 383, 263}, wrapped);
}

// The selected scene's progress, in the gap between the objective and the description: its
// best score and games, the won mark, and R when its best game can be watched.
void drawProgressLine() {
    const SceneProgress& p = listProgress.selected;
    char text[64];
    if (p.games == 0) {
        std::snprintf(text, sizeof text, "NOT PLAYED YET");
    } else {
        std::snprintf(text, sizeof text, "BEST %u, %u GAME%s", p.bestScore, p.games, p.games == 1 ? "" : "S");
    }
    drawItem(193, 125, {193, 125, 399, 133}, text);
    if (p.won) blitKeyed(193 + 6 * static_cast<std::int32_t>(std::strlen(text)) + 3, 125, assets.wonMark);
    if (!p.bestReplay.empty()) drawItem(343, 125, {343, 125, 399, 133}, "R: WATCH");
}

// How many of the listed scenes are won, right-aligned on the water beside the heading.
void drawWonCount() {
    char text[40];
    std::snprintf(text, sizeof text, "WON %d/%d", static_cast<int>(listProgress.wonCount),
                  static_cast<int>(sceneSelect.sceneCount));
    const std::int32_t x = 394 - 6 * static_cast<std::int32_t>(std::strlen(text));
    setClipRect(x, 10, 398, 20);
    drawContext.drawColour = kCountShadow;
    drawText(x + 1, 12, text);
    drawContext.drawColour = kCountCream;
    drawText(x, 11, text);
}

void drawDetails() {
    const GameSceneSettings& scene = world.scene;
    char title[sizeof scene.title];
    upperCase(scene.title, title, sizeof title);
    drawItem(225, 43, {225, 43, 399, 53}, title);
    if (scene.background >= 0 && scene.background < kBackgroundCount) {
        drawItem(265, 59, {265, 59, 399, 69}, gameBackgroundNames[scene.background]);
    }
    drawItem(270, 75, {270, 75, 399, 85}, scene.randomFall == 0 ? "NO" : "YES");
    drawFallInterval();
    drawObjective();
    drawProgressLine();
    drawDescription();
}

void drawScreen() {
    if (sceneSelect.sceneCount < 1) {
        setFrameInteriorClip();
        blitDim(0, 0, assets.sceneSelection, light.brightness);
        return;
    }
    PixelBuffer* composed = createPixelBuffer(kFrameWidth, kFrameHeight);
    FrameBuffer* const previousTarget = drawContext.target;
    drawContext.target = scratchBuffer;
    setFrameInteriorClip();
    blitCopy(0, 0, assets.sceneSelection);
    drawList();
    drawDetails();
    drawWonCount();
    resetClipRect();  // the grab copies within the clip, and the items left theirs set
    if (composed != nullptr) grabRect(0, 0, composed);
    drawContext.target = previousTarget;
    setFrameInteriorClip();
    blitDim(0, 0, composed, light.brightness);
    destroyPixelBuffer(composed);
}

}  // namespace

std::string listedScenePath(const char* name) {
    const std::string own = playerSceneFolder();
    std::error_code error;
    if (!own.empty() && std::filesystem::is_regular_file(own + "/" + name, error)) return own + "/" + name;
    return std::string("Scenes/") + name;
}

std::vector<std::string> listSceneFiles() {
    std::vector<std::string> names;
    addSceneFiles("Scenes", names);
    const std::string own = playerSceneFolder();
    if (!own.empty()) addSceneFiles(own, names);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

void wrapDescription(const char* text, char* out, std::size_t size) {
    std::size_t used = 0;
    int column = 0;
    for (const char* c = text; *c != '\0' && used + 3 < size; ++c) {
        if (*c == '\r') continue;
        if (*c == '\n') {
            out[used++] = '\n';
            column = 0;
            continue;
        }
        if (column == kDescriptionWidth) {
            out[used++] = '\n';
            column = 0;
        }
        out[used++] = upperAscii(*c);
        column += 1;
    }
    out[used] = '\0';
}

void sceneSelectScreen() {
    std::uint8_t key = takeKey();
    if (sceneSelect.phase == -1) {
        fadeIn(key);
    } else if (sceneSelect.phase == 0) {
        browse(key);
    } else if (stepFadeOut(key)) {
        handOver();
    }
    key = updateAutoRepeat(key);
    rereadSelection(key);
    drawScreen();
}

void returnToSceneSelect() {
    sceneSelect.phase = -1;
    light.brightness = 0;
    const char* name = sceneSelect.sceneWindow[sceneSelect.sceneRow].data();
    if (name[0] != '\0') loadListedScene(name);
    game.currentScreen = &sceneSelectScreen;
}

void nextSceneScreen() {
    const std::string next = gameProgress.nextScene;
    game.currentScreen = &mainMenuScreen;
    if (next.empty()) return;
    loadListedScene(next.c_str());
    if (std::filesystem::path(sceneOrigin.path).filename() != next) return;  // it could not be read
    prepareGameProgress();
    game.currentScreen = &gameStartScreen;
}
