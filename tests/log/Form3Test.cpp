#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <fstream>

#include "model/log/DateTime.h"
#include "model/log/LogFile.h"
#include "model/log/LogJournal.h"
#include "tests/support/BoxWatch.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/TempFolder.h"
#include "ui/common/UiCommon.h"
#include "ui/common/UpDown.h"
#include "ui/log/Form3.h"
#include "ui/log/LogAxisTickers.h"
#include "ui/log/LogChart.h"
#include "ui/log/LogLegend.h"

namespace {

struct Window {
    bxl::ValueStore values;
    double now = bxl::dateTimeNumber(2024, 5, 17, 9, 30, 0, 0);
    bxl::test::FakeDialogs dialogs;
    TForm3 form;
    std::vector<bool> flashes;  // what the "Log" caption of the main window is told
    QStringList& errors = dialogs.told;
    QStringList& questions = dialogs.questions;
    bool& answer = dialogs.answer;
    QString& savePath = dialogs.paths[QStringLiteral("SaveDialog1")];
    QString& openPath = dialogs.paths[QStringLiteral("OpenDialog1")];

    // The window asks and tells through `own` where given, else the fake.
    explicit Window(bxl::ui::Dialogs* own = nullptr)
        : form(values, own != nullptr ? *own : dialogs, nullptr, [this] { return now; }) {
        QObject::connect(&form, &TForm3::logFlash, &form, [this](bool on) { flashes.push_back(on); });
    }
    template <class T>
    T* find(const char* name) {
        T* w = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    bool enabled(const char* name) { return find<QPushButton>(name)->isEnabled(); }
    // Ticks, each moving the PC clock on by the given seconds.
    double secondsPerTick = 1.0;
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            now += secondsPerTick / 86400.0;
            form.Timer1Timer();
        }
    }
    int points(int series) { return form.chart()->graph(series - 1)->dataCount(); }
    // Shows the window the way the program does and waits until it is up.
    void showActive() {
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    // A click with the mouse on a button of the window.
    void click(const char* name) {
        auto* b = find<QPushButton>(name);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
    }
    // Starts recording at a 2 s interval and takes n samples.
    void record(int n) {
        find<QLineEdit>("Edit1")->setText(QStringLiteral("2"));
        click("ButtonStart");
        tick(2 * n - 1);
    }
};

TEST(Form3, ComponentsSitWhereTheLayoutPutsThem) {
    Window w;
    EXPECT_EQ(w.form.objectName(), QStringLiteral("Form3"));
    EXPECT_EQ(w.form.windowTitle(), QStringLiteral("Log"));
    struct Place {
        const char* name;
        QRect rect;
    } places[] = {
        {"GroupBox2", {8, 0, 169, 601}},     {"GroupBox1", {184, 0, 673, 89}},
        {"ButtonStart", {8, 16, 75, 25}},    {"ButtonStop", {8, 48, 75, 25}},
        {"ButtonClr", {96, 48, 75, 25}},     {"Edit1", {184, 18, 41, 21}},
        {"UpDownLogInt", {225, 18, 16, 21}}, {"LabelLogging", {256, 12, 110, 29}},
        {"ButtonSave", {560, 16, 75, 25}},   {"ButtonLoad", {560, 48, 75, 25}},
        {"CheckBox1", {8, 24, 121, 17}},     {"Shape1", {136, 24, 25, 17}},
        {"CheckBox14", {8, 168, 121, 17}},   {"Shape14", {136, 168, 25, 17}},
        {"CheckBox12", {8, 256, 121, 17}},   {"CheckBox15", {8, 392, 121, 17}},
        {"CheckBoxLogP", {8, 568, 121, 17}},
    };
    for (const Place& p : places) EXPECT_EQ(w.find<QWidget>(p.name)->geometry(), p.rect) << p.name;
    EXPECT_EQ(w.find<QGroupBox>("GroupBox1")->title(), QStringLiteral("Setup"));
    EXPECT_EQ(w.find<QGroupBox>("GroupBox2")->title(), QStringLiteral("Log Items/legend"));
    EXPECT_EQ(w.find<QCheckBox>("CheckBox1")->text(), QString::fromUtf8("T1 (\u00B0C)"));
    EXPECT_EQ(w.find<QCheckBox>("CheckBox10")->text(), QStringLiteral("Cooling (%)"));
    EXPECT_EQ(w.find<QCheckBox>("CheckBoxLogP")->text(), QStringLiteral("Logpoint visible"));
    EXPECT_EQ(w.find<bxl::ui::ColourSwatch>("Shape11")->colour(), QColor(255, 128, 0));
    EXPECT_EQ(w.find<QLabel>("Label1")->text(), QStringLiteral("Log interval (sec)"));
    EXPECT_EQ(w.find<QLineEdit>("Edit1")->text(), QStringLiteral("10"));
    QLabel* logging = w.find<QLabel>("LabelLogging");
    EXPECT_TRUE(logging->isHidden());
    EXPECT_EQ(logging->font().pixelSize(), 24);
    EXPECT_TRUE(logging->font().bold() && logging->font().italic());
    EXPECT_EQ(w.find<QTimer>("Timer1")->interval(), 1000);
    EXPECT_TRUE(w.find<QTimer>("Timer1")->isActive());
    for (const char* b : {"ButtonStart", "ButtonStop", "ButtonClr", "ButtonSave", "ButtonLoad"})
        EXPECT_TRUE(w.enabled(b)) << b;
}

TEST(Form3, ChartFollowsTheWindowWhichKeepsItsMinimumSize) {
    Window w;
    QCustomPlot* chart = w.find<QCustomPlot>("Chart1");
    w.form.show();
    const QRect before = chart->geometry();
    EXPECT_EQ(before.topLeft(), QPoint(184, 96));
    w.form.resize(w.form.width() + 100, w.form.height() + 50);
    EXPECT_EQ(chart->geometry(), before.adjusted(0, 0, 100, 50));
    w.form.resize(100, 100);
    EXPECT_EQ(w.form.size(), w.form.minimumSize());
    EXPECT_GE(chart->width(), 600);
}

TEST(Form3, FirstShowSetsButtonsAndLegend) {
    Window w;
    w.form.show();
    EXPECT_FALSE(w.enabled("ButtonStop"));
    EXPECT_TRUE(w.enabled("ButtonStart") && w.enabled("ButtonSave") && w.enabled("ButtonLoad"));
    for (int s = 1; s <= 15; ++s) {
        const bool shown = s <= 4 || s == 7 || s == 8;
        QCPGraph* g = w.form.chart()->graph(s - 1);
        EXPECT_EQ(g->visible(), shown) << s;
        EXPECT_EQ(g->scatterStyle().shape(), QCPScatterStyle::ssNone) << s;
        EXPECT_EQ(g->pen().color(),
                  bxl::ui::toQColor(bxl::kLogSeries[static_cast<std::size_t>(s - 1)].colour));
    }
    EXPECT_EQ(w.form.chart()->legend->visible(), false);
}

TEST(Form3, LegendShowsAndHidesSeriesAndMarkers) {
    Window w;
    w.form.show();
    w.form.ButtonStartClick();
    w.tick();
    w.tick(10);
    const QCPRange bare = w.form.chart()->xAxis->range();
    w.find<QCheckBox>("CheckBoxLogP")->click();
    for (int s = 0; s < 15; ++s)
        EXPECT_EQ(w.form.chart()->graph(s)->scatterStyle().shape(), QCPScatterStyle::ssSquare) << s;
    // The axes leave room for the outermost markers.
    const QCPRange marked = w.form.chart()->xAxis->range();
    EXPECT_LT(marked.lower, bare.lower);
    EXPECT_GT(marked.upper, bare.upper);
    EXPECT_LT(marked.size(), bare.size() * 1.05);

    w.find<QCheckBox>("CheckBox1")->click();
    EXPECT_FALSE(w.form.chart()->graph(0)->visible());
    EXPECT_TRUE(w.form.chart()->graph(1)->visible());
    w.tick(10);  // a hidden series keeps receiving samples
    w.find<QCheckBox>("CheckBox1")->click();
    EXPECT_TRUE(w.form.chart()->graph(0)->visible());
    EXPECT_EQ(w.points(1), 3);
    // A series shown later gets the markers too.
    w.find<QCheckBox>("CheckBox5")->click();
    EXPECT_TRUE(w.form.chart()->graph(4)->visible());
    EXPECT_EQ(w.form.chart()->graph(4)->scatterStyle().shape(), QCPScatterStyle::ssSquare);
}

TEST(Form3, RecordingFillsTheChartAndFlashesWhileHidden) {
    Window w;
    w.form.show();
    w.form.hide();
    w.values.setCurrent(256, 215);
    w.find<QPushButton>("ButtonStart")->click();
    EXPECT_TRUE(w.form.logActive());
    EXPECT_FALSE(w.enabled("ButtonStart") || w.enabled("ButtonLoad"));
    EXPECT_TRUE(w.enabled("ButtonStop"));
    QLabel* logging = w.find<QLabel>("LabelLogging");

    w.tick();  // blink counter 1: on
    EXPECT_EQ(w.points(1), 1);
    EXPECT_DOUBLE_EQ(w.form.chart()->graph(0)->data()->at(0)->value, 21.5);
    EXPECT_EQ(w.form.chart()->graph(0)->data()->at(0)->key, w.now);
    EXPECT_FALSE(logging->isHidden());
    EXPECT_EQ(w.flashes, std::vector{true});
    w.tick();
    EXPECT_TRUE(logging->isHidden());
    EXPECT_EQ(w.flashes, (std::vector{true, false}));
    w.tick(9);
    EXPECT_EQ(w.points(15), 2);

    w.find<QPushButton>("ButtonStop")->click();
    EXPECT_FALSE(w.form.logActive());
    w.flashes.clear();
    w.tick(2);
    EXPECT_TRUE(logging->isHidden());
    EXPECT_EQ(w.flashes, std::vector{false});  // once stopped, the flashing rests off

    // Clear empties the chart and leaves Save disabled.
    w.find<QPushButton>("ButtonClr")->click();
    EXPECT_EQ(w.points(1), 0);
    EXPECT_FALSE(w.enabled("ButtonSave"));
}

TEST(Form3, ClockSetBackKeepsTheChartInStepWithTheSamples) {
    Window w;
    w.form.show();
    w.find<QLineEdit>("Edit1")->setText(QStringLiteral("2"));
    w.form.ButtonStartClick();
    w.tick(6);
    w.now -= 3.0 / 86400.0;  // clock set back by more than one interval
    w.values.setCurrent(258, 99);
    w.tick(2);
    const bxl::LogStore& log = w.form.logStore();
    ASSERT_EQ(log.count(2), 4u);
    for (int s = 0; s < 15; ++s) {
        QCPGraph* g = w.form.chart()->graph(s);
        ASSERT_EQ(g->dataCount(), 4) << s;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(g->data()->at(i)->key, log.time(s, static_cast<std::size_t>(i))) << s;
            EXPECT_EQ(g->data()->at(i)->value, log.value(s, static_cast<std::size_t>(i))) << s;
        }
    }
    EXPECT_DOUBLE_EQ(w.form.chart()->graph(2)->data()->at(2)->value, 9.9);
}

