// CKELVView: the widget that shows the scene picture at a whole factor (square cells, centred,
// optionally with lines between the cells) and turns the mouse and the keyboard's cell cursor
// into editing. The rules of the tools are in editor/core; this class only hands them positions,
// buttons and keys, paints, and reports the status texts and the changes to keep.
#pragma once

#include <QWidget>

class CKELVDoc;

class CKELVView : public QWidget {
    Q_OBJECT
public:
    CKELVView(CKELVDoc* document, QWidget* parent);
    QSize sizeHint() const override { return {800, 600}; }
    // The picture as the user sees it, before scaling (for tests and screenshots).
    QImage picture() const;

    // 0 fits the largest whole factor into the view; 1 and up draw at that factor, with scroll
    // bars round the view when it does not fit.
    void setZoom(int zoom);
    int zoom() const { return zoom_; }
    int scale() const;
    void setGrid(bool shown);
    bool grid() const { return grid_; }
    // Tells the status bar where the cursor is and what the scene holds.
    void refreshStatus();

signals:
    void cursorText(const QString& text);
    void contentText(const QString& text);
    void selectionChanged();  // the shape, the unit or the selection may have changed

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void track(QMouseEvent* event);
    void keep(bool changed);
    CKELVDoc* document_;
    int zoom_ = 0;
    bool grid_ = false;
};
