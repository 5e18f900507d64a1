#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/ToolWindows.h"
#include "model/ControlsFile.h"
#include "model/ParamTable.h"
#include "tests/support/BoxWatch.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/NullPort.h"
#include "ui/common/UiCommon.h"
#include "ui/common/UpDown.h"
#include "ui/main/Form1.h"
#include "ui/main/PageControl.h"

namespace {

template <typename T = QWidget>
T* find(QWidget* root, const char* name) {
    T* w = root->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

QColor textColour(QLineEdit* f) {
    return f->palette().color(QPalette::Text);
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm1>(store, bindings, port, dialogs);
        form->show();
    }

    // The field of the first binding whose row is menu.item.
    QLineEdit* fieldOf(int menu, int item) {
        for (int i = 0; i < bindings.used(); ++i) {
            const auto& r = bxl::kParamTable[bindings.at(i).row];
            if (r.menu == menu && r.item == item) return form->valueField(i);
        }
        ADD_FAILURE() << "no field M" << menu << "." << item;
        return nullptr;
    }
    int bindingOf(int menu, int item) { return form->findBindingByValueField(fieldOf(menu, item)); }
    // Every file dialog picks `path`.
    void choose(const QString& path) {
        for (const char* dialog : {"OpenDialog1", "SaveDialog1", "SaveDialog2"})
            dialogs.paths[QString::fromLatin1(dialog)] = path;
    }

    bxl::ValueStore store;
    bxl::BindingTable bindings;
    bxl::NullPort port;
    bxl::test::FakeDialogs dialogs;
    std::unique_ptr<TForm1> form;
    QStringList& errors = dialogs.told;
    QStringList& questions = dialogs.questions;
    bool& answer = dialogs.answer;
};

// The four windows as the application wires them, with a port that is never
// open and answering dialogs.
struct Wired {
    bxl::test::FakeDialogs dialogs;
    bxl::ToolWindows windows;
    QTemporaryDir dir;

    explicit Wired(std::optional<std::string> journalFolder = std::nullopt)
        : windows(std::make_unique<bxl::NullPort>(), dialogs, std::move(journalFolder)) {
        dialogs.paths[QStringLiteral("SaveDialog1")] = dir.filePath(QStringLiteral("kept.LOG"));
        windows.form1.show();
    }
    Wired(bxl::ui::Dialogs& own, std::optional<std::string> journalFolder)
        : windows(std::make_unique<bxl::NullPort>(), own, std::move(journalFolder)) {
        windows.form1.show();
    }
    void click(const char* name) {
        auto* b = windows.form3.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
    }
    void recordOneSample() {
        windows.form3.show();
        click("ButtonStart");
        windows.form3.Timer1Timer();
    }
};

}  // namespace

TEST_F(MainWindow, Composition) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brisaval XL Control Center v3.07"));
    EXPECT_EQ(form->size(), QSize(712, 615));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);

    struct Item {
        const char* name;
        QRect geometry;
        const char* text;
    } items[] = {
        {"GroupBox1", {8, 8, 281, 49}, "Communication port"},
        {"EditComNr", {8, 16, 25, 21}, "1"},
        {"UpDown1", {33, 16, 16, 21}, nullptr},
        {"ProgressBarRec", {128, 24, 145, 17}, nullptr},
        {"Panel1", {296, 13, 409, 44}, nullptr},
        {"BitBtnHaal", {8, 62, 161, 61}, "Get"},
        {"BitBtnZend", {168, 62, 153, 61}, "Send"},
        {"BitBtnWHRBDA", {384, 62, 161, 61}, "Overview"},
        {"BitBtnLog", {544, 62, 161, 61}, "Log"},
        {"BitBtnLoad", {8, 126, 161, 61}, "Load"},
        {"BitBtnSave", {168, 126, 153, 61}, "Save"},
        {"BitBtnGraph", {384, 126, 161, 61}, "Graph"},
        {"BitBtnExcel", {544, 126, 161, 61}, "EXCEL"},
        {"PageControl1", {8, 192, 697, 417}, nullptr},
    };
    for (const auto& it : items) {
        QWidget* w = find(form.get(), it.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), it.geometry) << it.name;
        if (it.text == nullptr) continue;
        QString text;
        if (auto* b = qobject_cast<QPushButton*>(w)) {
            text = b->text();
            EXPECT_EQ(b->font().pixelSize(), 16) << it.name;
            EXPECT_TRUE(b->font().bold()) << it.name;
            EXPECT_EQ(b->iconSize(), QSize(75, 53));
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            text = e->text();
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            text = g->title();
        }
        EXPECT_EQ(text, QString::fromLatin1(it.text)) << it.name;
    }
    EXPECT_FALSE(find(form.get(), "BitBtnHaal")->isEnabled());
    EXPECT_FALSE(find(form.get(), "BitBtnZend")->isEnabled());
    EXPECT_EQ(find<QLabel>(form.get(), "LabelInfo")->text(), QStringLiteral("No action"));
    EXPECT_EQ(find<QLabel>(form.get(), "LabelInfo")->font().pixelSize(), 21);
    EXPECT_EQ(find<QLabel>(form.get(), "LabelComOpen")->text(), QStringLiteral("Closed"));
    EXPECT_EQ(find<QLabel>(form.get(), "LabelComOpen")->palette().color(QPalette::WindowText),
              QColor(0, 128, 128));
    EXPECT_EQ(find<QProgressBar>(form.get(), "ProgressBarRec")->maximum(), 220);
    EXPECT_FALSE(find(form.get(), "PanelEdit")->isVisible());
}

