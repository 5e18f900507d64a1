#include <gtest/gtest.h>

#include <vector>

#include "model/log/DateTime.h"
#include "model/log/LogRecorder.h"
#include "model/log/LogView.h"

namespace {

using bxl::LogButtons;
using bxl::LogFlash;

// A clock that advances one second per reading unless set.
struct FakeClock {
    double now = bxl::dateTimeNumber(2024, 3, 1, 12, 0, 0, 0);
    double operator()() { return now; }
};

struct Rig {
    bxl::ValueStore values;
    bxl::LogStore log;
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    bxl::LogRecorder rec{values, log, [c = clock] { return (*c)(); }};

    // Runs n ticks with the given interval and returns the ticks (1-based)
    // that took a sample.
    std::vector<int> run(int n, int interval, int firstTick = 1) {
        std::vector<int> sampled;
        for (int i = 0; i < n; ++i) {
            clock->now += 1.0 / 86400.0;
            if (rec.tick(interval).sampled) sampled.push_back(firstTick + i);
        }
        return sampled;
    }
};

TEST(DateTime, DaysSince30December1899ToTheMillisecond) {
    EXPECT_DOUBLE_EQ(bxl::dateTimeNumber(1899, 12, 30, 0, 0, 0, 0), 0.0);
    EXPECT_DOUBLE_EQ(bxl::dateTimeNumber(1900, 1, 1, 12, 0, 0, 0), 2.5);
    EXPECT_DOUBLE_EQ(bxl::dateTimeNumber(2000, 1, 1, 0, 0, 0, 0), 36526.0);
    EXPECT_DOUBLE_EQ(bxl::dateTimeNumber(2024, 2, 29, 6, 0, 0, 500), 45351.25 + 0.5 / 86400.0);
}

TEST(DateTime, LocalClockFollowsTheCalendarOfLocalTime) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t tt = std::chrono::system_clock::to_time_t(now);
    std::tm lt{};
    localtime_r(&tt, &lt);
    const double t = bxl::localDateTimeNumber(now);
    EXPECT_NEAR(t,
                bxl::dateTimeNumber(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday, lt.tm_hour, lt.tm_min,
                                    lt.tm_sec, 0),
                1.0 / 86400.0);
}

TEST(IntervalText, OnlyWholeNumbersTwoToSixtyAreTaken) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {{"2", 2}, {"60", 60}, {" 15 ", 15}, {"05", 5}, {"1", 7},   {"61", 7},
                 {"", 7},  {"abc", 7}, {"3.5", 7},   {"-4", 7}, {"10x", 7}, {"99999999999", 7}};
    for (const Case& c : cases) EXPECT_EQ(bxl::intervalFromText(c.text, 7), c.expected) << c.text;
}

TEST(LogRecorder, ButtonStatesFollowCreationFirstShowStartStopAndClear) {
    Rig r;
    EXPECT_EQ(r.rec.buttons(), (LogButtons{true, true, true, true, true}));
    r.rec.firstShow();
    EXPECT_EQ(r.rec.buttons(), (LogButtons{true, false, true, true, true}));
    r.rec.start();
    EXPECT_TRUE(r.rec.logActive());
    EXPECT_EQ(r.rec.buttons(), (LogButtons{false, true, true, true, false}));
    r.rec.clear();
    EXPECT_EQ(r.rec.buttons(), (LogButtons{false, true, true, false, false}));
    r.rec.stop();
    EXPECT_FALSE(r.rec.logActive());
    EXPECT_EQ(r.rec.buttons(), (LogButtons{true, false, true, false, true}));
    // A later show does not redo the first-show work.
    r.rec.firstShow();
    EXPECT_FALSE(r.rec.buttons().save);
}

TEST(LogRecorder, SamplesAtFirstTickThenEveryIntervalTicks) {
    struct Case {
        int interval;
        std::vector<int> ticks;
    } cases[] = {{10, {1, 11, 21}}, {2, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25}}, {60, {1}}};
    for (const Case& c : cases) {
        Rig r;
        r.rec.start();
        EXPECT_EQ(r.run(25, c.interval), c.ticks) << "interval " << c.interval;
        EXPECT_EQ(r.log.count(0), c.ticks.size());
    }
}

