// "Save Log" and "Load Log" against files that are not plain log files: a
// named pipe, a folder, a save that fails half-way. The window reports the
// failure and keeps its chart; a failed save keeps the old file.
#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QPushButton>
#include <QTemporaryDir>

#include "model/log/DateTime.h"
#include "model/log/LogFile.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FileFaults.h"
#include "ui/log/Form3.h"
#include "ui/log/LogChart.h"

namespace {

struct LogWindow {
    bxl::ValueStore values;
    double now = bxl::dateTimeNumber(2024, 5, 17, 9, 30, 0, 0);
    bxl::test::FakeDialogs dialogs;
    TForm3 form{values, dialogs, nullptr, [this] { return now; }};
    QStringList& errors = dialogs.told;
    QString& savePath = dialogs.paths[QStringLiteral("SaveDialog1")];
    QString& openPath = dialogs.paths[QStringLiteral("OpenDialog1")];

    // A window that recorded two samples and saved them to `saved`.
    explicit LogWindow(const QString& saved) {
        form.show();
        form.ButtonStartClick();
        for (int i = 0; i < 11; ++i) {
            now += 1.0 / 86400.0;
            form.Timer1Timer();
        }
        form.ButtonStopClick();
        savePath = saved;
        click("ButtonSave");
    }
    void click(const char* name) { form.findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
    int points() const { return form.chart()->graph(0)->dataCount(); }
};

TEST(Form3Files, PipesAndFoldersAreRefusedAndTheChartStays) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    LogWindow w(dir.filePath(QStringLiteral("saved.LOG")));
    ASSERT_TRUE(w.errors.isEmpty());
    ASSERT_EQ(w.points(), 2);
    const std::vector<uint8_t> shown = bxl::encodeLogFile(w.form.logStore());

    bxl::test::TestFifo fifo(dir.filePath(QStringLiteral("pipe.LOG")).toStdString());
    ASSERT_TRUE(fifo.made());
    for (const QString& path : {QString::fromStdString(fifo.path()), dir.path()}) {
        w.errors.clear();
        w.openPath = path;
        w.click("ButtonLoad");
        EXPECT_EQ(w.errors, QStringList{QStringLiteral("Cannot read file.")}) << path.toStdString();
        w.errors.clear();
        w.savePath = path;
        w.click("ButtonSave");
        EXPECT_EQ(w.errors, QStringList{QStringLiteral("Cannot write to file.")}) << path.toStdString();
        EXPECT_EQ(bxl::encodeLogFile(w.form.logStore()), shown);
        EXPECT_EQ(w.points(), 2);
    }
}

TEST(Form3Files, AFailedSaveKeepsTheOldFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("trend.LOG"));
    const std::vector<uint8_t> old = bxl::encodeLogFile(bxl::LogStore{});
    ASSERT_TRUE(bxl::writeFileBytes(path.toStdString(), old));

    LogWindow w(QString{});  // two samples, not saved
    w.savePath = path;
    {
        const bxl::test::FileSizeLimit limit(100);  // the two samples take 268 bytes
        w.click("ButtonSave");
    }
    EXPECT_EQ(w.errors, QStringList{QStringLiteral("Cannot write to file.")});
    std::vector<uint8_t> back;
    ASSERT_TRUE(bxl::readFileBytes(path.toStdString(), back));
    EXPECT_EQ(back, old);
}

}  // namespace