TEST(Form3, IntervalFieldAndSpinner) {
    Window w;
    QLineEdit* edit = w.find<QLineEdit>("Edit1");
    auto* upDown = w.find<bxl::ui::UpDown>("UpDownLogInt");
    edit->setText(QStringLiteral("3"));
    EXPECT_EQ(w.form.interval(), 3);
    for (const char* bad : {"", "1", "61", "4.5", "x"}) {
        edit->setText(QString::fromLatin1(bad));
        EXPECT_EQ(w.form.interval(), 3) << bad;
    }
    emit edit->editingFinished();
    EXPECT_EQ(edit->text(), QStringLiteral("3"));
    upDown->stepBy(-1);
    EXPECT_EQ(edit->text(), QStringLiteral("2"));
    upDown->stepBy(-1);
    EXPECT_EQ(w.form.interval(), 2);
    edit->setText(QStringLiteral("60"));
    upDown->stepBy(1);
    EXPECT_EQ(w.form.interval(), 60);
    EXPECT_EQ(edit->text(), QStringLiteral("60"));
}

TEST(Form3, WheelZoomsAllAxesAndFixesThem) {
    Window w;
    w.form.show();
    w.find<QLineEdit>("Edit1")->setText(QStringLiteral("2"));
    w.secondsPerTick = 30;  // a sample a minute
    w.form.ButtonStartClick();
    for (int i = 0; i < 11; ++i) {
        w.values.setCurrent(256, i * 10);
        w.tick(2);
    }
    QCustomPlot* chart = w.form.chart();
    const double span = chart->xAxis->range().size();
    EXPECT_NEAR(span, 10.0 / 1440.0, 1e-9);
    EXPECT_NEAR(chart->yAxis->range().size(), 10.0, 1e-9);  // T1 0..10, others 0

    const QPointF at(chart->width() / 2.0, chart->height() / 2.0);
    QWheelEvent down(at, chart->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart, &down);
    EXPECT_TRUE(w.form.view().zoomed());
    EXPECT_NEAR(chart->xAxis->range().size(), 8.0 / 1440.0, 1e-9);
    EXPECT_NEAR(chart->yAxis->range().lower, 1.0, 1e-9);
    EXPECT_NEAR(chart->yAxis->range().upper, 9.0, 1e-9);

    // Further samples fall outside the fixed view.
    const double upper = chart->xAxis->range().upper;
    w.tick(10);
    EXPECT_EQ(chart->xAxis->range().upper, upper);

    QWheelEvent up(at, chart->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart, &up);
    EXPECT_NEAR(chart->xAxis->range().size(), 0.96 * span, 1e-9);

    w.form.undoZoom();
    EXPECT_FALSE(w.form.view().zoomed());
    EXPECT_NEAR(chart->xAxis->range().size(), 15.0 / 1440.0, 1e-9);
}

