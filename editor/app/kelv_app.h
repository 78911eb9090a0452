// CKELVApp: KELV's start-up. It runs the start-up steps in their fixed order (processor, view
// display, the five cell images, a new scene and its background, the bean texture, the first
// picture, the main window, the command line), stops at the first failure with that step's own
// message, and owns the main window afterwards.
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

// The names Qt knows the program by. No display name: Qt would add it to every window title,
// the dialogs' included, and the main window puts the program's name into its own title.
void nameApplication();
