// Knowing what changes before it reaches the unit: the list under Send's
// question, the compare window, the settings history as the window keeps
// it, the editor's keys, the command buttons' keys and captions that fit.
// A shown, active window with real clicks and keys, as the engineer uses it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <memory>
#include <string>

#include "app/ToolWindows.h"
#include "model/ControlsFile.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "model/ParamTable.h"
#include "model/SettingsHistory.h"
#include "tests/support/ShownTool.h"
#include "ui/common/UiCommon.h"
#include "ui/main/PageControl.h"

namespace {

class Review : public bxl::test::ShownTool {
protected:
    int indexOf(int binding) const { return bindings.at(binding).valueIndex; }
    void clickField(int binding) {
        form.showBinding(binding);
        QTest::mouseClick(form.valueField(binding), Qt::LeftButton);
    }
    void clickSend() {
        form.enableTransferButtons(true);
        QTest::mouseClick(child<QPushButton>(&form, "BitBtnZend"), Qt::LeftButton);
    }
    std::string controlsFile(const char* name, std::initializer_list<std::pair<int, int32_t>> values) {
        bxl::ValueStore s;
        for (const auto& [index, v] : values) s.setCurrent(index, v);
        const bxl::Bytes bytes = bxl::encodeControlsFile(s);
        const std::string path = temp.file(name);
        EXPECT_TRUE(bxl::writeFileSafely(path, bytes));
        return path;
    }
};

QStringList rowsOf(const bxl::ui::ListQuestion& q) {
    QStringList out;
    for (const QStringList& row : q.rows) out << row.join(QLatin1Char('|'));
    return out;
}

// The lines of the compare window's list: page captions, then "code|name|left|right".
QStringList linesOf(QTreeWidget* list) {
    QStringList out;
    for (int p = 0; p < list->topLevelItemCount(); ++p) {
        QTreeWidgetItem* page = list->topLevelItem(p);
        out << page->text(0);
        for (int c = 0; c < page->childCount(); ++c) {
            QStringList cells;
            for (int col = 0; col < 4; ++col) cells << page->child(c)->text(col);
            out << cells.join(QLatin1Char('|'));
        }
    }
    return out;
}

}  // namespace

TEST_F(Review, SendListsEveryChangedLineAndCancelWritesNothing) {
    setAsReceived(1, 5000);  // M02.01 Supply air 1
    setAsReceived(431, 0);   // M20 "Save parameters on SD card", a process value
    form.refreshAllBindings();

    // Nothing differs: the question says so.
    dialogs.answer = false;
    clickSend();
    ASSERT_EQ(dialogs.lists.size(), 1);
    EXPECT_EQ(dialogs.lists[0].text, QStringLiteral("Sending data from PC to Brisaval XL, sure to do this?"));
    EXPECT_TRUE(dialogs.lists[0].rows.isEmpty());
    EXPECT_EQ(dialogs.lists[0].emptyText, QStringLiteral("nothing to send"));

    // A control stepped with the panel and a process value stepped too.
    clickField(bindingOf(2, 1));
    QTest::mouseClick(child<QPushButton>(&form, "ButtonEditPP"), Qt::LeftButton);
    const int save = bindings.findByValueIndex(431);
    clickField(save);
    QTest::mouseClick(child<QPushButton>(&form, "ButtonEditP"), Qt::LeftButton);
    const auto& saveRow = bxl::kParamTable[bindings.at(save).row];
    clickSend();
    ASSERT_EQ(dialogs.lists.size(), 2);
    const QString saveLine = QStringLiteral("M%1.%2|%3|%4|%5")
                                 .arg(saveRow.menu, 2, 10, QLatin1Char('0'))
                                 .arg(saveRow.item, 2, 10, QLatin1Char('0'))
                                 .arg(bxl::ui::toDisplayText(saveRow.name))
                                 .arg(bxl::ui::toDisplayText(bxl::formatValue(bindings.at(save).row, 0)))
                                 .arg(bxl::ui::toDisplayText(bxl::formatValue(bindings.at(save).row, 1)));
    EXPECT_EQ(rowsOf(dialogs.lists[1]), (QStringList{"M02.01|Supply air 1|5000 m3/h|5100 m3/h", saveLine}));
    EXPECT_EQ(dialogs.lists[1].columns.size(), 4);
    // Cancelled: the editor stays, the Send did not start.
    EXPECT_NE(form.selectedBinding(), -1);
    EXPECT_TRUE(child<QPushButton>(&form, "BitBtnZend")->isEnabled());
    EXPECT_EQ(store.current(1), 5100);
}

