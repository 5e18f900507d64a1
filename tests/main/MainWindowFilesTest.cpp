// "Load", "Save" and "EXCEL" against paths that are not plain files: a named
// pipe, a folder and a device. The window reports the failure, changes no
// value, and the pipe and folder stay what they were.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "model/ControlsFile.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FileFaults.h"
#include "tests/support/NullPort.h"
#include "ui/main/Form1.h"

namespace {

TEST(MainWindowFiles, PipesFoldersAndDevicesAreRefusedAndNothingChanges) {
    bxl::ValueStore store;
    bxl::BindingTable bindings;
    bxl::NullPort port;
    bxl::test::FakeDialogs dialogs;
    TForm1 form(store, bindings, port, dialogs);
    QStringList& errors = dialogs.told;
    // Every file dialog picks `path`.
    const auto choose = [&](const QString& path) {
        for (const char* dialog : {"OpenDialog1", "SaveDialog1", "SaveDialog2"})
            dialogs.paths[QString::fromLatin1(dialog)] = path;
    };
    form.show();
    for (int i = 0; i < bxl::kControlsCount; ++i) store.setCurrent(i, 7 * i + 1);
    form.refreshAllBindings();
    const bxl::Bytes before = bxl::encodeControlsFile(store);
    const QString firstField = form.valueField(0)->text();
    const auto click = [&](const char* name) {
        form.findChild<QPushButton*>(QString::fromLatin1(name))->click();
    };

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    bxl::test::TestFifo fifo(dir.filePath(QStringLiteral("pipe.ctl")).toStdString());
    ASSERT_TRUE(fifo.made());
    const QString pipe = QString::fromStdString(fifo.path());

    for (const QString& path : {pipe, dir.path(), QStringLiteral("/dev/zero")}) {
        errors.clear();
        choose(path);
        click("BitBtnLoad");
        EXPECT_EQ(errors, QStringList{QStringLiteral("Cannot read file.")}) << path.toStdString();
    }
    for (const QString& path : {pipe, dir.path()}) {
        errors.clear();
        choose(path);
        click("BitBtnSave");
        click("BitBtnExcel");
        EXPECT_EQ(errors, QStringList(2, QStringLiteral("Cannot write to file."))) << path.toStdString();
    }
    EXPECT_EQ(bxl::encodeControlsFile(store), before);
    EXPECT_EQ(form.valueField(0)->text(), firstField);
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.path().c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

}  // namespace
