// What the windows ask and tell the engineer, and the paths the file dialogs
// pick: one small interface, so that tests and tools answer in place of the
// modal message boxes and file dialogs. MessageBoxDialogs is the real one.
#pragma once

#include <QString>

class QWidget;

namespace bxl::ui {

// A file dialog as a window shows it.
struct FileDialogSetup {
    const char* objectName;            // "OpenDialog1", "SaveDialog1", ...
    const char* title = nullptr;       // none: the toolkit's own
    bool save = false;                 // a save dialog; else an open dialog for an existing file
    const char* nameFilter = nullptr;  // "CSV Excel (*.CSV)"; none: every file
    const char* defaultSuffix = nullptr;
    bool confirmOverwrite = true;  // a save dialog asks before replacing a file
};

class Dialogs {
public:
    enum class DefaultButton { Ok, Cancel };

    virtual ~Dialogs() = default;
    // A question: caption "Warning", OK and Cancel; true for OK. Enter
    // presses `defaultButton`.
    virtual bool ask(QWidget* window, const QString& text, DefaultButton defaultButton) = 0;
    // A failure: caption "ERROR", an OK button.
    virtual void tell(QWidget* window, const QString& text) = 0;
    // The path picked in the file dialog; empty when cancelled.
    virtual QString pickPath(QWidget* window, const FileDialogSetup& dialog) = 0;
};

// Modal QMessageBox and QFileDialog over the window that asks.
class MessageBoxDialogs : public Dialogs {
public:
    bool ask(QWidget* window, const QString& text, DefaultButton defaultButton) override;
    void tell(QWidget* window, const QString& text) override;
    QString pickPath(QWidget* window, const FileDialogSetup& dialog) override;
};

}  // namespace bxl::ui
