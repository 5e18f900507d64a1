// The fifteen quantities the log recorder samples, their value indexes,
// scales and legend colours, and the rows of the legend frame.
#pragma once

#include <array>
#include <cstdint>

#include "model/Bindings.h"

namespace bxl {

inline constexpr int kLogSeriesCount = 15;

struct LogSeriesSource {
    const char* caption;  // legend caption, Windows-1252
    int32_t valueIndex;   // value store index sampled
    double scale;         // raw value times scale is the plotted value
    Rgb colour;           // swatch colour; the series is drawn in it
};

// Series 1..15 at indexes 0..14.
extern const std::array<LogSeriesSource, kLogSeriesCount> kLogSeries;

// One row of the legend frame, top to bottom. series is 1..15, or 0 for the
// "Logpoint visible" row that shows or hides the markers of every series.
struct LogLegendRow {
    int top;
    int series;
    bool checkedAtStart;
};

inline constexpr int kLogLegendRowCount = kLogSeriesCount + 1;
extern const std::array<LogLegendRow, kLogLegendRowCount> kLogLegendRows;

// Which series are shown, indexed 0..14 for series 1..15.
using SeriesMask = std::array<bool, kLogSeriesCount>;

}  // namespace bxl
