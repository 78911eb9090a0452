// Taking a scene file apart exactly as it lies on disk. Unlike the readers, nothing here is
// forgiving: the layout records every byte, so that scenetool's source form can give the file
// back unchanged, and says plainly when the file is not in the writer's shape.
#include <cstdio>
#include <cstdlib>

#include "scene/scene_rules.h"

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
