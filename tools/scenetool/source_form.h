// The readable source form of scene files that level designers keep in version control, and
// the structural reading of a scene file it is built on. `dump` and `build` are exact inverses:
// any file, well-formed or not, comes back byte for byte.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scene/scene.h"

// A scene file taken apart exactly as it lies on disk. `wellFormed` is false when the file
// is not in the writer's shape at all (then only the raw bytes describe it).
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

// The writer's rules a scene breaks, each as a sentence; empty for a scene the editor could
// have saved (the checks run before saving are separate: validateScene).
std::vector<std::string> limitProblems(const SceneLayout& layout);

// dump: the source text of a file. build: the file bytes of a source text, or false with
// `error` naming the line ("line 12: ...").
std::string dumpSource(std::string_view disk);
bool buildSource(std::string_view source, std::string& disk, std::string& error);

// The grid legend, shared by show and dump.
char cellSymbol(std::uint8_t code);