TEST(ListQuestionDialog, ShowsTheQuestionItsButtonsAndAListThatScrolls) {
    bxl::ui::ListQuestion q{QStringLiteral("Sending data from PC to Brisaval XL, sure to do this?"),
                            {QStringLiteral("Menu line"), QStringLiteral("Name"),
                             QStringLiteral("In the unit"), QStringLiteral("New value")},
                            {},
                            QStringLiteral("nothing to send")};
    for (int i = 1; i <= 60; ++i)
        q.rows.append({QStringLiteral("M02.%1").arg(i), QStringLiteral("Line"), QStringLiteral("1"),
                       QStringLiteral("2")});
    std::unique_ptr<QDialog> dialog(
        bxl::ui::makeListQuestionDialog(nullptr, q, bxl::ui::Dialogs::DefaultButton::Ok));
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Warning"));
    EXPECT_EQ(dialog->findChild<QLabel*>("QuestionText")->text(), q.text);
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_TRUE(buttons->button(QDialogButtonBox::Ok)->isDefault());
    auto* list = dialog->findChild<QTreeWidget*>("QuestionList");
    EXPECT_EQ(list->topLevelItemCount(), 60);
    EXPECT_GT(list->verticalScrollBar()->maximum(), 0);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);

    q.rows.clear();
    std::unique_ptr<QDialog> empty(
        bxl::ui::makeListQuestionDialog(nullptr, q, bxl::ui::Dialogs::DefaultButton::Ok));
    auto* none = empty->findChild<QTreeWidget*>("QuestionList");
    ASSERT_EQ(none->topLevelItemCount(), 1);
    EXPECT_EQ(none->topLevelItem(0)->text(0), QStringLiteral("nothing to send"));
}

// Each key steps as the panel's button for it does, rules for times and
// dates included.
TEST_F(Review, EditorKeysStepAsTheirButtons) {
    const struct {
        int menu, item;
        int32_t start;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* button;
        int32_t expected;
    } cases[] = {
        {2, 1, 5000, Qt::Key_Up, Qt::NoModifier, "ButtonEditP", 5010},
        {2, 1, 5000, Qt::Key_Plus, Qt::NoModifier, "ButtonEditP", 5010},
        {2, 1, 5000, Qt::Key_Down, Qt::NoModifier, "ButtonEditM", 4990},
        {2, 1, 5000, Qt::Key_Minus, Qt::NoModifier, "ButtonEditM", 4990},
        {2, 1, 5000, Qt::Key_PageUp, Qt::NoModifier, "ButtonEditPP", 5100},
        {2, 1, 5000, Qt::Key_PageDown, Qt::NoModifier, "ButtonEditMM", 4900},
        {2, 1, 5000, Qt::Key_PageUp, Qt::ShiftModifier, "ButtonEditPPP", 6000},
        {2, 1, 5000, Qt::Key_PageDown, Qt::ShiftModifier, "ButtonEditMMM", 4000},
        {60, 11, 600, Qt::Key_PageUp, Qt::ShiftModifier, "ButtonEditPPP", 660},  // a time: one hour
        {60, 11, 1430, Qt::Key_PageUp, Qt::ShiftModifier, "ButtonEditPPP", 1439},
        {60, 2, 1000, Qt::Key_PageUp, Qt::NoModifier, "ButtonEditPP", 1030},  // a date: a month
        {60, 2, 1000, Qt::Key_PageDown, Qt::ShiftModifier, "ButtonEditMMM", 635},
    };
    for (const auto& c : cases) {
        const int binding = bindingOf(c.menu, c.item);
        const int index = indexOf(binding);
        SCOPED_TRACE(testing::Message() << "M" << c.menu << "." << c.item << ", key " << c.key << " with "
                                        << c.modifiers.toInt());
        setAsReceived(index, c.start);
        clickField(binding);
        QTest::keyClick(form.valueField(binding), c.key, c.modifiers);
        EXPECT_EQ(store.current(index), c.expected);
        const QString byKey = form.valueField(binding)->text();

        setAsReceived(index, c.start);
        QTest::mouseClick(child<QPushButton>(&form, c.button), Qt::LeftButton);
        EXPECT_EQ(store.current(index), c.expected);
        EXPECT_EQ(form.valueField(binding)->text(), byKey);
        EXPECT_EQ(form.selectedBinding(), binding);
    }
}

