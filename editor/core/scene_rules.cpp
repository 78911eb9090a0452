// The rules the document applies to the scene as a whole: the values of a new scene and where
// a scene is saved by default, the scene folder the editor writes to (the shipped Scenes/
// when it may, else the player's own) under the document's title. (The checks before a save, validateScene,
// live with the scene record, which scenetool shares.)
#include "editor/core/editor_state.h"
#include "scene/folders.h"

void resetScene() {
    editorState.scene = Scene{};
    editorState.previewGrid = Scene::filledGrid();
}

std::string sceneSavePath(const std::string& documentTitle) {
    setExeDirectory();
    return sceneSaveFolder(editorState.programFolder, editorState.portable, true) + "/" + documentTitle;
}
