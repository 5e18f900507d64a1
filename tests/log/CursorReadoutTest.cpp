#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/log/CursorReadout.h"
#include "model/log/DateTime.h"

namespace {

TEST(CursorReadout, NearestSampleAmongOddTimes) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    bxl::LogStore log;
    EXPECT_EQ(bxl::nearestSample(log, 1.0), std::nullopt);
    const std::array<double, bxl::kLogSeriesCount> v{};
    // A clock set back, an infinite and a NaN time: the store keeps them
    // sorted with the NaN last; the cursor snaps only to finite times.
    for (double t : {10.0, 20.0, 30.0, -inf, nan, 25.0}) log.addSample(t, v);
    ASSERT_EQ(log.count(0), 6U);  // -inf, 10, 20, 25, 30, NaN
    struct Case {
        double at;
        std::optional<std::size_t> index;
    };
    const Case cases[] = {{-1e9, 1}, {10.0, 1}, {15.0, 1}, {15.1, 2},
                          {24.0, 3}, {29.0, 4}, {1e9, 4},  {nan, {}}};
    for (const Case& c : cases) EXPECT_EQ(bxl::nearestSample(log, c.at), c.index) << c.at;

    bxl::LogStore onlyNan;
    onlyNan.addSample(nan, v);
    EXPECT_EQ(bxl::nearestSample(onlyNan, 1.0), std::nullopt);
}

TEST(CursorReadout, LinesCarryTheDecimalsAndUnitOfEachSeries) {
    EXPECT_EQ(bxl::readoutLine(0, -2.45),
              "T1: -2.5 \xC2\xB0"
              "C");
    EXPECT_EQ(bxl::readoutLine(6, 1250.0), "Supply: 1250 m3/h");
    EXPECT_EQ(bxl::readoutLine(8, 45.5), "Heatwheel: 45.50 %");
    EXPECT_EQ(bxl::readoutLine(11, 12.0), "Supply control: 12.0 %");
    EXPECT_EQ(bxl::readoutLine(14, std::nan("")), "Bypass: -");
    EXPECT_EQ(bxl::readoutTime(bxl::dateTimeNumber(2024, 5, 7, 9, 3, 4, 999)), "7-5-2024 09:03:04");
    EXPECT_EQ(bxl::readoutTime(std::nan("")), "");
}

}  // namespace
