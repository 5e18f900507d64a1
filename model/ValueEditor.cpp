#include "model/ValueEditor.h"

#include <algorithm>

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
    const int64_t k = adjustedStepCount(buttonSteps, row.format);
    int64_t v = static_cast<int64_t>(current) + k * row.step;
    const int64_t hi = std::min<int64_t>(row.maximum, kWireMax);
    const int64_t lo = std::max<int64_t>(row.minimum, kWireMin);
    if (v > hi) v = hi;
    if (v < lo) v = lo;
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
