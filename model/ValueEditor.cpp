#include "model/ValueEditor.h"

namespace bxl {

int32_t adjustedStepCount(int32_t k, int32_t format) {
    if (format == kFormatTimeOfDay) {
        if (k == 100) return 60;
        if (k == -100) return -60;
    } else if (format == kFormatDate) {
        if (k == 10) return 30;
        if (k == -10) return -30;
        if (k == 100) return 365;
        if (k == -100) return -365;
    }
    return k;
}

int32_t steppedValue(const ParamRow& row, int32_t current, int32_t buttonSteps) {
    const int64_t delta = int64_t{adjustedStepCount(buttonSteps, row.format)} * row.step;
    int64_t v = current + delta;
    if (v > row.maximum) v = row.maximum;
    if (v < row.minimum) v = row.minimum;
    // What the wire carries: a value already beyond it (loaded from a file)
    // is not moved by a press towards the limit it breaks, since clamping
    // would take it the wrong way; otherwise the value stops at the limit.
    if (v > kWireMax) return delta > 0 && current > kWireMax ? current : kWireMax;
    if (v < kWireMin) return delta < 0 && current < kWireMin ? current : kWireMin;
    return static_cast<int32_t>(v);
}

void applyStep(ValueStore& store, const Binding& b, int32_t buttonSteps) {
    const ParamRow& row = kParamTable[b.row];
    const int32_t v = steppedValue(row, store.current(b.valueIndex), buttonSteps);
    store.setCurrent(b.valueIndex, v);
    if (b.valueIndex >= kProcessFirst)
        store.setPending(b.valueIndex, v != store.received(b.valueIndex) ? 1 : 0);
}

}  // namespace bxl
