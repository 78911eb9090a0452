// What scenetool shows of a scene: the settings and the picture of `show`.
#pragma once

#include <string>
#include <string_view>

// The settings as the game shows them and the grid as 30 lines of 40 symbols.
std::string showScene(std::string_view disk);
