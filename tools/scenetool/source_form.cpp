// The readable source form of a scene file: `key = value` lines for the settings, the grid as
// 30 lines of 40 symbols, and exact escapes for everything else, so that any file dumps to a
// source that builds back into the very same bytes. A file that is not in the writer's shape
// at all is kept as hex under "raw:".
#include <cstdio>
#include <cstdlib>

#include "tools/scenetool/source_form.h"

namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr std::string_view kLegend =
    "# Grid: r o g b p beans (red orange green blue purple), ? random bean, # stone,\n"
    "# S start, E exit, . empty, * another code (see the cell lines below the grid),\n"
    "# - past the end of a file that stops inside the grid.\n";

// Printable bytes stand for themselves; a CR LF pair is \n; anything else is \xHH. Spaces at
// either end are escaped as well, since the value of a line is trimmed when it is read.
std::string escapeText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        bool edge = i == 0 || i + 1 == text.size();
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "\\n";
            ++i;
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c > ' ' && c < 127) {
            out.push_back(static_cast<char>(c));
        } else if (c == ' ' && !edge) {
            out.push_back(' ');
        } else {
            out += "\\x";
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

std::string backgroundWord(std::int32_t value) {
    if (value >= 0 && value < kBackgroundCount) return editorBackgroundNames[static_cast<std::size_t>(value)];
    return std::to_string(value);
}

std::string objectiveWord(std::int32_t value) {
    constexpr const char* names[] = {"Standard", "Escape", "Goal Score", "Eat up"};
    if (value >= Standard && value <= EatUp) return names[value];
    return std::to_string(value);
}

std::string fallWord(std::int32_t value) {
    if (value == 0) return "no";
    if (value == 1) return "yes";
    return std::to_string(value);
}

std::string dumpRaw(std::string_view disk, const std::string& problem) {
    std::string out =
        "# Not a well-formed scene file (" + problem + ");\n# its bytes are kept as they are.\nraw:\n";
    for (std::size_t i = 0; i < disk.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(disk[i]);
        out.push_back(kHex[c >> 4]);
        out.push_back(kHex[c & 15]);
        if (i % 32 == 31 || i + 1 == disk.size()) out.push_back('\n');
    }
    return out;
}

void dumpSettings(std::string& out, const SceneLayout& layout) {
    const Scene& scene = layout.scene;
    out += "title = " + escapeText(scene.title) + "\n";
    if (layout.plainNumbers) {
        out += "background = " + backgroundWord(scene.background) + "\n";
        out += "random fall = " + fallWord(scene.randomFall) + "\n";
        out += "interval = " + std::to_string(scene.fallInterval) + "\n";
        out += "objective = " + objectiveWord(scene.objective) + "\n";
        out += "goal score = " + std::to_string(scene.goalScore) + "\n";
    } else {
        out += "# The number line is not in the usual form and is kept as it stands.\n";
        out += "numbers = " + escapeText(layout.numberLine) + "\n";
    }
    out += "description = " + escapeText(scene.description) + "\n";
}

void dumpGrid(std::string& out, const SceneLayout& layout) {
    std::string others;
    out += "grid:\n";
    for (int i = 0; i < kSceneCells; ++i) {
        std::uint8_t code = layout.scene.grid[static_cast<std::size_t>(sceneCellIndex(i % 40, i / 40))];
        char symbol = i < layout.gridCells ? cellSymbol(code) : '-';
        out.push_back(symbol);
        if (i % 40 == 39) out.push_back('\n');
        if (symbol == '*') {
            others += "cell " + std::to_string(i % 40) + " " + std::to_string(i / 40) + " = " +
                      std::to_string(code) + "\n";
        }
    }
    out += others;
    if (!layout.trailing.empty()) out += "trailing = " + escapeText(layout.trailing) + "\n";
}

}  // namespace

std::string dumpSource(std::string_view disk) {
    SceneLayout layout = layoutScene(disk);
    if (!layout.wellFormed) return dumpRaw(disk, layout.problem);
    std::string out = "# MunchTrail scene source; \"scenetool build\" turns it into a .qsn file.\n";
    out += kLegend;
    dumpSettings(out, layout);
    dumpGrid(out, layout);
    return out;
}
