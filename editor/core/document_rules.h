// KELV's rules for the scene as a document: the values of a new scene, where a save goes and
// which name it proposes, and the file names the game cannot show. The Qt document asks these
// and only carries out the answers (dialogs, messages, the file itself).
#pragma once

#include <string>

#include "scene/scene.h"

void resetScene();  // the new-scene values, an empty grid and an empty preview

// Where scenes are saved: the shipped Scenes/ when the programs run portable and may write
// there, otherwise the player's own scene folder, made on the first call.
std::string editorSaveFolder();

// What the document knows when a save is asked for.
struct SaveRequest {
    std::string path;           // the document's file, empty for a new scene
    std::string fileName;       // the name it goes by: its file's name, or "Untitled"
    bool fileWritable = false;  // the file is there and may be written
    bool mustRename = false;    // opened although it was no scene file: never written over unasked
    bool saveAs = false;
};

// The scene's place is its file name in the save folder (a new scene's proposed from its title).
// Save writes there without asking when that place is the document's own file and may be
// written; everything else (Save As included) asks for the name, proposing that place.
struct SavePlan {
    bool dialog = true;
    std::string path;
};
SavePlan planSave(const SaveRequest& request, const Scene& scene);

// A file name for a scene with this (Latin-1) title: "Pond Party.qsn"; "Untitled.qsn" when the
// title gives none.
std::string proposedFileName(const std::string& title);

// After a save: a scene written anywhere but its place in the save folder stays marked as
// unsaved, since the game would not find it there.
bool savedOutsideItsPlace(const std::string& savedPath);

// Why the game's scene list cannot show this (UTF-8) file name as it is; empty when it can.
std::string fileNameWarning(const std::string& fileName);
