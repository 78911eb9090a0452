// Replay files: what is written reads back byte for byte, a file that cannot be trusted is
// refused with its reason before anything large is allocated, and the replays folder keeps the
// newest 50 and the best score.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/game/game_test_support.h"

namespace {

std::string patched(std::string bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

TEST(ReplayFile, WhatIsWrittenReadsBackAndDamageIsRefusedWithItsReason) {
    Replay replay;
    replay.sceneName = "a.qsn";
    replay.sceneBytes = "scene";
    replay.frameCount = 250;
    replay.framesPerSecond = 15;
    replay.inputs = {{0, ReplayInput::Press, kKeyUp, 0},
                     {120, ReplayInput::Clock, 0, 700},
                     {249, ReplayInput::ClearKeys, 0, 0}};
    replay.checkpoints = {1, 2};
    const std::string good = replayBytes(replay);
    Replay back;
    std::string error;
    ASSERT_TRUE(parseReplay(good, back, error)) << error;
    EXPECT_EQ(replayBytes(back), good);
    std::string flipped = good;
    flipped[108] ^= 1;  // inside the scene
    const std::pair<std::string, const char*> cases[] = {
        {"", "not a MunchTrail replay"},
        {"MTREPLAX" + good.substr(8), "not a MunchTrail replay"},
        {patched(good, 8, 3), "the replay was made by a newer MunchTrail; this one reads format 2"},
        {patched(good, 8, 1),
         "the replay was recorded by an older MunchTrail (format 1), whose checkpoints "
         "this one cannot check; record the game again"},
        {good.substr(0, 120), "the file is truncated"},
        {good.substr(0, good.size() - 1), "the file is truncated"},
        {good + "x", "the replay is damaged (trailing bytes)"},
        {patched(good, 103, 0xFFFFFFFF), "the replay's scene is implausibly large"},
        {patched(good, 112, 0xFFFFFFFF), "the replay claims implausibly many frames"},
        {patched(good, 116, 0x7FFFFFFF), "the file is truncated"},                 // events beyond the file
        {patched(good, 116, 0x7FFFFFFF).substr(0, 120), "the file is truncated"},  // nothing reserved
        {patched(good, 112, 100), "the key events are damaged"},  // events past the last frame
        {flipped, "the replay is damaged (check sum)"},
        {patched(good, 12, 16), "the replay is damaged (frame rate)"},
        {patched(good, 16, 2), "the replay is damaged (sound flag)"},
    };
    for (const auto& [bytes, reason] : cases) {
        EXPECT_FALSE(parseReplay(bytes, back, error)) << reason;
        EXPECT_EQ(error, reason);
    }
}

using Replays = GameTest;

TEST_F(Replays, TheNewestFiftyTheBestScoreAndEachScenesBestGameAreKept) {
    const std::string folder = replayFolder();
    std::filesystem::create_directories(folder);
    std::string error;
    Replay replay;
    replay.sceneName = "a.qsn";
    for (int n = 0; n < 53; ++n) {
        replay.score = n == 1 ? 900 : static_cast<std::uint32_t>(n);
        ASSERT_TRUE(writeReplayFile(folder + "/" + std::to_string(100 + n) + ".mtreplay", replay, error));
    }
    ProgressTable progress;
    countGame(progress, "a.qsn", 1, 2, true, "102.mtreplay");
    ASSERT_TRUE(writeProgress(progress));
    pruneReplays(folder);
    const auto kept = [&](int n) {
        return std::filesystem::exists(folder + "/" + std::to_string(100 + n) + ".mtreplay");
    };
    EXPECT_FALSE(kept(0));
    EXPECT_TRUE(kept(1) && kept(2) && kept(3) && kept(52));
    // Handed over by the desktop under any name, a replay is known by its first bytes.
    std::filesystem::copy_file(folder + "/101.mtreplay", folder + "/GAME.MTREPLAY");
    EXPECT_TRUE(looksLikeReplay(folder + "/GAME.MTREPLAY"));
    EXPECT_FALSE(looksLikeReplay(folder) || looksLikeReplay(settingsFilePath()) || looksLikeReplay(""));
}

}  // namespace
