// The one way files holding the user's work reach the disk: scenes, the game's settings and
// scenetool's output. Plain POSIX, no SDL or Qt.
#pragma once

#include <string>
#include <string_view>

// The outcome of a write: ok, or why not ("cannot write the file: No space left on device").
struct FileWrite {
    bool ok = true;
    std::string reason;
};

// Writes `bytes` to a fresh temporary file beside `path`, flushes it to the disk, gives it the
// old file's permissions and renames it over `path`, then flushes the folder so the rename
// lasts. A symbolic link is followed: its target is replaced and the link stays. On any
// failure the old file is untouched and the temporary file is gone.
FileWrite writeFileAtomically(const std::string& path, std::string_view bytes);
