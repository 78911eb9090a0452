// The whole-game test harness: a throw-away program folder, the real start-up on the headless
// platform layer, and frames run through the real message loop's tick.
#include "tests/play/harness.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "game/common/keys.h"
#include "game/common/random.h"
#include "game/platform/headless/headless.h"
#include "game/screens/play_screens.h"
#include "game/screens/scene_select.h"
#include "game/screens/screens.h"
#include "game/shell/replay.h"
#include "game/shell/settings.h"
#include "game/world/pond.h"
#include "game/world/world.h"
#include "render/font.h"
#include "render/pixels.h"

namespace play_test {

namespace fs = std::filesystem;

fs::path distFolder() {
    return fs::path(MT_TEST_DIST_DIR);
}

Scene makeScene(const std::string& title, int startColumn, int startRow) {
    Scene scene;
    scene.title = title;
    scene.background = 1;
    scene.randomFall = 0;
    scene.grid[sceneCellIndex(startColumn, startRow)] = StartPoint;
    return scene;
}

void writeScene(const std::string& fileName, Scene scene) {
    const fs::path path = fs::path("Scenes") / fileName;
    ASSERT_TRUE(writeSceneFile(path.c_str(), scene)) << path;
}

void copyShippedScene(const std::string& fileName) {
    std::error_code error;
    fs::copy_file(distFolder() / "Scenes" / fileName, fs::path("Scenes") / fileName,
                  fs::copy_options::overwrite_existing, error);
    ASSERT_FALSE(error) << fileName << ": " << error.message();
}

std::string shippedSceneWithObjective(std::int32_t objective) {
    std::vector<fs::path> paths;
    for (const auto& entry : fs::directory_iterator(distFolder() / "Scenes"))
        if (entry.path().extension() == ".qsn") paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    for (const fs::path& path : paths) {
        Scene scene;
        if (readSceneFile(path.c_str(), scene) && scene.objective == objective)
            return path.filename().string();
    }
    return {};
}

Scene wallScene(int wallColumn) {
    Scene scene = makeScene("Wall", 5, 15);
    for (int row = 0; row < kSceneRows; ++row) {
        scene.grid[sceneCellIndex(wallColumn, row)] = StoneBean;
    }
    return scene;
}

Scene beanRowScene() {
    Scene scene = makeScene("Beans", 20, 15);
    for (int column = 21; column <= 30; ++column) {
        scene.grid[sceneCellIndex(column, 15)] = RedBean;
    }
    return scene;
}

void startGame() {
    shell.currentScreen = &sceneSelectScreen;
    press(kKeyEnter);
    runFrame();
    press(kKeyEnter);
    ASSERT_GT(runUntil(&gameStartScreen, 40), 0);
    runFrame();
    ASSERT_EQ(shell.currentScreen, &playScreen);
}

std::string settingValue(const std::string& name) {
    std::ifstream file(settingsFilePath());
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind(name + "=", 0) == 0) return line.substr(name.size() + 1);
    }
    return {};
}

void runFrame() {
    runOneFrame();
}

void runFrames(int count) {
    for (int i = 0; i < count; ++i) runFrame();
}

int runUntil(Screen screen, int limit) {
    for (int frames = 1; frames <= limit; ++frames) {
        runFrame();
        if (shell.currentScreen == screen) return frames;
    }
    return -1;
}

void press(std::uint8_t scanCode) {
    scriptPress(scanCode, altKeyHeld());
}
void hold(std::uint8_t scanCode) {
    scriptKey(scanCode, true, altKeyHeld());
}
void release(std::uint8_t scanCode) {
    scriptKey(scanCode, false);
}
void step(std::uint8_t scanCode) {
    press(scanCode);
    runFrame();
}
void tap(std::uint8_t scanCode) {
    hold(scanCode);
    runFrame();
    release(scanCode);
}

namespace {

constexpr std::uint8_t kArrows[4] = {kKeyUp, kKeyRight, kKeyDown, kKeyLeft};  // by Direction
constexpr int kStepColumn[4] = {0, 1, 0, -1};
constexpr int kStepRow[4] = {-1, 0, 1, 0};
std::uint8_t heldArrow = 0;

int headCell() {
    return cellIndex((world.segX[0] + 400) % 400 / kCellSize, (world.segY[0] + 300) % 300 / kCellSize);
}

bool headOnCell() {
    return world.segX[0] % kCellSize == 0 && world.segY[0] % kCellSize == 0;
}

// The first step of a shortest way from the head's cell to a cell holding `goal` on the
// wrapping field, or -1 when there is none. `refused` is the one direction the worm cannot take.
int firstStepTowards(std::uint8_t goal, int refused) {
    std::array<int, kFieldCells> firstStep;
    firstStep.fill(-2);
    std::vector<int> frontier{headCell()};
    firstStep[frontier[0]] = -1;
    for (std::size_t next = 0; next < frontier.size(); ++next) {
        const int here = frontier[next];
        for (int dir = 0; dir < 4; ++dir) {
            if (here == frontier[0] && dir == refused) continue;
            const int c = (here / kFieldRows + kStepColumn[dir] + kFieldColumns) % kFieldColumns;
            const int r = (here % kFieldRows + kStepRow[dir] + kFieldRows) % kFieldRows;
            const int cell = cellIndex(c, r);
            if (firstStep[cell] != -2) continue;
            const std::uint8_t code = world.cells[cell];
            const int step = here == frontier[0] ? dir : firstStep[here];
            if (code == goal) return step;
            if (code == Stone || code == WormBody) continue;
            firstStep[cell] = step;
            frontier.push_back(cell);
        }
    }
    return -1;
}

}  // namespace

