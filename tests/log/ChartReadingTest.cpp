// Reading a recording off the log window and taking it away: the time of day
// on the time axis as the span changes, the cursor read-out under the mouse,
// the air flows on a right axis of their own, the CSV table and the picture
// of the chart, for a recorded and for a loaded recording.
#include <gtest/gtest.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "model/log/DateTime.h"
#include "model/log/LogFile.h"
#include "model/log/RecordingCsv.h"
#include "tests/support/FakeDialogs.h"
#include "ui/log/Form3.h"
#include "ui/log/LogChart.h"

namespace {

constexpr double kSecond = 1.0 / 86400.0;

struct Window {
    bxl::ValueStore values;
    double now = bxl::dateTimeNumber(2024, 5, 17, 14, 5, 0, 0);
    bxl::test::FakeDialogs dialogs;
    TForm3 form{values, dialogs, nullptr, [this] { return now; }};
    QTemporaryDir dir;

    Window() {
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    template <class T>
    T* find(const char* name) {
        T* w = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) {
        auto* b = find<QPushButton>(name);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
    }
    // Loads `log` the way the engineer does: written to a file, then "Load Log".
    void load(const bxl::LogStore& log, int seriesInFile = 15) {
        LogStoreFile file{log, seriesInFile};
        const QString path = dir.filePath(QStringLiteral("in.LOG"));
        ASSERT_TRUE(bxl::writeFileBytes(path.toStdString(), file.bytes()));
        dialogs.paths[QStringLiteral("OpenDialog1")] = path;
        click("ButtonLoad");
        ASSERT_TRUE(dialogs.told.isEmpty()) << dialogs.told.join(QLatin1Char('|')).toStdString();
    }
    struct LogStoreFile {
        const bxl::LogStore& log;
        int series;
        std::vector<uint8_t> bytes() const {
            // A file with fewer series per record leaves the last ones out.
            std::vector<uint8_t> out = bxl::encodeLogFile(log);
            if (series == 15) return out;
            std::vector<uint8_t> cut(out.begin(), out.begin() + 12);
            cut[8] = static_cast<uint8_t>(series);
            for (std::size_t r = 0; r < log.count(0); ++r) {
                const auto record = out.begin() + 12 + static_cast<std::ptrdiff_t>(r * 128);
                cut.insert(cut.end(), record, record + 8 * (1 + series));
            }
            return cut;
        }
    };
    QStringList timeLabels() {
        bxl::ui::LogChart* chart = form.chart();
        chart->replot(QCustomPlot::rpImmediateRefresh);
        QStringList shown;
        const QVector<double> ticks = chart->xAxis->tickVector();
        const QVector<QString> labels = chart->xAxis->tickVectorLabels();
        for (qsizetype i = 0; i < ticks.size(); ++i) {
            if (chart->xAxis->range().contains(ticks[i])) shown << labels[i];
        }
        return shown;
    }
    QByteArray fileBytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// Samples at `start` and every `step` seconds up to `span` seconds later;
// series k holds k*10 + i.
bxl::LogStore recording(double start, double span, double step) {
    bxl::LogStore log;
    for (int i = 0; i * step <= span; ++i) {
        std::array<double, bxl::kLogSeriesCount> v{};
        for (int k = 0; k < bxl::kLogSeriesCount; ++k) v[static_cast<std::size_t>(k)] = k * 10 + i;
        log.addSample(start + i * step * kSecond, v);
    }
    return log;
}

TEST(ChartReading, TimeAxisShowsTheTimeOfDayInRoundSteps) {
    Window w;
    // An empty chart names no date at all (day 0 would be 30-12-1899).
    for (const QString& label : w.timeLabels()) EXPECT_TRUE(label.isEmpty()) << label.toStdString();

    const double start = bxl::dateTimeNumber(2024, 5, 17, 14, 5, 0, 0);
    struct Case {
        double span;  // seconds
        double step;  // seconds between labels
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {30, 5, "17-5-2024\n14:05:00", "17-5-2024\n14:05:30"},
        {20 * 60, 300, "17-5-2024\n14:05", "17-5-2024\n14:25"},
        {6 * 3600, 3600, "17-5-2024\n15:00", "17-5-2024\n20:00"},
        // Crossing midnight: the date changes under the times.
        {3 * 86400, 43200, "18-5-2024\n00:00", "20-5-2024\n12:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.span);
        w.load(recording(start, c.span, c.span / 10));
        const QStringList labels = w.timeLabels();
        ASSERT_GE(labels.size(), 4);
        EXPECT_EQ(labels.front(), QString::fromUtf8(c.first));
        EXPECT_EQ(labels.back(), QString::fromUtf8(c.last));
        const QVector<double> ticks = w.form.chart()->xAxis->tickVector();
        EXPECT_NEAR((ticks[1] - ticks[0]) / kSecond, c.step, 1e-3);
        static const QRegularExpression dateAndTime(
            QStringLiteral("^\\d{1,2}-\\d{1,2}-2024\\n\\d\\d:\\d\\d(:\\d\\d)?$"));
        for (const QString& label : labels)
            EXPECT_TRUE(dateAndTime.match(label).hasMatch()) << label.toStdString();
    }
    // Weeks: the date alone, as before.
    w.load(recording(start, 30 * 86400, 86400));
    for (const QString& label : w.timeLabels()) {
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{1,2}-\\d{1,2}-2024$")).match(label).hasMatch())
            << label.toStdString();
    }
}

TEST(ChartReading, CursorReadsEveryShownSeriesAtTheNearestSample) {
    Window w;
    const double start = bxl::dateTimeNumber(2024, 5, 17, 14, 5, 0, 0);
    w.load(recording(start, 100, 10));
    bxl::ui::LogChart* chart = w.form.chart();
    EXPECT_TRUE(chart->cursorReadout().isEmpty());

    // Two pixels beside sample 3 (14:05:30), halfway up the plot.
    const int x = static_cast<int>(chart->xAxis->coordToPixel(start + 30 * kSecond)) + 2;
    const QPoint at(x, chart->axisRect()->rect().center().y());
    QTest::mouseMove(chart, at);
    ASSERT_EQ(chart->cursorSample(), std::optional<std::size_t>(3));
    // Series k holds k*10 + 3: the four temperatures with one decimal, the
    // air flows with none, each in its unit.
    EXPECT_EQ(chart->cursorReadout(),
              (QStringList{QStringLiteral("17-5-2024 14:05:30"), QStringLiteral("T1: 3.0 °C"),
                           QStringLiteral("T2: 13.0 °C"), QStringLiteral("T3: 23.0 °C"),
                           QStringLiteral("T4: 33.0 °C"), QStringLiteral("Supply: 63 m3/h"),
                           QStringLiteral("Exhaust: 73 m3/h")}));
    // What the engineer sees: the cursor line and the read-out box beside it.
    const QImage shown = chart->grab().toImage();
    EXPECT_NE(shown.pixelColor(x - 2, chart->axisRect()->rect().bottom() - 4), QColor(Qt::white));

    // A series shown later joins the read-out; one hidden leaves it.
    w.find<QCheckBox>("CheckBox15")->click();
    w.find<QCheckBox>("CheckBox1")->click();
    QTest::mouseMove(chart, at + QPoint(1, 0));
    EXPECT_EQ(chart->cursorReadout().last(), QStringLiteral("Bypass: 143.00 %"));
    EXPECT_EQ(chart->cursorReadout().at(1), QStringLiteral("T2: 13.0 °C"));

    // Leaving the plot hides the cursor.
    QTest::mouseMove(chart, QPoint(2, 2));
    EXPECT_TRUE(chart->cursorReadout().isEmpty());
}

TEST(ChartReading, AirFlowsGetTheirOwnAxisOnlyWhenAskedAndMixed) {
    Window w;
    const double start = bxl::dateTimeNumber(2024, 5, 17, 14, 5, 0, 0);
    w.load(recording(start, 100, 10));
    bxl::ui::LogChart* chart = w.form.chart();
    // The default view: one left axis spanning all six shown series.
    EXPECT_FALSE(chart->yAxis2->visible());
    EXPECT_DOUBLE_EQ(chart->yAxis->range().upper, 80.0);  // Exhaust at its last sample

    w.find<QCheckBox>("CheckBoxFlowAxis")->click();
    EXPECT_TRUE(chart->yAxis2->visible());
    EXPECT_EQ(chart->graph(6)->valueAxis(), chart->yAxis2);
    EXPECT_EQ(chart->graph(0)->valueAxis(), chart->yAxis);
    // The temperatures (0..40) fill the left axis, the flows (60..80) the right.
    EXPECT_DOUBLE_EQ(chart->yAxis->range().upper, 40.0);
    EXPECT_DOUBLE_EQ(chart->yAxis2->range().lower, 60.0);
    EXPECT_DOUBLE_EQ(chart->yAxis2->range().upper, 80.0);
    // A wheel notch zooms the right axis with the others.
    QWheelEvent notch(QPointF(300, 200), chart->mapToGlobal(QPointF(300, 200)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart, &notch);
    EXPECT_NEAR(chart->yAxis2->range().lower, 62.0, 1e-9);
    EXPECT_NEAR(chart->yAxis2->range().upper, 78.0, 1e-9);

    // Flows alone: back on the one left axis.
    for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"})
        w.find<QCheckBox>(box)->click();
    EXPECT_FALSE(chart->yAxis2->visible());
    EXPECT_EQ(chart->graph(6)->valueAxis(), chart->yAxis);
}

TEST(ChartReading, CsvOfALoadedRecordingLeavesMissingSeriesEmpty) {
    Window w;
    const double start = bxl::dateTimeNumber(2024, 5, 17, 14, 5, 0, 0);
    w.load(recording(start, 10, 10), 13);  // series 14 and 15 not in the file
    const QString path = w.dir.filePath(QStringLiteral("trend.csv"));
    w.dialogs.paths[QStringLiteral("SaveDialogCsv")] = path;
    w.click("ButtonExportCsv");
    EXPECT_TRUE(w.dialogs.told.isEmpty());
    const QByteArray expected =
        "time,T1 (\xC2\xB0"
        "C),T2 (\xC2\xB0"
        "C),T3 (\xC2\xB0"
        "C),T4 (\xC2\xB0"
        "C),T5 (\xC2\xB0"
        "C),"
        "T6 (\xC2\xB0"
        "C),Supply (m3/h),Exhaust (m3/h),Heatwheel (%),Cooling (%),Heating (%),"
        "Supply control (%),Exhaust control (%),T7 (\xC2\xB0"
        "C),Bypass (%)\r\n"
        "2024-05-17 14:05:00,0.0,10.0,20.0,30.0,40.0,50.0,60,70,80.00,90.0,100.0,110.0,120.0,,\r\n"
        "2024-05-17 14:05:10,1.0,11.0,21.0,31.0,41.0,51.0,61,71,81.00,91.0,101.0,111.0,121.0,,\r\n";
    EXPECT_EQ(w.fileBytes(path), expected);

    // A file that cannot be written is said like the other writers say it.
    w.dialogs.paths[QStringLiteral("SaveDialogCsv")] = w.dir.path();
    w.click("ButtonExportCsv");
    EXPECT_EQ(w.dialogs.told, QStringList{QStringLiteral("Cannot write to file.")});
}

TEST(ChartReading, PictureOfTheChartAsPngOrPdfRecordedOrLoaded) {
    Window w;
    // Recorded: two samples at the shortest interval.
    w.values.setCurrent(256, 215);
    w.click("ButtonStart");
    for (int i = 0; i < 3; ++i) {
        w.now += kSecond;
        w.form.Timer1Timer();
    }
    ASSERT_EQ(w.form.logStore().count(0), 1U);
    const QString png = w.dir.filePath(QStringLiteral("chart.png"));
    const QString pdf = w.dir.filePath(QStringLiteral("chart.PDF"));
    for (const QString& path : {png, pdf}) {
        w.dialogs.paths[QStringLiteral("SaveDialogPicture")] = path;
        w.click("ButtonSavePicture");
    }
    EXPECT_TRUE(w.dialogs.told.isEmpty());
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(w.fileBytes(png), "PNG"));
    EXPECT_EQ(picture.size(), w.form.chart()->size());
    EXPECT_TRUE(w.fileBytes(pdf).startsWith("%PDF"));
    w.click("ButtonStop");

    // Loaded, zoomed and with one series: the picture shows that view, with
    // a legend naming the series (the shown chart has none).
    w.load(recording(bxl::dateTimeNumber(2024, 5, 17, 14, 5, 0, 0), 100, 10));
    for (const char* box : {"CheckBox2", "CheckBox3", "CheckBox4", "CheckBox7", "CheckBox8"})
        w.find<QCheckBox>(box)->click();
    w.form.Chart1MouseWheelDown();
    const bxl::ChartRanges before = w.form.chart()->shownRanges();
    w.dialogs.paths[QStringLiteral("SaveDialogPicture")] = png;
    w.click("ButtonSavePicture");
    ASSERT_TRUE(picture.loadFromData(w.fileBytes(png), "PNG"));
    EXPECT_EQ(w.form.chart()->shownRanges(), before);
    EXPECT_FALSE(w.form.chart()->legend->visible());
    // Blue (series 1) is drawn in the picture, and so is its legend swatch
    // near the top right corner.
    bool blueLine = false;
    bool blueTopRight = false;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixelColor(x, y) != QColor(0, 0, 255)) continue;
            blueLine = true;
            if (x > picture.width() * 3 / 4 && y < picture.height() / 4) blueTopRight = true;
        }
    }
    EXPECT_TRUE(blueLine);
    EXPECT_TRUE(blueTopRight);
}

}  // namespace