TEST_F(MainWindow, PagesAndFields) {
    auto* pc = find<bxl::ui::PageControl>(form.get(), "PageControl1");
    ASSERT_EQ(pc->count(), 20);
    EXPECT_EQ(pc->currentIndex(), 0);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(pc->widget(i)->objectName(),
                  QString::fromLatin1(bxl::kMenuPages[static_cast<size_t>(i)].tabName));
        EXPECT_EQ(pc->tabButton(i)->text(),
                  QString::fromLatin1(bxl::kMenuPages[static_cast<size_t>(i)].caption));
    }
    EXPECT_EQ(find(form.get(), "ScrollBox1")->geometry(), QRect(8, 8, 641, 329));
    EXPECT_EQ(find(form.get(), "ScrollBox7")->geometry(), QRect(8, 16, 641, 321));
    EXPECT_EQ(find(form.get(), "ScrollBox8")->geometry(), QRect(8, 16, 641, 321));
    // The page area leaves room for the scroll boxes below the tab rows.
    EXPECT_GE(pc->height() - pc->tabAreaHeight(), 8 + 329);

    ASSERT_EQ(bindings.used(), 222);
    QLineEdit* first = form->valueField(0);
    QLabel* caption = form->captionLabel(0);
    EXPECT_EQ(caption->text(), QString::fromUtf8("M01.01   Temp NTC1 (ODA)"));
    EXPECT_EQ(caption->geometry(), QRect(5, 10, 295, 20));
    EXPECT_EQ(first->geometry(), QRect(300, 10, 200, 20));
    EXPECT_TRUE(first->isReadOnly());
    EXPECT_TRUE(first->font().bold());
    EXPECT_EQ(first->text(), QString::fromUtf8("0.0 °C"));
    EXPECT_EQ(textColour(first), QColor(128, 128, 128));
    EXPECT_EQ(form->valueField(1)->y(), 30);
    EXPECT_EQ(form->valueField(25)->y(), 510);
    EXPECT_EQ(form->valueField(26)->y(), 10);  // first row of M02
    EXPECT_EQ(form->valueField(222), nullptr);
    EXPECT_EQ(fieldOf(60, 2)->text(), QStringLiteral(" 1-1-2012"));
    // Every field sits in its page's scroll box.
    EXPECT_TRUE(find<QScrollArea>(form.get(), "ScrollBox60")->isAncestorOf(fieldOf(60, 2)));
}

