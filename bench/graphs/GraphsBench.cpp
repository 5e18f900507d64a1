// Prints the time of one full redraw of each graph, drawn from the factory
// settings with plausible live values; optionally saves window pictures.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabBar>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "model/ParamTable.h"
#include "model/ValueStore.h"
#include "ui/common/UiCommon.h"
#include "ui/graphs/Form4.h"
#include "ui/graphs/Graphs.h"

namespace {

using namespace bxl;
using namespace bxl::graphs;

void loadFactorySettings(ValueStore& store) {
    for (int r = 0; r < kEndMarkerRow; ++r) {
        const ParamRow& row = kParamTable[r];
        if (row.menu > 0) store.setCurrent(row.valueIndex, row.defaultValue);
    }
}

void setLiveValues(ValueStore& store) {
    store.setCurrent(271, 6500);  // requested supply air
    store.setCurrent(272, 6200);  // requested exhaust air
    store.setCurrent(273, 6480);  // actual supply air
    store.setCurrent(274, 3500);  // actual exhaust air
    store.setCurrent(256, -35);   // outdoor -3.5 degrees
    store.setCurrent(336, 315);   // required supply 31.5 degrees
    store.setCurrent(350, 1);     // heating
    store.setCurrent(366, 8 * 60 + 5);
    store.setCurrent(368, 2);    // Wednesday
    store.setCurrent(365, 150);  // supply filter pressure
    store.setCurrent(364, 320);  // exhaust filter pressure
    store.setCurrent(370, 1);    // exhaust filter alarm
}

// A typical office week: speed 3 on weekdays from 7:30, speed 1 from 18:00,
// speed 2 on Saturday mornings, speed 1 from 13:00.
void setOfficeClocks(ValueStore& store) {
    const int32_t clocks[4][3] = {{450, 2, 3}, {1080, 2, 1}, {540, 9, 2}, {780, 9, 1}};
    for (int j = 1; j <= 4; ++j) {
        store.setCurrent(116 + j, clocks[j - 1][0]);
        store.setCurrent(122 + j, clocks[j - 1][1]);
        store.setCurrent(128 + j, clocks[j - 1][2]);
    }
}

double bestMillis(const std::function<void()>& draw, int runs) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        draw();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

double meanMillis(const std::function<void()>& draw, int runs) {
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < runs; ++i) draw();
    return t.nsecsElapsed() / 1e6 / runs;
}

void saveScreenshots(ValueStore& store, const QString& dir) {
    QDir().mkpath(dir);
    TForm4 form(store);
    form.show();
    const char* const names[4] = {"ventilation", "heatline", "timeclock", "filters"};
    for (int tab = 0; tab < 4; ++tab) {
        form.selectTab(tab);
        form.TabControl1Change();
        form.grab().save(dir + QStringLiteral("/graphs-%1.png").arg(QLatin1String(names[tab])));
    }
    setOfficeClocks(store);
    form.selectTab(2);
    form.TabControl1Change();
    form.grab().save(dir + QStringLiteral("/graphs-timeclock-week.png"));
    store.setCurrent(131, 5);  // Saturday mornings on the second setpoint
    store.setCurrent(92, 1);   // constant pressure: setpoint form
    form.TabControl1Change();
    form.grab().save(dir + QStringLiteral("/graphs-timeclock-setpoint.png"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ValueStore store;
    loadFactorySettings(store);
    setLiveValues(store);

    const QStringList args = QApplication::arguments();
    const int shots = static_cast<int>(args.indexOf(QStringLiteral("--screenshots")));
    if (shots > 0 && shots + 1 < args.size()) {
        saveScreenshots(store, args.at(shots + 1));
        return 0;
    }

    Canvas canvas(kGraphWidth, kGraphHeight, ui::faceColour().rgb());
    ValueStore week = store;
    setOfficeClocks(week);
    ValueStore busy = store;  // every clock active every day: the most work
    for (int j = 1; j <= 6; ++j) {
        busy.setCurrent(116 + j, 200 * j);
        busy.setCurrent(122 + j, 1);
        busy.setCurrent(128 + j, j % 6);
    }
    struct Case {
        const char* name;
        std::function<void()> draw;
    };
    const Case cases[] = {
        {"ventilation", [&] { DrawVentilationGraph(canvas, store); }},
        {"heat line", [&] { DrawHeatLineGraph(canvas, store); }},
        {"time clock, speed", [&] { DrawTimeClockSpeedGraph(canvas, week); }},
        {"time clock, setpoint", [&] { DrawTimeClockSetpointGraph(canvas, week); }},
        {"time clock, 6 daily", [&] { DrawTimeClockSpeedGraph(canvas, busy); }},
        {"filters", [&] { DrawFiltersGraph(canvas, store); }},
    };
    const int runs = 200;
    std::printf("%-22s %10s %10s   (%d redraws each)\n", "graph", "mean ms", "best ms", runs);
    for (const Case& c : cases) {
        c.draw();  // warm up fonts and caches
        const double mean = meanMillis(c.draw, runs);
        const double best = bestMillis(c.draw, runs);
        std::printf("%-22s %10.3f %10.3f\n", c.name, mean, best);
    }
    return 0;
}
