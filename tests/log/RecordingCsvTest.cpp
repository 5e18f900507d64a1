#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "model/log/DateTime.h"
#include "model/log/LogFile.h"
#include "model/log/RecordingCsv.h"

using namespace bxl;

namespace {

// The source is UTF-8, so "°" here is the two bytes C2 B0 of the file.
const char* const kHeader =
    "time,T1 (°C),T2 (°C),T3 (°C),T4 (°C),T5 (°C),T6 (°C),Supply (m3/h),Exhaust (m3/h),Heatwheel (%),"
    "Cooling (%),Heating (%),Supply control (%),Exhaust control (%),T7 (°C),Bypass (%)\r\n";

// The values a sample of these raw values holds.
std::array<double, kLogSeriesCount> sample(const std::array<int32_t, kLogSeriesCount>& raw) {
    std::array<double, kLogSeriesCount> v{};
    for (std::size_t s = 0; s < v.size(); ++s) v[s] = raw[s] * kLogSeries[s].scale;
    return v;
}

}  // namespace

TEST(RecordingCsv, RecordedSamplesByteForByte) {
    LogStore log;
    const double t0 = dateTimeNumber(2026, 12, 10, 23, 59, 58, 0);
    log.addSample(t0, sample({215, -5, 0, 1000, -15, 3, 5000, 4980, 7512, 0, 1234, 555, 560, 199, 10000}));
    log.addSample(t0 + 2.0 / 86400, sample({216, 5, 1, 1, 1, 1, 0, -1, 5, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(recordingCsv(log), std::string(kHeader) +
                                     "2026-12-10 23:59:58,21.5,-0.5,0.0,100.0,-1.5,0.3,5000,4980,75.12,0.0,"
                                     "123.4,55.5,56.0,19.9,100.00\r\n"
                                     "2026-12-11 00:00:00,21.6,0.5,0.1,0.1,0.1,0.1,0,-1,0.05,0.1,0.1,0.1,0.1,"
                                     "0.1,0.01\r\n");
}

TEST(RecordingCsv, EmptyRecordingIsTheHeaderAlone) {
    EXPECT_EQ(recordingCsv(LogStore{}), kHeader);
    EXPECT_EQ(recordingCsvHeader(), kHeader);
}

TEST(RecordingCsv, FileWithFewerSeriesLeavesTheirCellsEmpty) {
    // A file of thirteen series: T7 and Bypass have no points.
    LogFileContents contents;
    contents.series = 13;
    contents.times = {dateTimeNumber(2024, 2, 29, 8, 0, 0, 0)};
    contents.values.assign(13, 1.0);
    LogStore log;
    addLogFileContents(contents, log);
    EXPECT_EQ(recordingCsv(log), std::string(kHeader) +
                                     "2024-02-29 08:00:00,1.0,1.0,1.0,1.0,1.0,1.0,1,1,1.00,1.0,"
                                     "1.0,1.0,1.0,,\r\n");
}

TEST(RecordingCsv, LiveRowMatchesTheStoredRow) {
    const double t = dateTimeNumber(2026, 1, 2, 3, 4, 5, 600);
    const auto values = sample({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    LogStore log;
    log.addSample(t, values);
    EXPECT_EQ(std::string(kHeader) + recordingCsvRow(t, values), recordingCsv(log));
}

TEST(RecordingCsv, TimesAndValuesAtTheirEdges) {
    struct TimeCase {
        double number;
        const char* text;
    } times[] = {
        {0.0, "1899-12-30 00:00:00"},
        {1.0, "1899-12-31 00:00:00"},
        {-1.25, "1899-12-28 18:00:00"},
        // A hair below a whole second shows that second; 999 ms stays below.
        {dateTimeNumber(2026, 3, 29, 2, 0, 0, 0) - 1e-10, "2026-03-29 02:00:00"},
        {dateTimeNumber(2026, 3, 29, 1, 59, 59, 999), "2026-03-29 01:59:59"},
        {dateTimeNumber(2000, 2, 29, 12, 0, 0, 0), "2000-02-29 12:00:00"},
        {dateTimeNumber(9999, 12, 31, 23, 59, 59, 0), "9999-12-31 23:59:59"},
        {dateTimeNumber(10000, 1, 1, 0, 0, 0, 0), ""},
        {dateTimeNumber(1, 1, 1, 0, 0, 0, 0), "0001-01-01 00:00:00"},
        {std::numeric_limits<double>::quiet_NaN(), ""},
        {std::numeric_limits<double>::infinity(), ""},
        {1e300, ""},
    };
    for (const TimeCase& c : times) EXPECT_EQ(dateTimeText(c.number), c.text) << c.number;

    struct ValueCase {
        int series;
        double value;
        const char* text;
    } values[] = {
        {0, 21.5, "21.5"},       {0, -0.04, "0.0"},     {0, -0.06, "-0.1"},
        {6, -0.4, "0"},          {8, 0.125, "0.12"},    {8, -32768 * 0.01, "-327.68"},
        {6, 32767, "32767"},     {0, std::nan(""), ""}, {0, -std::numeric_limits<double>::infinity(), ""},
        {14, 1e6, "1000000.00"}, {15, 1.0, ""},         {-1, 1.0, ""},
    };
    for (const ValueCase& c : values)
        EXPECT_EQ(seriesValueText(c.series, c.value), c.text) << c.series << " " << c.value;
}
