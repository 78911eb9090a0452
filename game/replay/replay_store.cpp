// Where replays are kept: $XDG_STATE_HOME/munchtrail/replays, one file a game, named by the
// time it ended and its scene so that a plain sort is the order they were played in. The
// folder keeps the newest 50, the best game of all, and every scene's best game that the
// player's progress names.
#include <algorithm>
#include <ctime>
#include <filesystem>
#include <vector>

#include "game/replay/replay.h"
#include "game/screens/progress.h"
#include "scene/folders.h"

namespace {

namespace fs = std::filesystem;

// "2026-12-07_19-40-12_01-first-steps.mtreplay", with a counter when that name is taken.
std::string replayFileName(const std::string& folder, const std::string& sceneName) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    const std::string scene = fs::path(sceneName).stem().string();
    std::string name = folder + "/" + stamp + "_" + scene + ".mtreplay";
    std::error_code error;
    for (int n = 2; fs::exists(name, error) && n < 100; ++n)
        name = folder + "/" + stamp + "_" + scene + "-" + std::to_string(n) + ".mtreplay";
    return name;
}

}  // namespace

std::string replayFolder() {
    const std::string state = xdgFolder("XDG_STATE_HOME", ".local/state");
    return state.empty() ? state : state + "/munchtrail/replays";
}

std::string keepReplay(const Replay& replay, std::string& error) {
    const std::string folder = replayFolder();
    std::error_code made;
    if (folder.empty() || (fs::create_directories(folder, made), made)) {
        error = "no folder " + (folder.empty() ? std::string("for replays (HOME is not set)") : folder);
        return {};
    }
    const std::string path = replayFileName(folder, replay.sceneName);
    if (!writeReplayFile(path, replay, error)) return {};
    pruneReplays(folder);
    return path;
}

void pruneReplays(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error); !error && it != fs::directory_iterator();
         it.increment(error))
        if (it->path().extension() == ".mtreplay") names.push_back(it->path().string());
    if (names.size() <= static_cast<std::size_t>(kReplaysKept)) return;
    std::sort(names.begin(), names.end());
    std::string best;
    std::uint32_t bestScore = 0;
    for (const std::string& name : names) {
        Replay replay;
        std::string ignored;
        if (readReplayFile(name, replay, ignored) && (best.empty() || replay.score >= bestScore)) {
            best = name;
            bestScore = replay.score;
        }
    }
    const ProgressTable progress = readProgress();
    const auto sceneBest = [&progress](const std::string& path) {
        const std::string file = fs::path(path).filename().string();
        return std::ranges::any_of(progress,
                                   [&file](const SceneProgress& e) { return e.bestReplay == file; });
    };
    for (std::size_t i = 0; i + kReplaysKept < names.size(); ++i)
        if (names[i] != best && !sceneBest(names[i])) fs::remove(names[i], error);
}
