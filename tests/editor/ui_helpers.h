// Small helpers shared by the KELV test files: reading cells, counting them, the picture's
// colour at a cell, and the texts of a menu.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "editor/app/kelv_view.h"
#include "editor/app/main_frame.h"
#include "editor/core/editor_state.h"

namespace ui_test {

inline std::uint8_t cellAt(int column, int row) {
    return editorState.scene.grid[sceneCellIndex(column, row)];
}

inline int countCells(std::uint8_t code) {
    return int(std::count(editorState.scene.grid.begin(), editorState.scene.grid.end(), code));
}

inline void setCell(int column, int row, std::uint8_t code) {
    editorState.scene.grid[sceneCellIndex(column, row)] = code;
}

// The colour the view shows at the centre of a cell.
inline unsigned pictureAt(CKELVView* view, int column, int row) {
    return view->picture().pixel(10 * column + 2, 10 * row + 2) & 0xFFFFFFu;
}

inline QStringList menuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        if (action->isVisible() || action->isSeparator())
            texts.append(action->isSeparator() ? "-" : action->text());
    return texts;
}

inline QMenu* menuNamed(CMainFrame* frame, const QString& title) {
    for (QAction* action : frame->menuBar()->actions())
        if (action->text() == title) return action->menu();
    return nullptr;
}

}  // namespace ui_test
