// Reading and setting the cells of the editor's scene, shared by the core and Qt tests.
#pragma once

#include <algorithm>

#include "editor/core/editor_state.h"

namespace ui_test {

inline std::uint8_t cellAt(int column, int row) {
    return editorState.scene.grid[sceneCellIndex(column, row)];
}
inline void setCell(int column, int row, std::uint8_t code) {
    editorState.scene.grid[sceneCellIndex(column, row)] = code;
}
inline int countCells(std::uint8_t code) {
    return int(std::count(editorState.scene.grid.begin(), editorState.scene.grid.end(), code));
}

}  // namespace ui_test
