// Tab 1: the heating and cooling lines of menu M10 with the operating point,
// the outdoor temperature against the supply temperature the line asks.
#include "model/ValueIndexes.h"
#include "ui/graphs/GraphDrawing.h"
#include "ui/graphs/GraphMath.h"
#include "ui/graphs/Graphs.h"

namespace bxl::graphs {

void DrawHeatLineGraph(Canvas& c, const ValueStore& store) {
    clearStep(c);
    c.setPen(kGray);
    c.textOut(20, 0, QStringLiteral("Tsupply"));
    c.line(50, 20, 50, 420);

    for (int32_t t = 800; t >= 0; t -= 10) {
        const int32_t y = 420 - t / 2;
        c.moveTo(50, y);
        c.lineTo(48, y);
        if (t % 50 == 0) c.lineTo(47, y);
        if (t % 100 == 0) {
            c.lineTo(46, y);
            c.textOut(10, y - 5, integerText(t / 10) + kUnitDegC);
        }
    }

    c.textOut(580, 425, QStringLiteral("Toutdoor"));
    c.line(50, 420, 650, 420);
    for (int32_t t = -200; t <= 400; t += 10) {
        const int32_t x = t + 250;
        c.moveTo(x, 420);
        c.lineTo(x, 422);
        if (t % 50 == 0) c.lineTo(x, 423);
        if (t % 100 == 0) {
            c.lineTo(x, 424);
            c.textOut(t + 240, 425, integerText(t / 10) + kUnitDegC);
        }
    }

    // The six setting points: outdoor and supply value indexes, in the order
    // heating hi, med, low, cooling low, med, hi.
    struct SettingPoint {
        int outdoor, supply;
        const char* outdoorCode;
        const char* supplyCode;
    };
    static const SettingPoint kPoints[6] = {
        {kHeatHighOutdoor, kHeatHighSupply, "M10-06", "M10-07"},
        {kHeatMedOutdoor, kHeatMedSupply, "M10-04", "M10-05"},
        {kHeatLowOutdoor, kHeatLowSupply, "M10-02", "M10-03"},
        {kCoolLowOutdoor, kCoolLowSupply, "M10-11", "M10-12"},
        {kCoolMedOutdoor, kCoolMedSupply, "M10-13", "M10-14"},
        {kCoolHighOutdoor, kCoolHighSupply, "M10-15", "M10-16"},
    };
    int32_t px[6];
    int32_t py[6];
    for (int i = 0; i < 6; ++i) {
        px[i] = heatX(store.current(kPoints[i].outdoor));
        py[i] = heatY(store.current(kPoints[i].supply));
    }

    for (int i = 0; i < 6; ++i) {
        c.line(px[i], py[i], 55, py[i]);
        c.line(px[i], py[i], px[i], 415);
    }

    const int32_t yMax = heatY(store.current(kSupplyTempMaximum));
    c.setPen(kRed);
    c.line(heatX(store.current(kHeatLowOutdoor)), yMax, 55, yMax);

    c.setFontColour(kGray);
    for (int i = 0; i < 6; ++i) c.textOut(60, sub32(py[i], 5), QLatin1String(kPoints[i].supplyCode));
    for (int i = 0; i < 6; ++i) c.textOut(sub32(px[i], 15), 400, QLatin1String(kPoints[i].outdoorCode));
    c.textOut(60, sub32(yMax, 5), QStringLiteral("M10-25"));

    c.setPen(kRed);
    c.setBrush(kRed);
    for (int i = 0; i < 3; ++i)
        c.fillRect(sub32(px[i], 2), sub32(py[i], 2), add32(px[i], 2), add32(py[i], 2));
    c.moveTo(50, heatY(heatLineLeftEnd(store)));
    for (int i = 0; i < 3; ++i) c.lineTo(px[i], py[i]);

    c.setPen(kBlue);
    c.setBrush(kBlue);
    for (int i = 3; i < 6; ++i)
        c.fillRect(sub32(px[i], 2), sub32(py[i], 2), add32(px[i], 2), add32(py[i], 2));
    c.moveTo(px[3], py[3]);
    c.lineTo(px[4], py[4]);
    c.lineTo(px[5], py[5]);
    c.lineTo(650, py[5]);

    // Operating point: measured outdoor temperature against the supply
    // temperature the heat line requires.
    c.setPen(kGray);
    c.setBrush(kGray);
    if (store.current(kHeatingActive) != 0) c.setBrush(kRed);
    if (store.current(kCoolingActive) != 0) c.setBrush(kBlue);
    c.setFontColour(c.faceColour());
    const int32_t o = store.current(kTempT1Outdoor);
    const int32_t q = store.current(kSupplyTempRequest);
    const int32_t xo = heatX(o);
    const int32_t yq = heatY(q);
    c.line(xo, 422, xo, yq - 5);
    c.textOut(sub32(xo, 20), 400, QStringLiteral("M01.01"));
    c.textOut(sub32(xo, 20), 422, tenthsText(o) + kUnitDegC);
    c.line(10, yq, add32(xo, 5), yq);
    c.textOut(60, yq - 5, QStringLiteral("M10.26"));
    c.textOut(10, yq - 5, tenthsText(q) + kUnitDegC);
}

}  // namespace bxl::graphs
