// The whole main window, with its real serial adapter and timer, against
// bxl-unit-sim: a setting is stepped, sent, read back and shows as in the unit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "link/QtSerialPortAdapter.h"
#include "model/FileIo.h"
#include "model/ParamTable.h"
#include "model/SettingsHistory.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/SimulatedUnit.h"
#include "tests/support/WaitUntil.h"
#include "ui/main/Form1.h"

namespace {

using bxl::test::waitUntil;

int bindingOf(const bxl::BindingTable& t, int menu, int item) {
    for (int i = 0; i < t.used(); ++i) {
        const auto& r = bxl::kParamTable[t.at(i).row];
        if (r.menu == menu && r.item == item) return i;
    }
    return -1;
}

void click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton);
}

}  // namespace

TEST(MainWindowE2E, StepSendAndGetBack) {
    bxl::test::PrivateDataHome dataHome;
    ASSERT_TRUE(dataHome.isValid());
    bxl::test::SimulatedUnit unit;
    ASSERT_TRUE(unit.start(dataHome.path(), 1)) << unit.problem().toStdString();

    bxl::ValueStore store;
    bxl::BindingTable bindings;
    bxl::QtSerialPortAdapter port;
    {
        bxl::test::FakeDialogs dialogs;  // "Send" is answered OK
        TForm1 form(store, bindings, port, dialogs);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        auto* info = form.findChild<QLabel*>("LabelInfo");
        auto* get = form.findChild<QPushButton*>("BitBtnHaal");
        auto* send = form.findChild<QPushButton*>("BitBtnZend");
        ASSERT_TRUE(form.findChild<QLabel*>("LabelComOpen") != nullptr);

        // Polling enables the buttons; the fields show live values in grey.
        ASSERT_TRUE(waitUntil([&] { return get->isEnabled(); }, 5000)) << info->text().toStdString();
        EXPECT_EQ(form.findChild<QLabel*>("LabelComOpen")->text(), QStringLiteral("Open"));

        click(get);
        ASSERT_TRUE(waitUntil([&] { return store.offline() == 0; }, 5000));
        const int b = bindingOf(bindings, 2, 1);  // M02.01 "Supply air 1"
        QLineEdit* field = form.valueField(b);
        EXPECT_EQ(field->text(), QStringLiteral("5000 m3/h"));
        EXPECT_EQ(field->palette().color(QPalette::Text), QColor(0, 0, 0));

        // The engineer opens the page, clicks the field and steps it with "++".
        const bxl::MenuPage& page = bxl::kMenuPages[static_cast<std::size_t>(bindings.at(b).page)];
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
        click(get);
        ASSERT_TRUE(waitUntil(
            [&] { return info->text() == QStringLiteral("Controls received from Brisaval XL"); }, 5000));
        EXPECT_EQ(store.current(1), 5100);
        EXPECT_EQ(field->text(), QStringLiteral("5100 m3/h"));
        EXPECT_EQ(field->palette().color(QPalette::Text), QColor(0, 0, 0));
        form.close();
    }
    unit.stop();
}

// The engineer's keys step a setting, Send writes it, a Get reads it back;
// the settings history holds the unit's value before the Send and the new
// one as read after it.
TEST(MainWindowE2E, KeyStepSendAndTheHistoryKeepsBeforeAndAfter) {
    bxl::test::PrivateDataHome dataHome;
    ASSERT_TRUE(dataHome.isValid());
    bxl::test::SimulatedUnit unit;
    ASSERT_TRUE(unit.start(dataHome.path(), 1)) << unit.problem().toStdString();

    bxl::ValueStore store;
    bxl::BindingTable bindings;
    bxl::QtSerialPortAdapter port;
    bxl::SettingsHistory history(bxl::historyFolder(dataHome.path().toStdString(), ""));
    const auto supplyAir = [](const bxl::HistoryFile& file) {
        const auto bytes = bxl::readFilePrefix(file.path, bxl::kControlsFileSize);
        const auto controls = bytes ? bxl::decodeControlsFile(*bytes) : std::nullopt;
        return controls ? (*controls)[1] : -1;
    };
    {
        bxl::test::FakeDialogs dialogs;  // "Send" is answered OK
        TForm1 form(store, bindings, port, dialogs);
        form.setHistory(&history);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        auto* info = form.findChild<QLabel*>("LabelInfo");
        auto* get = form.findChild<QPushButton*>("BitBtnHaal");
        auto* send = form.findChild<QPushButton*>("BitBtnZend");

        ASSERT_TRUE(waitUntil([&] { return get->isEnabled(); }, 5000)) << info->text().toStdString();
        QTest::mouseClick(get, Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return store.offline() == 0; }, 5000));
        const int b = bindingOf(bindings, 2, 1);  // M02.01 "Supply air 1"
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
        QTest::mouseClick(get, Qt::LeftButton);
        ASSERT_TRUE(waitUntil(
            [&] { return info->text() == QStringLiteral("Controls received from Brisaval XL"); }, 5000));
        form.close();
    }
    unit.stop();

    const auto before = history.newest(bxl::HistoryKind::BeforeSend);
    ASSERT_TRUE(before);
    EXPECT_EQ(supplyAir(*before), 5000);
    const std::vector<bxl::HistoryFile> files = history.files();
    ASSERT_EQ(files.size(), 3u) << "one read, the unit before the Send, one read after it";
    EXPECT_EQ(files.back().kind, bxl::HistoryKind::Received);
    EXPECT_EQ(supplyAir(files.back()), 5100);
    EXPECT_EQ(supplyAir(files.front()), 5000);
    EXPECT_TRUE(history.problem().empty()) << history.problem();
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
