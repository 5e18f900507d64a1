// Dialogs that answer in place of the engineer and note what the windows
// asked, told and which file dialogs they ran.
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

#include "ui/common/Dialogs.h"

namespace bxl::test {

struct FakeDialogs : ui::Dialogs {
    bool answer = true;  // the reply to every question: OK
    QStringList questions;
    std::vector<DefaultButton> defaults;  // the default button of each question
    QList<ui::ListQuestion> lists;        // questions with a list, also noted in `questions`
    QStringList told;                     // failures
    QStringList picked;                   // object names of the file dialogs run
    // The path each file dialog picks, by object name; none: cancelled.
    std::map<QString, QString> paths;
    // What the engineer types into a file dialog's note field.
    QString note;
    std::vector<ui::FileDialogSetup> dialogs;  // every file dialog run, as set up

    bool ask(QWidget*, const QString& text, DefaultButton defaultButton) override {
        questions << text;
        defaults.push_back(defaultButton);
        return answer;
    }
    bool askAboutList(QWidget* window, const ui::ListQuestion& question,
                      DefaultButton defaultButton) override {
        lists << question;
        return ask(window, question.text, defaultButton);
    }
    void tell(QWidget*, const QString& text) override { told << text; }
    QString pickPath(QWidget*, const ui::FileDialogSetup& dialog) override {
        const QString name = QString::fromLatin1(dialog.objectName);
        picked << name;
        dialogs.push_back(dialog);
        if (dialog.note != nullptr) *dialog.note = note;
        const auto found = paths.find(name);
        return found != paths.end() ? found->second : QString();
    }
};

}  // namespace bxl::test
