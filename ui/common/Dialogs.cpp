#include "ui/common/Dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace bxl::ui {

bool MessageBoxDialogs::ask(QWidget* window, const QString& text, DefaultButton defaultButton) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text,
                    QMessageBox::Ok | QMessageBox::Cancel, window);
    box.setDefaultButton(defaultButton == DefaultButton::Ok ? QMessageBox::Ok : QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

QDialog* makeListQuestionDialog(QWidget* window, const ListQuestion& question,
                                Dialogs::DefaultButton defaultButton) {
    auto* dialog = new QDialog(window);
    dialog->setObjectName(QStringLiteral("ListQuestion"));
    dialog->setWindowTitle(QStringLiteral("Warning"));

    auto* icon = new QLabel(dialog);
    const int iconSize = dialog->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, dialog);
    icon->setPixmap(
        dialog->style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, dialog).pixmap(iconSize));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QLabel(question.text, dialog);
    text->setObjectName(QStringLiteral("QuestionText"));
    text->setWordWrap(true);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(text, 1);

    auto* list = new QTreeWidget(dialog);
    list->setObjectName(QStringLiteral("QuestionList"));
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setColumnCount(static_cast<int>(std::max<qsizetype>(question.columns.size(), 1)));
    list->setHeaderLabels(question.columns);
    list->setHeaderHidden(question.columns.isEmpty());
    for (const QStringList& row : question.rows) new QTreeWidgetItem(list, row);
    if (question.rows.isEmpty()) {
        auto* none = new QTreeWidgetItem(list, QStringList{question.emptyText});
        none->setFirstColumnSpanned(true);
    }
    for (int c = 0; c < list->columnCount(); ++c) list->resizeColumnToContents(c);
    list->setMinimumSize(560, 180);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QPushButton* preferred = buttons->button(
        defaultButton == Dialogs::DefaultButton::Ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
    preferred->setDefault(true);
    preferred->setFocus();

    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(top);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    return dialog;
}

bool MessageBoxDialogs::askAboutList(QWidget* window, const ListQuestion& question,
                                     DefaultButton defaultButton) {
    const std::unique_ptr<QDialog> dialog(makeListQuestionDialog(window, question, defaultButton));
    return dialog->exec() == QDialog::Accepted;
}

void MessageBoxDialogs::tell(QWidget* window, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("ERROR"), text, QMessageBox::Ok, window);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

QFileDialog* makeFileDialog(QWidget* window, const FileDialogSetup& setup) {
    auto* dialog = new QFileDialog(window);
    dialog->setObjectName(QString::fromLatin1(setup.objectName));
    if (setup.title != nullptr) dialog->setWindowTitle(QString::fromLatin1(setup.title));
    if (setup.save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setOption(QFileDialog::DontConfirmOverwrite, !setup.confirmOverwrite);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    if (setup.nameFilter != nullptr) dialog->setNameFilter(QString::fromLatin1(setup.nameFilter));
    if (setup.defaultSuffix != nullptr) dialog->setDefaultSuffix(QString::fromLatin1(setup.defaultSuffix));
    if (!setup.shortcutFolder.isEmpty() && QFileInfo(setup.shortcutFolder).isDir())
        dialog->setSidebarUrls(dialog->sidebarUrls() << QUrl::fromLocalFile(setup.shortcutFolder));
    // With several kinds of file to choose from, a name typed without an
    // ending gets the ending of the kind chosen ("PDF document (*.pdf)").
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& filter) {
        const qsizetype star = filter.indexOf(QStringLiteral("(*."));
        if (star < 0) return;
        const qsizetype end = filter.indexOf(QLatin1Char(')'), star);
        const QString suffix = filter.mid(star + 3, end - star - 3);
        if (!suffix.isEmpty() && !suffix.contains(QLatin1Char(' '))) dialog->setDefaultSuffix(suffix);
    });
    if (setup.note != nullptr) {
        // The note field is a widget of the toolkit's own dialog, which a
        // desktop's native dialog would not show.
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        auto* grid = qobject_cast<QGridLayout*>(dialog->layout());
        auto* label = new QLabel(QStringLiteral("Note:"), dialog);
        auto* note = new QPlainTextEdit(*setup.note, dialog);
        note->setObjectName(QStringLiteral("ReportNote"));
        note->setPlaceholderText(QStringLiteral("What was done on this visit (optional)"));
        note->setTabChangesFocus(true);
        note->setFixedHeight(4 * note->fontMetrics().lineSpacing() + 12);
        label->setBuddy(note);
        if (grid != nullptr) {
            const int row = grid->rowCount();
            grid->addWidget(label, row, 0, Qt::AlignTop);
            grid->addWidget(note, row, 1, 1, grid->columnCount() - 1);
        } else if (dialog->layout() != nullptr) {
            dialog->layout()->addWidget(label);
            dialog->layout()->addWidget(note);
        }
        QString* target = setup.note;
        QObject::connect(note, &QPlainTextEdit::textChanged, dialog,
                         [note, target] { *target = note->toPlainText(); });
    }
    return dialog;
}

QString MessageBoxDialogs::pickPath(QWidget* window, const FileDialogSetup& setup) {
    const std::unique_ptr<QFileDialog> dialog(makeFileDialog(window, setup));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return dialog->selectedFiles().constFirst();
}

}  // namespace bxl::ui