TEST(Form3, RectangleZoomAndPanFixTheView) {
    Window w;
    w.form.show();
    w.form.ButtonStartClick();
    for (int i = 0; i < 5; ++i) {
        w.values.setCurrent(257, i * 100);  // T2 0 to 40
        w.tick(10);
    }
    QCustomPlot* chart = w.form.chart();
    const QCPRange x = chart->xAxis->range();
    const int x0 = static_cast<int>(chart->xAxis->coordToPixel(x.lower + x.size() * 0.25));
    const int x1 = static_cast<int>(chart->xAxis->coordToPixel(x.lower + x.size() * 0.75));
    const int y0 = static_cast<int>(chart->yAxis->coordToPixel(30));
    const int y1 = static_cast<int>(chart->yAxis->coordToPixel(10));
    w.form.zoomToPixels(QRect(QPoint(x0, y0), QPoint(x1, y1)));
    EXPECT_TRUE(w.form.view().zoomed());
    EXPECT_NEAR(chart->xAxis->range().size(), x.size() * 0.5, x.size() * 0.01);
    EXPECT_NEAR(chart->yAxis->range().lower, 10, 0.2);
    EXPECT_NEAR(chart->yAxis->range().upper, 30, 0.2);

    const bxl::ChartRanges start = w.form.view().ranges(w.form.logStore(), w.form.visibleSeries());
    // Dragging half the width to the left shows the half of the zoomed view
    // to its right.
    w.form.panByPixels(QPoint(x1, y1), QPoint(x0, y1), start);
    EXPECT_NEAR(chart->xAxis->range().lower, start.bottom.min + x.size() * 0.25, x.size() * 0.01);
    EXPECT_NEAR(chart->yAxis->range().lower, start.left.min, 0.01);
    w.form.undoZoom();
    EXPECT_EQ(chart->xAxis->range(), x);
}

