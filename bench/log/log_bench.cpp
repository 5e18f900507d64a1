// Times the log window at a full recording of 15 series x 10001 samples:
// adding one sample and drawing it, one full repaint of the chart, and
// loading a full log file up to the drawn chart; the same with the cursor
// read-out shown, and the cursor following the mouse; and the recording journal:
// one sample appended and flushed to the disk, in a folder under $TMPDIR
// (or /tmp), beside the same tick without a journal.
//
// Run: QT_QPA_PLATFORM=offscreen build/default/bench/log/log_bench
#include <qcustomplot.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "model/log/DateTime.h"
#include "model/log/LogFile.h"
#include "model/log/LogJournal.h"
#include "model/log/LogRecorder.h"
#include "tests/support/FakeDialogs.h"
#include "ui/log/Form3.h"
#include "ui/log/LogChart.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

struct Figures {
    double median, max;
};

Figures measure(int runs, const std::function<double()>& once) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) ms.push_back(once());
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

void print(const char* what, Figures f, double goal) {
    std::printf("%-52s median %7.2f ms   max %7.2f ms   goal < %3.0f ms\n", what, f.median, f.max, goal);
}

// Values that move like a running unit, so the lines are not flat.
void simulate(bxl::ValueStore& v, int i) {
    const double a = i * 0.01;
    const int process[] = {256, 257, 258, 259, 260, 261, 273, 274, 276, 298, 297, 300, 301, 323, 296};
    for (int k = 0; k < 15; ++k)
        v.setCurrent(process[k], static_cast<int32_t>(200 + 150 * std::sin(a + k) + (i * 7 + k * 13) % 11));
}

void settle() {
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bxl::ValueStore values;
    double now = bxl::dateTimeNumber(2024, 5, 17, 8, 0, 0, 0);
    bxl::test::FakeDialogs dialogs;  // answers OK: discard the last run's samples
    TForm3 form(values, dialogs, nullptr, [&now] { return now; });
    form.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("2"));
    form.show();
    settle();

    // Records 10000 samples with the window hidden (nothing drawn), then
    // times the 10001st with the window shown.
    auto fillTo10000 = [&] {
        form.hide();
        form.ButtonStartClick();
        for (int i = 0; form.logStore().count(0) < 10000; ++i) {
            simulate(values, i);
            now += 1.0 / 86400.0;
            form.Timer1Timer();
        }
        form.show();
        settle();
        form.chart()->replot();
        settle();
    };
    const Figures add = measure(5, [&] {
        fillTo10000();
        // The countdown is 0 on every second tick; make sure this one samples.
        if (form.recorder().countdown() != 0) {
            now += 1.0 / 86400.0;
            form.Timer1Timer();
        }
        now += 1.0 / 86400.0;
        const auto t0 = Clock::now();
        form.Timer1Timer();
        settle();
        return msSince(t0);
    });
    std::printf("samples per series: %zu\n", form.logStore().count(0));
    print("add one sample and draw it (6 series shown)", add, 20);

    // The same with the cursor read-out shown in the middle of the chart: it
    // reads the nearest sample afresh at every repaint.
    bxl::ui::LogChart* chart = form.chart();
    const QPoint middle = chart->axisRect()->rect().center();
    chart->showCursorAt(middle);
    const Figures addWithCursor = measure(5, [&] {
        fillTo10000();
        chart->showCursorAt(middle);
        if (form.recorder().countdown() != 0) {
            now += 1.0 / 86400.0;
            form.Timer1Timer();
        }
        now += 1.0 / 86400.0;
        const auto t0 = Clock::now();
        form.Timer1Timer();
        settle();
        return msSince(t0);
    });
    print("add one sample and draw it, cursor shown", addWithCursor, 20);
    int step = 0;
    const Figures follow = measure(51, [&] {
        // The pointer moves by a pixel: only the cursor's layer is drawn.
        const auto t0 = Clock::now();
        chart->showCursorAt(middle + QPoint(++step % 40, 0));
        settle();
        return msSince(t0);
    });
    print("cursor follows the mouse by one pixel (6 series shown)", follow, 20);
    chart->showCursorAt(std::nullopt);

    auto repaint = [&] {
        const auto t0 = Clock::now();
        form.chart()->replot(QCustomPlot::rpImmediateRefresh);
        settle();
        return msSince(t0);
    };
    print("full repaint, 6 series shown", measure(15, repaint), 80);
    for (int s = 1; s <= 15; ++s) {
        auto* cb = form.findChild<QCheckBox*>(QStringLiteral("CheckBox%1").arg(s));
        if (!cb->isChecked()) cb->click();
    }
    print("full repaint, all 15 series shown", measure(15, repaint), 80);
    form.findChild<QCheckBox*>(QStringLiteral("CheckBoxLogP"))->click();
    print("full repaint, all 15 series with point markers", measure(15, repaint), 80);
    form.findChild<QCheckBox*>(QStringLiteral("CheckBoxLogP"))->click();
    chart->showCursorAt(middle);
    print("full repaint, all 15 series, cursor shown", measure(15, repaint), 80);
    chart->showCursorAt(std::nullopt);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("FULL.LOG"));
    const std::vector<uint8_t> bytes = bxl::encodeLogFile(form.logStore());
    if (!bxl::writeFileBytes(path.toStdString(), bytes)) return 1;
    std::printf("log file: %zu bytes\n", bytes.size());
    form.ButtonStopClick();
    dialogs.paths[QStringLiteral("OpenDialog1")] = path;
    const Figures load = measure(9, [&] {
        form.ButtonClrClick();
        settle();
        const auto t0 = Clock::now();
        form.ButtonLoadClick();
        settle();
        return msSince(t0);
    });
    print("load the full log file up to the drawn chart (15 shown)", load, 300);

    // The recorder's sampling tick, with and without the journal.
    QTemporaryDir journalDir;
    bxl::LogJournal journal(journalDir.path().toStdString());
    auto sampleTick = [&](bxl::LogJournal* j) {
        bxl::LogStore log;
        bxl::LogRecorder rec(values, log, [&now] { return now; });
        rec.setJournal(j);
        rec.start();
        return measure(201, [&] {
            if (rec.countdown() != 0) rec.tick(2);  // the wait between samples
            simulate(values, static_cast<int>(log.count(0)));
            now += 2.0 / 86400.0;
            const auto t0 = Clock::now();
            rec.tick(2);
            return msSince(t0);
        });
    };
    const Figures bare = sampleTick(nullptr);
    const Figures journalled = sampleTick(&journal);
    print("take one sample, no journal", bare, 2000);
    print("take one sample, appended and flushed to the journal", journalled, 2000);
    std::printf("journal: %s; median %.3f %% of the shortest interval (2 s)%s\n",
                journalDir.path().toLocal8Bit().constData(), journalled.median / 20.0,
                journal.problem().empty() ? "" : "; journal failed!");
    return form.logStore().count(14) == 10001 && journal.problem().empty() ? 0 : 1;
}
