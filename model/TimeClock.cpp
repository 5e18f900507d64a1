#include "model/TimeClock.h"

#include <algorithm>

#include "model/WrappingInt32.h"

namespace bxl {

namespace {

template <class ValueAt>
SelectClocks readClocks(ValueAt valueAt) {
    SelectClocks clocks{};
    for (std::size_t j = 0; j < clocks.size(); ++j)
        clocks[j] = {valueAt(kSelectClockTimes[j]), valueAt(kSelectClockDays[j]),
                     valueAt(kSelectClockSpeeds[j])};
    return clocks;
}

}  // namespace

SelectClocks selectClocks(const ValueStore& store) {
    return readClocks([&](int index) { return store.current(index); });
}

SelectClocks selectClocks(const std::array<int32_t, kControlsCount>& controls) {
    return readClocks([&](int index) { return controls[static_cast<std::size_t>(index)]; });
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

int32_t TimeClockSpeedAt(const SelectClocks& clocks, int32_t w) {
    int32_t result = 0;
    int32_t bestAge = kMinutesPerWeek;
    int32_t d = div32(w, kMinutesPerDay);
    for (int n = 0; n < 7; ++n) {
        for (const SelectClock& clock : clocks) {
            if (!clockActiveOn(clock.dayOption, d)) continue;
            const int32_t start = add32(clock.startMinute, mul32(kMinutesPerDay, d));
            const int32_t age = mod32(add32(sub32(w, start), 2 * kMinutesPerWeek), kMinutesPerWeek);
            if (age <= bestAge) {
                bestAge = age;
                result = clock.speed;
            }
        }
        d = mod32(add32(d, 6), 7);
    }
    return std::clamp(result, int32_t{0}, int32_t{5});
}

int32_t TimeClockSpeedAt(const ValueStore& store, int32_t w) {
    return TimeClockSpeedAt(selectClocks(store), w);
}

}  // namespace bxl