TEST(Form3, SaveClearLoadRestoresTheCurves) {
    Window w;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    w.form.show();
    w.find<QLineEdit>("Edit1")->setText(QStringLiteral("2"));
    w.form.ButtonStartClick();
    for (int i = 0; i < 30; ++i) {
        w.values.setCurrent(273, 1000 + 7 * i);
        w.values.setCurrent(296, i * 13);
        w.tick(2);
    }
    w.form.ButtonStopClick();
    const std::vector<uint8_t> saved = bxl::encodeLogFile(w.form.logStore());

    w.savePath = dir.filePath(QStringLiteral("a.LOG"));
    w.find<QPushButton>("ButtonSave")->click();
    EXPECT_TRUE(w.errors.isEmpty());
    w.form.ButtonClrClick();
    EXPECT_EQ(w.points(7), 0);

    w.openPath = w.savePath;
    w.find<QPushButton>("ButtonLoad")->click();
    EXPECT_TRUE(w.errors.isEmpty());
    EXPECT_EQ(bxl::encodeLogFile(w.form.logStore()), saved);
    EXPECT_EQ(w.points(7), 30);
    EXPECT_EQ(w.form.chart()->graph(6)->data()->at(29)->value, 1000 + 7 * 29);
    EXPECT_EQ(w.form.chart()->graph(14)->data()->at(29)->value, 29 * 13 * 0.01);
    EXPECT_FALSE(w.enabled("ButtonSave"));
    EXPECT_FALSE(w.form.logActive());

    // Cancelled dialogs do nothing.
    w.openPath.clear();
    w.savePath.clear();
    w.form.ButtonLoadClick();
    w.form.ButtonSaveClick();
    EXPECT_EQ(w.points(7), 30);
    EXPECT_TRUE(w.errors.isEmpty());
}

