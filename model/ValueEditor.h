// Stepping a value with the editor's six buttons: 1, 10 or 100 steps of the
// row up or down, adjusted for times and dates, clamped to the row's limits.
#pragma once

#include <cstdint>

#include "model/Bindings.h"
#include "model/ParamTable.h"
#include "model/ValueStore.h"

namespace bxl {

// Values the wire carries: every value travels as 16 bits.
inline constexpr int32_t kWireMin = -32768;
inline constexpr int32_t kWireMax = 32767;

// Button step counts: "+++" 100, "++" 10, "+" 1 and their negatives.
// Times move by 1, 10 and 60 minutes, dates by 1, 30 and 365 days.
int32_t adjustedStepCount(int32_t buttonSteps, int32_t format);

// The value after one press on a row at `current`: limited to the row's
// limits (maximum first, then minimum) and to what the wire carries, except
// that a value already beyond the wire's range stays as it is when the press
// goes further that way.
int32_t steppedValue(const ParamRow& row, int32_t current, int32_t buttonSteps);

// Applies one press to the value of binding `b`: stores the new value and,
// for process-block values, sets the pending-write flag when the value now
// differs from the unit's copy and clears it when it is back.
void applyStep(ValueStore& store, const Binding& b, int32_t buttonSteps);

}  // namespace bxl
