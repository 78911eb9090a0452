// scenetool: scene files for level designers who keep their scenes in version control. It
// shows a scene as the game describes it, checks scenes with the rules the editor applies before
// saving (and, asked to, whether they can be won), and turns a scene file into a readable source
// and back, byte for byte.
#include <cstdio>
#include <string>
#include <vector>

#include "scene/atomic_file.h"
#include "scene/scene_play.h"
#include "tools/scenetool/scene_report.h"
#include "tools/scenetool/source_form.h"

namespace {

constexpr const char* kUsage =
    "Usage: scenetool COMMAND ...\n"
    "  show FILE            the settings as the game shows them, and the grid as a picture\n"
    "  check [--play] FILE...  the editor's rules; exit status 1 if any file breaks one; with\n"
    "                       --play also a warning line for what may make a scene unwinnable\n"
    "  dump FILE [SOURCE]   the readable source of a scene file (to standard output or SOURCE)\n"
    "  build SOURCE OUT     the scene file of a source, byte for byte\n"
    "  --help, --version\n"
    "Grid symbols: r o g b p beans, ? random bean, # stone, S start, E exit, . empty,\n"
    "* another code (given by a 'cell COLUMN ROW = CODE' line), - past the end of the file.\n";

// Only a regular file of a size the scene format allows: a FIFO, a device or a link to one is
// refused, never waited on or read without end.
bool readWhole(const char* path, std::string& bytes) {
    std::string reason;
    if (readRegularFile(path, bytes, reason)) return true;
    std::fprintf(stderr, "scenetool: cannot read %s: %s\n", path, reason.c_str());
    return false;
}

bool writeWhole(const char* path, const std::string& bytes) {
    FileWrite written = writeFileAtomically(path, bytes);
    if (!written.ok) std::fprintf(stderr, "scenetool: %s: %s\n", path, written.reason.c_str());
    return written.ok;
}

void printPrefixed(std::FILE* out, const std::string& prefix, const std::string& message) {
    std::size_t start = 0;
    while (start <= message.size()) {
        std::size_t end = message.find('\n', start);
        if (end == std::string::npos) end = message.size();
        std::fprintf(out, "%s%s\n", prefix.c_str(), message.substr(start, end - start).c_str());
        start = end + 1;
    }
}

// dump and build describe any bytes; what breaks the rules is only pointed out.
void warnLimits(const char* name, const std::string& disk) {
    for (const std::string& problem : checkSceneBytes(disk))
        printPrefixed(stderr, std::string(name) + ": warning: ", problem);
}

int runShow(const char* path) {
    std::string disk;
    if (!readWhole(path, disk)) return 1;
    std::fputs(showScene(disk).c_str(), stdout);
    return 0;
}

// The warnings of --play do not fail a file: a designer may mean a scene to be that hard.
int runCheck(int count, char** paths, bool play) {
    int status = 0;
    for (int i = 0; i < count; ++i) {
        std::string disk;
        if (!readWhole(paths[i], disk)) {
            status = 1;
            continue;
        }
        const std::vector<std::string> failures = checkSceneBytes(disk);
        for (const std::string& failure : failures)
            printPrefixed(stdout, std::string(paths[i]) + ": ", failure);
        if (!failures.empty()) {
            status = 1;
            continue;
        }
        Scene scene;
        readSceneBytes(disk, scene);
        for (const std::string& warning : play ? playWarnings(scene) : std::vector<std::string>{})
            printPrefixed(stdout, "warning: " + std::string(paths[i]) + ": ", warning);
        std::printf("%s: ok\n", paths[i]);
    }
    return status;
}

int runDump(const char* path, const char* out) {
    std::string disk;
    if (!readWhole(path, disk)) return 1;
    warnLimits(path, disk);
    std::string source = dumpSource(disk);
    if (out != nullptr) return writeWhole(out, source) ? 0 : 1;
    std::fwrite(source.data(), 1, source.size(), stdout);
    return 0;
}

int runBuild(const char* sourcePath, const char* out) {
    std::string source, disk, error;
    if (!readWhole(sourcePath, source)) return 1;
    if (!buildSource(source, disk, error)) {
        std::fprintf(stderr, "%s: %s\n", sourcePath, error.c_str());
        return 1;
    }
    warnLimits(sourcePath, disk);
    return writeWhole(out, disk) ? 0 : 1;
}

int usageError(const char* message) {
    std::fprintf(stderr, "scenetool: %s\n%s", message, kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usageError("no command given");
    std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "--version") {
        std::puts("scenetool 2.01");
        return 0;
    }
    if (command == "show" && argc == 3) return runShow(argv[2]);
    const bool play = argc >= 3 && std::string(argv[2]) == "--play";
    if (command == "check" && argc >= 3 + play) return runCheck(argc - 2 - play, argv + 2 + play, play);
    if (command == "dump" && (argc == 3 || argc == 4)) return runDump(argv[2], argc == 4 ? argv[3] : nullptr);
    if (command == "build" && argc == 4) return runBuild(argv[2], argv[3]);
    if (command == "show" || command == "check" || command == "dump" || command == "build") {
        return usageError(("wrong number of arguments for " + command).c_str());
    }
    return usageError(("unknown command '" + command + "'").c_str());
}
