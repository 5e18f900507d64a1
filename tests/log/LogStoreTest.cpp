#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/log/LogStore.h"

namespace {

std::vector<double> timesOf(const bxl::LogStore& log, int s) {
    return log.series(s).times;
}

TEST(LogStore, EarlierPointGoesAfterTheLastPointNotLaterThanIt) {
    bxl::LogStore log;
    EXPECT_EQ(log.add(0, 5.0, 50), 0u);
    EXPECT_EQ(log.add(0, 7.0, 70), 1u);
    EXPECT_EQ(log.add(0, 7.0, 71), 2u);  // equal to the last: appended
    EXPECT_EQ(log.add(0, 6.0, 60), 1u);
    EXPECT_EQ(log.add(0, 5.0, 51), 1u);  // after the existing 5.0
    EXPECT_EQ(log.add(0, 1.0, 10), 0u);
    EXPECT_EQ(timesOf(log, 0), (std::vector<double>{1, 5, 5, 6, 7, 7}));
    EXPECT_EQ(log.series(0).values, (std::vector<double>{10, 50, 51, 60, 70, 71}));
    EXPECT_EQ(log.count(1), 0u);
}

TEST(LogStore, NanTimesSortLastAndKeepTheOrderSound) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    bxl::LogStore log;
    log.add(0, 3.0, 1);
    log.add(0, nan, 2);
    log.add(0, 1.0, 3);
    log.add(0, 2.0, 4);
    const auto& t = log.series(0).times;
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0], 1.0);
    EXPECT_EQ(t[1], 2.0);
    EXPECT_EQ(t[2], 3.0);
    EXPECT_TRUE(std::isnan(t[3]));
    // Not a finite time, so it takes no part in the time range.
    bxl::SeriesMask all{};
    EXPECT_EQ(log.timeRange(all), (bxl::AxisRange{1.0, 3.0}));
}

TEST(LogStore, RangesCoverVisibleSeriesOrAllWhenNoneIsVisible) {
    bxl::LogStore log;
    bxl::SeriesMask none{};
    EXPECT_EQ(log.timeRange(none), (bxl::AxisRange{0, 0}));
    EXPECT_EQ(log.valueRange(none), (bxl::AxisRange{0, 0}));

    std::array<double, 15> v{};
    for (int s = 0; s < 15; ++s) v[static_cast<std::size_t>(s)] = s * 10.0;
    log.addSample(100.0, v);
    v[2] = -5.0;
    v[3] = std::numeric_limits<double>::infinity();
    log.addSample(101.5, v);

    bxl::SeriesMask some{};
    some[2] = true;
    some[3] = true;
    EXPECT_EQ(log.timeRange(some), (bxl::AxisRange{100.0, 101.5}));
    EXPECT_EQ(log.valueRange(some), (bxl::AxisRange{-5.0, 30.0}));
    EXPECT_EQ(log.valueRange(none), (bxl::AxisRange{-5.0, 140.0}));
    log.clear();
    EXPECT_TRUE(log.empty());
}

}  // namespace
