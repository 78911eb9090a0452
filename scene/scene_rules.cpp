// The rules every scene is held to. The editor's checks look only at what the game needs to
// play the scene: something to eat (unless beans fall from the sky on a timer), a start point,
// and an exit point exactly in Escape scenes. The field limits are those of the properties
// dialog, so a scene made by hand or by scenetool is held to what the editor lets through.
#include "scene/scene_rules.h"

#include "scene/atomic_file.h"
#include "scene/scene_text.h"

namespace {

// "The interval is 61. Please enter an integer between 0 and 60."
void addRange(std::vector<std::string>& out, const char* what, std::int32_t value, std::int32_t low,
              std::int32_t high) {
    if (value < low || value > high)
        out.push_back(std::string(what) + " is " + std::to_string(value) + ". " + rangeMessage(low, high));
}

void addLength(std::vector<std::string>& out, const char* what, const std::string& text, int limit) {
    if (text.size() > std::size_t(limit))
        out.push_back(std::string(what) + " has " + std::to_string(text.size()) + " characters. " +
                      lengthMessage(limit));
}

void addFieldProblems(std::vector<std::string>& out, const Scene& scene) {
    addLength(out, "The title", scene.title, kTitleLimit);
    if (scene.title.find_first_of("\r\n") != std::string::npos)
        out.push_back(std::string("The title holds a line break. ") + kOneLineMessage);
    if (scene.background < 0 || scene.background >= kBackgroundCount)
        out.push_back("The background is " + std::to_string(scene.background) +
                      ". Please choose one of the 11 backgrounds.");
    if (scene.randomFall != 0 && scene.randomFall != 1)
        out.push_back("Random fall is " + std::to_string(scene.randomFall) + ". Please switch it on or off.");
    addRange(out, "The interval", scene.fallInterval, 0, kFallIntervalLimit);
    if (scene.objective < Standard || scene.objective > EatUp)
        out.push_back("The objective is " + std::to_string(scene.objective) +
                      ". Please choose one of the 4 objectives.");
    addRange(out, "The goal score", scene.goalScore, kGoalScoreMin, kGoalScoreMax);
    addLength(out, "The description", scene.description, kDescriptionLimit);
    if (scene.objective == EatUp && scene.randomFall != 0)
        out.push_back("Random fall is on in an Eat up scene. The editor always turns it off.");
}

void addCellProblems(std::vector<std::string>& out, const Scene& scene) {
    int starts = 0, exits = 0, odd = 0;
    for (int i = 0; i < kSceneCells; ++i) {  // in file order, so the first odd cell named is the top one
        const std::uint8_t code =
            scene.grid[std::size_t(sceneCellIndex(i % kSceneColumns, i / kSceneColumns))];
        starts += code == StartPoint;
        exits += code == ExitPoint;
        if (cellSymbol(code) == '*' && odd++ == 0)
            out.push_back("The cell at column " + std::to_string(i % kSceneColumns) + ", row " +
                          std::to_string(i / kSceneColumns) + " holds code " + std::to_string(code) +
                          ", which the editor never writes.");
    }
    if (odd > 1) out.push_back(std::to_string(odd) + " cells in all hold codes the editor never writes.");
    if (starts > 1) out.push_back(std::to_string(starts) + " start points. The editor places one.");
    if (exits > 1) out.push_back(std::to_string(exits) + " exit points. The editor places one.");
}

}  // namespace

std::string rangeMessage(std::int32_t low, std::int32_t high) {
    return "Please enter an integer between " + std::to_string(low) + " and " + std::to_string(high) + ".";
}

std::string lengthMessage(int limit) {
    return "Please enter no more than " + std::to_string(limit) + " characters.";
}

std::string latin1Message(char32_t missing) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string code;
    for (char32_t rest = missing; rest != 0 || code.size() < 4; rest >>= 4)
        code.insert(code.begin(), kHex[rest & 15]);
    std::string shown;
    appendUtf8(shown, missing);
    return "Please enter only Latin-1 characters: \"" + shown + "\" (U+" + code +
           ") cannot be stored in a scene.";
}

const char* validateScene(const Scene& scene) {
    bool bean = false;
    bool start = false;
    bool exit = false;
    for (std::uint8_t code : scene.grid) {
        bean = bean || isNonStoneBean(code);
        start = start || code == StartPoint;
        exit = exit || code == ExitPoint;
    }
    if (!bean && scene.randomFall == 0) return kNeedBeanMessage;
    if (!bean && scene.fallInterval == 0) return kNeedBeanMessage;
    if (!bean && scene.objective == EatUp) return kNeedBeanMessage;
    if (!start) return kNeedStartMessage;
    if (exit && scene.objective != Escape) return kEraseExitMessage;
    if (!exit && scene.objective == Escape) return kNeedExitMessage;
    return nullptr;
}

std::vector<std::string> sceneRuleProblems(const Scene& scene) {
    std::vector<std::string> out;
    if (const char* message = validateScene(scene)) out.emplace_back(message);
    addFieldProblems(out, scene);
    addCellProblems(out, scene);
    return out;
}

std::string notSceneFileReason(const SceneLayout& layout) {
    if (!layout.wellFormed) return layout.problem;
    if (layout.gridCells < kSceneCells)
        return "the file ends after " + std::to_string(layout.gridCells) + " of the 1200 cells";
    if (!layout.trailing.empty())
        return std::to_string(layout.trailing.size()) + " bytes follow the 1200 cells";
    return {};
}

std::vector<std::string> checkSceneBytes(std::string_view disk) {
    const SceneLayout layout = layoutScene(disk);
    const std::string reason = notSceneFileReason(layout);
    if (!reason.empty()) return {"not a scene file: " + reason};
    std::vector<std::string> out = sceneRuleProblems(layout.scene);
    if (!layout.plainNumbers) out.emplace_back("The number line is not five plain numbers.");
    return out;
}

std::vector<std::string> checkSceneFile(const char* path) {
    std::string bytes, reason;
    if (!readRegularFile(path, bytes, reason)) return {"cannot read the file: " + reason};
    return checkSceneBytes(bytes);
}
