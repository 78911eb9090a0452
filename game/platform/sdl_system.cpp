// The desktop around the game: the "Error" message box (also on standard error), the help
// page opened in the desktop's viewer, the editor started beside the game and reaped when it
// ends, and the single-instance lock with its request to the running copy to come forward.
#include <fcntl.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/platform/sdl_state.h"
#include "game/platform/single_instance.h"
#include "game/shell/platform.h"
#include "scene/folders.h"

extern char** environ;

namespace {

struct SdlSystem {
    int lockFile = -1;
};
SdlSystem sdlSystem{};

std::string lockPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') return std::string(runtime) + "/MunchTrail.lock";
    return "/tmp/MunchTrail-" + std::to_string(getuid()) + ".lock";
}

// Waits for the raise signal on a thread of its own and turns each into an SDL event, which
// also wakes the sleeping message loop.
void* raiseWatcher(void*) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGUSR1);
    for (;;) {
        int signal = 0;
        if (sigwait(&set, &signal) != 0) continue;
        SDL_Event event{};
        event.type = raiseRequestEvent;
        SDL_PushEvent(&event);
    }
    return nullptr;
}

}  // namespace

void platformShowError(const char* text) {
    std::fprintf(stderr, "MunchTrail: %s\n", text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", text, nullptr);
}

// The document's file:// address; characters other than the unreserved ones and "/" are
// percent-encoded, so a program folder with spaces still opens.
void platformOpenDocument(const char* path) {
    char folder[4096];
    if (getcwd(folder, sizeof folder) == nullptr) return;
    const std::string file = std::string(folder) + "/" + path;
    std::string url = "file://";
    for (unsigned char c : file) {
        if (std::isalnum(c) || std::strchr("/-._~", c) != nullptr) {
            url += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            url += escaped;
        }
    }
    SDL_OpenURL(url.c_str());
}

// The editor beside the game: KELV in the program folder, or the installed kelv command.
void platformStartEditor() {
    const std::string folder = runningProgramFolder();
    std::string program = folder + "/KELV";
    if (access(program.c_str(), X_OK) != 0) program = folder + "/kelv";
    char* arguments[] = {program.data(), nullptr};
    // The editor must not inherit the blocked raise signal of this process.
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) return;
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    pid_t child = 0;
    posix_spawn(&child, program.c_str(), nullptr, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
}

// Every editor the player started is collected once it ends, so none stays a zombie.
void reapEditor() {
    while (waitpid(-1, nullptr, WNOHANG) > 0) {}
}

bool claimSingleInstance() {
    const std::string path = lockPath();
    sdlSystem.lockFile = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (sdlSystem.lockFile < 0) return true;  // no lock to be had: run rather than refuse
    if (flock(sdlSystem.lockFile, LOCK_EX | LOCK_NB) == 0) {
        const std::string pid = std::to_string(getpid()) + "\n";
        // Without the pid a second copy cannot ask this one forward, but it still ends.
        [[maybe_unused]] const bool written = ftruncate(sdlSystem.lockFile, 0) == 0 &&
                                              pwrite(sdlSystem.lockFile, pid.data(), pid.size(), 0) > 0;
        return true;
    }
    char text[32] = {};
    const ssize_t got = pread(sdlSystem.lockFile, text, sizeof text - 1, 0);
    const long pid = got > 0 ? std::strtol(text, nullptr, 10) : 0;
    if (pid > 0) kill(static_cast<pid_t>(pid), SIGUSR1);
    close(sdlSystem.lockFile);
    sdlSystem.lockFile = -1;
    return false;
}

void blockRaiseSignal() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void startRaiseWatcher() {
    raiseRequestEvent = SDL_RegisterEvents(1);
    if (raiseRequestEvent == static_cast<std::uint32_t>(-1)) {
        raiseRequestEvent = 0;
        return;
    }
    pthread_t thread;
    if (pthread_create(&thread, nullptr, raiseWatcher, nullptr) == 0) pthread_detach(thread);
}
