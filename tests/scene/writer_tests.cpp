// The writer on a real file system: what it writes, that it forces random fall off for Eat up,
// and that a failed save (no folder, a full disk, a read-only file or folder) reports false,
// leaves no temporary file behind and keeps the old scene exactly as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/scene/scene_test_util.h"

namespace fs = std::filesystem;

namespace {

// Scenes/scene.qsn holds an old scene before each test.
class SceneSaving : public SceneFolder {
protected:
    void SetUp() override {
        SceneFolder::SetUp();
        target_ = (scenes_ / "scene.qsn").string();
        old_.title = "Old scene";
        old_.grid[sceneCellIndex(3, 3)] = StartPoint;
        ASSERT_TRUE(writeSceneFile(target_.c_str(), old_));
        oldBytes_ = readAll(target_);
    }
    // Only the target itself may be in the folder after any save.
    void expectOnlyTarget() {
        int files = 0;
        for (const auto& entry : fs::directory_iterator(scenes_)) {
            EXPECT_EQ(entry.path().filename(), "scene.qsn");
            ++files;
        }
        EXPECT_EQ(files, 1);
    }
    // Runs `save` in a child process and returns 1 when it reported success, 0 when it did
    // not. With `asUser`, a child running as root first hands the folder to an ordinary user
    // and becomes that user, since root may write into any file or folder.
    static constexpr int kCannotDropRoot = 4;
    template <typename Save>
    int inChild(bool asUser, Save save) {
        pid_t child = fork();
        if (child == 0) {
            if (asUser && geteuid() == 0) {
                constexpr uid_t kNobody = 65534;
                if (chown(scenes_.c_str(), kNobody, kNobody) != 0 ||
                    chown(target_.c_str(), kNobody, kNobody) != 0 || setgid(kNobody) != 0 ||
                    setuid(kNobody) != 0) {
                    _exit(kCannotDropRoot);
                }
            }
            _exit(save() ? 1 : 0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 3;
    }
    // A failed save reported false and left the old file alone.
    void expectFailedSave(int status) {
        EXPECT_EQ(status, 0) << "the writer reported success";
        EXPECT_EQ(readAll(target_), oldBytes_);
        expectOnlyTarget();
    }

    std::string target_;
    Scene old_;
    std::string oldBytes_;
};

TEST_F(SceneSaving, WritesTheDiskBytesAndReadsBack) {
    EXPECT_EQ(oldBytes_, sceneDiskBytes(old_));
    Scene scene;
    ASSERT_TRUE(readSceneFile(target_.c_str(), scene));
    EXPECT_EQ(scene.title, "Old scene");
    EXPECT_EQ(scene.grid, old_.grid);
    expectOnlyTarget();
    // Long file names save too.
    fs::path path = scenes_ / (std::string(240, 'n') + ".qsn");
    EXPECT_TRUE(writeSceneFile(path.string().c_str(), scene));
    EXPECT_EQ(readAll(path), oldBytes_);
    fs::remove(path);
}

TEST_F(SceneSaving, EatUpIsSavedWithRandomFallOffInFileAndScene) {
    Scene scene;
    scene.objective = EatUp;
    ASSERT_TRUE(writeSceneFile(target_.c_str(), scene));
    EXPECT_EQ(scene.randomFall, 0);
    EXPECT_EQ(readAll(target_), sceneBytes("0 0 0 3 5"));
}

TEST_F(SceneSaving, ReplacingKeepsTheFilePermissionsAndLinks) {
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target_, mode);
    fs::path link = scenes_ / "link.qsn";
    fs::create_symlink(target_, link);
    Scene scene;
    scene.title = "Via link";
    ASSERT_TRUE(writeSceneFile(link.string().c_str(), scene));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::status(target_).permissions() & fs::perms::all, mode);
    EXPECT_EQ(readAll(target_), sceneDiskBytes(scene));
    fs::remove(link);
}

TEST_F(SceneSaving, MissingFolderOrFolderAsTargetFailsWithSceneUnchanged) {
    fs::create_directory(scenes_ / "dir.qsn");
    Scene scene;
    scene.objective = EatUp;
    for (std::string path :
         {(scenes_ / "no" / "such.qsn").string(), (scenes_ / "dir.qsn").string(), std::string()})
        EXPECT_FALSE(writeSceneFile(path.c_str(), scene)) << path;
    EXPECT_FALSE(writeSceneFile(nullptr, scene));
    EXPECT_EQ(scene.randomFall, 1);
    fs::remove(scenes_ / "dir.qsn");
    expectFailedSave(0);
}

TEST_F(SceneSaving, FullDiskFailsAndKeepsTheOldFile) {
    // A file size limit below the scene's size makes every write past it fail, as a full disk
    // would.
    expectFailedSave(inChild(false, [this] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        Scene scene;
        scene.title = "Too big for the disk";
        return writeSceneFile(target_.c_str(), scene);
    }));
}

TEST_F(SceneSaving, ReadOnlyFileOrFolderFailsAndKeepsTheOldFile) {
    for (bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "read-only folder" : "read-only file");
        fs::permissions(target_, fs::perms::owner_read | fs::perms::owner_write);
        int status = inChild(true, [&] {
            chmod(folder ? scenes_.c_str() : target_.c_str(), folder ? 0500 : 0400);
            Scene scene;
            return writeSceneFile(target_.c_str(), scene);
        });
        if (status == kCannotDropRoot) GTEST_SKIP() << "cannot become an ordinary user here";
        expectFailedSave(status);
    }
}

}  // namespace
