// The whole tool, with its real serial adapter and timer, against
// bxl-unit-sim: a setting is stepped, sent, read back and shows as in the
// unit; the settings history and the service report tell the visit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <memory>

#include "app/ToolWindows.h"
#include "link/QtSerialPortAdapter.h"
#include "model/FileIo.h"
#include "model/ParamTable.h"
#include "model/SettingsHistory.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/SimulatedUnit.h"
#include "tests/support/WaitUntil.h"

namespace {

using bxl::test::waitUntil;

void click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton);
}

// The simulated unit on port 1 of a private data folder, and the tool's
// windows as the program wires them, the main window shown, active and
// polling. Questions are answered OK.
class MainWindowE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dataHome.isValid());
        ASSERT_TRUE(unit.start(dataHome.path(), 1)) << unit.problem().toStdString();
        windows = std::make_unique<bxl::ToolWindows>(std::make_unique<bxl::QtSerialPortAdapter>(), dialogs,
                                                     std::nullopt, historyFolder());
        TForm1& form = windows->form1;
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        info = form.findChild<QLabel*>("LabelInfo");
        get = form.findChild<QPushButton*>("BitBtnHaal");
        send = form.findChild<QPushButton*>("BitBtnZend");
        ASSERT_TRUE(info != nullptr && get != nullptr && send != nullptr);
        // Polling enables the buttons.
        ASSERT_TRUE(waitUntil([&] { return get->isEnabled(); }, 5000)) << info->text().toStdString();
    }
    void TearDown() override {
        if (windows != nullptr) windows->form1.close();
        windows.reset();
        unit.stop();
    }
    std::string historyFolder() const { return bxl::historyFolder(dataHome.path().toStdString(), ""); }
    int bindingOf(int menu, int item) const {
        const bxl::BindingTable& t = windows->bindings;
        for (int i = 0; i < t.used(); ++i) {
            const auto& r = bxl::kParamTable[t.at(i).row];
            if (r.menu == menu && r.item == item) return i;
        }
        ADD_FAILURE() << "no line M" << menu << "." << item;
        return 0;
    }
    // Get, and wait until the controls are in.
    void clickGetAndWait() {
        click(get);
        ASSERT_TRUE(waitUntil(
            [&] { return info->text() == QStringLiteral("Controls received from Brisaval XL"); }, 5000));
    }

    bxl::test::PrivateDataHome dataHome;
    bxl::test::SimulatedUnit unit;
    bxl::test::FakeDialogs dialogs;
    std::unique_ptr<bxl::ToolWindows> windows;
    QLabel* info = nullptr;
    QPushButton* get = nullptr;
    QPushButton* send = nullptr;
};

}  // namespace

TEST_F(MainWindowE2E, StepSendAndGetBack) {
    TForm1& form = windows->form1;
    bxl::ValueStore& store = windows->store;
    EXPECT_EQ(form.findChild<QLabel*>("LabelComOpen")->text(), QStringLiteral("Open"));

    click(get);
    ASSERT_TRUE(waitUntil([&] { return store.offline() == 0; }, 5000));
    const int b = bindingOf(2, 1);  // M02.01 "Supply air 1"
    QLineEdit* field = form.valueField(b);
    EXPECT_EQ(field->text(), QStringLiteral("5000 m3/h"));
    EXPECT_EQ(field->palette().color(QPalette::Text), QColor(0, 0, 0));

    // The engineer opens the page, clicks the field and steps it with "++".
    const bxl::MenuPage& page = bxl::kMenuPages[static_cast<std::size_t>(windows->bindings.at(b).page)];
    click(form.findChild<QPushButton*>(QString::fromLatin1(page.tabName) + QStringLiteral("Tab")));
    click(field);
    click(form.findChild<QPushButton*>("ButtonEditPP"));
    EXPECT_EQ(field->text(), QStringLiteral("5100 m3/h"));
    EXPECT_EQ(field->palette().color(QPalette::Text), QColor(255, 0, 0));

    ASSERT_TRUE(waitUntil([&] { return send->isEnabled(); }, 5000));
    click(send);
    // The echo confirms the value; a fresh read shows it black.
    ASSERT_TRUE(waitUntil([&] { return store.received(1) == 5100 && get->isEnabled(); }, 8000))
        << info->text().toStdString();
    clickGetAndWait();
    EXPECT_EQ(store.current(1), 5100);
    EXPECT_EQ(field->text(), QStringLiteral("5100 m3/h"));
    EXPECT_EQ(field->palette().color(QPalette::Text), QColor(0, 0, 0));
}

// The engineer's keys step a setting, Send writes it, a Get reads it back;
// the settings history holds the unit's value before the Send and the new
// one as read after it, and the service report lists the change.
TEST_F(MainWindowE2E, KeyStepSendTheHistoryAndTheReportTellTheVisit) {
    TForm1& form = windows->form1;
    bxl::ValueStore& store = windows->store;
    bxl::SettingsHistory history(historyFolder());
    const auto supplyAir = [](const bxl::HistoryFile& file) {
        const auto bytes = bxl::readFilePrefix(file.path, bxl::kControlsFileSize);
        const auto controls = bytes ? bxl::decodeControlsFile(*bytes) : std::nullopt;
        return controls ? (*controls)[1] : -1;
    };

    clickGetAndWait();
    const int b = bindingOf(2, 1);  // M02.01 "Supply air 1"
    QLineEdit* field = form.valueField(b);
    form.showBinding(b);
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_PageUp);
    EXPECT_EQ(field->text(), QStringLiteral("5100 m3/h"));

    ASSERT_TRUE(waitUntil([&] { return send->isEnabled(); }, 5000));
    QTest::mouseClick(send, Qt::LeftButton);
    ASSERT_EQ(dialogs.lists.size(), 1);
    EXPECT_EQ(dialogs.lists[0].rows.value(0).join('|'),
              QStringLiteral("M02.01|Supply air 1|5000 m3/h|5100 m3/h"));
    ASSERT_TRUE(waitUntil([&] { return store.received(1) == 5100 && get->isEnabled(); }, 8000))
        << info->text().toStdString();
    clickGetAndWait();

    const auto before = history.newest(bxl::HistoryKind::BeforeSend);
    ASSERT_TRUE(before);
    EXPECT_EQ(supplyAir(*before), 5000);
    const std::vector<bxl::HistoryFile> files = history.files();
    ASSERT_EQ(files.size(), 3u) << "one read, the unit before the Send, one read after it";
    EXPECT_EQ(files.back().kind, bxl::HistoryKind::Received);
    EXPECT_EQ(supplyAir(files.back()), 5100);
    EXPECT_EQ(supplyAir(files.front()), 5000);
    EXPECT_TRUE(history.problem().empty()) << history.problem();

    // Ctrl+P: the report of the visit, with the change from as found to as left.
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QString report = dataHome.path() + QStringLiteral("/visit.pdf");
    dialogs.paths[QStringLiteral("SaveDialogReport")] = report;
    auto* reportButton = form.findChild<QPushButton*>("reportButton");
    ASSERT_NE(reportButton, nullptr);
    QSignalSpy clicked(reportButton, &QPushButton::clicked);
    QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(clicked.count() == 1 || clicked.wait(2000));
    EXPECT_TRUE(dialogs.told.isEmpty()) << dialogs.told.join('\n').toStdString();
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), report, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const QRegularExpression change(QStringLiteral("M02\\.01 +Supply air 1 +5000 m3/h +5100 m3/h"));
    EXPECT_TRUE(text.contains(change)) << text.toStdString();
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
