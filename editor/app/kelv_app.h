// CKELVApp: KELV's start-up. It runs the start-up steps in their fixed order (program folder,
// processor, view display, the five cell images, the background, the bean texture, a new
// scene, the first picture, the main window, the command line), stops at the first failure
// with that step's own message, and owns the main window afterwards.
#pragma once

#include <QStringList>
#include <memory>

class CMainFrame;

class CKELVApp {
public:
    CKELVApp();
    ~CKELVApp();
    // False when a step failed (its message has been shown) and the program must end.
    bool initInstance(const QStringList& arguments);
    CMainFrame* mainFrame() const { return frame_.get(); }

private:
    std::unique_ptr<CMainFrame> frame_;
};

// Whether the processor has the instructions the drawing code was written for.
bool processorSupported();
