#include "ui/graphs/Graphs.h"

#include "model/TimeClock.h"
#include "ui/graphs/GraphMath.h"

namespace bxl::graphs {

namespace {

const QString kM3 = QStringLiteral("m3");
const QString kPa = QStringLiteral("Pa");
const QString kDegC = QStringLiteral("\u00B0C");

QString num(int32_t v) {
    return QString::number(v);
}

// One decimal of a value held in tenths, the sign written separately so that
// -5 reads -0.5.
QString tenths(int32_t v) {
    const int64_t m = v < 0 ? -int64_t{v} : int64_t{v};
    return (v < 0 ? QStringLiteral("-") : QString()) + QString::number(m / 10) + QLatin1Char('.') +
           QString::number(m % 10);
}

// Every graph starts on a face-coloured image with black 8 point "Arial".
void clearStep(Canvas& c, int fontPoints = 8) {
    c.setBrush(c.faceColour());
    c.fillRect(0, 0, kGraphWidth, kGraphHeight);
    c.setFontColour(kBlack);
    c.setFontFace(QStringLiteral("Arial"));
    c.setFontSize(fontPoints);
}

// ---------------------------------------------------------------- ventilation

void drawFanHalf(Canvas& c, int32_t X, const QString& title, const int32_t (&a)[4], int32_t requested) {
    c.setPen(kGray);
    c.textOut(X + 70, 0, title);
    c.line(X + 50, 20, X + 50, 420);

    const FanScale scale = fanScale(a[0], a[1], a[2], a[3]);
    const int32_t s = scale.perPixel;

    int32_t label = 0;
    for (int32_t i = 1; i <= 100; ++i) {
        const int32_t y = 420 - 4 * i;
        c.moveTo(X + 50, y);
        c.lineTo(X + 48, y);
        if (i % 10 == 0) {
            c.lineTo(X + 350, y);
            label = add32(label, mul32(40, s));
            c.textOut(X + 5, y - 5, num(label) + kM3);
        }
    }

    c.line(X + 50, 420, X + 350, 420);
    for (int32_t i = 0; i <= 4; ++i) {
        c.line(X + 50 + 75 * i, 420, X + 52 + 75 * i, 422);
        c.textOut(X + 47 + 75 * i, 424, num(i));
    }
    c.textOut(X + 290, 426, QStringLiteral("Speed"));

    c.setPen(kBlue);
    c.setBrush(kBlue);
    c.moveTo(X + 50, 419);
    c.lineTo(X + 52, 419);
    c.lineTo(X + 52, fanY(a[0], s));
    for (int k = 1; k <= 4; ++k) c.lineTo(X + 50 + 75 * k, fanY(a[k - 1], s));

    for (int k = 1; k <= 4; ++k) {
        const int32_t xk = X + 50 + 75 * k;
        const int32_t yk = fanY(a[k - 1], s);
        c.fillRect(xk - 2, sub32(yk, 2), xk + 2, add32(yk, 2));
    }

    c.setBrush(kBlue);
    c.setFontColour(c.faceColour());
    const int32_t yr = fanY(requested, s);
    c.line(X + 48, yr, X + 55, yr);
    c.textOut(X + 5, sub32(yr, 5), num(requested) + kM3);
}

// ------------------------------------------------------------------ time clock

// Bar pen colour and level for a clock result, per form.
struct Bar {
    QRgb pen;
    int32_t level;
};

Bar speedBar(int32_t v) {
    switch (v) {
        case 0:
            return {kNavy, 0};
        case 1:
            return {kBlue, 1};
        case 2:
            return {qRgb(64, 0, 255), 2};
        case 3:
            return {qRgb(160, 0, 255), 3};
        default:  // 4 and 5
            return {qRgb(240, 0, 208), 4};
    }
}

Bar setpointBar(int32_t v) {
    return v == 5 ? Bar{qRgb(240, 0, 128), 2} : Bar{kNavy, 1};
}

void drawTimeClock(Canvas& c, const ValueStore& store, bool speedForm) {
    static const char* const kDays[7] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

    clearStep(c);
    c.textOut(5, 5, QStringLiteral("Weekdays"));
    c.textOut(490, 5, speedForm ? QStringLiteral("Speed") : QStringLiteral("Setpoint"));
    for (int32_t d = 0; d < 7; ++d) c.textOut(0, 30 + 60 * d, QLatin1String(kDays[d]));

    c.setPen(kGray);
    const int32_t topLevel = speedForm ? 4 : 2;
    for (int32_t d = 0; d < 7; ++d) {
        const int32_t base = 60 * (d + 1);
        for (int32_t k = 1; k <= topLevel; ++k) {
            c.line(511, base - 10 * k, 512, base - 10 * k);
            c.textOut(513 + 8 * ((k + 1) % 2), base - 10 * k - 7, num(k));
        }
    }
    for (int32_t d = 0; d < 7; ++d) {
        const int32_t base = 60 * (d + 1);
        for (int32_t m = 0; m <= kMinutesPerDay; m += 60) {
            c.line(clockX(m), base, clockX(m), base + 2);
            if (m % 240 == 0) c.lineTo(clockX(m), base + 4);
        }
    }
    for (int32_t m = 0; m <= kMinutesPerDay; m += 240)
        c.textOut(clockX(m) - 10, 425, num(m / 60) + QStringLiteral(":00"));

    const SelectClocks clocks = selectClocks(store);
    for (int32_t d = 0; d < 7; ++d) {
        const int32_t base = 60 * (d + 1);
        for (int32_t m = 0; m < kMinutesPerDay; ++m) {
            const int32_t v = TimeClockSpeedAt(clocks, kMinutesPerDay * d + m);
            const Bar bar = speedForm ? speedBar(v) : setpointBar(v);
            c.setPen(bar.pen);
            c.line(clockX(m), base, clockX(m), base - 10 * bar.level - 1);
        }
    }

    // Present time and weekday.
    c.setPen(kBlue);
    c.setBrush(kBlue);
    c.setFontColour(c.faceColour());
    const int32_t t = store.current(366);
    const int32_t base = mul32(60, add32(store.current(368), 1));
    const int32_t xt = clockX(t);
    c.line(xt, add32(base, 4), xt, sub32(base, 44));
    const int32_t minutes = mod32(t, 60);
    const QString text = num(div32(t, 60)) + QLatin1Char(':') +
                         (minutes >= 0 && minutes < 10 ? QStringLiteral("0") : QString()) + num(minutes);
    c.textOut(sub32(xt, 10), add32(base, 6), text);
}

// --------------------------------------------------------------------- filters

struct FilterHalf {
    int set1Flow, set1Limit, set2Flow, set2Limit, pressure, airflow, alarm;
};

constexpr FilterHalf kSupplyFilter{136, 137, 138, 139, 365, 273, 371};
constexpr FilterHalf kExhaustFilter{146, 147, 148, 149, 364, 274, 370};

void drawFilterHalf(Canvas& c, const ValueStore& store, int32_t X, const FilterHalf& idx) {
    const int32_t f1 = store.current(idx.set1Flow);
    const int32_t p1 = store.current(idx.set1Limit);
    const int32_t f2 = store.current(idx.set2Flow);
    const int32_t p2 = store.current(idx.set2Limit);
    const int32_t p = store.current(idx.pressure);
    const int32_t fa = store.current(idx.airflow);
    const int32_t alarm = store.current(idx.alarm);
    const int32_t hyst = store.current(140);
    const int32_t maxP = store.current(164);

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
    c.textOut(X + 20, sub32(y1, 7), num(p1) + kPa);
    c.textOut(X + 20, sub32(y2, 7), num(p2) + kPa);

    c.line(X + 100, 405, X + 100, 410);
    c.line(X + 300, 405, X + 300, 410);
    c.textOut(X + 85, 410, num(f1) + kM3);
    c.textOut(X + 285, 410, num(f2) + kM3);

    const int32_t yM = filterY(maxP, q);
    c.setPen(kRed);
    c.setFontColour(kRed);
    c.setBrush(c.faceColour());
    c.line(X + 7, yM, X + 95, yM);
    c.line(X + 7, sub32(yM, 1), X + 95, sub32(yM, 1));
    c.textOut(X + 20, sub32(yM, 7), num(maxP) + kPa);

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
    c.textOut(X + 60, sub32(yA, 7), num(p) + kPa);

    c.setPen(kBlue);
    c.setFontColour(c.faceColour());
    c.setBrush(kBlue);
    c.line(X + xA, 410, X + xA, sub32(yA, 5));
    c.textOut(X + xA - 10, 410, num(fa) + kM3);
}

}  // namespace

void DrawVentilationGraph(Canvas& canvas, const ValueStore& store) {
    clearStep(canvas);
    const int32_t supply[4] = {store.current(1), store.current(2), store.current(3), store.current(4)};
    const int32_t exhaust[4] = {store.current(5), store.current(6), store.current(7), store.current(8)};
    drawFanHalf(canvas, 0, QStringLiteral("Supply"), supply, store.current(271));
    canvas.setPen(kGray);
    canvas.setBrush(canvas.faceColour());
    canvas.setFontColour(kBlack);
    drawFanHalf(canvas, 348, QStringLiteral("Exhaust"), exhaust, store.current(272));
}

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
            c.textOut(10, y - 5, num(t / 10) + kDegC);
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
            c.textOut(t + 240, 425, num(t / 10) + kDegC);
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
        {69, 79, "M10-06", "M10-07"}, {68, 78, "M10-04", "M10-05"}, {67, 77, "M10-02", "M10-03"},
        {70, 80, "M10-11", "M10-12"}, {71, 81, "M10-13", "M10-14"}, {72, 82, "M10-15", "M10-16"},
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

