// The selection, the floating block and flood fill. A block is placed opaque, empty cells
// included, so what was copied is exactly what lands; the start and exit points stay unique
// because the game keeps only one of each.
#include <algorithm>
#include <vector>

#include "editor/core/editing.h"
#include "scene/scene_text.h"

namespace {

std::uint8_t& sceneCell(std::int32_t column, std::int32_t row) {
    return editorState.scene.grid[std::size_t(sceneCellIndex(column, row))];
}

bool onGrid(std::int32_t column, std::int32_t row) {
    return column >= 0 && column < kSceneColumns && row >= 0 && row < kSceneRows;
}

bool inside(const CellRect& rect, std::int32_t column, std::int32_t row) {
    return rect.active && column >= rect.left && column <= rect.right && row >= rect.top &&
           row <= rect.bottom;
}

CellBlock blockOf(const CellRect& rect) {
    CellBlock block;
    block.width = rect.right - rect.left + 1;
    block.height = rect.bottom - rect.top + 1;
    for (std::int32_t row = 0; row < block.height; ++row)
        for (std::int32_t column = 0; column < block.width; ++column)
            block.at(column, row) = sceneCell(rect.left + column, rect.top + row);
    return block;
}

void fillRect(const CellRect& rect, std::uint8_t code) {
    for (std::int32_t row = rect.top; row <= rect.bottom; ++row)
        for (std::int32_t column = rect.left; column <= rect.right; ++column) sceneCell(column, row) = code;
}

// The block's first start and exit point win; every other one in the block is left out.
void keepFirstPoints(CellBlock& block) {
    bool start = false, exit = false;
    for (std::int32_t i = 0; i < block.width * block.height; ++i) {
        std::uint8_t& code = block.cells[std::size_t(i)];
        bool& seen = code == StartPoint ? start : exit;
        if (code != StartPoint && code != ExitPoint) continue;
        if (seen) code = EmptyCell;
        seen = true;
    }
}

// Where the floating block lands: its top left cell, the grabbed cell under the pointer.
CellRect floatingRect() {
    const FloatingBlock& f = editorState.floating;
    CellRect rect{true, editorState.hoverCol - f.grabCol, editorState.hoverRow - f.grabRow, 0, 0};
    rect.right = rect.left + f.block.width - 1;
    rect.bottom = rect.top + f.block.height - 1;
    return rect;
}

void writeBlock(CellBlock block, const CellRect& at) {
    keepFirstPoints(block);
    for (std::int32_t i = 0; i < block.width * block.height; ++i) {
        const std::uint8_t code = block.cells[std::size_t(i)];
        if (code != StartPoint && code != ExitPoint) continue;
        if (!onGrid(at.left + i % block.width, at.top + i / block.width)) continue;
        for (std::uint8_t& cell : editorState.scene.grid)
            if (cell == code) cell = EmptyCell;  // the block's point replaces the scene's
    }
    for (std::int32_t row = 0; row < block.height; ++row)
        for (std::int32_t column = 0; column < block.width; ++column)
            if (onGrid(at.left + column, at.top + row))
                sceneCell(at.left + column, at.top + row) = block.at(column, row);
}

void replaceSelection(const CellBlock& block) {
    const CellRect& s = editorState.selection;
    for (std::int32_t row = 0; row < block.height; ++row)
        for (std::int32_t column = 0; column < block.width; ++column)
            sceneCell(s.left + column, s.top + row) = block.cells[std::size_t(row * block.width + column)];
}

}  // namespace

void selectCells(std::int32_t c0, std::int32_t r0, std::int32_t c1, std::int32_t r1) {
    CellRect& s = editorState.selection;
    s.left = std::clamp(std::min(c0, c1), 0, kSceneColumns - 1);
    s.right = std::clamp(std::max(c0, c1), 0, kSceneColumns - 1);
    s.top = std::clamp(std::min(r0, r1), 0, kSceneRows - 1);
    s.bottom = std::clamp(std::max(r0, r1), 0, kSceneRows - 1);
    s.active = true;
}

void selectAllCells() {
    selectCells(0, 0, kSceneColumns - 1, kSceneRows - 1);
}

void cancelSelection() {
    if (editorState.floating.active)
        editorState.floating = FloatingBlock{};
    else
        editorState.selection = CellRect{};
}

CellBlock selectedBlock() {
    return editorState.selection.active ? blockOf(editorState.selection) : CellBlock{};
}

bool eraseSelection() {
    if (!editorState.selection.active) return false;
    const Scene before = editorState.scene;
    fillRect(editorState.selection, EmptyCell);
    return before.grid != editorState.scene.grid;
}

void turnBlock(CellBlock& block, Turn turn) {
    CellBlock turned = block;
    for (std::int32_t row = 0; row < block.height; ++row)
        for (std::int32_t column = 0; column < block.width; ++column) {
            const std::int32_t c = turn == Turn::FlipVertically ? column : block.width - 1 - column;
            const std::int32_t r = turn == Turn::FlipHorizontally ? row : block.height - 1 - row;
            turned.at(c, r) = block.at(column, row);
        }
    block = turned;
}

