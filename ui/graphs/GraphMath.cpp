#include "ui/graphs/GraphMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bxl::graphs {

FanScale fanScale(int32_t a1, int32_t a2, int32_t a3, int32_t a4) {
    const int32_t largest = std::max({int32_t{2000}, a1, a2, a3, a4});
    const int32_t full = mul32(add32(div32(sub32(largest, 1), 2000), 1), 2000);
    return {full, div32(full, 400)};
}

int32_t heatLineLeftEnd(const ValueStore& store) {
    const int32_t hiOutdoor = store.current(69);
    const int32_t hiSupply = store.current(79);
    const int32_t medOutdoor = store.current(68);
    const int32_t medSupply = store.current(78);
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

bool clockActiveOn(int32_t dayOption, int32_t weekday) {
    switch (dayOption) {
        case 1:
            return true;
        case 2:
            return weekday >= 0 && weekday <= 4;
        case 3:
            return weekday == 5 || weekday == 6;
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 9:
        case 10:
            return weekday == dayOption - 4;
        default:
            return false;
    }
}

int32_t TimeClockSpeedAt(const ValueStore& store, int32_t w) {
    int32_t result = 0;
    int32_t bestAge = kMinutesPerWeek;
    int32_t d = div32(w, kMinutesPerDay);
    for (int n = 0; n < 7; ++n) {
        for (int j = 1; j <= 6; ++j) {
            if (!clockActiveOn(store.current(122 + j), d)) continue;
            const int32_t start = add32(store.current(116 + j), mul32(kMinutesPerDay, d));
            const int32_t age = mod32(add32(sub32(w, start), 2 * kMinutesPerWeek), kMinutesPerWeek);
            if (age <= bestAge) {
                bestAge = age;
                result = store.current(128 + j);
            }
        }
        d = mod32(add32(d, 6), 7);
    }
    return std::clamp(result, int32_t{0}, int32_t{5});
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
