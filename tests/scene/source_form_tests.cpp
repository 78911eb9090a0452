// scenetool's source form and checks: every shipped scene builds, checks clean and dumps back
// to its own source; dump then build gives back any file byte for byte; mistakes in a source
// are reported with their line.
#include <gtest/gtest.h>

#include "tests/scene/scene_test_util.h"
#include "tools/scenetool/scene_report.h"
#include "tools/scenetool/source_form.h"

namespace {

using namespace std::string_literals;

std::string built(const std::string& source) {
    std::string disk, error;
    EXPECT_TRUE(buildSource(source, disk, error)) << error;
    return disk;
}

TEST(ShippedScenes, EachBuildsChecksCleanAndDumpsToItsSource) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(MT_SCENES_DIR)) {
        if (entry.path().extension() != ".txt" || entry.path().filename() == "CMakeLists.txt") continue;
        const std::string source = readAll(entry.path()), disk = built(source);
        EXPECT_EQ(dumpSource(disk), source);
        ++count;
        EXPECT_EQ(checkSceneBytes(disk), std::vector<std::string>{}) << entry.path();
    }
    EXPECT_GE(count, 12);
}

std::string sourceWithGrid(const std::string& firstRow, const std::string& settings = "",
                           const std::string& after = "") {
    std::string source = settings + "grid:\n" + firstRow + "\n";
    for (int row = 1; row < kSceneRows; ++row) source += std::string(kSceneColumns, '.') + "\n";
    return source + after;
}

TEST(SourceForm, MistakesNameTheirLineAndNamesMeanTheirNumbers) {
    const std::string row(kSceneColumns, '.'), rest = row.substr(1);
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"title = A\ncolour = red\n", "line 2: unknown key 'colour'"},
        {"title = A\n", "line 1: the source has no 'grid:' section"},
        {"# c\ntitle = A\ntitle = B\n", "line 3: 'title' is given twice"},
        {"title = A\\x00\n", "line 1: a NUL byte would end the field"},
        {"title = A\\xZZ\n", "line 1: unknown escape; use \\\\, \\n or \\xHH"},
        {"interval = 99999999999\n", "line 1: expected a whole number"},
        {sourceWithGrid(rest), "line 2: a grid row needs 40 symbols, this one has 39"},
        {sourceWithGrid("x" + rest), "line 2: 'x' is not a grid symbol (r o g b p # S E ? . * -)"},
        {sourceWithGrid("*" + rest), "line 31: no 'cell 0 0 = CODE' line for the '*' there"},
        {sourceWithGrid(row, "", "cell 1 0 = 8\n"), "line 32: that cell is not marked '*' in the grid"},
        {"raw:\n0a1\n", "line 2: raw lines hold pairs of hex digits"},
        {"title = Caf\u00E9 \u20AC\n", "line 1: " + latin1Message(0x20AC)}};
    // clang-format on
    for (const auto& [source, message] : cases) {
        std::string disk, error;
        EXPECT_FALSE(buildSource(source, disk, error)) << message;
        EXPECT_EQ(error, message);
    }
    std::string byName = built(sourceWithGrid(
        row, "title = T\nbackground = random BACKGROUND\nrandom fall = no\nobjective = eat up\n"));
    EXPECT_EQ(byName,
              built(sourceWithGrid(row, "title = T\nbackground = 10\nrandom fall = 0\nobjective = 3\n")));
    EXPECT_NE(byName.find("10 0 0 3 5\r\n"), std::string::npos);
    EXPECT_EQ(built(sourceWithGrid("*" + rest, "", "cell 0 0 = 0\n")), built(sourceWithGrid("r" + rest)));
    EXPECT_EQ(built(sourceWithGrid(row, "title = Caf\u00E9\\xE9\n")).substr(0, 5), "Caf\xE9\xE9");
}

// A terminal is never handed a control byte of a file: an escape sequence is shown, not run.
TEST(SceneShow, ControlBytesAreShownEscaped) {
    Scene scene;
    scene.title = "\x1b]0;x\x07\\", scene.description = "\x1b[2J";
    const std::string shown = showScene(sceneDiskBytes(scene));
    EXPECT_EQ(shown.find('\x1b'), std::string::npos);
    EXPECT_NE(shown.find("Title:       \\x1B]0;X\\x07\\\\\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("  \\x1B[2J\n"), std::string::npos) << shown;
}

}  // namespace
