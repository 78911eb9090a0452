// The one atomic writer on a real file system: what a write keeps, and that a failed write
// (no folder, a full disk, a read-only file or folder) reports why, leaves no temporary file
// behind and keeps the old file exactly as it was. Then the scene writer on top of it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "scene/atomic_file.h"
#include "tests/scene/scene_test_util.h"

namespace fs = std::filesystem;

namespace {

// Scenes/old (mode 0640) and a link Scenes/link to it before each row; each write runs in a
// child process, as an ordinary user where the row needs one (root may write anywhere).
TEST_F(SceneFolder, AtomicWritesKeepPermissionsAndLinksAndFailWithoutDamage) {
    constexpr int kCannotDropRoot = 4;
    struct Row {
        const char* path;
        int folderMode, fileMode;  // 0: leave as it is
        rlim_t sizeLimit;          // a file size limit that makes writes fail as a full disk does
        const char* reason;        // nullptr: the write succeeds
    };
    constexpr rlim_t kAny = RLIM_INFINITY;
    // clang-format off
    const Row rows[] = {
        {"Scenes/new", 0, 0, kAny, nullptr}, {"Scenes/old", 0, 0, kAny, nullptr}, {"Scenes/link", 0, 0, kAny, nullptr},
        {"Scenes/no/such", 0, 0, kAny, "cannot create the file: No such file or directory"},
        {"Scenes", 0, 0, kAny, "cannot replace the file: Is a directory"},
        {"Scenes/old", 0, 0, 4, "cannot write the file: File too large"},
        {"Scenes/old", 0, 0400, kAny, "cannot replace the file: Permission denied"},
        {"Scenes/link", 0500, 0, kAny, "cannot create the file: Permission denied"}};
    // clang-format on
    const fs::path old = scenes_ / "old", link = scenes_ / "link";
    fs::create_symlink("old", link);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path + std::string(" ") + (row.reason ? row.reason : "ok"));
        std::ofstream(old, std::ios::binary | std::ios::trunc) << "old";
        fs::permissions(old, fs::perms(0640)), fs::remove(scenes_ / "new");
        pid_t child = fork();
        if (child == 0) {
            if ((row.folderMode || row.fileMode) && geteuid() == 0) {
                constexpr uid_t kNobody = 65534;
                if (chown(scenes_.c_str(), kNobody, kNobody) != 0 ||
                    chown(old.c_str(), kNobody, kNobody) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
                    _exit(kCannotDropRoot);
            }
            if (row.folderMode) chmod(scenes_.c_str(), static_cast<mode_t>(row.folderMode));
            if (row.fileMode) chmod(old.c_str(), static_cast<mode_t>(row.fileMode));
            const rlimit limit{row.sizeLimit, row.sizeLimit};
            signal(SIGXFSZ, SIG_IGN), setrlimit(RLIMIT_FSIZE, &limit);
            FileWrite written = writeFileAtomically(row.path, "new bytes");
            _exit(written.ok ? 1 : row.reason && written.reason == row.reason ? 0 : 2);
        }
        int status = 0;
        waitpid(child, &status, 0), fs::permissions(scenes_, fs::perms::owner_all);
        if (WEXITSTATUS(status) == kCannotDropRoot) continue;  // no ordinary user here
        EXPECT_EQ(WEXITSTATUS(status), row.reason ? 0 : 1);
        const bool wroteOld = !row.reason && std::string(row.path) != "Scenes/new";
        EXPECT_EQ(readAll(old), wroteOld ? "new bytes" : "old");
        EXPECT_EQ(fs::status(old).permissions(), row.fileMode ? fs::perms(row.fileMode) : fs::perms(0640));
        EXPECT_TRUE(fs::is_symlink(link));
        std::set<std::string> names, expected{"old", "link"};
        if (!row.reason && !wroteOld) expected.insert("new");
        for (const auto& entry : fs::directory_iterator(scenes_)) names.insert(entry.path().filename());
        EXPECT_EQ(names, expected);
    }
}

// The scene writer puts down the disk bytes; Eat up is saved with random fall off, in the file
// and, once saved, in the scene; a failed save changes neither.
TEST_F(SceneFolder, SceneWriterSavesEatUpWithRandomFallOffOnlyWhenSaved) {
    Scene scene;
    scene.objective = EatUp, scene.title = "Old scene", scene.grid[sceneCellIndex(3, 3)] = StartPoint;
    for (const char* path : {"Scenes/no/such.qsn", "Scenes", "", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(writeSceneFile(path, scene));
    EXPECT_EQ(scene.randomFall, 1);
    ASSERT_TRUE(writeSceneFile("Scenes/scene.qsn", scene));
    EXPECT_EQ(scene.randomFall, 0);
    EXPECT_EQ(readAll("Scenes/scene.qsn"), sceneDiskBytes(scene));
    EXPECT_NE(readAll("Scenes/scene.qsn").find("0 0 0 3 5"), std::string::npos);
}

}  // namespace