TEST_F(MainWindow, FieldColoursFollowTheStore) {
    QLineEdit* f = fieldOf(2, 1);
    const int b = bindingOf(2, 1);
    struct Case {
        int offline;
        int current, received;
        QColor colour;
    } cases[] = {
        {1, 0, 0, {128, 128, 128}},
        {1, 10, 0, {192, 112, 112}},
        {0, 10, 10, {0, 0, 0}},
        {0, 20, 10, {255, 0, 0}},
    };
    for (const auto& c : cases) {
        store.setOffline(c.offline);
        store.setCurrent(1, c.current);
        store.setReceived(1, c.received);
        form->refreshBinding(b);
        EXPECT_EQ(textColour(f), c.colour) << c.offline << " " << c.current << " " << c.received;
    }
    store.setOffline(0);
    store.setCurrent(451, 1);
    form->refreshAllBindings();
    EXPECT_EQ(textColour(fieldOf(20, 98)), QColor(255, 0, 255));
}

TEST_F(MainWindow, GraphButtonFollowsThePage) {
    auto* pc = find<bxl::ui::PageControl>(form.get(), "PageControl1");
    QWidget* graph = find(form.get(), "BitBtnGraph");
    EXPECT_TRUE(graph->isVisible());
    const struct {
        int page;
        bool visible;
    } cases[] = {{1, true}, {2, false}, {9, true}, {15, true}, {16, true}, {19, false}, {0, false}};
    for (const auto& c : cases) {
        pc->setCurrentIndex(c.page);
        EXPECT_EQ(graph->isVisible(), c.visible) << c.page;
    }
}

TEST(MainWindowWired, SecondaryWindowsAndGraphTabs) {
    Wired w;
    TForm1& form = w.windows.form1;
    TForm3& log = w.windows.form3;
    TForm4& graphs = w.windows.form4;
    form.BitBtnLogClick();
    EXPECT_TRUE(log.isVisible());
    form.BitBtnLogClick();
    EXPECT_FALSE(log.isVisible());

    auto* pc = find<bxl::ui::PageControl>(&form, "PageControl1");
    pc->setCurrentIndex(15);  // M60
    form.BitBtnGraphClick();
    EXPECT_TRUE(graphs.isVisible());
    EXPECT_EQ(graphs.selectedTab(), 2);
    pc->setCurrentIndex(16);  // M70
    form.BitBtnGraphClick();
    EXPECT_EQ(graphs.selectedTab(), 3);
    pc->setCurrentIndex(0);  // M01 keeps the tab
    form.BitBtnGraphClick();
    EXPECT_EQ(graphs.selectedTab(), 3);

    // No recording: the window closes without a question.
    EXPECT_TRUE(form.FormCloseQuery());
    EXPECT_TRUE(w.dialogs.questions.isEmpty());

    // While recording it asks; Cancel keeps everything running.
    log.show();
    log.ButtonStartClick();
    w.dialogs.answer = false;
    EXPECT_FALSE(form.FormCloseQuery());
    EXPECT_EQ(w.dialogs.questions, QStringList{QStringLiteral("Logging active, sure to close application?")});
    EXPECT_TRUE(log.logActive());
    w.dialogs.answer = true;
    EXPECT_TRUE(form.FormCloseQuery());
    log.ButtonStopClick();
}

// Process replies reach the overview at once while it is in view; those
// that came while it was hidden show the moment "Overview" opens it.
TEST(MainWindowWired, OverviewShowsTheNewestReplyWhenOpened) {
    Wired w;
    TForm1& form = w.windows.form1;
    TForm2& overview = w.windows.form2;
    QLabel* t1 = overview.panel(0).t[0];
    const QString degrees = QString::fromUtf8(" \u00B0C");

    w.windows.store.setCurrent(256, 215);
    emit form.liveOverviewRefreshRequested();  // a reply while hidden
    w.windows.store.setCurrent(256, 216);
    emit form.liveOverviewRefreshRequested();
    auto* button = find<QPushButton>(&form, "BitBtnWHRBDA");
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(overview.isVisible());
    EXPECT_EQ(t1->text(), QStringLiteral("21.6") + degrees);

    w.windows.store.setCurrent(256, -15);
    emit form.liveOverviewRefreshRequested();
    EXPECT_EQ(t1->text(), QStringLiteral("-1.5") + degrees);
}