TEST(Form3, FileFailuresAreReportedAndKeepTheChart) {
    Window w;
    QTemporaryDir dir;
    w.form.show();
    w.form.ButtonStartClick();
    w.tick(11);
    ASSERT_EQ(w.points(1), 2);

    const QString notLog = dir.filePath(QStringLiteral("other.LOG"));
    QFile f(notLog);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("MZ\x90\x00 not a log file at all", 24);
    f.close();
    const QString negative = dir.filePath(QStringLiteral("neg.LOG"));
    QFile g(negative);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write("\x07\x70\xFE\xEF\xFF\xFF\xFF\xFF\x0F\x00\x00\x00", 12);
    g.close();

    struct Case {
        QString path;
        const char* message;
    } loads[] = {{notLog, "File not in correct format!"},
                 {negative, "File not in correct format!"},
                 {dir.filePath(QStringLiteral("missing.LOG")), "Cannot read file."}};
    for (const Case& c : loads) {
        w.errors.clear();
        w.openPath = c.path;
        w.form.ButtonLoadClick();
        EXPECT_EQ(w.errors, QStringList{QString::fromLatin1(c.message)}) << c.path.toStdString();
        EXPECT_EQ(w.points(1), 2);
        EXPECT_TRUE(w.enabled("ButtonSave"));
    }

    for (const QString& path : {QStringLiteral("/dev/full"), dir.filePath(QStringLiteral("no/dir/x.LOG"))}) {
        w.errors.clear();
        w.savePath = path;
        w.form.ButtonSaveClick();
        EXPECT_EQ(w.errors, QStringList{QStringLiteral("Cannot write to file.")}) << path.toStdString();
    }
    EXPECT_TRUE(w.form.logActive());
}

