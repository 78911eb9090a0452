// The entry point of MunchTrail: answers --help and --version without a window, reads the
// options (--play FILE, --windowed, --fullscreen, --replay FILE, --verify-replay FILE), makes
// the data folder the working directory (DAT/, Scenes/ and Readme.htm are found relative to
// it), lets only one copy run (--play and replays excepted: they run beside a game), and hands
// over to the game's start-up and loop.
#include <unistd.h>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "game/common/assets.h"
#include "game/platform/sdl/sdl_state.h"
#include "game/platform/sdl/single_instance.h"
#include "game/replay/replay.h"
#include "game/shell/shell.h"
#include "game/world/world.h"
#include "scene/folders.h"
#include "scene/scene_rules.h"

namespace {

constexpr const char* kUsage =
    "Usage: MunchTrail [--play FILE.qsn] [--windowed | --fullscreen] [--help] [--version]\n"
    "       MunchTrail [--replay] FILE.mtreplay | --verify-replay FILE.mtreplay\n"
    "Munch Trail: a worm eats its way across a pond. Arrow keys or a gamepad's D-pad and left\n"
    "stick steer, Space (Start) pauses, Enter (A) confirms, Backspace (B) leaves a game, Escape\n"
    "quits, Alt+Enter switches window and full screen, F1 opens the help page; on the scene list\n"
    "R (Y) shows the selected scene's best game.\n"
    "  --play FILE.qsn        play that scene at once, without logo or menu, and end with the game\n"
    "  --windowed             run in a window this time (the stored choice stays)\n"
    "  --fullscreen           run full screen this time (the stored choice stays)\n"
    "  --replay FILE          watch a recorded game (Space pauses, Right: four times as fast,\n"
    "                         Backspace or Escape leaves); a replay file alone does the same\n"
    "  --verify-replay FILE   check a recorded game frame for frame, without a window\n"
    "  --help                 show this text\n"
    "  --version              show the version\n"
    "Settings: $XDG_CONFIG_HOME/Quillfern/MunchTrail.ini. Replays: $XDG_STATE_HOME/munchtrail/replays.\n"
    "Progress: $XDG_DATA_HOME/munchtrail/progress.\n";

enum class Answer { Run, Done, Fail };

// What the command line asked for beyond a game: a replay to watch or to check, each already
// resolved against the folder the program was started in (an empty name stays empty and is
// refused when read, never taken for "no replay").
struct Requests {
    std::optional<std::string> watch;
    std::optional<std::string> verify;
};
Requests requests{};

// A file named on the command line, resolved before the data folder becomes the working
// directory; an empty or unusable name stays as it is and fails to open.
std::string startFolderPath(const char* name) {
    std::error_code error;
    if (name[0] == '\0') return {};
    const std::filesystem::path path = std::filesystem::absolute(name, error);
    return error ? std::string(name) : path.string();
}

Answer readCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0) {
            std::fputs(kUsage, stdout);
            return Answer::Done;
        }
        if (std::strcmp(option, "--version") == 0) {
            std::puts("MunchTrail 2.01");
            return Answer::Done;
        }
        if (std::strcmp(option, "--windowed") == 0 || std::strcmp(option, "--fullscreen") == 0) {
            loop.modeOverride = option[2] == 'w' ? 1 : 0;
        } else if (std::strcmp(option, "--replay") == 0 && i + 1 < argc) {
            requests.watch = startFolderPath(argv[++i]);
        } else if (std::strcmp(option, "--verify-replay") == 0 && i + 1 < argc) {
            requests.verify = startFolderPath(argv[++i]);
        } else if (option[0] != '-' && looksLikeReplay(option)) {
            requests.watch = startFolderPath(option);  // handed over by the desktop, any name
        } else if (std::strcmp(option, "--play") == 0 && i + 1 < argc) {
            const char* file = argv[++i];
            loop.playFile = startFolderPath(file);
            if (!loadSceneFile(loop.playFile.c_str())) {
                std::fprintf(stderr, "MunchTrail: cannot read the scene file %s\n", file);
                return Answer::Fail;
            }
            // The scene rules KELV saves by: a file that breaks them is no scene to play.
            const std::vector<std::string> problems = checkSceneFile(file);  // still the start folder
            for (const std::string& problem : problems)
                std::fprintf(stderr, "MunchTrail: %s: %s\n", file, problem.c_str());
            if (!problems.empty()) return Answer::Fail;
        } else {
            std::fprintf(stderr, "MunchTrail: unknown option %s\n%s", option, kUsage);
            return Answer::Fail;
        }
    }
    return Answer::Run;
}

// Makes the data folder the working directory: DAT/, Scenes/ and Readme.htm are found
// relative to it, beside the program (portable) or in the installed share folder.
void enterDataFolder() {
    const std::string folder = dataFolderFor(runningProgramFolder());
    if (!folder.empty() && chdir(folder.c_str()) != 0)
        std::fprintf(stderr, "MunchTrail: cannot enter the data folder %s\n", folder.c_str());
}

// --verify-replay: 0 and "ok: ..." on standard output when it holds, 1 and the first difference,
// 2 for a file that cannot be read or pictures that cannot be loaded.
int verifyCommand(const std::string& path) {
    Replay replay;
    std::string message;
    if (!readReplayFile(path, replay, message)) {
        std::fprintf(stderr, "MunchTrail: %s: %s\n", path.c_str(), message.c_str());
        return 2;
    }
    resetGameState();
    if (!loadAssetFiles()) {
        std::fprintf(stderr, "MunchTrail: %s\n", game.errorText);
        return 2;
    }
    const int code = verifyReplay(replay, message);
    std::fprintf(code == 0 ? stdout : stderr, "%s%s\n", code == 0 ? "" : "MunchTrail: ", message.c_str());
    freeAssetImages();
    return code;
}

// --replay: the game's window shows the recorded game; a file that cannot be read gets a box.
int watchCommand(const std::string& path) {
    Replay replay;
    std::string message;
    if (!readReplayFile(path, replay, message)) {
        platformShowError((path + ": " + message).c_str());
        return 2;
    }
    return watchReplay(replay);
}

}  // namespace

int main(int argc, char** argv) {
    const Answer answer = readCommandLine(argc, argv);
    if (answer != Answer::Run) return answer == Answer::Done ? 0 : 1;
    enterDataFolder();
    // A replay is checked with no window, no sound and no hand-over to a running copy.
    if (requests.verify) return verifyCommand(*requests.verify);
    const bool playing = !loop.playFile.empty();
    if (!playing && !requests.watch && !claimSingleInstance()) return 0;
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "MunchTrail: %s\n", SDL_GetError());
        if (requests.watch) return 2;
        return playing ? 1 : 0;  // the editor's test play learns it failed
    }
    if (!playing && !requests.watch) startRaiseWatcher();
    catchEndingSignals();
    const int code = requests.watch ? watchCommand(*requests.watch) : runGame();
    SDL_Quit();
    return exitStatusAfterSignal(code);
}
