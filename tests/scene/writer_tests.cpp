// The writer on a real file system: what it writes, that it forces random fall off for Eat up,
// and that a failed save (no folder, a full disk, a read-only file or folder) reports false,
// leaves no temporary file behind and keeps the old scene exactly as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "scene/scene.h"

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class SceneSaving : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("scene-write-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        target_ = (folder_ / "scene.qsn").string();
        old_.title = "Old scene";
        old_.grid[sceneCellIndex(3, 3)] = StartPoint;
        ASSERT_TRUE(writeSceneFile(target_.c_str(), old_));
        oldBytes_ = readAll(target_);
    }
    void TearDown() override {
        fs::permissions(folder_, fs::perms::owner_all);
        fs::remove_all(folder_);
    }
    // Only the target itself may be in the folder after any save.
    void expectOnlyTarget() {
        int files = 0;
        for (const auto& entry : fs::directory_iterator(folder_)) {
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
                if (chown(folder_.c_str(), kNobody, kNobody) != 0 || chown(target_.c_str(), kNobody, kNobody) != 0 ||
                    setgid(kNobody) != 0 || setuid(kNobody) != 0) {
                    _exit(kCannotDropRoot);
                }
            }
            _exit(save() ? 1 : 0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 3;
    }

    fs::path folder_;
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
}

TEST_F(SceneSaving, EatUpIsSavedWithRandomFallOffInFileAndScene) {
    Scene scene;
    scene.objective = EatUp;
    scene.randomFall = 1;
    ASSERT_TRUE(writeSceneFile(target_.c_str(), scene));
    EXPECT_EQ(scene.randomFall, 0);
    EXPECT_NE(readAll(target_).find("0 0 0 3 5\r\n"), std::string::npos);
}

TEST_F(SceneSaving, ReplacingKeepsTheFilePermissions) {
    fs::permissions(target_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    Scene scene;
    scene.title = "New";
    ASSERT_TRUE(writeSceneFile(target_.c_str(), scene));
    EXPECT_EQ(fs::status(target_).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(readAll(target_), sceneDiskBytes(scene));
}

TEST_F(SceneSaving, SavingThroughALinkKeepsTheLink) {
    fs::path link = folder_ / "link.qsn";
    fs::create_symlink(target_, link);
    Scene scene;
    scene.title = "Via link";
    ASSERT_TRUE(writeSceneFile(link.string().c_str(), scene));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readAll(target_), sceneDiskBytes(scene));
    fs::remove(link);
}

TEST_F(SceneSaving, MissingFolderFailsWithSceneUnchanged) {
    Scene scene;
    scene.objective = EatUp;
    scene.randomFall = 1;
    EXPECT_FALSE(writeSceneFile((folder_ / "no" / "such.qsn").string().c_str(), scene));
    EXPECT_EQ(scene.randomFall, 1);
    EXPECT_FALSE(writeSceneFile(nullptr, scene));
    EXPECT_FALSE(writeSceneFile("", scene));
    expectOnlyTarget();
}

TEST_F(SceneSaving, FolderAsTargetFails) {
    fs::create_directory(folder_ / "dir.qsn");
    Scene scene;
    EXPECT_FALSE(writeSceneFile((folder_ / "dir.qsn").string().c_str(), scene));
    fs::remove(folder_ / "dir.qsn");
    expectOnlyTarget();
}

TEST_F(SceneSaving, FullDiskFailsAndKeepsTheOldFile) {
    // A file size limit below the scene's size makes every write past it fail, as a full disk
    // would.
    int status = inChild(false, [this] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        Scene scene;
        scene.title = "Too big for the disk";
        return writeSceneFile(target_.c_str(), scene);
    });
    EXPECT_EQ(status, 0) << "the writer reported success on a full disk";
    EXPECT_EQ(readAll(target_), oldBytes_);
    expectOnlyTarget();
}

TEST_F(SceneSaving, ReadOnlyFileFailsAndStaysAsItWas) {
    int status = inChild(true, [this] {
        chmod(target_.c_str(), 0400);
        Scene scene;
        return writeSceneFile(target_.c_str(), scene);
    });
    if (status == kCannotDropRoot) GTEST_SKIP() << "cannot become an ordinary user here";
    EXPECT_EQ(status, 0) << "a read-only scene was replaced";
    EXPECT_EQ(readAll(target_), oldBytes_);
    expectOnlyTarget();
}

TEST_F(SceneSaving, ReadOnlyFolderFailsAndKeepsTheOldFile) {
    int status = inChild(true, [this] {
        chmod(folder_.c_str(), 0500);
        Scene scene;
        return writeSceneFile(target_.c_str(), scene);
    });
    if (status == kCannotDropRoot) GTEST_SKIP() << "cannot become an ordinary user here";
    EXPECT_EQ(status, 0) << "a scene was saved into a read-only folder";
    EXPECT_EQ(readAll(target_), oldBytes_);
    expectOnlyTarget();
}

TEST_F(SceneSaving, LongFileNamesStillSave) {
    std::string name(240, 'n');
    Scene scene;
    fs::path path = folder_ / (name + ".qsn");
    EXPECT_TRUE(writeSceneFile(path.string().c_str(), scene));
    EXPECT_EQ(readAll(path), sceneDiskBytes(scene));
    fs::remove(path);
}

}  // namespace
