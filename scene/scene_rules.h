// The one set of rules for scenes. KELV applies it before it saves or test-plays a scene,
// scenetool check prints it, and the game refuses a file handed to it on the command line that
// breaks it: the editor's checks (something to eat, a start point, an exit point exactly in
// Escape scenes), every field within the limits of the properties dialog, in the dialog's own
// words, and no cell the editor would never make. Below them, the structural reading of a file,
// which says plainly when bytes are no scene file at all.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scene/scene.h"

inline constexpr const char* kNeedBeanMessage = "Please put in at least 1 non-stone bean";
inline constexpr const char* kNeedStartMessage = "Please set a start point";
inline constexpr const char* kEraseExitMessage =
    "The objective of this scene isn't 'Escape'\nPlease erase the exit point";
inline constexpr const char* kNeedExitMessage = "Please set an exit point";

// The properties dialog's words for a field it refuses.
inline constexpr const char* kIntegerMessage = "Please enter an integer.";
inline constexpr const char* kOneLineMessage = "Please keep the title on one line.";
std::string rangeMessage(std::int32_t low, std::int32_t high);  // "Please enter an integer between ..."
std::string lengthMessage(int limit);                           // "Please enter no more than ..."
std::string latin1Message(char32_t missing);                    // names the character that does not fit

// The editor's checks before saving, in their order; the message of the first that fails, or
// nullptr for a scene that may be saved.
const char* validateScene(const Scene& scene);

// Every rule `scene` breaks: the message of validateScene first, then every field outside its
// limits and every count of cells the editor would not make (odd codes, two starts or exits).
// Empty for a scene that may be saved as it is.
std::vector<std::string> sceneRuleProblems(const Scene& scene);

// A scene file taken apart exactly as it lies on disk, with every byte accounted for, so that
// scenetool's source form can give the file back unchanged. `wellFormed` is false when the
// bytes are not in the writer's shape at all (then only the raw bytes describe them).
struct SceneLayout {
    bool wellFormed = false;
    std::string problem;          // why it is not well-formed
    Scene scene;                  // the values as stored (no Eat up rule applied)
    bool plainNumbers = true;     // the number line is exactly what the writer prints
    std::string numberLine;       // the number line as stored, without its LF
    int gridCells = kSceneCells;  // fewer when the file ends inside the grid
    std::string trailing;         // bytes after the 1200th cell
};
SceneLayout layoutScene(std::string_view disk);

// Why these bytes are no scene file (not in the writer's shape, cut short inside the grid, or
// with bytes after it); empty for a scene file.
std::string notSceneFileReason(const SceneLayout& layout);

// The rules over a file's bytes: "not a scene file: <why>" alone, or every rule the scene as
// stored breaks (a number line the writer would not print included).
std::vector<std::string> checkSceneBytes(std::string_view disk);
// The same for a file on disk; a file that cannot be read gives "cannot read the file: <why>".
std::vector<std::string> checkSceneFile(const char* path);
