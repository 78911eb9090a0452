// A write never destroys the file already on disk: the bytes go to a temporary file in the same
// folder (so the rename cannot cross file systems), and only once they are on the disk does the
// rename replace the old file, so a full disk or a crash leaves the old file whole.
#include "scene/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <ctime>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// When this process started, as far as its files are concerned: a temporary file older than
// this cannot belong to a write of ours that is still going on.
const std::time_t processStart = std::time(nullptr);

FileWrite failure(const char* step, int error) {
    return {false, std::string(step) + ": " + std::strerror(error)};
}

// Where the bytes finally go: a link is followed so that the link itself survives the rename.
// Empty when the path is a link that leads nowhere (replacing it would lose the link).
std::string resolveTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
    }
    return path;
}

std::string folderOf(const std::string& target) {
    std::size_t slash = target.rfind('/');
    return slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
}

// The process number in a name of createTemporary's form, ".NAME.tmpPID-N"; 0 for any other name.
long temporaryOwner(const char* name) {
    if (name[0] != '.') return 0;
    const char* tmp = std::strstr(name + 1, ".tmp");
    for (const char* next = tmp; next != nullptr; next = std::strstr(next + 1, ".tmp")) tmp = next;
    if (tmp == nullptr || tmp == name + 1) return 0;
    char* end = nullptr;
    const long pid = std::strtol(tmp + 4, &end, 10);
    if (end == tmp + 4 || *end != '-' || end[1] == '\0' || pid <= 0) return 0;
    for (const char* digit = end + 1; *digit != '\0'; ++digit)
        if (*digit < '0' || *digit > '9') return 0;
    return pid;
}

// Removes what killed writes left: our temporary files whose writer is no longer running and
// that are older than this process, so that a write going on elsewhere is never disturbed.
void removeStaleTemporaries(const std::string& folder) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = readdir(dir)) {
        const long pid = temporaryOwner(entry->d_name);
        if (pid == 0 || (pid != getpid() && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM)))
            continue;
        const std::string name = folder + entry->d_name;
        struct stat info {};
        if (lstat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_mtime < processStart)
            unlink(name.c_str());
    }
    closedir(dir);
}

// A fresh file beside `target`, created exclusively so that nothing else is overwritten.
int createTemporary(const std::string& target, std::string& tempPath) {
    std::string folder = folderOf(target);
    std::string base = target.substr(folder.size());
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
    if (target.empty()) return failure("cannot replace the link", ENOENT);
    struct stat old {};
    bool exists = stat(target.c_str(), &old) == 0;
    // A file the user may not write stays as it is, as it would if it were opened for writing;
    // a device or a FIFO is no file to replace.
    if (exists && S_ISDIR(old.st_mode)) return failure("cannot replace the file", EISDIR);
    if (exists && !S_ISREG(old.st_mode)) return {false, "cannot replace the file: it is not a regular file"};
    if (exists && access(target.c_str(), W_OK) != 0) return failure("cannot replace the file", errno);
    removeStaleTemporaries(folderOf(target));
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

std::FILE* openRegularFile(const char* path, std::size_t limit) {
    if (path == nullptr || path[0] == '\0') {
        errno = ENOENT;
        return nullptr;
    }
    // O_NONBLOCK: the open of a FIFO without a writer returns at once instead of waiting.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    int error = 0;
    if (fstat(fd, &info) != 0)
        error = errno;
    else if (S_ISDIR(info.st_mode))
        error = EISDIR;
    else if (!S_ISREG(info.st_mode))
        error = EINVAL;
    else if (static_cast<std::size_t>(info.st_size) > limit)
        error = EFBIG;
    else if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        error = errno;
    std::FILE* file = error == 0 ? fdopen(fd, "rb") : nullptr;
    if (file == nullptr) {
        if (error == 0) error = errno;
        close(fd);
        errno = error;
    }
    return file;
}

bool readRegularFile(const char* path, std::string& bytes, std::string& reason, std::size_t limit) {
    bytes.clear();
    std::FILE* file = openRegularFile(path, limit);
    if (file == nullptr) {
        reason = errno == EINVAL  ? std::string("not a regular file")
                 : errno == EFBIG ? "larger than " + std::to_string(limit) + " bytes"
                                  : std::string(std::strerror(errno));
        return false;
    }
    char chunk[65536];
    // A file that grows while it is read (or a /proc file, whose size says 0) still stops at the limit.
    for (std::size_t n; bytes.size() <= limit && (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.append(chunk, n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    reason = failed                 ? "cannot read it"
             : bytes.size() > limit ? "larger than " + std::to_string(limit) + " bytes"
                                    : "";
    return reason.empty();
}
