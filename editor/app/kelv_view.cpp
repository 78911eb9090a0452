// The view's Qt side: every paint renders the scene into the editor's 400 x 300 buffer and draws
// that buffer, seen as an RGB32 image (the same 0x00RRGGBB words), at a whole factor so every
// cell stays square and sharp; the grid lines are drawn over it at the screen's own resolution,
// so they never enter the picture, the scene or the game. Every mouse event recomputes the cell
// under the mouse, updates the status texts, feeds the tool and repaints the whole view, which
// also consumes the preview.
#include "editor/app/kelv_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "editor/app/kelv_doc.h"
#include "editor/core/editing.h"

namespace {

QImage bufferImage() {
    return QImage(reinterpret_cast<const uchar*>(viewDrawBuffer.pixels), kFrameWidth, kFrameHeight,
                  kFrameRowBytes, QImage::Format_RGB32);
}

void drawGridLines(QPainter& painter, const QRect& picture, int scale) {
    painter.setPen(QColor(255, 255, 255, 70));
    for (int column = 1; column < kSceneColumns; ++column)
        painter.drawLine(picture.left() + 10 * scale * column, picture.top(),
                         picture.left() + 10 * scale * column, picture.bottom());
    for (int row = 1; row < kSceneRows; ++row)
        painter.drawLine(picture.left(), picture.top() + 10 * scale * row, picture.right(),
                         picture.top() + 10 * scale * row);
}

}  // namespace

CKELVView::CKELVView(CKELVDoc* document, QWidget* parent) : QWidget(parent), document_(document) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);  // the picture and its margin cover everything
    setFocusPolicy(Qt::StrongFocus);        // the arrow keys move the cell cursor
    setMinimumSize(kFrameWidth, kFrameHeight);
    setCursor(Qt::CrossCursor);
    connect(document_, &CKELVDoc::sceneChanged, this, [this] {
        update();
        refreshStatus();
    });
}

QImage CKELVView::picture() const {
    return bufferImage().copy();
}

int CKELVView::scale() const {
    return viewScale(width(), height(), zoom_);
}

void CKELVView::setZoom(int zoom) {
    zoom_ = std::clamp(zoom, 0, 8);
    const int factor = std::max(zoom_, 1);
    setMinimumSize(kFrameWidth * factor, kFrameHeight * factor);
    update();
}

void CKELVView::setGrid(bool shown) {
    grid_ = shown;
    update();
}

void CKELVView::refreshStatus() {
    if (editorState.hoverShown) emit cursorText(QString::fromLatin1(statusText().c_str()));
    emit contentText(QString::fromLatin1(::contentText().c_str()));
}

void CKELVView::paintEvent(QPaintEvent*) {
    renderSceneView();
    setViewGeometry(width(), height(), zoom_);
    const int factor = int(editorState.scaleX);
    const QRect picture(editorState.viewLeft, editorState.viewTop, kFrameWidth * factor,
                        kFrameHeight * factor);
    QPainter painter(this);
    painter.fillRect(rect(), QColor(48, 48, 48));
    painter.drawImage(picture, bufferImage());
    if (grid_) drawGridLines(painter, picture, factor);
}

void CKELVView::track(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    mouseToCell(position.x(), position.y());
    refreshStatus();
}

// A change the tool made reaches the document as one undo step.
void CKELVView::keep(bool changed) {
    if (changed) document_->commitEdit();
    update();
    refreshStatus();
    emit selectionChanged();  // what may be copied or turned now
}

void CKELVView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    // Qt keeps delivering the mouse to this widget while a button is held, even outside it.
    if (event->button() == Qt::LeftButton) {
        track(event);  // normally a move came first; a synthetic press need not have one
        leftButtonDown();
    } else if (event->button() == Qt::RightButton) {
        rightButtonDown(event->buttons() & Qt::LeftButton);
        emit selectionChanged();
    }
    update();
    refreshStatus();
}

void CKELVView::mouseMoveEvent(QMouseEvent* event) {
    track(event);
    mouseMoved(event->buttons() & Qt::LeftButton);
    update();
}

void CKELVView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) keep(leftButtonUp());
    if (event->button() == Qt::RightButton) keep(rightButtonUp());  // a click without a drag drops the brush
}

void CKELVView::leaveEvent(QEvent*) {
    if (editorState.stroke.active || editorState.anchorCol != -1) return;  // a drag goes on outside
    editorState.hoverShown = false;
    update();
}

void CKELVView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left: moveCursor(-1, 0); break;
        case Qt::Key_Right: moveCursor(1, 0); break;
        case Qt::Key_Up: moveCursor(0, -1); break;
        case Qt::Key_Down: moveCursor(0, 1); break;
        case Qt::Key_Space: return keep(paintAtCursor());
        case Qt::Key_Return:
        case Qt::Key_Enter: return keep(enterAtCursor());
        case Qt::Key_Escape: cancelSelection(); break;
        default: return QWidget::keyPressEvent(event);
    }
    keep(false);
}
