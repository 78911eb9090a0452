// A write never destroys the file already on disk: the bytes go to a temporary file in the same
// folder (so the rename cannot cross file systems), and only once they are on the disk does the
// rename replace the old file, so a full disk or a crash leaves the old file whole.
#include "scene/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

FileWrite failure(const char* step, int error) {
    return {false, std::string(step) + ": " + std::strerror(error)};
}

// Where the bytes finally go: a link is followed so that the link itself survives the rename.
std::string resolveTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved) != nullptr) return resolved;
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

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;
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

FileWrite writeFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) return failure("cannot create the file", ENOENT);
    std::string target = resolveTarget(path);
    struct stat old {};
    bool exists = stat(target.c_str(), &old) == 0;
    // A file the user may not write stays as it is, as it would if it were opened for writing.
    if (exists && S_ISDIR(old.st_mode)) return failure("cannot replace the file", EISDIR);
    if (exists && access(target.c_str(), W_OK) != 0) return failure("cannot replace the file", errno);
    std::string tempPath;
    int fd = createTemporary(target, tempPath);
    if (fd < 0) return failure("cannot create the file", errno);
    bool ok = writeAll(fd, bytes) && fsync(fd) == 0 && (!exists || fchmod(fd, old.st_mode & 07777) == 0);
    int error = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    FileWrite result;
    if (!ok) result = failure("cannot write the file", error);
    if (ok && std::rename(tempPath.c_str(), target.c_str()) != 0)
        result = failure("cannot replace the file", errno);
    if (!result.ok) {
        unlink(tempPath.c_str());
        return result;
    }
    syncFolderOf(target);
    return result;
}
