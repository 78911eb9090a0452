// The desktop around the game: the "Error" message box (also on standard error), the help
// page opened in the desktop's viewer, the editor started beside the game and reaped when it
// ends, and the single-instance socket with its request to the running copy to come forward.
#include <pthread.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/common/message_text.h"
#include "game/common/platform.h"
#include "game/platform/sdl/sdl_state.h"
#include "game/platform/sdl/single_instance.h"
#include "scene/folders.h"

extern char** environ;

namespace {

struct SdlSystem {
    int listener = -1;  // the single-instance socket while this copy holds its name
};
SdlSystem sdlSystem{};

// The copy's name in the abstract socket namespace: "MunchTrail-<uid>", with the session's
// runtime folder when one is set, so separate sessions (and test runs with a folder of their
// own) each have one copy. An abstract name is no file: nothing to plant in a shared folder,
// and it vanishes with the process that holds it.
socklen_t instanceAddress(sockaddr_un* address) {
    *address = {};
    address->sun_family = AF_UNIX;
    std::string name = "MunchTrail-" + std::to_string(getuid());
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') name += std::string(":") + runtime;
    const std::size_t length = std::min(name.size(), sizeof address->sun_path - 1);
    std::memcpy(address->sun_path + 1, name.data(), length);  // sun_path[0] stays 0: abstract
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

// Anyone may take any abstract name, so the other end must prove to be this user.
bool sameUser(int socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
}

// True when the copy holding the name is this user's and has been asked to come forward: the
// connection itself is the request (the running copy may close it before anything is sent).
bool askRunningCopyForward(const sockaddr_un& address, socklen_t size) {
    const int running = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (running < 0) return false;
    const bool asked =
        connect(running, reinterpret_cast<const sockaddr*>(&address), size) == 0 && sameUser(running);
    close(running);
    return asked;
}

// Accepts each later start's connection on a thread of its own and turns it into an SDL
// event, which also wakes the sleeping message loop.
void* raiseWatcher(void*) {
    for (;;) {
        const int caller = accept4(sdlSystem.listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (caller < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return nullptr;
        }
        if (sameUser(caller)) {
            SDL_Event event{};
            event.type = raiseRequestEvent;
            SDL_PushEvent(&event);
        }
        close(caller);
    }
}

void onEndingSignal(int number) {
    endingSignal = number;
}

}  // namespace

void catchEndingSignals() {
    struct sigaction action = {};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) {
        // A signal ignored when the game was started (nohup) stays ignored.
        struct sigaction old = {};
        if (sigaction(number, nullptr, &old) == 0 && old.sa_handler != SIG_IGN)
            sigaction(number, &action, nullptr);
    }
}

int exitStatusAfterSignal(int code) {
    return endingSignal != 0 ? 128 + endingSignal : code;
}

void platformShowError(const char* text) {
    std::fprintf(stderr, "MunchTrail: %s\n", text);
    // Wrapped for the box only: it is as wide as its longest line, and a path can be wider than
    // the screen; standard error keeps the message on one line.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", wrapMessage(text).c_str(), nullptr);
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
    pid_t child = 0;
    posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environ);
}

// Every editor the player started is collected once it ends, so none stays a zombie.
void reapEditor() {
    while (waitpid(-1, nullptr, WNOHANG) > 0) {}
}

bool claimSingleInstance() {
    sockaddr_un address;
    const socklen_t size = instanceAddress(&address);
    const int own = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (own < 0) return true;  // no socket to be had: run rather than refuse
    if (bind(own, reinterpret_cast<const sockaddr*>(&address), size) == 0 && listen(own, 8) == 0) {
        sdlSystem.listener = own;
        return true;
    }
    close(own);
    if (askRunningCopyForward(address, size)) return false;
    std::fprintf(stderr, "MunchTrail: another program holds the single-instance name; running anyway\n");
    return true;
}

void startRaiseWatcher() {
    if (sdlSystem.listener < 0) return;
    raiseRequestEvent = SDL_RegisterEvents(1);
    if (raiseRequestEvent == static_cast<std::uint32_t>(-1)) {
        raiseRequestEvent = 0;
        return;
    }
    pthread_t thread;
    if (pthread_create(&thread, nullptr, raiseWatcher, nullptr) == 0) pthread_detach(thread);
}
