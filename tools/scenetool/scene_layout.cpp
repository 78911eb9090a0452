// Taking a scene file apart exactly as it lies on disk, and the rules of the editor that a
// scene may break. Unlike the readers, nothing here is forgiving: the layout records every
// byte, so that the source form can give the file back unchanged, and says plainly when the
// file is not in the writer's shape.
#include <cstdio>
#include <cstdlib>

#include "tools/scenetool/source_form.h"

namespace {

constexpr std::string_view kFieldEnd("\0\n", 2);

// True when `text` is five numbers exactly as the writer prints them.
bool readPlainNumbers(std::string_view text, std::int32_t (&values)[5]) {
    std::size_t pos = 0;
    for (std::int32_t& value : values) {
        if (pos > text.size()) return false;  // fewer than five numbers
        std::size_t end = text.find(' ', pos);
        std::string token(
            text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        if (token.empty() || token.size() > 11 ||
            token.find_first_not_of("-0123456789") != std::string::npos) {
            return false;
        }
        long long number = std::strtoll(token.c_str(), nullptr, 10);
        if (number < INT32_MIN || number > INT32_MAX) return false;
        value = static_cast<std::int32_t>(number);
        pos = end == std::string_view::npos ? text.size() + 1 : end + 1;
    }
    char printed[80];
    std::snprintf(printed, sizeof printed, "%d %d %d %d %d", static_cast<int>(values[0]),
                  static_cast<int>(values[1]), static_cast<int>(values[2]), static_cast<int>(values[3]),
                  static_cast<int>(values[4]));
    return text == printed;
}

// The next field: bytes up to a NUL that is followed by LF. False when there is none.
bool takeField(std::string_view logical, std::size_t& pos, std::string& field) {
    std::size_t nul = logical.find('\0', pos);
    if (nul == std::string_view::npos || logical.substr(nul, 2) != kFieldEnd) return false;
    field.assign(logical.substr(pos, nul - pos));
    pos = nul + 2;
    return true;
}

void takeNumbers(SceneLayout& layout, std::string_view disk) {
    std::int32_t values[5] = {};
    layout.plainNumbers = readPlainNumbers(layout.numberLine, values);
    if (!layout.plainNumbers) {
        // Only what the editor would make of it can be shown or checked.
        Scene read;
        readSceneBytes(disk, read);
        values[0] = read.background;
        values[1] = read.randomFall;
        values[2] = read.fallInterval;
        values[3] = read.objective;
        values[4] = read.goalScore;
    }
    layout.scene.background = values[0];
    layout.scene.randomFall = values[1];
    layout.scene.fallInterval = values[2];
    layout.scene.objective = values[3];
    layout.scene.goalScore = values[4];
}

void takeGrid(SceneLayout& layout, std::string_view rest) {
    layout.gridCells =
        rest.size() < static_cast<std::size_t>(kSceneCells) ? static_cast<int>(rest.size()) : kSceneCells;
    for (int i = 0; i < layout.gridCells; ++i) {
        layout.scene.grid[static_cast<std::size_t>(sceneCellIndex(i % kSceneColumns, i / kSceneColumns))] =
            static_cast<std::uint8_t>(rest[static_cast<std::size_t>(i)]);
    }
    if (rest.size() > static_cast<std::size_t>(kSceneCells)) layout.trailing.assign(rest.substr(kSceneCells));
}

}  // namespace

SceneLayout layoutScene(std::string_view disk) {
    SceneLayout layout;
    std::string logical = narrowLineEnds(disk);
    if (widenLineEnds(logical) != disk) {
        layout.problem = "it holds a line feed without a carriage return before it";
        return layout;
    }
    std::size_t pos = 0;
    std::string numberField;
    if (!takeField(logical, pos, layout.scene.title)) {
        layout.problem = "the title line does not end with NUL and a line end";
        return layout;
    }
    if (!takeField(logical, pos, numberField) || numberField.empty() || numberField.back() != '\n') {
        layout.problem = "the number line does not end with a line end, NUL and a line end";
        return layout;
    }
    if (!takeField(logical, pos, layout.scene.description)) {
        layout.problem = "the description does not end with NUL and a line end";
        return layout;
    }
    layout.numberLine = numberField.substr(0, numberField.size() - 1);
    takeNumbers(layout, disk);
    takeGrid(layout, std::string_view(logical).substr(pos));
    layout.wellFormed = true;
    return layout;
}

char cellSymbol(std::uint8_t code) {
    switch (code) {
        case RedBean: return 'r';
        case OrangeBean: return 'o';
        case GreenBean: return 'g';
        case BlueBean: return 'b';
        case PurpleBean: return 'p';
        case StoneBean: return '#';
        case StartPoint: return 'S';
        case ExitPoint: return 'E';
        case RandomBean: return '?';
        case EmptyCell: return '.';
        default: return '*';
    }
}

namespace {

void addRange(std::vector<std::string>& out, const char* what, std::int32_t value, std::int32_t low,
              std::int32_t high) {
    if (value >= low && value <= high) return;
    out.push_back(std::string(what) + " is " + std::to_string(value) + "; the editor allows " +
                  std::to_string(low) + " to " + std::to_string(high));
}

void addTextProblems(std::vector<std::string>& out, const Scene& scene) {
    if (scene.title.size() > static_cast<std::size_t>(kTitleLimit)) {
        out.push_back("the title has " + std::to_string(scene.title.size()) +
                      " characters; the editor allows " + std::to_string(kTitleLimit));
    }
    if (scene.title.find_first_of("\r\n") != std::string::npos) out.push_back("the title holds a line break");
    if (scene.description.size() > static_cast<std::size_t>(kDescriptionLimit)) {
        out.push_back("the description has " + std::to_string(scene.description.size()) +
                      " characters; the game shows " + std::to_string(kDescriptionLimit));
    }
}

void addGridProblems(std::vector<std::string>& out, const SceneLayout& layout) {
    int starts = 0, exits = 0, odd = 0;
    for (int i = 0; i < layout.gridCells; ++i) {
        std::uint8_t code = layout.scene.grid[static_cast<std::size_t>(sceneCellIndex(i % 40, i / 40))];
        starts += code == StartPoint;
        exits += code == ExitPoint;
        if (cellSymbol(code) == '*') {
            if (odd++ == 0) {
                out.push_back("the cell at column " + std::to_string(i % 40) + ", row " +
                              std::to_string(i / 40) + " holds code " + std::to_string(code) +
                              ", which the editor never writes");
            }
        }
    }
    if (odd > 1) out.push_back(std::to_string(odd) + " cells in all hold codes the editor never writes");
    if (starts > 1) out.push_back(std::to_string(starts) + " start points; the editor places one");
    if (exits > 1) out.push_back(std::to_string(exits) + " exit points; the editor places one");
    if (layout.gridCells < kSceneCells) {
        out.push_back("the file ends after " + std::to_string(layout.gridCells) + " of the 1200 cells");
    }
    if (!layout.trailing.empty()) {
        out.push_back(std::to_string(layout.trailing.size()) + " bytes follow the 1200 cells");
    }
}

}  // namespace

std::vector<std::string> limitProblems(const SceneLayout& layout) {
    std::vector<std::string> out;
    if (!layout.wellFormed) return {"not a scene file: " + layout.problem};
    const Scene& scene = layout.scene;
    addTextProblems(out, scene);
    if (!layout.plainNumbers) out.push_back("the number line is not five plain numbers");
    addRange(out, "background", scene.background, 0, kBackgroundCount - 1);
    addRange(out, "random fall", scene.randomFall, 0, 1);
    addRange(out, "interval", scene.fallInterval, 0, kFallIntervalLimit);
    addRange(out, "objective", scene.objective, Standard, EatUp);
    addRange(out, "goal score", scene.goalScore, kGoalScoreMin, kGoalScoreMax);
    if (scene.objective == EatUp && scene.randomFall != 0) {
        out.push_back("random fall is on in an Eat up scene; the editor always turns it off");
    }
    addGridProblems(out, layout);
    return out;
}