TEST(LogRecorder, SampleReadsEveryValueIndexWithItsScaleIntoAllSeriesAtOneTime) {
    Rig r;
    const int indexes[] = {256, 257, 258, 259, 260, 261, 273, 274, 276, 298, 297, 300, 301, 323, 296};
    const double scales[] = {0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 1, 1, 0.01, 0.1, 0.1, 0.1, 0.1, 0.1, 0.01};
    for (int s = 0; s < 15; ++s) r.values.setCurrent(indexes[s], -(100 + s));
    r.rec.start();
    r.run(1, 10);
    for (int s = 0; s < 15; ++s) {
        ASSERT_EQ(r.log.count(s), 1u);
        EXPECT_EQ(r.log.value(s, 0), -(100 + s) * scales[s]) << "series " << s + 1;
        EXPECT_EQ(r.log.time(s, 0), r.clock->now);
    }
    // Without new values the next sample repeats the stored ones.
    r.run(10, 10);
    ASSERT_EQ(r.log.count(14), 2u);
    EXPECT_EQ(r.log.value(14, 1), r.log.value(14, 0));
}

TEST(LogRecorder, SpinnerChangeTakesEffectAfterTheWaitBegun) {
    Rig r;
    r.rec.start();
    EXPECT_EQ(r.run(1, 60), std::vector<int>{1});
    // From tick 2 the spinner says 2, but the 60-tick wait runs out first.
    EXPECT_EQ(r.run(64, 2, 2), (std::vector<int>{61, 63, 65}));
}

TEST(LogRecorder, FlashesOnOddTicksWhileRecordingAndRestsOffAfterStop) {
    Rig r;
    EXPECT_EQ(r.rec.tick(10).flash, LogFlash::Unchanged);  // odd, idle
    EXPECT_EQ(r.rec.tick(10).flash, LogFlash::Off);        // even
    r.rec.start();
    EXPECT_EQ(r.rec.tick(10).flash, LogFlash::On);
    EXPECT_EQ(r.rec.tick(10).flash, LogFlash::Off);
    EXPECT_EQ(r.rec.tick(10).flash, LogFlash::On);
    r.rec.stop();
    EXPECT_EQ(r.rec.tick(10).flash, LogFlash::Off);
    EXPECT_EQ(r.rec.tick(10).flash, LogFlash::Unchanged);
    EXPECT_EQ(r.rec.blinkCounter(), 7);
}

TEST(LogRecorder, StopsRightAfterThe10001stSample) {
    Rig r;
    r.rec.firstShow();
    r.rec.start();
    bool stopped = false;
    int samples = 0;
    for (int i = 0; i < 20010 && !stopped; ++i) {
        r.clock->now += 1.0 / 86400.0;
        const bxl::LogTick t = r.rec.tick(2);
        samples += t.sampled;
        stopped = t.stopped;
    }
    EXPECT_TRUE(stopped);
    EXPECT_EQ(samples, 10001);
    EXPECT_FALSE(r.rec.logActive());
    EXPECT_EQ(r.rec.countdown(), 0);
    EXPECT_EQ(r.rec.buttons(), (LogButtons{true, false, true, true, true}));
    for (int s = 0; s < 15; ++s) EXPECT_EQ(r.log.count(s), 10001u);
    r.run(10, 2);
    EXPECT_EQ(r.log.count(0), 10001u);
}

TEST(LogRecorder, ClearWhileRecordingEmptiesKeepsScheduleAndRestartsTheLimit) {
    Rig r;
    r.rec.firstShow();
    r.rec.start();
    r.run(12, 10);  // samples at 1 and 11
    ASSERT_EQ(r.log.count(0), 2u);
    r.rec.clear();
    EXPECT_TRUE(r.rec.logActive());
    EXPECT_EQ(r.rec.sampleCount(), 0);
    EXPECT_FALSE(r.rec.buttons().save);
    EXPECT_EQ(r.log.count(0), 0u);
    EXPECT_EQ(r.run(10, 10, 13), std::vector<int>{21});
    EXPECT_EQ(r.rec.sampleCount(), 1);
    // The samples taken after the Clear can be saved.
    EXPECT_TRUE(r.rec.buttons().save);
    EXPECT_TRUE(r.rec.unsavedSamples());
}

