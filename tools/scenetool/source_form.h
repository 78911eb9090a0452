// The readable source form of scene files that level designers keep in version control, built
// on the structural reading of a scene file (layoutScene). `dump` and `build` are exact
// inverses: any file, well-formed or not, comes back byte for byte.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scene/scene_rules.h"
#include "scene/scene_text.h"

// dump: the source text of a file. build: the file bytes of a source text, or false with
// `error` naming the line ("line 12: ...").
std::string dumpSource(std::string_view disk);
bool buildSource(std::string_view source, std::string& disk, std::string& error);