void autopilot(std::uint8_t goal) {
    if (heldArrow != 0) {
        release(heldArrow);
        heldArrow = 0;
    }
    if (shell.currentScreen != &playScreen) return;
    if (world.started == 0) {
        const int dir = firstStepTowards(goal, -1);
        heldArrow = kArrows[dir < 0 ? Right : dir];
        hold(heldArrow);
    } else if (headOnCell() && world.cells[headCell()] != goal) {
        const int dir = firstStepTowards(goal, (world.segDir[0] + 2) % 4);
        if (dir >= 0) press(kArrows[dir]);
    }
}

int playUntil(Screen screen, std::uint8_t goal, int limit) {
    for (int frames = 1; frames <= limit; ++frames) {
        autopilot(goal);
        runFrame();
        if (shell.currentScreen == screen) {
            autopilot(goal);  // lets go of a held arrow
            return frames;
        }
    }
    return -1;
}

std::uint32_t pixelAt(int x, int y) {
    return drawBuffer->pixels[y * kFrameWidth + x] & 0xFFFFFFu;
}

bool picturePixelShown(const PixelBuffer* picture, int x, int y) {
    return pixelAt(x, y) == (picture->pixels()[y * picture->width + x] & 0xFFFFFFu);
}

std::uint64_t frameHash() {
    return hashPixels(drawBuffer->pixels, kFramePixels);
}

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

std::vector<SoundCall> takeSoundCalls() {
    std::vector<SoundCall> calls;
    calls.swap(headless.soundCalls);
    return calls;
}

void expectReplayHolds() {
    const fs::path folder = replayFolder();
    ASSERT_TRUE(fs::is_directory(folder));
    ASSERT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    const fs::path file = fs::directory_iterator(folder)->path();
    Replay replay;
    std::string message;
    ASSERT_TRUE(readReplayFile(file, replay, message)) << message;
    EXPECT_EQ(verifyReplay(replay, message), 0) << message;
    EXPECT_EQ(message,
              "ok: " + std::to_string(replay.frameCount) + " frames, score " + std::to_string(replay.score));
    if (const char* out = std::getenv("MT_REPLAY_OUT"))
        fs::copy_file(file,
                      fs::path(out) / (testing::UnitTest::GetInstance()->current_test_info()->name() +
                                       std::string(".mtreplay")),
                      fs::copy_options::overwrite_existing);
    constexpr std::array<std::uint8_t, 4> arrows = {kKeyUp, kKeyRight, kKeyDown, kKeyLeft};
    const auto turned = std::find_if(replay.inputs.begin(), replay.inputs.end(), [&](const ReplayInput& in) {
        return in.frame > 100 && in.kind == ReplayInput::Press && std::ranges::count(arrows, in.scanCode) > 0;
    });
    if (turned == replay.inputs.end()) return;  // a game too short to have one
    turned->scanCode = arrows[(std::ranges::find(arrows, turned->scanCode) - arrows.begin() + 2) % 4];
    EXPECT_EQ(verifyReplay(replay, message), 1);
    const std::uint32_t checkpoint = turned->frame / 100 + 1;
    EXPECT_EQ(message, "differs at checkpoint " + std::to_string(checkpoint) + " (frame " +
                           std::to_string(checkpoint * 100) + ")");
}

void GameTest::SetUp() {
    previous_ = fs::current_path();
    char pattern[] = "/tmp/munchtrail-play-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    fs::create_directory_symlink(distFolder() / "DAT", root_ / "DAT");
    fs::create_directory(root_ / "Scenes");
    fs::create_directory(root_ / "config");
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    setenv("XDG_STATE_HOME", (root_ / "state").c_str(), 1);
    fs::current_path(root_);

    resetHeadlessGame();
    world = WorldState{};
    sceneSelect = SceneSelectState{};
    playScreens = PlayScreenState{};
    pond = PondState{};
    ASSERT_EQ(initGame(), 1) << shell.errorText;
    heldArrow = 0;
    seedRandom(20261206);
}

void GameTest::TearDown() {
    shutdownGame();
    fs::current_path(previous_);
    std::error_code error;
    fs::remove_all(root_, error);
}

}  // namespace play_test