bool turnSelection(Turn turn) {
    if (editorState.floating.active) {  // turned where it hangs: it keeps its place under the pointer
        turnBlock(editorState.floating.block, turn);
        return false;
    }
    if (!editorState.selection.active) return false;
    CellBlock block = selectedBlock();
    turnBlock(block, turn);
    const Scene before = editorState.scene;
    replaceSelection(block);
    return before.grid != editorState.scene.grid;
}

std::string blockText(const CellBlock& block) {
    std::string text;
    for (std::int32_t row = 0; row < block.height; ++row) {
        for (std::int32_t column = 0; column < block.width; ++column)
            text.push_back(cellSymbol(block.at(column, row)));
        text.push_back('\n');
    }
    return text;
}

bool readBlockText(std::string_view text, CellBlock& block) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    while (!lines.empty() && lines.front().empty()) lines.erase(lines.begin());
    CellBlock read;
    read.height = std::int32_t(lines.size());
    for (std::string_view line : lines) read.width = std::max(read.width, std::int32_t(line.size()));
    if (read.height == 0 || read.height > kSceneRows || read.width > kSceneColumns) return false;
    read.cells.fill(EmptyCell);
    for (std::int32_t row = 0; row < read.height; ++row)
        for (std::int32_t column = 0; column < std::int32_t(lines[std::size_t(row)].size()); ++column) {
            const char symbol = lines[std::size_t(row)][std::size_t(column)];
            const int code = symbolCode(symbol);
            if (code < 0 && symbol != '*' && symbol != '-' && symbol != ' ') return false;
            read.at(column, row) = code < 0 ? std::uint8_t(EmptyCell) : std::uint8_t(code);
        }
    block = read;
    return true;
}

void startPaste(const CellBlock& block) {
    editorState.floating = FloatingBlock{true, block, 0, 0, CellRect{}};
}

bool liftSelection() {
    const CellRect& s = editorState.selection;
    if (!inside(s, editorState.hoverCol, editorState.hoverRow)) return false;
    editorState.floating =
        FloatingBlock{true, blockOf(s), editorState.hoverCol - s.left, editorState.hoverRow - s.top, s};
    return true;
}

bool placeFloating() {
    if (!editorState.floating.active) return false;
    const Scene before = editorState.scene;
    const CellRect at = floatingRect();
    if (editorState.floating.source.active) fillRect(editorState.floating.source, EmptyCell);
    writeBlock(editorState.floating.block, at);
    editorState.floating = FloatingBlock{};
    selectCells(at.left, at.top, at.right, at.bottom);
    return before.grid != editorState.scene.grid;
}

void previewFloating() {
    const FloatingBlock& f = editorState.floating;
    if (!f.active) return;
    const CellRect& from = f.source;
    for (std::int32_t row = from.top; from.active && row <= from.bottom; ++row)
        for (std::int32_t column = from.left; column <= from.right; ++column)
            editorState.previewGrid[std::size_t(sceneCellIndex(column, row))] = ErasedPreview;
    const CellRect at = floatingRect();
    const CellBlock& block = f.block;
    for (std::int32_t row = 0; row < block.height; ++row)
        for (std::int32_t column = 0; column < block.width; ++column) {
            if (!onGrid(at.left + column, at.top + row)) continue;
            const std::uint8_t code = block.at(column, row);
            editorState.previewGrid[std::size_t(sceneCellIndex(at.left + column, at.top + row))] =
                code == EmptyCell ? ErasedPreview : code;
        }
}

bool floodFill(std::int32_t column, std::int32_t row, bool preview) {
    if (!onGrid(column, row)) return false;
    const std::uint8_t unit = editorState.currentUnit;
    const std::uint8_t from = sceneCell(column, row);
    if ((unit == EraserUnit ? std::uint8_t(EmptyCell) : unit) == from && !preview) return false;
    std::array<bool, kSceneCells> seen{};
    std::array<std::int32_t, kSceneCells> queue{};
    std::int32_t head = 0, tail = 0;
    queue[std::size_t(tail++)] = sceneCellIndex(column, row);
    seen[std::size_t(queue[0])] = true;
    while (head < tail) {
        const std::int32_t cell = queue[std::size_t(head++)];
        putCell(cell / kSceneRows, cell % kSceneRows, preview);
        const std::int32_t c = cell / kSceneRows, r = cell % kSceneRows;
        for (const auto& [dc, dr] : {std::pair{0, -1}, {1, 0}, {0, 1}, {-1, 0}}) {
            if (!onGrid(c + dc, r + dr)) continue;  // the edges do not join here
            const std::int32_t next = sceneCellIndex(c + dc, r + dr);
            if (seen[std::size_t(next)] || sceneCell(c + dc, r + dr) != from) continue;
            seen[std::size_t(next)] = true;
            queue[std::size_t(tail++)] = next;
        }
    }
    return true;
}
