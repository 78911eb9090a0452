// What scenetool prints about a scene: `show` describes it the way the game's selection screen
// does, with the grid as a picture.
#include "tools/scenetool/scene_report.h"

#include <cctype>

#include "tools/scenetool/source_form.h"

namespace {

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Text from a file goes to a terminal: a control byte (an escape sequence could retitle or
// clear it) or any byte outside printable ASCII is shown as \xHH, a backslash as \\.
std::string printable(std::string_view text) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte >= ' ' && byte < 127) {
            out.push_back(c);
        } else {
            out += "\\x";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 15]);
        }
    }
    return out;
}

std::string intervalText(const GameSceneSettings& settings) {
    if (settings.randomFall == 0) return "DISABLED";
    if (settings.fallInterval < 1) return "FALL AFTER NIBBLE";
    return std::to_string(settings.fallInterval) + " SEC.";
}

std::string objectiveText(const GameSceneSettings& settings) {
    if (settings.objective < Standard || settings.objective > EatUp)
        return "(none: " + std::to_string(settings.objective) + ")";
    std::string text;
    for (const char* c = gameObjectiveTexts[static_cast<std::size_t>(settings.objective)]; *c != '\0'; ++c) {
        if (*c != '\n') text.push_back(*c);
    }
    if (settings.objective == GoalScore)
        text += " " + std::to_string(static_cast<std::uint32_t>(settings.goalScore));
    return text;
}

std::string backgroundText(std::int32_t background) {
    if (background < 0 || background >= kBackgroundCount) return "(none: " + std::to_string(background) + ")";
    return gameBackgroundNames[static_cast<std::size_t>(background)];
}

std::string gridPicture(const Scene& scene) {
    std::string out = "+" + std::string(kSceneColumns, '-') + "+\n";
    for (int row = 0; row < kSceneRows; ++row) {
        out += "|";
        for (int column = 0; column < kSceneColumns; ++column) {
            out.push_back(cellSymbol(scene.grid[static_cast<std::size_t>(sceneCellIndex(column, row))]));
        }
        out += "|\n";
    }
    return out + "+" + std::string(kSceneColumns, '-') + "+\n";
}

std::string gridCounts(const Scene& scene) {
    int beans = 0, random = 0, stones = 0;
    for (std::uint8_t code : scene.grid) {
        beans += code <= PurpleBean;
        random += code == RandomBean;
        stones += code == StoneBean;
    }
    return std::to_string(beans) + " beans, " + std::to_string(random) + " random beans, " +
           std::to_string(stones) + " stones\n";
}

}  // namespace

std::string showScene(std::string_view disk) {
    GameSceneSettings settings;
    readSceneBytesForGame(disk, settings, GameSceneSink{});
    Scene scene;
    readSceneBytes(disk, scene);
    std::string out = "Title:       " + printable(upper(settings.title)) + "\n";
    out += "Background:  " + backgroundText(settings.background) + "\n";
    out += std::string("Random fall: ") +
           (settings.randomFall == 0   ? "NO"
            : settings.randomFall == 1 ? "YES"
                                       : "?") +
           "\n";
    out += "Interval:    " + intervalText(settings) + "\n";
    out += "Objective:   " + objectiveText(settings) + "\n";
    out += "Description:\n";
    std::string wrapped = wrapLikeGame(settings.description);
    std::size_t start = 0;
    while (start < wrapped.size()) {
        std::size_t end = wrapped.find('\n', start);
        if (end == std::string::npos) end = wrapped.size();
        out += "  " + printable(std::string_view(wrapped).substr(start, end - start)) + "\n";
        start = end + 1;
    }
    out += "Grid (r o g b p beans, ? random bean, # stone, S start, E exit, . empty, * other code):\n";
    return out + gridPicture(scene) + gridCounts(scene);
}