TEST(Form3, DateAxisLabels) {
    EXPECT_EQ(bxl::ui::DateTimeNumberTicker::label(bxl::dateTimeNumber(2024, 3, 5, 23, 59, 0, 0)),
              QStringLiteral("5-3-2024"));
    EXPECT_EQ(bxl::ui::DateTimeNumberTicker::label(bxl::dateTimeNumber(2024, 12, 31, 0, 0, 0, 0) - 1e-12),
              QStringLiteral("31-12-2024"));
    EXPECT_EQ(bxl::ui::DateTimeNumberTicker::label(1e308), QString());
}

TEST(Form3, AsksBeforeStartClearOrLoadDiscardUnsavedSamples) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("one.LOG"));
    {
        bxl::LogStore one;
        one.addSample(45000.0, {});
        const auto bytes = bxl::encodeLogFile(one);
        ASSERT_TRUE(bxl::writeFileBytes(file.toStdString(), bytes));
    }
    const QString question = QStringLiteral("Log samples not saved, discard them?");
    struct Case {
        const char* button;
        bool recording;  // still recording when the button is clicked
        int pointsAfterOk;
    } cases[] = {
        {"ButtonStart", false, 0}, {"ButtonClr", false, 0}, {"ButtonClr", true, 0}, {"ButtonLoad", false, 1}};
    for (const Case& c : cases) {
        Window w;
        w.openPath = file;
        w.showActive();
        w.record(2);
        if (!c.recording) w.click("ButtonStop");

        w.answer = false;
        w.click(c.button);
        EXPECT_EQ(w.questions, QStringList{question}) << c.button;
        EXPECT_EQ(w.points(1), 2) << c.button;
        EXPECT_EQ(w.form.logActive(), c.recording) << c.button;
        EXPECT_TRUE(w.enabled("ButtonSave")) << c.button;

        w.answer = true;
        w.click(c.button);
        EXPECT_EQ(w.questions.size(), 2) << c.button;
        EXPECT_EQ(w.points(1), c.pointsAfterOk) << c.button;
        EXPECT_FALSE(w.form.unsavedSamples()) << c.button;
    }
}

TEST(Form3, SavedOrLoadedSamplesGoWithoutAQuestion) {
    Window w;
    QTemporaryDir dir;
    w.savePath = dir.filePath(QStringLiteral("a.LOG"));
    w.openPath = w.savePath;
    w.showActive();
    w.record(2);
    w.click("ButtonSave");
    w.click("ButtonStop");
    w.click("ButtonStart");  // every sample was saved
    EXPECT_TRUE(w.questions.isEmpty());
    EXPECT_TRUE(w.form.logActive());

    // Recording goes on after a save: new samples are unsaved again.
    w.tick();
    w.click("ButtonSave");
    w.tick(2);
    w.answer = false;
    w.click("ButtonClr");
    EXPECT_EQ(w.questions.size(), 1);
    EXPECT_EQ(w.points(1), 2);

    // A save that fails leaves them unsaved.
    w.click("ButtonStop");
    w.savePath = QStringLiteral("/dev/full");
    w.click("ButtonSave");
    EXPECT_EQ(w.errors, QStringList{QStringLiteral("Cannot write to file.")});
    w.click("ButtonStart");
    EXPECT_EQ(w.questions.size(), 2);

    // Loaded from a file, they count as saved.
    w.answer = true;
    w.click("ButtonLoad");
    EXPECT_EQ(w.points(1), 1);
    w.click("ButtonStart");
    EXPECT_EQ(w.questions.size(), 3);
    EXPECT_TRUE(w.form.logActive());
}