    const int32_t yMax = heatY(store.current(65));
    c.setPen(kRed);
    c.line(heatX(store.current(67)), yMax, 55, yMax);

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
    if (store.current(350) != 0) c.setBrush(kRed);
    if (store.current(351) != 0) c.setBrush(kBlue);
    c.setFontColour(c.faceColour());
    const int32_t o = store.current(256);
    const int32_t q = store.current(336);
    const int32_t xo = heatX(o);
    const int32_t yq = heatY(q);
    c.line(xo, 422, xo, yq - 5);
    c.textOut(sub32(xo, 20), 400, QStringLiteral("M01.01"));
    c.textOut(sub32(xo, 20), 422, tenths(o) + kDegC);
    c.line(10, yq, add32(xo, 5), yq);
    c.textOut(60, yq - 5, QStringLiteral("M10.26"));
    c.textOut(10, yq - 5, tenths(q) + kDegC);
}

void DrawTimeClockSpeedGraph(Canvas& canvas, const ValueStore& store) {
    drawTimeClock(canvas, store, true);
}

void DrawTimeClockSetpointGraph(Canvas& canvas, const ValueStore& store) {
    drawTimeClock(canvas, store, false);
}

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

void DrawGraphForTab(Canvas& canvas, const ValueStore& store, int tab) {
    switch (tab) {
        case 0:
            DrawVentilationGraph(canvas, store);
            break;
        case 1:
            DrawHeatLineGraph(canvas, store);
            break;
        case 2:
            if (timeClockShowsSpeed(store.current(92)))
                DrawTimeClockSpeedGraph(canvas, store);
            else
                DrawTimeClockSetpointGraph(canvas, store);
            break;
        case 3:
            DrawFiltersGraph(canvas, store);
            break;
        default:
            break;
    }
}

}  // namespace bxl::graphs
