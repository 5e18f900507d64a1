// The service report as the engineer asks for it: "Report" or Ctrl+P, the
// save dialog with its note field, the PDF written where they chose, and a
// failure to write said as the other writers say it.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <memory>

#include "tests/support/ShownTool.h"
#include "ui/common/UiCommon.h"

namespace {

class ServiceReport : public bxl::test::ShownTool {
protected:
    QString reportPath() const { return bxl::ui::fromLocalPath(temp.file("visit.pdf")); }
    // The text of a PDF as pdftotext reads it.
    static QString pdfText(const QString& path) {
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        if (!pdftotext.waitForFinished(30000)) return {};
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    }
};

}  // namespace

TEST_F(ServiceReport, ButtonAndKeyAskForAPdfAndWriteTheReportWithTheNote) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    auto* button = child<QPushButton>(&form, "reportButton");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolTip(), QStringLiteral("Service report... (Ctrl+P)"));

    // Cancelled: nothing written, nothing said.
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(dialogs.dialogs.size(), 1u);
    const bxl::ui::FileDialogSetup& asked = dialogs.dialogs[0];
    EXPECT_STREQ(asked.objectName, "SaveDialogReport");
    EXPECT_STREQ(asked.title, "Save service report:");
    EXPECT_TRUE(asked.save);
    EXPECT_TRUE(asked.confirmOverwrite);
    EXPECT_STREQ(asked.nameFilter, "PDF (*.pdf)");
    EXPECT_STREQ(asked.defaultSuffix, "pdf");
    EXPECT_FALSE(QFile::exists(reportPath()));
    EXPECT_TRUE(dialogs.told.isEmpty());

    // Ctrl+P, a note typed and a file picked: the report is there, note and all.
    setAsReceived(1, 5000);  // M02.01 Supply air 1
    dialogs.paths[QStringLiteral("SaveDialogReport")] = reportPath();
    dialogs.note = QStringLiteral("Supply filter replaced");
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
    // The key presses the button visibly: the click follows a moment later.
    EXPECT_TRUE(clicked.count() == 1 || clicked.wait(2000));
    ASSERT_EQ(dialogs.dialogs.size(), 2u);
    EXPECT_TRUE(dialogs.told.isEmpty()) << dialogs.told.join(QLatin1Char('\n')).toStdString();
    const QString text = pdfText(reportPath());
    EXPECT_TRUE(text.contains(QStringLiteral("Supply filter replaced"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("M02.01"))) << text.toStdString();
}

TEST_F(ServiceReport, AFileThatCannotBeWrittenIsSaid) {
    dialogs.paths[QStringLiteral("SaveDialogReport")] =
        bxl::ui::fromLocalPath(temp.file("no-such-folder/visit.pdf"));
    QTest::mouseClick(child<QPushButton>(&form, "reportButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.told, QStringList{QStringLiteral("Cannot write to file.")});
}

// The real save dialog carries the note field, and what is typed there is
// what the report gets.
TEST_F(ServiceReport, TheSaveDialogHasANoteField) {
    QString note;
    bxl::ui::FileDialogSetup setup{"SaveDialogReport", "Save service report:", true, "PDF (*.pdf)", "pdf"};
    setup.note = &note;
    const std::unique_ptr<QFileDialog> dialog(bxl::ui::makeFileDialog(&form, setup));
    dialog->show();
    activate(dialog.get());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Save service report:"));
    auto* field = child<QPlainTextEdit>(dialog.get(), "ReportNote");
    ASSERT_NE(field, nullptr);
    EXPECT_TRUE(field->isVisible());
    QTest::mouseClick(field->viewport(), Qt::LeftButton);
    QTest::keyClicks(field, QStringLiteral("Fan belts checked"));
    EXPECT_EQ(note, QStringLiteral("Fan belts checked"));
    dialog->reject();
}
