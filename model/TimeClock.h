// The unit's weekly time clock: the six select clocks of menu M60 and the
// ventilation speed they set at a minute of the week. Read by the time clock
// graph and run by the simulated unit.
#pragma once

#include <array>
#include <cstdint>

#include "model/ValueIndexes.h"
#include "model/ValueStore.h"

namespace bxl {

inline constexpr int32_t kMinutesPerDay = 1440;
inline constexpr int32_t kMinutesPerWeek = 10080;
inline constexpr int kSelectClockCount = 6;

// One select clock: from its start time on every weekday its day option
// makes it active, it sets its speed.
struct SelectClock {
    int32_t startMinute;  // minutes since midnight (the menu allows 0..1439)
    int32_t dayOption;    // 0 never, 1 every day, 2 Monday..Friday, 3 weekend, 4..10 Monday..Sunday
    int32_t speed;        // 0..5; 5 selects the second setpoint
};
using SelectClocks = std::array<SelectClock, kSelectClockCount>;

// Value indexes of clocks 1..6 (M60.11 .. M60.63).
inline constexpr std::array<int, kSelectClockCount> kSelectClockTimes{kSelectClock1Time, kSelectClock2Time,
                                                                      kSelectClock3Time, kSelectClock4Time,
                                                                      kSelectClock5Time, kSelectClock6Time};
inline constexpr std::array<int, kSelectClockCount> kSelectClockDays{kSelectClock1Day, kSelectClock2Day,
                                                                     kSelectClock3Day, kSelectClock4Day,
                                                                     kSelectClock5Day, kSelectClock6Day};
inline constexpr std::array<int, kSelectClockCount> kSelectClockSpeeds{
    kSelectClock1Speed, kSelectClock2Speed, kSelectClock3Speed,
    kSelectClock4Speed, kSelectClock5Speed, kSelectClock6Speed};

// The clocks as the current values of the store hold them.
SelectClocks selectClocks(const ValueStore& store);
// The clocks as a controls block (value indexes 0..199) holds them.
SelectClocks selectClocks(const std::array<int32_t, kControlsCount>& controls);

// True when a clock with this day option is active on weekday d (0 = Monday).
bool clockActiveOn(int32_t dayOption, int32_t weekday);

// The speed 0..5 the clocks have set at minute w of the week (0 = Monday
// 00:00 .. 10079 = Sunday 23:59): that of the clock event that happened last
// at or before w, counting cyclically through the week; on equal ages the
// higher clock number. 0 when no clock is active on any day.
int32_t TimeClockSpeedAt(const SelectClocks& clocks, int32_t w);
int32_t TimeClockSpeedAt(const ValueStore& store, int32_t w);

}  // namespace bxl
