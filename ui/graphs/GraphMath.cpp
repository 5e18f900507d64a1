#include "ui/graphs/GraphMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/ValueIndexes.h"

namespace bxl::graphs {

FanScale fanScale(int32_t a1, int32_t a2, int32_t a3, int32_t a4) {
    const int32_t largest = std::max({int32_t{2000}, a1, a2, a3, a4});
    const int32_t full = mul32(add32(div32(sub32(largest, 1), 2000), 1), 2000);
    return {full, div32(full, 400)};
}

int32_t heatLineLeftEnd(const ValueStore& store) {
    const int32_t hiOutdoor = store.current(kHeatHighOutdoor);
    const int32_t hiSupply = store.current(kHeatHighSupply);
    const int32_t medOutdoor = store.current(kHeatMedOutdoor);
    const int32_t medSupply = store.current(kHeatMedSupply);
    int32_t e = hiSupply;
    if (hiOutdoor != medOutdoor) {
        e = add32(
            div32(mul32(sub32(hiSupply, medSupply), add32(medOutdoor, 200)), sub32(medOutdoor, hiOutdoor)),
            medSupply);
    }
    if (e < medSupply) e = medSupply;
    if (e > 800) e = 800;
    return e;
}

int32_t hysteresisY(int32_t limit, int32_t percent, int32_t divisor) {
    const double y =
        400.0 - (static_cast<double>(limit) - static_cast<double>(mul32(limit, percent)) * 0.01) / divisor;
    // Far out-of-range limits give positions beyond any image; hold them to
    // the 32-bit range instead of converting out of range.
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::trunc(std::clamp(y, lo, hi)));
}

int32_t filterAirflowX(int32_t airflow, int32_t set1, int32_t set2) {
    int32_t x = 200;
    if (set2 > set1) x = add32(div32(mul32(sub32(airflow, set1), 200), sub32(set2, set1)), 100);
    if (x < 50) x = 50;
    if (x > 320) x = 320;
    return x;
}

}  // namespace bxl::graphs
