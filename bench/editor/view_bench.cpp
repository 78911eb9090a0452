// A brush drag across the grid through the real view: each iteration is one mouse move handed
// to CKELVView and one repaint of the whole 800 x 600 view into an image, as the window would
// get it. Runs under Qt's offscreen platform, so it needs no display.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "editor/app/kelv_doc.h"
#include "editor/app/kelv_view.h"
#include "editor/core/editor_state.h"

namespace {

void BM_BrushDragRepaintInTheView(benchmark::State& state) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "editor_bench";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    CKELVDoc document(nullptr);
    CKELVView view(&document, nullptr);
    view.resize(800, 600);
    QImage frame(800, 600, QImage::Format_RGB32);
    editorState.currentUnit = RedBean;
    editorState.currentShape = BrushShape;
    std::int32_t step = 0;
    for (auto _ : state) {
        const QPointF at(20 * (step % kSceneColumns) + 10, 20 * (step / kSceneColumns % kSceneRows) + 10);
        const bool press = step % kSceneColumns == 0;
        QMouseEvent event(press ? QEvent::MouseButtonPress : QEvent::MouseMove, at, at, Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
        view.render(&frame);
        benchmark::DoNotOptimize(frame.constBits());
        ++step;
    }
    state.counters["repaints/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BrushDragRepaintInTheView)->Unit(benchmark::kMillisecond);

}  // namespace
