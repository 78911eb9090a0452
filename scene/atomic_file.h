// The one way files holding the user's work reach the disk: scenes, the game's settings and
// scenetool's output; and the one way such files are opened for reading. Plain POSIX, no SDL
// or Qt.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

// The outcome of a write: ok, or why not ("cannot write the file: No space left on device").
struct FileWrite {
    bool ok = true;
    std::string reason;
};

// Writes `bytes` to a fresh temporary file beside `path`, flushes it to the disk, gives it the
// old file's permissions and renames it over `path`, then flushes the folder so the rename
// lasts. A symbolic link is followed: its target is replaced and the link stays. A target that
// is not a regular file (a device, a FIFO, a socket) or a link that leads nowhere is refused.
// On any failure the old file is untouched and the temporary file is gone. Temporary files
// that killed writers left in that folder (this writer's naming, older than this process, their
// writer gone) are removed first.
FileWrite writeFileAtomically(const std::string& path, std::string_view bytes);

// The largest file any of our readers takes: far above every file the programs write, far
// below what would hurt to hold in memory.
inline constexpr std::size_t kReadLimit = 1u << 20;

// Opens a regular file for reading without ever blocking on the open (a FIFO or a device is
// refused, not waited on) and refuses one larger than `limit`. Null with errno set on failure
// (EISDIR for a folder, EINVAL for another kind of file, EFBIG for one too large).
std::FILE* openRegularFile(const char* path, std::size_t limit = kReadLimit);

// The whole of a regular file of at most `limit` bytes; false with `reason` ("Is a directory",
// "not a regular file", "larger than 1048576 bytes", ...) on failure.
bool readRegularFile(const char* path, std::string& bytes, std::string& reason,
                     std::size_t limit = kReadLimit);