TEST(LogRecorder, ClockSetBackInsertsInOrderInEverySeries) {
    Rig r;
    r.rec.start();
    const double base = r.clock->now;
    const double times[] = {base, base + 0.01, base + 0.02, base + 0.005, base + 0.01};
    for (int n = 0; n < 5; ++n) {
        r.clock->now = times[n];
        r.values.setCurrent(273, n);  // series 7 tells the samples apart
        r.rec.tick(2);
        r.rec.tick(2);
    }
    // The second sample at base + 0.01 goes after the first one at that time.
    const double expectedTimes[] = {base, base + 0.005, base + 0.01, base + 0.01, base + 0.02};
    const double expectedSample[] = {0, 3, 1, 4, 2};
    for (int s = 0; s < 15; ++s) {
        ASSERT_EQ(r.log.count(s), 5u);
        for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(r.log.time(s, i), expectedTimes[i]) << s << ":" << i;
    }
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(r.log.value(6, i), expectedSample[i]) << i;
}

TEST(LogView, WheelZoomArithmetic) {
    // A 10-minute time axis becomes 8 minutes, a minute off each end.
    const double m = 1.0 / 1440.0;
    const bxl::AxisRange in = bxl::zoomByPercent({100.0, 100.0 + 10 * m}, 110);
    EXPECT_NEAR(in.min, 100.0 + m, 1e-9);
    EXPECT_NEAR(in.max, 100.0 + 9 * m, 1e-9);
    const bxl::AxisRange out = bxl::zoomByPercent({-10.0, 10.0}, 90);
    EXPECT_DOUBLE_EQ(out.min, -12.0);
    EXPECT_DOUBLE_EQ(out.max, 12.0);
    const bxl::AxisRange both = bxl::zoomByPercent(bxl::zoomByPercent({0.0, 50.0}, 110), 90);
    EXPECT_DOUBLE_EQ(both.max - both.min, 0.96 * 50.0);
    EXPECT_DOUBLE_EQ((both.max + both.min) / 2, 25.0);
}

TEST(LogView, ZoomFixesTheAxesFromTheVisibleRangeUntilUndone) {
    bxl::LogStore log;
    std::array<double, 15> v{};
    v[0] = 10.0;
    v[1] = 1000.0;
    log.addSample(1.0, v);
    v[0] = 20.0;
    log.addSample(2.0, v);
    bxl::SeriesMask onlyFirst{};
    onlyFirst[0] = true;
    bxl::LogView view;
    EXPECT_EQ(view.ranges(log, onlyFirst), (bxl::ChartRanges{{1.0, 2.0}, {10.0, 20.0}, {}}));
    view.zoomByPercent(log, onlyFirst, 110);
    EXPECT_TRUE(view.zoomed());
    const bxl::ChartRanges fixed{{1.1, 1.9}, {11.0, 19.0}, {}};
    const auto near = [](const bxl::ChartRanges& a, const bxl::ChartRanges& b) {
        return std::abs(a.bottom.min - b.bottom.min) < 1e-12 &&
               std::abs(a.bottom.max - b.bottom.max) < 1e-12 && std::abs(a.left.min - b.left.min) < 1e-12 &&
               std::abs(a.left.max - b.left.max) < 1e-12;
    };
    EXPECT_TRUE(near(view.ranges(log, onlyFirst), fixed));
    // Later samples land outside the fixed view.
    log.addSample(5.0, v);
    EXPECT_TRUE(near(view.ranges(log, onlyFirst), fixed));
    view.undoZoom();
    EXPECT_EQ(view.ranges(log, onlyFirst).bottom, (bxl::AxisRange{1.0, 5.0}));
}

}  // namespace
