// KELV's start-up sequence. The order matters to the user: each failure names the one file or
// facility that is missing, and the images are loaded before the bean texture so that a
// missing texture is reported only when every picture was found.
#include "editor/app/kelv_app.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>

#include "editor/app/autosave.h"
#include "editor/app/kelv_doc.h"
#include "editor/app/kelv_view.h"
#include "editor/app/main_frame.h"
#include "editor/app/prompts.h"
#include "editor/core/document_rules.h"
#include "editor/core/editor_state.h"
#include "render/cpu.h"

void nameApplication() {
    QApplication::setApplicationName("KELV");
    QApplication::setOrganizationName("Quillfern");
}

CKELVApp::CKELVApp() = default;

CKELVApp::~CKELVApp() {
    frame_.reset();
    releaseViewImages();
}

namespace {

// Messages centre on the window they belong to; until the desktop has placed the window, they
// would open at the screen's corner. A window that never shows within a second is not waited for.
void waitUntilShown(QWidget* window) {
    QElapsedTimer waited;
    waited.start();
    while (window->windowHandle() != nullptr && !window->windowHandle()->isExposed() &&
           waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool fail(const char* message) {
    editorPrompts.stop(nullptr, QString::fromLatin1(message));
    return false;
}

}  // namespace

bool CKELVApp::initInstance(const QStringList& arguments) {
    if (!processorSupported()) return fail("Require Pentium MMX CPU or higher!");
    setupViewDisplay();
    if (const char* failure = loadCellImages()) return fail(failure);
    resetScene();
    if (!showSceneBackground()) return fail("Failed to load background image!");
    if (!loadBeanTexture()) return fail("Failed to load texture file: bean.txm!");
    renderSceneView();
    frame_ = std::make_unique<CMainFrame>();
    frame_->document()->onNewDocument();
    // Room for the picture at twice its size, the usual way to work on a scene.
    frame_->resize(800, 600 + frame_->menuBar()->sizeHint().height() +
                            frame_->toolBar()->sizeHint().height() +
                            frame_->statusBar()->sizeHint().height());
    frame_->show();
    waitUntilShown(frame_.get());
    frame_->view()->setFocus();
    // A scene named on the command line is opened; without one the editor starts on a new scene.
    const QStringList files = arguments.mid(1);
    if (!files.isEmpty() &&
        !frame_->document()->openDocumentFile(QFileInfo(files.first()).absoluteFilePath()))
        return false;
    offerRecovery(frame_.get());
    return true;
}
