// KELV's editing beyond the drawing tools: the selection and what is done to it (copy, cut,
// delete, flips, a half turn, moving it by dragging), pasting a block that follows the pointer
// until a click places it, flood fill, the keyboard's cell cursor, and the words and counts of
// the status bar. Each function that changes the scene does so whole and says whether it did,
// so the document makes one undo step of it.
#pragma once

#include <string>
#include <string_view>

#include "editor/core/editor_state.h"

// ---- the selection (selection.cpp) ----
void selectCells(std::int32_t c0, std::int32_t r0, std::int32_t c1, std::int32_t r1);  // clipped to the grid
void selectAllCells();
// Escape: a floating block is dropped (a dragged selection stays where it was), else the selection.
void cancelSelection();
CellBlock selectedBlock();
bool eraseSelection();

enum class Turn { FlipHorizontally, FlipVertically, HalfTurn };
void turnBlock(CellBlock& block, Turn turn);
// Turns the floating block when there is one (the scene stays as it is), else the selection.
bool turnSelection(Turn turn);

// The clipboard's text form: one line of cell symbols a row, as in scenetool's source form. Any
// other code is written '*' and, like '-' and a blank, read back as empty. False for text that is not such
// lines (blank lines around them are fine) or is larger than the grid.
std::string blockText(const CellBlock& block);
bool readBlockText(std::string_view text, CellBlock& block);

// A block that follows the pointer, its top left cell under it.
void startPaste(const CellBlock& block);
// Lifts the selection to follow the pointer, held at the cell under it; false outside the selection.
bool liftSelection();
// Writes the floating block at the pointer: cells off the grid are dropped, a dragged selection's
// old place empties first, and a start or exit point in the block moves the scene's own (the
// block keeps its first of each). The placed cells become the selection. True when the scene changed.
bool placeFloating();
// Puts the floating block (and the emptied old place of a dragged one) into the preview.
void previewFloating();

// Fills the area of equal cells around (column, row), not across the edges, with the current
// unit: into the preview, or into the scene (then true when a cell changed).
bool floodFill(std::int32_t column, std::int32_t row, bool preview);

// ---- the keyboard's cell cursor: the hover cell (tools.cpp) ----
void moveCursor(std::int32_t dc, std::int32_t dr);
bool paintAtCursor();  // Space: the current unit; a start or exit point moves there
bool eraseAtCursor();  // Delete without a selection
bool enterAtCursor();  // Enter: places a floating block, or a start or exit point

// ---- the status bar ----
// What the cell under the pointer holds and the scene's counts in the legend of scenetool's
// source form (beans by colour, random beans, stones): "Red bean   |   r 3  o 0 ... ? 1  # 12".
std::string contentText();