TEST(Form3, SamplesRecordedAfterAClearCanBeSaved) {
    Window w;
    QTemporaryDir dir;
    w.savePath = dir.filePath(QStringLiteral("after-clear.LOG"));
    w.showActive();
    w.record(2);
    w.click("ButtonClr");  // the question is answered OK
    EXPECT_FALSE(w.enabled("ButtonSave"));
    w.tick(2);  // the next sample on the normal schedule
    ASSERT_EQ(w.points(1), 1);
    EXPECT_TRUE(w.enabled("ButtonSave"));
    w.click("ButtonSave");
    EXPECT_TRUE(w.errors.isEmpty());
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(bxl::readFileBytes(w.savePath.toStdString(), bytes));
    EXPECT_EQ(bytes.size(), bxl::kLogHeaderSize + 128u);
}

TEST(Form3, EnterOnTheDiscardQuestionKeepsTheSamples) {
    bxl::ui::MessageBoxDialogs real;  // the window's own message box
    Window w(&real);
    w.showActive();
    w.record(2);
    w.click("ButtonStop");
    BoxWatch enter(Qt::Key_Return);
    w.click("ButtonClr");
    ASSERT_TRUE(enter.seen);
    EXPECT_EQ(enter.title, QStringLiteral("Warning"));
    EXPECT_EQ(enter.text, QStringLiteral("Log samples not saved, discard them?"));
    EXPECT_EQ(enter.icon, QMessageBox::Warning);
    EXPECT_TRUE(enter.cancelIsDefault);
    EXPECT_EQ(w.points(1), 2);
    EXPECT_TRUE(w.form.unsavedSamples());
}

// The notices stay inside the setup frame, clear of every component the
// frame already holds.
void expectNoticeFits(Window& w, const char* name) {
    auto* notice = w.find<QLabel>(name);
    auto* frame = w.find<QGroupBox>("GroupBox1");
    EXPECT_EQ(notice->parentWidget(), frame);
    EXPECT_TRUE(frame->contentsRect().contains(notice->geometry())) << name;
    for (const char* other : {"ButtonStart", "ButtonStop", "Label1", "ButtonClr", "Edit1", "UpDownLogInt",
                              "LabelLogging", "ButtonSave", "ButtonLoad"})
        EXPECT_FALSE(notice->geometry().intersects(w.find<QWidget>(other)->geometry())) << name << other;
    EXPECT_LE(notice->fontMetrics().horizontalAdvance(notice->text()), notice->width()) << name;
}

TEST(Form3, TheSampleLimitIsSaidInWords) {
    Window w;
    w.showActive();
    w.find<QLineEdit>("Edit1")->setText(QStringLiteral("2"));
    w.click("ButtonStart");
    QLabel* limit = w.find<QLabel>("LabelLimit");
    w.form.hide();  // no repaints while ten thousand samples come in
    for (int i = 0; i < 2 * 10001 && w.form.logActive(); ++i) w.tick();
    w.showActive();
    EXPECT_EQ(w.points(1), 10001);
    EXPECT_EQ(w.form.chart()->xAxis->range().upper, w.form.logStore().time(0, 10000));  // drawn at the show
    EXPECT_FALSE(w.form.logActive());
    EXPECT_TRUE(limit->isVisible());
    EXPECT_EQ(limit->text(), QStringLiteral("Log full: recording stopped at 10001 samples."));
    expectNoticeFits(w, "LabelLimit");

    w.click("ButtonStart");  // asks (unsaved) and starts anew
    EXPECT_EQ(w.questions.size(), 1);
    EXPECT_FALSE(limit->isVisible());
}

TEST(Form3, AJournalThatCannotBeWrittenIsSaidOnceAndRecordingGoesOn) {
    TempFolder tmp;
    std::ofstream(tmp.file("plain")) << "a file where the state folder should be";
    bxl::LogJournal journal(tmp.file("plain") + "/brisaval-xl");
    Window w;
    w.form.setJournal(&journal);
    w.showActive();
    QLabel* notice = w.find<QLabel>("LabelJournal");
    EXPECT_FALSE(notice->isVisible());
    w.record(3);
    EXPECT_EQ(w.points(15), 3);
    EXPECT_TRUE(w.form.logActive());
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), QStringLiteral("No backup copy of this recording: use Save Log to keep it."));
    EXPECT_TRUE(notice->toolTip().contains(QStringLiteral("Not a directory")))
        << notice->toolTip().toStdString();
    EXPECT_TRUE(w.errors.isEmpty());
    expectNoticeFits(w, "LabelJournal");
}

