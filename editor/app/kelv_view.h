// CKELVView: the widget that shows the scene picture scaled to its whole area and turns the
// mouse into drawing actions. The rules of the tools are in editor/core; this class only hands
// them positions and buttons, paints, and reports the cursor text and committed actions.
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

signals:
    void cursorText(const QString& text);
    void selectionChanged();  // a right click may have dropped the shape or the unit

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void track(QMouseEvent* event);
    CKELVDoc* document_;
};
