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

#include "model/TimeClock.h"
#include "model/ValueIndexes.h"
#include "model/ValueStore.h"
#include "tests/support/FactorySettings.h"
#include "ui/common/UiCommon.h"
#include "ui/graphs/Form4.h"
#include "ui/graphs/Graphs.h"

namespace {

using namespace bxl;
using namespace bxl::graphs;
using bxl::test::loadFactorySettings;

void setLiveValues(ValueStore& store) {
    store.setCurrent(kSupplyFlowRequest, 6500);
    store.setCurrent(kExhaustFlowRequest, 6200);
    store.setCurrent(kSupplyFlow, 6480);
    store.setCurrent(kExhaustFlow, 3500);
    store.setCurrent(kTempT1Outdoor, -35);      // -3.5 degrees
    store.setCurrent(kSupplyTempRequest, 315);  // 31.5 degrees
    store.setCurrent(kHeatingActive, 1);
    store.setCurrent(kRealTime, 8 * 60 + 5);
    store.setCurrent(kWeekday, 2);  // Wednesday
    store.setCurrent(kSupplyFilterPressure, 150);
    store.setCurrent(kExhaustFilterPressure, 320);
    store.setCurrent(kExhaustFilterAlarm, 1);
}

// A typical office week: speed 3 on weekdays from 7:30, speed 1 from 18:00,
// speed 2 on Saturday mornings, speed 1 from 13:00.
void setOfficeClocks(ValueStore& store) {
    const int32_t clocks[4][3] = {{450, 2, 3}, {1080, 2, 1}, {540, 9, 2}, {780, 9, 1}};
    for (std::size_t j = 0; j < 4; ++j) {
        store.setCurrent(kSelectClockTimes[j], clocks[j][0]);
        store.setCurrent(kSelectClockDays[j], clocks[j][1]);
        store.setCurrent(kSelectClockSpeeds[j], clocks[j][2]);
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
    store.setCurrent(kSelectClock3Speed, 5);  // Saturday mornings on the second setpoint
    store.setCurrent(kFlowControlMode, 1);    // constant pressure: setpoint form
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
    for (std::size_t j = 0; j < kSelectClockTimes.size(); ++j) {
        const auto clock = static_cast<int32_t>(j + 1);
        busy.setCurrent(kSelectClockTimes[j], 200 * clock);
        busy.setCurrent(kSelectClockDays[j], 1);
        busy.setCurrent(kSelectClockSpeeds[j], clock % 6);
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
