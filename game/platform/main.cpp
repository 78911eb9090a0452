// The entry point of MunchTrail: answers --help and --version without a window, makes the
// data folder the working directory (DAT/, Scenes/ and Readme.htm are found relative to it), lets only one
// copy run, and hands over to the game's start-up and loop.
#include <unistd.h>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "game/platform/sdl_state.h"
#include "game/platform/single_instance.h"
#include "game/shell/replay.h"
#include "game/shell/shell.h"
#include "scene/folders.h"

namespace {

constexpr const char* kUsage =
    "Usage: MunchTrail [--help] [--version] [--replay FILE] [--verify-replay FILE]\n"
    "Munch Trail: a worm eats its way across a pond. Arrow keys steer, Space pauses,\n"
    "Backspace leaves a game, Escape quits, Alt+Enter switches window and full screen,\n"
    "F1 opens the help page. Settings: $XDG_CONFIG_HOME/Quillfern/MunchTrail.ini.\n";

// True when the command line asked for information only (and it has been printed).
bool answeredCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("MunchTrail 2.01");
            return true;
        }
    }
    return false;
}

// Makes the data folder the working directory: DAT/, Scenes/ and Readme.htm are found
// relative to it, beside the program (portable) or in the installed share folder.
void enterDataFolder() {
    const std::string folder = dataFolderFor(runningProgramFolder());
    if (!folder.empty() && chdir(folder.c_str()) != 0)
        std::fprintf(stderr, "MunchTrail: cannot enter the data folder %s\n", folder.c_str());
}

// A file named on the command line, resolved before the data folder becomes the working
// directory; an empty or unusable name stays as it is and fails to open.
std::string startFolderPath(const char* name) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(name, error);
    return error ? std::string(name) : path.string();
}

}  // namespace

int main(int argc, char** argv) {
    if (answeredCommandLine(argc, argv)) return 0;
    // A replay is checked with no window, no sound and no hand-over to a running copy; its
    // name is taken relative to the folder the program was started in.
    if (argc == 3 && std::strcmp(argv[1], "--verify-replay") == 0) {
        const std::string replay = startFolderPath(argv[2]);
        enterDataFolder();
        return verifyReplayCommand(replay);
    }
    if (argc == 3 && std::strcmp(argv[1], "--replay") == 0) {
        const std::string replay = startFolderPath(argv[2]);
        enterDataFolder();
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
            std::fprintf(stderr, "MunchTrail: %s\n", SDL_GetError());
            return 2;
        }
        const int code = watchReplayCommand(replay);
        SDL_Quit();
        return code;
    }
    enterDataFolder();
    if (!claimSingleInstance()) return 0;
    blockRaiseSignal();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "MunchTrail: %s\n", SDL_GetError());
        return 0;
    }
    startRaiseWatcher();
    const int code = runGame();
    SDL_Quit();
    return code;
}
