// The few places where KELV stops and asks or tells the user something: stop messages, the
// range messages of the properties dialog, warnings the user may go past, the save prompt
// before New, Open and Exit, and the file dialogs. They go through these replaceable functions so that the
// tests can answer them without a modal box blocking the event loop.
#pragma once

#include <QString>

class QDateTime;
class QWidget;

enum class SaveAnswer { Yes, No, Cancel };
enum class RecoverAnswer { Recover, Discard, Later };

struct EditorPrompts {
    void (*stop)(QWidget* parent, const QString& text) = nullptr;    // critical icon
    void (*warn)(QWidget* parent, const QString& text) = nullptr;    // exclamation icon
    void (*inform)(QWidget* parent, const QString& text) = nullptr;  // information icon
    // A warning the user may go past: true for `proceed` ("Save anyway"), false for Cancel.
    bool (*confirm)(QWidget* parent, const QString& text, const QString& proceed) = nullptr;
    SaveAnswer (*askSave)(QWidget* parent, const QString& title) = nullptr;
    // The file name chosen, or empty when the user cancelled.
    QString (*saveFileName)(QWidget* parent, const QString& proposed) = nullptr;
    QString (*openFileName)(QWidget* parent, const QString& folder) = nullptr;
    bool (*openDocument)(const QString& path) = nullptr;  // the help page, by the desktop
    // An autosave left by an editor that is no longer running: the document's name and when.
    RecoverAnswer (*askRecover)(QWidget* parent, const QString& title, const QDateTime& written) = nullptr;
};

// The real dialogs; installed by default.
EditorPrompts standardPrompts();
inline EditorPrompts editorPrompts = standardPrompts();

inline constexpr const char* kApplicationTitle = "Munch Trail Scene Editor";
inline constexpr const char* kSceneFilter = "Munch Trail Scene Files (*.qsn)";
