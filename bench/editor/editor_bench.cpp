// What KELV does on every mouse move: rebuild the preview of the action in progress and
// render the whole 400 x 300 picture (background, every cell with its shadow, the preview,
// the hover frame); and the largest single edits: a flood fill and a paste of the whole grid.
// Uses the program folder's DAT pictures when they have been generated, plain stand-ins
// otherwise. Each must take well under a frame of a 60 Hz display (16.7 ms), the edits under
// 1 ms.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "editor/core/document_rules.h"
#include "editor/core/editing.h"
#include "editor/core/editor_state.h"

namespace {

PixelBuffer* standIn(std::int32_t width, std::int32_t height, Colour colour) {
    PixelBuffer* image = createPixelBuffer(width, height);
    std::fill_n(image->pixels(), width * height, colour);
    return image;
}

void loadPictures() {
    static bool loaded = false;
    if (loaded) return;
    loaded = true;
    editorState.programFolder = MT_DIST_DIR;
    setupViewDisplay();
    if (loadCellImages() == nullptr && loadEditorBackground() && loadBeanTexture()) return;
    releaseViewImages();
    viewImages.background = standIn(400, 300, 0x00203040u);
    for (PixelBuffer** slot :
         {&viewImages.shadow, &viewImages.start, &viewImages.exit, &viewImages.random, &viewImages.stone})
        *slot = standIn(10, 10, 0x00404040u);
}

// Every cell holding something: the worst case of a paint.
void BM_RenderFullScene(benchmark::State& state) {
    loadPictures();
    resetScene();
    for (int i = 0; i < kSceneCells; ++i)
        editorState.scene.grid[i] = std::uint8_t(i % 8 == 7 ? RandomBean : i % 7);
    for (auto _ : state) {
        renderSceneView();
        benchmark::DoNotOptimize(viewDrawBuffer.pixels[0]);
    }
}
BENCHMARK(BM_RenderFullScene);

void BM_RenderEmptyScene(benchmark::State& state) {
    loadPictures();
    resetScene();
    for (auto _ : state) {
        renderSceneView();
        benchmark::DoNotOptimize(viewDrawBuffer.pixels[0]);
    }
}
BENCHMARK(BM_RenderEmptyScene);

// A filled ellipse dragged over the whole grid: the largest preview a move rebuilds.
void BM_PreviewLargeFilledEllipse(benchmark::State& state) {
    loadPictures();
    resetScene();
    editorState.currentUnit = GreenBean;
    editorState.currentShape = FilledEllipseShape;
    editorState.hoverCol = 20;
    editorState.hoverRow = 15;
    leftButtonDown();
    editorState.hoverCol = 39;
    editorState.hoverRow = 29;
    for (auto _ : state) {
        mouseMoved(true);
        benchmark::DoNotOptimize(editorState.previewGrid[0]);
    }
    leftButtonUp();
}
BENCHMARK(BM_PreviewLargeFilledEllipse);

// A brush drag across the whole grid, one move and one repaint per cell crossed: the time of
// one iteration is the time between two pictures of a drag.
void BM_BrushDragRepaint(benchmark::State& state) {
    loadPictures();
    resetScene();
    editorState.currentUnit = GreenBean;
    editorState.currentShape = BrushShape;
    std::int32_t step = 0;
    for (auto _ : state) {
        if (step % kSceneColumns == 0) {
            leftButtonUp();
            editorState.hoverCol = 0, editorState.hoverRow = step / kSceneColumns % kSceneRows;
            leftButtonDown();
        }
        editorState.hoverCol = step % kSceneColumns;
        mouseMoved(true);
        renderSceneView();
        benchmark::DoNotOptimize(viewDrawBuffer.pixels[0]);
        ++step;
    }
    leftButtonUp();
}
BENCHMARK(BM_BrushDragRepaint)->Unit(benchmark::kMillisecond);

// Filling the whole empty grid, into the scene (the undo snapshot is the document's, not timed).
void BM_FloodFillWholeGrid(benchmark::State& state) {
    resetScene();
    editorState.currentUnit = BlueBean;
    for (auto _ : state) {
        editorState.scene.grid = Scene::filledGrid();
        benchmark::DoNotOptimize(floodFill(20, 15, false));
    }
}
BENCHMARK(BM_FloodFillWholeGrid)->Unit(benchmark::kMicrosecond);

// Copying the whole grid to the clipboard's text, reading it back and placing it.
void BM_PasteWholeGrid(benchmark::State& state) {
    resetScene();
    for (int i = 0; i < kSceneCells; ++i)
        editorState.scene.grid[i] = std::uint8_t(i % 8 == 7 ? RandomBean : i % 6);
    selectAllCells();
    const std::string text = blockText(selectedBlock());
    CellBlock block;
    for (auto _ : state) {
        readBlockText(text, block);
        startPaste(block);
        editorState.hoverCol = editorState.hoverRow = 0;
        benchmark::DoNotOptimize(placeFloating());
    }
}
BENCHMARK(BM_PasteWholeGrid)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
