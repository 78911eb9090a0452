// The text of a message box, broken into lines a small screen can show: a desktop's message box
// grows as wide as its longest line, and a file path in a message can be longer than the screen.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Lines of at most `columns` characters, broken after the last space or slash that fits (a
// space at a break is dropped), or hard at `columns` where neither is found; line ends already
// in the text are kept.
std::string wrapMessage(std::string_view text, std::size_t columns = 60);
