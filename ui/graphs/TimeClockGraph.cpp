// Tab 2: the week of the six select clocks of menu M60, one row a weekday,
// as ventilation speeds or as the setpoint choice, with the unit's present
// time marked.
#include "model/TimeClock.h"
#include "model/ValueIndexes.h"
#include "ui/graphs/GraphDrawing.h"
#include "ui/graphs/GraphMath.h"
#include "ui/graphs/Graphs.h"

namespace bxl::graphs {

namespace {

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
            c.textOut(513 + 8 * ((k + 1) % 2), base - 10 * k - 7, integerText(k));
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
        c.textOut(clockX(m) - 10, 425, integerText(m / 60) + QStringLiteral(":00"));

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
    const int32_t t = store.current(kRealTime);
    const int32_t base = mul32(60, add32(store.current(kWeekday), 1));
    const int32_t xt = clockX(t);
    c.line(xt, add32(base, 4), xt, sub32(base, 44));
    const int32_t minutes = mod32(t, 60);
    const QString text = integerText(div32(t, 60)) + QLatin1Char(':') +
                         (minutes >= 0 && minutes < 10 ? QStringLiteral("0") : QString()) +
                         integerText(minutes);
    c.textOut(sub32(xt, 10), add32(base, 6), text);
}

}  // namespace

void DrawTimeClockSpeedGraph(Canvas& canvas, const ValueStore& store) {
    drawTimeClock(canvas, store, true);
}

void DrawTimeClockSetpointGraph(Canvas& canvas, const ValueStore& store) {
    drawTimeClock(canvas, store, false);
}

}  // namespace bxl::graphs
