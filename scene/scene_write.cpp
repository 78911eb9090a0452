// The editor's scene writer and the byte form of a scene. The writer never destroys a scene
// already on disk: it writes a temporary file beside the target, flushes it to the disk and
// only then renames it over the target, so a full disk or a crash leaves the old file whole.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "scene/scene.h"

namespace {

std::string logicalBytes(const Scene& scene) {
    std::string out = scene.title;
    out.append("\0\n", 2);
    char numbers[80];
    int length =
        std::snprintf(numbers, sizeof numbers, "%d %d %d %d %d\n", static_cast<int>(scene.background),
                      static_cast<int>(scene.randomFall), static_cast<int>(scene.fallInterval),
                      static_cast<int>(scene.objective), static_cast<int>(scene.goalScore));
    out.append(numbers, static_cast<std::size_t>(length));
    out.append("\0\n", 2);
    out += scene.description;
    out.append("\0\n", 2);
    for (int row = 0; row < kSceneRows; ++row) {
        for (int column = 0; column < kSceneColumns; ++column) {
            out.push_back(
                static_cast<char>(scene.grid[static_cast<std::size_t>(sceneCellIndex(column, row))]));
        }
    }
    return out;
}

// Where the bytes finally go: a link is followed so that the link itself survives the rename.
std::string resolveTarget(const char* path) {
    struct stat info {};
    if (lstat(path, &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path, resolved) != nullptr) return resolved;
    }
    return path;
}

// A fresh file beside `target`, created exclusively so that nothing else is overwritten.
int createTemporary(const std::string& target, std::string& tempPath) {
    std::size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        // The name is cut short so that a target near the length limit still gets a sibling.
        tempPath = folder + "." + base.substr(0, 64) + ".tmp" + std::to_string(getpid()) + "-" +
                   std::to_string(attempt);
        int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself durable; a folder that refuses this costs nothing but durability.
void syncFolderOf(const std::string& target) {
    std::size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

std::string widenLineEnds(std::string_view logical) {
    std::string disk;
    disk.reserve(logical.size() + 16);
    for (char c : logical) {
        if (c == '\n') disk.push_back('\r');
        disk.push_back(c);
    }
    return disk;
}

std::string narrowLineEnds(std::string_view disk) {
    std::string logical;
    logical.reserve(disk.size());
    for (std::size_t i = 0; i < disk.size(); ++i) {
        if (disk[i] == '\r' && i + 1 < disk.size() && disk[i + 1] == '\n') continue;
        logical.push_back(disk[i]);
    }
    return logical;
}

std::string sceneDiskBytes(const Scene& scene) {
    return widenLineEnds(logicalBytes(scene));
}

bool writeSceneFile(const char* path, Scene& scene) {
    if (path == nullptr || *path == '\0') return false;
    std::string target = resolveTarget(path);
    struct stat old {};
    bool exists = stat(target.c_str(), &old) == 0;
    // A file the user may not write stays as it is, as it would if it were opened for writing.
    if (exists && (S_ISDIR(old.st_mode) || access(target.c_str(), W_OK) != 0)) return false;
    std::string tempPath;
    int fd = createTemporary(target, tempPath);
    if (fd < 0) return false;
    if (scene.objective == EatUp) scene.randomFall = 0;
    bool ok = writeAll(fd, sceneDiskBytes(scene)) && fsync(fd) == 0;
    if (ok && exists) ok = fchmod(fd, old.st_mode & 07777) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(tempPath.c_str());
        return false;
    }
    syncFolderOf(target);
    return true;
}
