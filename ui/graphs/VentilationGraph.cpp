// Tab 0: the supply and exhaust fan curves of menu M02, each half scaled on
// its own, with the requested airflow marked.
#include "model/ValueIndexes.h"
#include "ui/graphs/GraphDrawing.h"
#include "ui/graphs/GraphMath.h"
#include "ui/graphs/Graphs.h"

namespace bxl::graphs {

namespace {

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
            c.textOut(X + 5, y - 5, integerText(label) + kUnitM3);
        }
    }

    c.line(X + 50, 420, X + 350, 420);
    for (int32_t i = 0; i <= 4; ++i) {
        c.line(X + 50 + 75 * i, 420, X + 52 + 75 * i, 422);
        c.textOut(X + 47 + 75 * i, 424, integerText(i));
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
    c.textOut(X + 5, sub32(yr, 5), integerText(requested) + kUnitM3);
}

}  // namespace

void DrawVentilationGraph(Canvas& canvas, const ValueStore& store) {
    clearStep(canvas);
    const int32_t supply[4] = {store.current(kSupplyFlowSpeed1), store.current(kSupplyFlowSpeed2),
                               store.current(kSupplyFlowSpeed3), store.current(kSupplyFlowSpeed4)};
    const int32_t exhaust[4] = {store.current(kExhaustFlowSpeed1), store.current(kExhaustFlowSpeed2),
                                store.current(kExhaustFlowSpeed3), store.current(kExhaustFlowSpeed4)};
    drawFanHalf(canvas, 0, QStringLiteral("Supply"), supply, store.current(kSupplyFlowRequest));
    canvas.setPen(kGray);
    canvas.setBrush(canvas.faceColour());
    canvas.setFontColour(kBlack);
    drawFanHalf(canvas, 348, QStringLiteral("Exhaust"), exhaust, store.current(kExhaustFlowRequest));
}

}  // namespace bxl::graphs
