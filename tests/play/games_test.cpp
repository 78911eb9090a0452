// Whole games: the replays in tests/replays (which CTest has the program verify) played back
// here with every frame and every sound call pinned by a hash; and random play that keeps the
// world's invariants on every frame.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string_view>

#include "tests/support/support.h"

namespace {

using namespace ts;

Scene wall(int column) {
    Scene scene = makeScene(5, 15);
    for (int row = 0; row < kSceneRows; ++row) scene.grid[sceneCellIndex(column, row)] = StoneBean;
    return scene;
}

Scene rows(std::initializer_list<std::tuple<std::uint8_t, int, int>> runs, int startColumn = 20,
           int startRow = 15) {
    Scene scene = makeScene(startColumn, startRow);
    for (auto [code, column, row] : runs)
        for (int i = 0; i < 10; ++i) scene.grid[sceneCellIndex(column + i, row)] = code;
    return scene;
}

// The games kept in tests/replays: a scene, the beans the autopilot eats up in turn (Stone:
// runs into stones, Exit: to the exit), then, if the game is still on, a pause and Backspace.
struct WholeGame {
    const char* name;
    Scene scene;
    std::vector<std::uint8_t> goals;
    const char* shipped = nullptr;  // plays this shipped scene instead
};

class Games : public Game {};

TEST_F(Games, TheKeptGamesRecordReplaysThatHold) {
    Scene eatUp = rows({{RedBean, 10, 8}, {RedBean, 10, 10}, {RedBean, 10, 12}}, 20, 20);
    eatUp.objective = EatUp;
    Scene powers = rows({{BlueBean, 22, 15}, {OrangeBean, 30, 5}, {PurpleBean, 8, 25}});
    for (int i = 5; i < 10; ++i)
        for (auto [column, row] : {std::pair(22, 15), std::pair(30, 5), std::pair(8, 25)})
            powers.grid[sceneCellIndex(column + i, row)] = EmptyCell;
    const WholeGame games[] = {
        {"ShippedEscapeSceneWonEndsOnTheAccomplishedPictureAndTheMenu",
         {},
         {Exit},
         "04-the-long-way-out.qsn"},
        {"ThreeDeathsEndOnTheGameOverPicture", wall(10), {Stone}},
        {"BackspaceAbandonsToTheMenuAndAHigherScoreIsStoredAtExit", rows({{RedBean, 21, 15}}), {Red}},
        {"StormLaserAndHalvingInOneGameReplay", powers, {Blue, Orange, Purple}},
        {"EatUpWonAfterMoltingReplay", eatUp, {Red}},
    };
    std::vector<std::filesystem::path> recorded;
    for (const WholeGame& g : games) {
        SCOPED_TRACE(g.name);
        g.shipped ? playShipped(g.shipped) : play(g.scene);
        for (std::uint8_t goal : g.goals)
            for (int f = 0; f < 20000 && game.currentScreen != &mainMenuScreen; ++f) {
                if (goal < Stone && std::ranges::count(world.cells, goal) == 0) break;
                if (goal == Red && g.scene.objective != EatUp && world.score >= 20) break;
                autopilot(goal);
                runOneFrame();
            }
        autopilot(Empty);
        if (game.currentScreen == &playScreen)  // a pause and its end first, then abandoned
            tap(kKeySpace), runFrames(3), tap(kKeySpace), tap(kKeyBackspace);
        ASSERT_GT(runUntil(&mainMenuScreen, 400), 0);
        recorded.push_back(setReplayAside(static_cast<int>(recorded.size())));
    }
    // Checked only now, because checking starts a fresh world: the games followed each other in
    // one run, as a player's do, and each replay must still hold on its own.
    for (std::size_t i = 0; i < recorded.size(); ++i) expectReplayHolds(recorded[i], games[i].name);
}

// Every shipped scene won by the autopilot from its start, going for each goal in turn (a colour
// until five of it are eaten or none is left, then the next); a Standard scene played up to
// `score` and left. It runs only to record them again (under MT_REPLAY_OUT, into
// tests/replays/scenes): the kept games are the proof, and CTest verifies each of them.
using ShippedScene = std::tuple<const char*, const char*, std::uint32_t>;
class ShippedScenes : public Game, public testing::WithParamInterface<ShippedScene> {};

TEST_P(ShippedScenes, AreWonByTheAutopilot) {
    const auto [name, goals, score] = GetParam();
    if (!std::getenv("MT_REPLAY_OUT")) GTEST_SKIP() << "recorded only under MT_REPLAY_OUT";
    playShipped(std::string(name) + ".qsn");
    int f = 0;
    for (const char* letter = goals; *letter; ++letter) {
        constexpr std::uint8_t kGoals[] = {Red, Orange, Green, Blue, Purple, kAnyBean, Exit};
        const std::uint8_t goal = kGoals[std::string_view("rogbp*E").find(*letter)];
        const auto left = [goal] { return std::ranges::count(world.cells, goal); };
        const auto until = std::max(left() - 5, std::ptrdiff_t{0});
        for (; game.currentScreen != &mainMenuScreen && !world.sceneAccomplished && f < 12000; ++f) {
            if ((goal < BonusBean && left() <= until) || (score && world.score >= score)) break;
            autopilot(goal);
            runOneFrame();
        }
    }
    EXPECT_TRUE(score ? world.score >= score : world.sceneAccomplished != 0) << f << " frames";
    if (game.currentScreen == &playScreen) tap(kKeyBackspace);
    ASSERT_GT(runUntil(&mainMenuScreen, 400), 0);
    expectReplayHolds(setReplayAside(0), "scenes/" + std::string(name));
}

constexpr ShippedScene kShippedScenes[] = {
    {"01-first-steps", "*", 0},      {"02-rainbow-rows", "*", 0},    {"03-stone-garden", "*", 0},
    {"04-the-long-way-out", "E", 0}, {"05-lucky-dip", "*", 400},     {"06-city-blocks", "*", 0},
    {"07-crowded-pond", "*", 0},     {"08-garden-gates", "*", 0},    {"09-ore-mine", "E", 0},
    {"10-twilight-rings", "*", 500}, {"11-stone-crosses", "*", 0},   {"12-the-labyrinth", "E", 0},
    {"13-every-last-bean", "*", 0},  {"14-round-the-edges", "E", 0}, {"15-the-strongroom", "opopopo*", 0},
    {"16-shedding-season", "*", 0},  {"17-thunderstorm", "b*", 0},   {"18-nightfall", "*", 450},
    {"19-fast-lane", "*", 0},        {"20-four-rooms", "E", 0},      {"21-walled-gardens", "*", 0},
    {"22-green-thumb", "gggg*", 0},  {"23-downpour", "*", 0},        {"24-minefield", "E", 0},
    {"25-five-islands", "*", 0},     {"26-the-whirlpool", "*", 0}};
INSTANTIATE_TEST_SUITE_P(, ShippedScenes, testing::ValuesIn(kShippedScenes),
                         [](const auto& info) { return "scene" + std::string(std::get<0>(info.param), 2); });

// What the rules read besides the keys is in the checkpoints: a replay with another frame
// rate, sound switch or clock step than the game had fails at its first checkpoint.
TEST_F(Games, AnEditedRateSoundFlagOrClockFailsTheFirstCheckpoint) {
    ASSERT_TRUE(start());
    Replay kept;
    std::string message;
    ASSERT_TRUE(
        readReplayFile(sourceFolder() / "tests/replays/EatUpWonAfterMoltingReplay.mtreplay", kept, message));
    ASSERT_EQ(verifyReplay(kept, message), 0) << message;
    for (int edit = 0; edit < 3; ++edit) {
        Replay replay = kept;
        if (edit == 0) replay.framesPerSecond = 25;
        if (edit == 1) replay.soundMuted ^= 1;
        if (edit == 2) replay.inputs.insert(replay.inputs.begin(), {1, ReplayInput::Clock, 0, 51});
        EXPECT_EQ(verifyReplay(replay, message), 1) << edit;
        EXPECT_EQ(message, "differs at checkpoint 1 (frame 100)") << edit;
    }
}

// A kept game watched through the loop: Space holds it, Right runs it four times as fast,
// Backspace leaves; neither those keys nor one held before it began reach the game, which ends
// exactly as recorded.
TEST_F(Games, TheViewersKeysPauseSpeedUpAndLeaveWithoutTouchingTheGame) {
    ASSERT_TRUE(start());
    Replay replay;
    std::string message;
    ASSERT_TRUE(readReplayFile(sourceFolder() / "tests/replays/EatUpWonAfterMoltingReplay.mtreplay", replay,
                               message));
    pushKeyEvent(kKeyLeft, true);  // pressed and held as the game was left
    startPlayback(replay);
    runFrames(20);
    scriptPress(kKeySpace);
    runFrames(10);
    EXPECT_EQ(playbackStatus().frame, 20u);
    scriptPress(kKeySpace);
    scriptPress(kKeyRight);
    runOneFrame();  // due at the old pace
    const std::uint32_t fastFrom = headless.now;
    runFrames(40);
    EXPECT_EQ(headless.now - fastFrom, 40u * 12);
    while (!playbackStatus().ended && playbackStatus().frame < replay.frameCount) runOneFrame();
    EXPECT_EQ(std::pair(playbackStatus().firstBadFrame, gameDigest()), std::pair(0u, replay.finalDigest));
    startPlayback(replay);
    scriptPress(kKeyBackspace);
    runFrames(2);
    EXPECT_TRUE(playbackStatus().ended);
    stopPlayback();
}

// Every replay kept in tests/replays, played back: one hash over every frame drawn and every
// sound call made. After a deliberate change, MT_HASH_PRINT=1 prints the new rows.
TEST_F(Games, EveryFrameAndSoundOfTheKeptReplays) {
    const std::pair<std::string, std::uint64_t> pinned[] = {
        {"BackspaceAbandonsToTheMenuAndAHigherScoreIsStoredAtExit", 0x113d6bb1bdabb53eull},
        {"EatUpWonAfterMoltingReplay", 0x621ecc8104059bbbull},
        {"ShippedEscapeSceneWonEndsOnTheAccomplishedPictureAndTheMenu", 0x8a066998bba8d452ull},
        {"StormLaserAndHalvingInOneGameReplay", 0x355031824fac640bull},
        {"ThreeDeathsEndOnTheGameOverPicture", 0xeb795fe6f4282f29ull},
        {"scenes/18-nightfall", 0x87a695dffbecd980ull},  // into the night: the head's light, the night sprite
    };
    ASSERT_TRUE(start());
    for (const auto& [name, expected] : pinned) {
        Replay replay;
        std::string message;
        ASSERT_TRUE(readReplayFile(sourceFolder() / "tests/replays" / (name + ".mtreplay"), replay, message))
            << name;
        startPlayback(replay);
        headless.soundCalls.clear();
        std::uint64_t h = 0;
        while (ts::replayFrame()) {
            h = h * 31 + frameHash();
            for (const SoundCall& c : headless.soundCalls)
                h = h * 31 + (static_cast<std::uint64_t>(c.op) << 40 ^
                              static_cast<std::uint64_t>(c.id) << 32 ^ static_cast<std::uint32_t>(c.value));
            headless.soundCalls.clear();
        }
        EXPECT_EQ(playbackStatus().frame, replay.frameCount) << name;
        stopPlayback();
        if (std::getenv("MT_HASH_PRINT"))
            std::printf("{\"%s\", 0x%016llxull},\n", name.c_str(), static_cast<unsigned long long>(h));
        EXPECT_EQ(h, expected) << name;
    }
}

// One game played twice from the same start: by the keys of a first start, then by other keys
// bound to the same actions. The same frames, and the same replay byte for byte: the rules and
// the recording only ever see the game's own keys.
TEST_F(Games, RemappedKeysPlayTheSameFramesAndRecordTheSameReplay) {
    const std::pair<int, ControlAction> script[] = {
        {2, ControlRight},  {14, ControlUp},   {20, ControlPanel}, {30, ControlPause},
        {36, ControlPause}, {45, ControlLeft}, {60, ControlDown},  {90, ControlBack}};
    std::string replays[2];
    std::uint64_t hashes[2] = {};
    for (int run = 0; run < 2; ++run) {
        if (run == 1) {
            TearDown();
            SetUp();
        }
        ASSERT_TRUE(start());
        const std::pair<ControlAction, std::uint8_t> others[] = {
            {ControlUp, 0x11},    {ControlDown, 0x1F}, {ControlLeft, 0x1E}, {ControlRight, 0x20},
            {ControlPause, 0x19}, {ControlBack, 0x10}, {ControlPanel, 0x2A}};  // W S A D P Q Left Shift
        for (auto [action, key] : others) EXPECT_TRUE(run == 0 || bindKey(action, key));
        play(rows({{RedBean, 21, 15}, {GreenBean, 18, 5}}));
        for (int frame = 0; frame < 100; ++frame) {
            const auto* due = std::ranges::find(script, frame, &std::pair<int, ControlAction>::first);
            const std::uint8_t key = due != std::end(script) ? controls.keys[due->second] : 0;
            if (key != 0) hold(key);
            runOneFrame();
            if (key != 0) release(key);
            hashes[run] = hashes[run] * 31 + frameHash();
        }
        EXPECT_GT(world.score, 0u);
        ASSERT_GT(runUntil(&mainMenuScreen, 400), 0);
        replays[run] = readText(setReplayAside(run));
    }
    EXPECT_EQ(hashes[0], hashes[1]);
    EXPECT_EQ(replays[0], replays[1]);
}

// Random keys held on shipped scenes, with frames now and then late: the body's cells lie under
// its segments, the high score keeps up with the score, lives stay within 0..99 and every stone
// the queue still holds is a stone; and each game's replay plays it again exactly.
TEST_F(Games, RandomPlayKeepsTheInvariantsOnEveryFrameAndReplaysExactly) {
    std::vector<std::filesystem::path> recorded;
    std::mt19937 gen(5);
    std::uint8_t held = kKeyUp;
    constexpr std::uint8_t keys[] = {kKeyUp,    kKeyRight, kKeyDown, kKeyLeft, kKeyUp,
                                     kKeyRight, kKeyDown,  kKeyLeft, kKeyEnter};
    for (const char* name :
         {"02-rainbow-rows.qsn", "07-crowded-pond.qsn", "10-twilight-rings.qsn", "09-ore-mine.qsn"}) {
        SCOPED_TRACE(name);
        playShipped(name);
        for (int f = 0; f < 1500 && game.currentScreen != &mainMenuScreen; ++f) {
            if (gen() % 3 == 0) release(held), hold(held = keys[gen() % std::size(keys)]);
            if (gen() % 8 == 0) headless.now += gen() % 90;
            runOneFrame();
            ASSERT_GE(world.hiScore, world.score);
            ASSERT_TRUE(world.lives >= 0 && world.lives <= 99) << world.lives;
            std::vector<bool> body(kFieldCells);
            for (int i = 0; i < world.length; ++i)  // a moving segment lies over two cells
                for (int end : {0, 9})
                    body[static_cast<std::size_t>(cellIndex((world.segX[i] + end + 400) % 400 / 10,
                                                            (world.segY[i] + end + 300) % 300 / 10))] = true;
            for (int c = 0; c < kFieldCells; ++c)
                ASSERT_TRUE(world.cells[c] != WormBody || body[static_cast<std::size_t>(c)]) << f << " " << c;
            for (int i = world.stoneRead; i != world.stoneWrite; i = (i + 1) % kStoneQueueSize) {
                const StoneEntry e = world.stoneQueue[static_cast<std::size_t>(i)];
                ASSERT_TRUE(e.column >= kFieldColumns || cellAt(e.column, e.row) == Stone) << "frame " << f;
            }
        }
        release(held);
        if (game.currentScreen == &playScreen) tap(kKeyBackspace);
        ASSERT_GT(runUntil(&mainMenuScreen, 400), 0);
        recorded.push_back(setReplayAside(static_cast<int>(recorded.size())));
    }
    for (const auto& file : recorded) expectReplayHolds(file, "random");
}

}  // namespace