TEST_F(Review, EscapeClosesTheEditorAndKeysStepNothingWithoutIt) {
    const int supply = bindingOf(2, 1);
    setAsReceived(1, 5000);
    clickField(supply);
    QTest::keyClick(form.valueField(supply), Qt::Key_Escape);
    EXPECT_EQ(form.selectedBinding(), -1);
    EXPECT_TRUE(child(&form, "PanelEdit")->isHidden());
    QTest::keyClick(form.valueField(supply), Qt::Key_Up);
    EXPECT_EQ(store.current(1), 5000);

    // A measurement line opens no editor: its keys change nothing either.
    const int measured = bindingOf(1, 1);
    clickField(measured);
    const int32_t before = store.current(indexOf(measured));
    QTest::keyClick(form.valueField(measured), Qt::Key_PageUp);
    EXPECT_EQ(store.current(indexOf(measured)), before);

    // Tab still moves on to the next field, and opens the editor there.
    clickField(supply);
    QTest::keyClick(form.valueField(supply), Qt::Key_Tab);
    EXPECT_EQ(form.selectedBinding(), bindingOf(2, 2));
}

TEST_F(Review, CommandButtonsHaveKeysShownInTheirTooltips) {
    const struct {
        const char* name;
        const char* tip;
        Qt::Key key;
    } cases[] = {
        {"BitBtnHaal", "Get (Alt+G)", Qt::Key_G},        {"BitBtnZend", "Send (Alt+S)", Qt::Key_S},
        {"BitBtnWHRBDA", "Overview (Alt+O)", Qt::Key_O}, {"BitBtnLog", "Log (Alt+L)", Qt::Key_L},
        {"BitBtnLoad", "Load (Alt+A)", Qt::Key_A},       {"BitBtnSave", "Save (Alt+V)", Qt::Key_V},
        {"BitBtnGraph", "Graph (Alt+R)", Qt::Key_R},     {"BitBtnExcel", "EXCEL (Alt+E)", Qt::Key_E},
    };
    dialogs.answer = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form.enableTransferButtons(true);
        auto* button = child<QPushButton>(&form, c.name);
        EXPECT_EQ(button->toolTip(), QString::fromLatin1(c.tip));
        EXPECT_EQ(button->text().contains(QLatin1Char('&')), false);  // the caption is unchanged
        QSignalSpy clicked(button, &QPushButton::clicked);
        activate(&form);
        QTest::keyClick(&form, c.key, Qt::AltModifier);
        // A button's key presses it visibly: the click follows a moment later.
        EXPECT_TRUE(clicked.count() == 1 || clicked.wait(2000));
        EXPECT_EQ(clicked.count(), 1);
    }
}

TEST_F(Review, EveryCaptionShowsWhole) {
    int checked = 0;
    for (int i = 0; i < bindings.used(); ++i) {
        QLabel* caption = form.captionLabel(i);
        const int width = caption->fontMetrics().horizontalAdvance(caption->text());
        EXPECT_LE(width, caption->width()) << caption->text().toStdString();
        EXPECT_LE(caption->geometry().right(), form.valueField(i)->x()) << caption->text().toStdString();
        ++checked;
    }
    EXPECT_EQ(checked, bindings.used());
    EXPECT_GT(checked, 200);
}

