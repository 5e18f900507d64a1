// The link monitor window as an engineer uses it: opened from the port
// dialog, rows and counters following the line, Pause, Clear and Save.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/ToolWindows.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakePort.h"

namespace {

using bxl::Frame;

class MonitorWindow : public ::testing::Test {
protected:
    MonitorWindow() {
        auto owned = std::make_unique<bxl::test::FakePort>(true);
        port = owned.get();
        windows = std::make_unique<bxl::ToolWindows>(std::move(owned), dialogs);
        windows->listPorts = [] { return std::vector<bxl::PortEntry>{}; };
    }
    void SetUp() override {
        // The test runs the ticks itself.
        in<QTimer>(&windows->form1, "Timer1")->stop();
        windows->form1.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&windows->form1));
    }
    template <typename T = QWidget>
    T* in(QWidget* window, const char* name) {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // One request and its answer, tick by tick, as the main window's timer runs them.
    void pollOnce(const Frame& answer) {
        windows->form1.Timer1Timer();
        port->deliver(answer);
        for (int i = 0; i < 2; ++i) windows->form1.Timer1Timer();
    }

    bxl::test::FakeDialogs dialogs;
    bxl::test::FakePort* port = nullptr;
    std::unique_ptr<bxl::ToolWindows> windows;
};

TEST_F(MonitorWindow, OpensFromThePortDialogAndFollowsTheLine) {
    bxl::ui::PortDialog& ports = windows->openPortDialog();
    QTest::mouseClick(in<QPushButton>(&ports, "openMonitor"), Qt::LeftButton);
    ASSERT_NE(windows->monitorWindow, nullptr);
    bxl::ui::LinkMonitorWindow* monitor = windows->monitorWindow.get();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(monitor));

    bxl::BlockValues values{};
    pollOnce(bxl::blockFrame(bxl::kCmdProcessReply, values));
    pollOnce({0x01, 0x02});  // a bad frame
    monitor->catchUp();
    const QStringList lines = in<QPlainTextEdit>(monitor, "monitorRows")->toPlainText().split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines[0].endsWith("PC > unit              3  0C  good  0C 00 47")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains("unit > PC            403  0D  good  0D 00 00 00"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[3].contains("unit > PC              2  01  bad   01 02")) << lines[3].toStdString();
    const QString counters = in<QLabel>(monitor, "monitorCounters")->text();
    EXPECT_TRUE(counters.startsWith("Requests 2    Good replies 1    Bad frames 1    Timeouts 0"))
        << counters.toStdString();

    // Pause: the rows stand still, the counters go on; Resume and Clear.
    auto* pause = in<QPushButton>(monitor, "monitorPause");
    QTest::mouseClick(pause, Qt::LeftButton);
    EXPECT_EQ(pause->text(), "Resume");
    pollOnce(bxl::blockFrame(bxl::kCmdProcessReply, values));
    monitor->catchUp();
    EXPECT_EQ(in<QPlainTextEdit>(monitor, "monitorRows")->toPlainText().split('\n').size(), lines.size());
    EXPECT_TRUE(in<QLabel>(monitor, "monitorCounters")->text().startsWith("Requests 3"));
    QTest::mouseClick(pause, Qt::LeftButton);
    EXPECT_EQ(pause->text(), "Pause");

    QTemporaryDir folder;
    const QString path = folder.filePath("line.txt");
    dialogs.paths["monitorSaveDialog"] = path;
    QTest::mouseClick(in<QPushButton>(monitor, "monitorSave"), Qt::LeftButton);
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(saved.readAll());
    EXPECT_TRUE(text.startsWith("requests 3, good replies 2, bad frames 1, timeouts 0"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("PC > unit              3  0C  good  0C 00 47"));

    QTest::mouseClick(in<QPushButton>(monitor, "monitorClear"), Qt::LeftButton);
    EXPECT_TRUE(in<QPlainTextEdit>(monitor, "monitorRows")->toPlainText().isEmpty());
    EXPECT_TRUE(in<QLabel>(monitor, "monitorCounters")->text().startsWith("Requests 0"));
}

}  // namespace
