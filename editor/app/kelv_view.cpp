// The view's Qt side: every paint renders the scene into the editor's 400 x 300 buffer and
// draws that buffer, seen as an RGB32 image (the same 0x00RRGGBB words), smoothly scaled over
// the widget. Every mouse event recomputes the cell under the mouse, updates the status text,
// feeds the tool and repaints the whole view, which also consumes the preview.
#include "editor/app/kelv_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "editor/app/kelv_doc.h"
#include "editor/core/editor_state.h"

namespace {

QImage bufferImage() {
    return QImage(reinterpret_cast<const uchar*>(viewDrawBuffer.pixels), kFrameWidth, kFrameHeight,
                  kFrameRowBytes, QImage::Format_RGB32);
}

}  // namespace

CKELVView::CKELVView(CKELVDoc* document, QWidget* parent) : QWidget(parent), document_(document) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers everything; no erasing first
    setMinimumSize(200, 150);
    setCursor(Qt::CrossCursor);
    connect(document_, &CKELVDoc::sceneChanged, this, qOverload<>(&QWidget::update));
}

QImage CKELVView::picture() const {
    return bufferImage().copy();
}

void CKELVView::paintEvent(QPaintEvent*) {
    renderSceneView();
    setViewScale(width(), height());
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), bufferImage());
}

void CKELVView::track(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    mouseToCell(position.x(), position.y());
    emit cursorText(QString::fromLatin1(statusText().c_str()));
}

void CKELVView::mousePressEvent(QMouseEvent* event) {
    // Qt keeps delivering the mouse to this widget while a button is held, even outside it.
    if (event->button() == Qt::LeftButton) {
        track(event);  // normally a move came first; a synthetic press need not have one
        leftButtonDown();
    } else if (event->button() == Qt::RightButton) {
        rightButtonDown(event->buttons() & Qt::LeftButton);
        emit selectionChanged();
    }
    update();
}

void CKELVView::mouseMoveEvent(QMouseEvent* event) {
    track(event);
    mouseMoved(event->buttons() & Qt::LeftButton);
    update();
}

void CKELVView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (leftButtonUp()) document_->commitEdit();
    update();
}