TEST_F(Review, CompareButtonOpensTheCompareWindow) {
    auto* button = child<QPushButton>(&form, "compareButton");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolTip(), QStringLiteral("Compare (Alt+C)"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(windows.compare.isVisible());
}

TEST_F(Review, AltMOpensTheLinkMonitor) {
    QTest::keyClick(&form, Qt::Key_M, Qt::AltModifier);
    ASSERT_NE(windows.monitorWindow, nullptr);
    EXPECT_TRUE(windows.monitorWindow->isVisible());
}

TEST_F(Review, CompareTwoFilesClickALineAndExportTheDifferences) {
    const std::string a = controlsFile("a.bxl", {{1, 5000}, {117, 600}, {20, 1}});
    const std::string b = controlsFile("b.bxl", {{1, 5100}, {117, 615}, {20, 1}});
    dialogs.paths[QStringLiteral("CompareDialog")] = QString::fromStdString(a);
    QTest::keyClick(&form, Qt::Key_C, Qt::AltModifier);
    bxl::ui::CompareWindow& compare = windows.compare;
    ASSERT_TRUE(compare.isVisible());
    activate(&compare);

    auto* left = child<QComboBox>(&compare, "SideA");
    auto* right = child<QComboBox>(&compare, "SideB");
    left->setFocus();
    QTest::keyClick(left, Qt::Key_End);  // "Controls file..."
    dialogs.paths[QStringLiteral("CompareDialog")] = QString::fromStdString(b);
    right->setFocus();
    QTest::keyClick(right, Qt::Key_End);
    EXPECT_EQ(dialogs.picked, (QStringList{"CompareDialog", "CompareDialog"}));

    auto* list = child<QTreeWidget>(&compare, "Differences");
    EXPECT_EQ(list->headerItem()->text(2), QStringLiteral("a.bxl"));
    EXPECT_EQ(list->headerItem()->text(3), QStringLiteral("b.bxl"));
    EXPECT_EQ(linesOf(list), (QStringList{"M02 Ventilation", "M02.01|Supply air 1|5000 m3/h|5100 m3/h",
                                          "M60 Time clock", "M60.11|Selectclock 1-Time|10:00|10:15"}));

    // A click on a line shows it in the main window.
    QTreeWidgetItem* clock = list->topLevelItem(1)->child(0);
    list->scrollToItem(clock);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(clock).center());
    const int clockLine = bindingOf(60, 11);
    EXPECT_EQ(form.findChild<bxl::ui::PageControl*>("PageControl1")->currentIndex(),
              bindings.at(clockLine).page);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return QApplication::focusWidget() == form.valueField(clockLine); }, 2000));
    EXPECT_EQ(form.selectedBinding(), -1);

    dialogs.paths[QStringLiteral("SaveDialogCompare")] = QString::fromStdString(temp.file("diff.csv"));
    activate(&compare);
    QTest::mouseClick(child<QPushButton>(&compare, "ExportDifferences"), Qt::LeftButton);
    const auto csv = bxl::readFilePrefix(temp.file("diff.csv"), 1000);
    ASSERT_TRUE(csv);
    EXPECT_EQ(std::string(csv->begin(), csv->end()),
              "\"M02-01\",\"Supply air 1\",\"5000 m3/h\",\"5100 m3/h\"\r\n"
              "\"M60-11\",\"Selectclock 1-Time\",\"10:00\",\"10:15\"\r\n");
    EXPECT_TRUE(dialogs.told.isEmpty()) << dialogs.told.join(' ').toStdString();
}

TEST_F(Review, CompareTheUnitWithAFileAndRefuseBadFiles) {
    setAsReceived(1, 5000);
    setAsReceived(300, 42);  // a process value: a controls file has none to compare
    const std::string file = controlsFile("site.bxl", {{1, 5200}});
    bxl::ui::CompareWindow& compare = windows.compare;
    compare.show();
    ASSERT_TRUE(compare.setSide(1, bxl::ui::CompareWindow::Source::File, QString::fromStdString(file)));
    auto* list = child<QTreeWidget>(&compare, "Differences");
    QStringList lines = linesOf(list);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("M02 Ventilation"));
    EXPECT_EQ(lines[1], QStringLiteral("M02.01|Supply air 1|5000 m3/h|5200 m3/h"));
    for (const bxl::LineDifference& d : compare.differences()) EXPECT_LT(d.valueIndex, bxl::kControlsCount);

    // A file that is no controls file is refused and the side keeps its file.
    std::vector<uint8_t> bad(bxl::kControlsFileSize, 1);
    ASSERT_TRUE(bxl::writeFileSafely(temp.file("bad.bxl"), bad));
    EXPECT_FALSE(compare.setSide(1, bxl::ui::CompareWindow::Source::File,
                                 QString::fromStdString(temp.file("bad.bxl"))));
    EXPECT_EQ(dialogs.told, QStringList{"File not in correct format!"});
    EXPECT_EQ(linesOf(list), lines);

    // Nothing kept before a Send yet.
    EXPECT_FALSE(compare.setSide(0, bxl::ui::CompareWindow::Source::BeforeLastSend));
    EXPECT_EQ(dialogs.told.size(), 2);
}

TEST_F(Review, HistoryThatCannotBeKeptIsSaidOnce) {
    TempFolder other;
    ASSERT_TRUE(bxl::writeFileSafely(other.file("history"), std::vector<uint8_t>{1}));
    bxl::SettingsHistory blocked(other.file("history"));
    form.setHistory(&blocked);
    EXPECT_FALSE(blocked.keep(bxl::ControlsBlock{}, bxl::HistoryKind::Received));
    EXPECT_FALSE(blocked.keep(bxl::ControlsBlock{}, bxl::HistoryKind::BeforeSend));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.told.isEmpty(); }, 2000));
    QTest::qWait(50);
    EXPECT_EQ(dialogs.told.size(), 1);
    EXPECT_TRUE(dialogs.told[0].startsWith(QStringLiteral("The settings history is not being kept: ")));
    form.setHistory(windows.history.get());
}