// The recorder's flashing reaches the main window's "Log" caption.
TEST(MainWindowWired, RecordingFlashesTheLogCaption) {
    Wired w;
    auto* logButton = find<QPushButton>(&w.windows.form1, "BitBtnLog");
    w.recordOneSample();  // blink counter 1: on
    EXPECT_EQ(logButton->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    w.windows.form3.Timer1Timer();
    EXPECT_EQ(logButton->palette().color(QPalette::ButtonText), bxl::ui::windowTextColour());
    w.windows.form3.ButtonStopClick();
}

TEST(MainWindowWired, ClosingAsksWhileTheLogHoldsUnsavedSamples) {
    QTemporaryDir state;
    Wired w(state.path().toStdString());
    TForm1& form = w.windows.form1;
    bxl::LogJournal& journal = *w.windows.journal;
    w.recordOneSample();
    w.click("ButtonStop");

    w.dialogs.answer = false;
    EXPECT_FALSE(form.close());
    EXPECT_EQ(w.dialogs.questions,
              QStringList{QStringLiteral("Log samples not saved, sure to close application?")});
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(w.windows.form3.unsavedSamples());

    // OK closes; the samples go to the discarded journal, not offered again.
    w.dialogs.answer = true;
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(journal.findUnsaved());
    EXPECT_TRUE(
        std::filesystem::exists(state.filePath(QStringLiteral("recording-discarded.LOG")).toStdString()));

    // Saved samples go without a question.
    form.show();
    w.dialogs.questions.clear();
    w.recordOneSample();
    w.click("ButtonStop");
    w.click("ButtonSave");
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(w.dialogs.questions.isEmpty());
}

TEST(MainWindowWired, EnterOnACloseQuestionKeepsTheWindowOpen) {
    bxl::ui::MessageBoxDialogs real;  // the tool's own message boxes
    Wired w(real, std::nullopt);
    TForm1& main = w.windows.form1;
    w.recordOneSample();
    struct Case {
        bool recording;
        const char* question;
    } cases[] = {{true, "Logging active, sure to close application?"},
                 {false, "Log samples not saved, sure to close application?"}};
    for (const Case& c : cases) {
        if (!c.recording) w.click("ButtonStop");
        BoxWatch enter(Qt::Key_Return);
        EXPECT_FALSE(main.close()) << c.question;
        ASSERT_TRUE(enter.seen);
        EXPECT_EQ(enter.title, QStringLiteral("Warning"));
        EXPECT_EQ(enter.text, QString::fromLatin1(c.question));
        EXPECT_TRUE(enter.cancelIsDefault) << c.question;
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(w.windows.form3.logActive(), c.recording);
        EXPECT_TRUE(w.windows.form3.unsavedSamples());
    }
}

TEST_F(MainWindow, PortSpinnerStaysWithin1To16) {
    auto* up = find<bxl::ui::UpDown>(form.get(), "UpDown1");
    auto* edit = find<QLineEdit>(form.get(), "EditComNr");
    up->stepBy(-1);
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
    for (int i = 0; i < 20; ++i) up->stepBy(1);
    EXPECT_EQ(edit->text(), QStringLiteral("16"));
    EXPECT_EQ(up->position(), 16);
}

TEST_F(MainWindow, EditorOpensStepsAndCloses) {
    QWidget* panel = find(form.get(), "PanelEdit");
    QLineEdit* supply1 = fieldOf(2, 1);
    form->Edit1Enter(supply1);
    EXPECT_EQ(form->selectedBinding(), bindingOf(2, 1));
    EXPECT_FALSE(panel->isHidden());
    EXPECT_EQ(panel->parentWidget(), supply1->parentWidget());
    EXPECT_EQ(panel->pos(), QPoint(500, supply1->y() - 7));
    EXPECT_EQ(supply1->palette().color(QPalette::Base), QColor(0, 255, 255));

    store.setOffline(0);
    form->ButtonEditPPMMClick(find(form.get(), "ButtonEditPP"));
    EXPECT_EQ(store.current(1), 100);
    EXPECT_EQ(supply1->text(), QStringLiteral("100 m3/h"));
    EXPECT_EQ(textColour(supply1), QColor(255, 0, 0));
    form->ButtonEditPPMMClick(find(form.get(), "ButtonEditMMM"));
    EXPECT_EQ(store.current(1), 0);
    EXPECT_EQ(textColour(supply1), QColor(0, 0, 0));

    // A measurement field closes the editor and opens nothing.
    form->Edit1Enter(fieldOf(1, 1));
    EXPECT_EQ(form->selectedBinding(), -1);
    EXPECT_TRUE(panel->isHidden());
    EXPECT_EQ(supply1->palette().color(QPalette::Base), bxl::ui::windowColour());
    form->ButtonEditPPMMClick(find(form.get(), "ButtonEditP"));
    EXPECT_EQ(store.current(1), 0);

    // Times step by the hour; "X" closes the editor.
    QLineEdit* time1 = fieldOf(60, 11);
    form->Edit1Enter(time1);
    form->ButtonEditPPMMClick(find(form.get(), "ButtonEditPPP"));
    EXPECT_EQ(time1->text(), QStringLiteral("1:00"));
    form->ButtonXEditClick();
    EXPECT_EQ(form->selectedBinding(), -1);
    EXPECT_TRUE(panel->isHidden());
}

TEST_F(MainWindow, GetAndSendCloseTheEditorSendAsksFirst) {
    form->Edit1Enter(fieldOf(2, 1));
    answer = false;
    form->BitBtnZendClick();
    EXPECT_EQ(questions,
              QStringList{QStringLiteral("Sending data from PC to Brisaval XL, sure to do this?")});
    EXPECT_EQ(dialogs.defaults, std::vector{bxl::ui::Dialogs::DefaultButton::Ok});
    EXPECT_NE(form->selectedBinding(), -1);  // cancelled: nothing happens
    answer = true;
    form->BitBtnZendClick();
    EXPECT_EQ(form->selectedBinding(), -1);
    form->Edit1Enter(fieldOf(2, 1));
    form->BitBtnHaalClick();
    EXPECT_EQ(form->selectedBinding(), -1);
}

TEST_F(MainWindow, SaveLoadAndExportThroughChosenPaths) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString controls = dir.filePath(QStringLiteral("unit.ctl"));
    const QString csv = dir.filePath(QStringLiteral("unit.CSV"));

    store.setCurrent(1, 4200);
    store.setCurrent(2, -7);
    choose(controls);
    form->Edit1Enter(fieldOf(2, 1));
    form->BitBtnSaveClick();
    EXPECT_EQ(form->selectedBinding(), -1);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(QFileInfo(controls).size(), 804);

    // Load brings the values back; they show as changed against the unit.
    store.setCurrent(1, 0);
    store.setCurrent(2, 0);
    store.setOffline(0);
    form->BitBtnLoadClick();
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(store.current(1), 4200);
    EXPECT_EQ(store.current(2), -7);
    EXPECT_EQ(store.received(1), 0);
    EXPECT_EQ(textColour(fieldOf(2, 1)), QColor(255, 0, 0));

    // A damaged file changes nothing.
    {
        QFile f(controls);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(10);
        f.write("\x55", 1);
    }
    store.setCurrent(1, 1);
    form->BitBtnLoadClick();
    EXPECT_EQ(errors, QStringList{QStringLiteral("File not in correct format!")});
    EXPECT_EQ(store.current(1), 1);

    errors.clear();
    choose(dir.filePath(QStringLiteral("missing")));
    form->BitBtnLoadClick();
    EXPECT_EQ(errors, QStringList{QStringLiteral("Cannot read file.")});

    errors.clear();
    choose(csv);
    form->BitBtnExcelClick();
    EXPECT_TRUE(errors.isEmpty());
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.count("\r\n"), 222);
    EXPECT_TRUE(
        bytes.startsWith("\"M01-01\",\"Temp NTC1 (ODA)\",\"0.0 \xB0"
                         "C\"\r\n"));

    choose(QStringLiteral("/dev/full"));
    if (QFileInfo(QStringLiteral("/dev/full")).isWritable()) {
        form->BitBtnExcelClick();
        form->BitBtnSaveClick();
        EXPECT_EQ(errors, (QStringList{QStringLiteral("Cannot write to file."),
                                       QStringLiteral("Cannot write to file.")}));
    }
    errors.clear();
    dialogs.paths.clear();  // cancelled dialogs do nothing
    form->BitBtnLoadClick();
    form->BitBtnSaveClick();
    EXPECT_TRUE(errors.isEmpty());
}
