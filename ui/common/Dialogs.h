// What the windows ask and tell the engineer, and the paths the file dialogs
// pick: one small interface, so that tests and tools answer in place of the
// modal message boxes and file dialogs. MessageBoxDialogs is the real one.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QDialog;
class QFileDialog;
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
    QString shortcutFolder = {};   // offered beside the usual places (the settings history)
    // A save dialog with a field "Note:" under the file name (object
    // "ReportNote"): it starts with this text and the engineer's text is
    // written back here. None: no note field.
    QString* note = nullptr;
};

// A question with the list of what it concerns under its text: one row a
// line, in columns; `emptyText` stands in the list when it has no rows.
struct ListQuestion {
    QString text;
    QStringList columns;
    QList<QStringList> rows;
    QString emptyText;
};

class Dialogs {
public:
    enum class DefaultButton { Ok, Cancel };

    virtual ~Dialogs() = default;
    // A question: caption "Warning", OK and Cancel; true for OK. Enter
    // presses `defaultButton`.
    virtual bool ask(QWidget* window, const QString& text, DefaultButton defaultButton) = 0;
    // The same question with a list under its text (a list that does not
    // fit scrolls); true for OK. Answerers that need no list take it as the
    // plain question.
    virtual bool askAboutList(QWidget* window, const ListQuestion& question, DefaultButton defaultButton) {
        return ask(window, question.text, defaultButton);
    }
    // A failure: caption "ERROR", an OK button.
    virtual void tell(QWidget* window, const QString& text) = 0;
    // The path picked in the file dialog; empty when cancelled.
    virtual QString pickPath(QWidget* window, const FileDialogSetup& dialog) = 0;
};

// Modal QMessageBox and QFileDialog over the window that asks.
class MessageBoxDialogs : public Dialogs {
public:
    bool ask(QWidget* window, const QString& text, DefaultButton defaultButton) override;
    bool askAboutList(QWidget* window, const ListQuestion& question, DefaultButton defaultButton) override;
    void tell(QWidget* window, const QString& text) override;
    QString pickPath(QWidget* window, const FileDialogSetup& dialog) override;
};

// The dialog askAboutList() runs, built but not shown: caption "Warning",
// the warning icon, the text, the list "QuestionList" and the buttons OK and
// Cancel.
QDialog* makeListQuestionDialog(QWidget* window, const ListQuestion& question,
                                Dialogs::DefaultButton defaultButton);
// The file dialog pickPath() runs, built but not shown.
QFileDialog* makeFileDialog(QWidget* window, const FileDialogSetup& setup);

}  // namespace bxl::ui
