// Where a save goes and what it is warned about. The save folder is the shipped Scenes/ only
// where the programs run portable and that folder may be written; an installed game's data is
// never written, so its scenes go to the player's own folder, which the game lists as well.
#include "editor/core/document_rules.h"

#include "editor/core/editor_state.h"
#include "scene/folders.h"
#include "scene/scene_text.h"

void resetScene() {
    editorState.scene = Scene{};
    editorState.previewGrid = Scene::filledGrid();
    editorState.selection = CellRect{};
    editorState.floating = FloatingBlock{};
}

std::string editorSaveFolder() {
    return sceneSaveFolder(editorState.programFolder, editorState.portable, true);
}

std::string proposedFileName(const std::string& title) {
    std::string name = latin1ToUtf8(title);
    for (char& c : name)
        if (c == '/' || static_cast<unsigned char>(c) < ' ') c = '-';
    // Leading dots would hide the file from the game's list; blanks at either end only confuse.
    name.erase(0, name.find_first_not_of(" ."));
    name.erase(name.find_last_not_of(' ') + 1);
    return (name.empty() ? "Untitled" : name) + ".qsn";
}

SavePlan planSave(const SaveRequest& request, const Scene& scene) {
    const bool named = !request.path.empty() && !request.mustRename;
    SavePlan plan;
    plan.path = editorSaveFolder() + "/" + (named ? request.fileName : proposedFileName(scene.title));
    plan.dialog = request.saveAs || !named || !request.fileWritable || plan.path != request.path;
    return plan;
}

bool savedOutsideItsPlace(const std::string& savedPath) {
    const std::string name = savedPath.substr(savedPath.rfind('/') + 1);
    return editorSaveFolder() + "/" + name != savedPath;
}

std::string fileNameWarning(const std::string& fileName) {
    const Latin1Text latin1 = utf8ToLatin1(fileName);
    if (latin1.missing == 0) return {};
    std::string shown, missing;
    for (char c : latin1.text) shown.push_back(c >= 'a' && c <= 'z' ? char(c - 32) : c);
    appendUtf8(missing, latin1.missing);
    return "The game can show only Latin-1 characters in its scene list, and \"" + missing +
           "\" is not one: it will list this scene as \"" + latin1ToUtf8(shown) + "\".";
}
