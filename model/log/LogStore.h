// The samples of the log: fifteen series of (time, value) points, each held
// in ascending time order. Every add of a whole sample puts a point with the
// same time into all fifteen series, so they stay equal in length and in
// their times, index for index.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "model/log/LogSeries.h"

namespace bxl {

struct AxisRange {
    double min = 0.0;
    double max = 0.0;
    friend bool operator==(const AxisRange&, const AxisRange&) = default;
};

struct LogSeriesData {
    std::vector<double> times;
    std::vector<double> values;
};

class LogStore {
public:
    // Adds one point to series s (0..14). A point at or after the last time is
    // appended; an earlier one goes directly after the last point whose time
    // is less than or equal to it. A NaN time sorts after every number.
    // Returns the index the point got.
    std::size_t add(int s, double time, double value);

    // Adds one point with time t to every series, value k to series k.
    // Returns the index the points got (the same in every series).
    std::size_t addSample(double t, const std::array<double, kLogSeriesCount>& values);

    void clear();

    std::size_t count(int s) const { return series_[idx(s)].times.size(); }
    double time(int s, std::size_t i) const { return series_[idx(s)].times[i]; }
    double value(int s, std::size_t i) const { return series_[idx(s)].values[i]; }
    const LogSeriesData& series(int s) const { return series_[idx(s)]; }
    bool empty() const;

    // Smallest and largest time and value among the points of the visible
    // series, or of all series when none is visible; 0 and 0 when there are
    // no points. Values that are not finite are left out.
    AxisRange timeRange(const SeriesMask& visible) const;
    AxisRange valueRange(const SeriesMask& visible) const;

private:
    static std::size_t idx(int s) { return static_cast<std::size_t>(s); }
    SeriesMask effective(const SeriesMask& visible) const;

    std::array<LogSeriesData, kLogSeriesCount> series_;
};

}  // namespace bxl
