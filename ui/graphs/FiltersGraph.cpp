// Tab 3: the filter pressure limits of menu M70 per filter, green, orange
// and red zones, with the present pressure at the present airflow.
#include "model/ValueIndexes.h"
#include "ui/graphs/GraphDrawing.h"
#include "ui/graphs/GraphMath.h"
#include "ui/graphs/Graphs.h"

namespace bxl::graphs {

namespace {

struct FilterHalf {
    int set1Flow, set1Limit, set2Flow, set2Limit, pressure, airflow, alarm;
};

constexpr FilterHalf kSupplyFilter{kSupplyFilterFlow1,  kSupplyFilterLimit1,   kSupplyFilterFlow2,
                                   kSupplyFilterLimit2, kSupplyFilterPressure, kSupplyFlow,
                                   kSupplyFilterAlarm};
constexpr FilterHalf kExhaustFilter{kExhaustFilterFlow1,  kExhaustFilterLimit1,   kExhaustFilterFlow2,
                                    kExhaustFilterLimit2, kExhaustFilterPressure, kExhaustFlow,
                                    kExhaustFilterAlarm};

void drawFilterHalf(Canvas& c, const ValueStore& store, int32_t X, const FilterHalf& idx) {
    const int32_t f1 = store.current(idx.set1Flow);
    const int32_t p1 = store.current(idx.set1Limit);
    const int32_t f2 = store.current(idx.set2Flow);
    const int32_t p2 = store.current(idx.set2Limit);
    const int32_t p = store.current(idx.pressure);
    const int32_t fa = store.current(idx.airflow);
    const int32_t alarm = store.current(idx.alarm);
    const int32_t hyst = store.current(kFilterHysteresis);
    const int32_t maxP = store.current(kFilterPressureMaximum);

    const int32_t q = filterDivisor(p1, p2, p, maxP);
    const int32_t y1 = filterY(p1, q);
    const int32_t y2 = filterY(p2, q);
    const int32_t h1 = hysteresisY(p1, hyst, q);
    const int32_t h2 = hysteresisY(p2, hyst, q);

    c.setPen(kGray);
    c.textOut(X, 10, QStringLiteral("Pressure filter"));
    c.textOut(X + 260, 406, QStringLiteral("Flow"));
    c.line(X + 10, 20, X + 10, 410);
    c.line(X + 5, 405, X + 310, 405);

    c.setPen(kBlack);
    c.setBrush(kGreen);
    c.polygon({{X + 100, 400}, {X + 100, h1}, {X + 300, h2}, {X + 300, 400}});
    c.setBrush(kOrange);
    c.polygon({{X + 100, h1}, {X + 100, y1}, {X + 300, y2}, {X + 300, h2}});
    c.setBrush(kRed);
    c.polygon({{X + 100, y1}, {X + 100, 50}, {X + 300, 50}, {X + 300, y2}});

    c.setBrush(c.faceColour());
    c.line(X + 7, y1, X + 95, y1);
    c.line(X + 7, y2, X + 295, y2);
    c.textOut(X + 20, sub32(y1, 7), integerText(p1) + kUnitPa);
    c.textOut(X + 20, sub32(y2, 7), integerText(p2) + kUnitPa);

    c.line(X + 100, 405, X + 100, 410);
    c.line(X + 300, 405, X + 300, 410);
    c.textOut(X + 85, 410, integerText(f1) + kUnitM3);
    c.textOut(X + 285, 410, integerText(f2) + kUnitM3);

    const int32_t yM = filterY(maxP, q);
    c.setPen(kRed);
    c.setFontColour(kRed);
    c.setBrush(c.faceColour());
    c.line(X + 7, yM, X + 95, yM);
    c.line(X + 7, sub32(yM, 1), X + 95, sub32(yM, 1));
    c.textOut(X + 20, sub32(yM, 7), integerText(maxP) + kUnitPa);

    c.setPen(kBlue);
    c.setFontColour(kBlack);
    c.setBrush(kGreen);
    if (alarm != 0) {
        c.setBrush(kRed);
        c.setFontColour(c.faceColour());
    }
    const int32_t yA = filterY(p, q);
    const int32_t xA = filterAirflowX(fa, f1, f2);
    c.line(X + 5, yA, X + xA + 5, yA);
    c.textOut(X + 60, sub32(yA, 7), integerText(p) + kUnitPa);

    c.setPen(kBlue);
    c.setFontColour(c.faceColour());
    c.setBrush(kBlue);
    c.line(X + xA, 410, X + xA, sub32(yA, 5));
    c.textOut(X + xA - 10, 410, integerText(fa) + kUnitM3);
}

}  // namespace

void DrawFiltersGraph(Canvas& c, const ValueStore& store) {
    c.setPen(kGray);
    clearStep(c, 12);
    c.textOut(150, 0, QStringLiteral("Supply"));
    c.textOut(500, 0, QStringLiteral("Exhaust"));
    c.setFontSize(8);
    drawFilterHalf(c, store, 0, kSupplyFilter);
    c.setPen(kGray);
    c.setBrush(c.faceColour());
    c.setFontColour(kBlack);
    drawFilterHalf(c, store, 350, kExhaustFilter);
}

}  // namespace bxl::graphs
