// What scenetool prints about a scene: the picture of `show` and the verdict of `check`.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The settings as the game shows them and the grid as 30 lines of 40 symbols.
std::string showScene(std::string_view disk);

// Every reason the editor would not have saved this file as it is: the first failing check
// before saving, then every value outside the editor's limits. Empty for a good scene.
std::vector<std::string> checkScene(std::string_view disk);

// The description as the game's selection screen wraps it: 31 characters a line.
std::string wrapLikeGame(std::string_view description);
