// The weekly time clock: which speed the six select clocks have set at a
// minute of the week.
#include <gtest/gtest.h>

#include <vector>

#include "model/TimeClock.h"

namespace bxl {
namespace {

struct Clock {
    int32_t time, day, speed;
};

// The clocks as the store holds them, the rest at 0 (never active).
ValueStore withClocks(const std::vector<Clock>& clocks) {
    ValueStore s;
    for (size_t j = 0; j < clocks.size(); ++j) {
        s.setCurrent(kSelectClockTimes[j], clocks[j].time);
        s.setCurrent(kSelectClockDays[j], clocks[j].day);
        s.setCurrent(kSelectClockSpeeds[j], clocks[j].speed);
    }
    return s;
}

constexpr int32_t kDay = 1440;

TEST(TimeClockSpeedAt, Table) {
    const std::vector<Clock> worked = {{480, 2, 3}, {1320, 1, 1}};
    const std::vector<Clock> wrap = {{480, 4, 2}, {1200, 10, 4}};        // Monday 8:00, Sunday 20:00
    const std::vector<Clock> laterSameDay = {{600, 6, 3}, {360, 4, 1}};  // Wednesday 10:00, Monday 6:00
    const struct {
        const char* what;
        std::vector<Clock> clocks;
        int32_t w;
        int32_t speed;
    } cases[] = {
        {"worked: Monday 07:00 follows Sunday 22:00", worked, 420, 1},
        {"worked: Monday 09:00", worked, 540, 3},
        {"worked: start minute itself", worked, 480, 3},
        {"worked: minute before the start", worked, 479, 1},
        {"worked: Saturday 09:00 follows Friday 22:00", worked, 5 * kDay + 540, 1},
        {"tie on one day: higher clock wins", {{480, 1, 2}, {480, 1, 4}}, 480, 4},
        {"tie on one day, swapped", {{480, 1, 4}, {480, 1, 2}}, 480, 2},
        {"Monday clock beats every-day clock on Monday", {{480, 1, 2}, {480, 4, 4}}, 480, 4},
        {"every-day clock on Tuesday", {{480, 1, 2}, {480, 4, 4}}, kDay + 480, 2},
        {"week wrap: Monday 00:00 follows Sunday 20:00", wrap, 0, 4},
        {"week wrap: Monday 07:59", wrap, 479, 4},
        {"week wrap: Monday 08:00", wrap, 480, 2},
        {"week wrap: Sunday 19:59", wrap, 6 * kDay + 1199, 2},
        {"week wrap: Sunday 23:59", wrap, 10079, 4},
        {"later the same day counts from a week ago", laterSameDay, 2 * kDay + 540, 1},
        {"... unless nothing is more recent", laterSameDay, 300, 3},
        {"weekend option on Sunday", {{0, 3, 2}, {0, 2, 1}}, 6 * kDay + 10, 2},
        {"weekday option idle on Saturday", {{0, 3, 2}, {60, 2, 1}}, 5 * kDay + 90, 2},
        {"no active clock", {{480, 0, 3}, {600, 0, 4}}, 540, 0},
        {"day options outside 0..10 are never active", {{480, 11, 3}, {480, -1, 4}}, 540, 0},
        {"single clock holds all week", {{900, 8, 4}}, 0, 4},
        {"single clock, Friday before it", {{900, 8, 4}}, 4 * kDay + 899, 4},
        {"speed above 5 limited", {{0, 1, 9}}, 100, 5},
        {"speed below 0 limited", {{0, 1, -3}}, 100, 0},
        {"speed 5 kept", {{0, 1, 5}}, 100, 5},
    };
    for (const auto& c : cases) EXPECT_EQ(TimeClockSpeedAt(withClocks(c.clocks), c.w), c.speed) << c.what;
}

TEST(TimeClockSpeedAt, AllSixClocksTakePart) {
    std::vector<Clock> clocks;
    for (int j = 1; j <= 6; ++j) clocks.push_back({100 * j, 3 + j, j % 6});  // clock j on weekday j-1
    const ValueStore s = withClocks(clocks);
    for (int d = 0; d < 6; ++d) {
        EXPECT_EQ(TimeClockSpeedAt(s, d * kDay + 100 * (d + 1)), (d + 1) % 6) << d;
        EXPECT_EQ(TimeClockSpeedAt(s, d * kDay + 100 * (d + 1) - 1), d)
            << d;  // clock 6 (Saturday) before Monday's
    }
}

}  // namespace
}  // namespace bxl