TEST(Form3, RecordsIntoTheJournalAndMarksItSaved) {
    TempFolder tmp;
    bxl::LogJournal journal(tmp.path);
    Window w;
    QTemporaryDir dir;
    w.savePath = dir.filePath(QStringLiteral("kept.LOG"));
    w.form.setJournal(&journal);
    w.showActive();
    w.record(3);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(bxl::readFileBytes(tmp.file("recording.LOG"), bytes));
    EXPECT_EQ(bytes, bxl::encodeLogFile(w.form.logStore()));
    EXPECT_FALSE(w.find<QLabel>("LabelJournal")->isVisible());
    w.click("ButtonSave");
    EXPECT_TRUE(bxl::readFileBytes(tmp.file("recording-saved.LOG"), bytes));
    EXPECT_FALSE(journal.findUnsaved());
}

TEST(Form3, RestoresAnUnsavedRecordingOrKeepsItAside) {
    TempFolder tmp;
    const double start = bxl::dateTimeNumber(2024, 5, 17, 9, 30, 1, 250);
    std::vector<uint8_t> left;
    const auto leaveJournal = [&] {
        bxl::LogJournal earlier(tmp.path);
        ASSERT_TRUE(earlier.begin());
        std::array<double, 15> v{};
        for (int k = 0; k < 3; ++k) {
            v[6] = 1000 + k;
            ASSERT_TRUE(earlier.append(start + k * 10 / 86400.0, v));
        }
        ASSERT_TRUE(bxl::readFileBytes(tmp.file("recording.LOG"), left));
    };
    const QString question = QStringLiteral(
                                 "Unsaved recording found: started 17-5-2024 09:30:01, 3 samples.\n"
                                 "Restore it into the log?\n(Cancel keeps it as %1)")
                                 .arg(QString::fromStdString(tmp.file("recording-2024-05-17-093001.LOG")));

    // Cancel: the chart stays empty and the journal is kept under a dated
    // name.
    leaveJournal();
    {
        bxl::LogJournal journal(tmp.path);
        Window w;
        w.form.setJournal(&journal);
        w.answer = false;
        EXPECT_FALSE(w.form.offerRecovery(journal));
        EXPECT_EQ(w.questions, QStringList{question});
        EXPECT_EQ(w.points(1), 0);
        std::vector<uint8_t> kept;
        ASSERT_TRUE(bxl::readFileBytes(tmp.file("recording-2024-05-17-093001.LOG"), kept));
        EXPECT_EQ(kept, left);
        EXPECT_FALSE(journal.findUnsaved());
    }

    // OK: the samples are in the chart, unsaved, and "Save Log" saves them.
    leaveJournal();
    bxl::LogJournal journal(tmp.path);
    Window w;
    QTemporaryDir dir;
    w.savePath = dir.filePath(QStringLiteral("restored.LOG"));
    w.form.setJournal(&journal);
    EXPECT_TRUE(w.form.offerRecovery(journal));
    EXPECT_EQ(w.questions.size(), 1);
    w.showActive();
    EXPECT_EQ(w.points(7), 3);
    EXPECT_EQ(w.form.chart()->graph(6)->data()->at(2)->value, 1002);
    EXPECT_TRUE(w.form.unsavedSamples());
    EXPECT_TRUE(w.enabled("ButtonSave"));
    w.click("ButtonSave");
    std::vector<uint8_t> saved;
    ASSERT_TRUE(bxl::readFileBytes(w.savePath.toStdString(), saved));
    EXPECT_EQ(saved, left);
    EXPECT_FALSE(w.form.unsavedSamples());
    EXPECT_FALSE(journal.findUnsaved());
}

}  // namespace
