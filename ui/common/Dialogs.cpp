#include "ui/common/Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace bxl::ui {

bool MessageBoxDialogs::ask(QWidget* window, const QString& text, DefaultButton defaultButton) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text,
                    QMessageBox::Ok | QMessageBox::Cancel, window);
    box.setDefaultButton(defaultButton == DefaultButton::Ok ? QMessageBox::Ok : QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void MessageBoxDialogs::tell(QWidget* window, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("ERROR"), text, QMessageBox::Ok, window);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

QString MessageBoxDialogs::pickPath(QWidget* window, const FileDialogSetup& setup) {
    QFileDialog dialog(window);
    dialog.setObjectName(QString::fromLatin1(setup.objectName));
    if (setup.title != nullptr) dialog.setWindowTitle(QString::fromLatin1(setup.title));
    if (setup.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !setup.confirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (setup.nameFilter != nullptr) dialog.setNameFilter(QString::fromLatin1(setup.nameFilter));
    if (setup.defaultSuffix != nullptr) dialog.setDefaultSuffix(QString::fromLatin1(setup.defaultSuffix));
    // With several kinds of file to choose from, a name typed without an
    // ending gets the ending of the kind chosen ("PDF document (*.pdf)").
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        const qsizetype star = filter.indexOf(QStringLiteral("(*."));
        if (star < 0) return;
        const qsizetype end = filter.indexOf(QLatin1Char(')'), star);
        const QString suffix = filter.mid(star + 3, end - star - 3);
        if (!suffix.isEmpty() && !suffix.contains(QLatin1Char(' '))) dialog.setDefaultSuffix(suffix);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace bxl::ui
