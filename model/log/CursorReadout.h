// What the chart's cursor reads off a recording: the sample nearest to a
// time, and each series' value at it as a line of text with its unit
// ("T1: 21.5 °C", "Supply: 1250 m3/h"). Pure functions over the log store.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "model/log/LogStore.h"

namespace bxl {

// The index of the sample whose time lies nearest to `time` (the earlier one
// of two equally near); nothing when the log has no sample with a finite
// time or `time` is not a number.
std::optional<std::size_t> nearestSample(const LogStore& log, double time);

// The name and the unit of series s (0..14) from its legend caption, in
// UTF-8: "T1" and "°C" of "T1 (°C)".
std::string seriesName(int s);
std::string seriesUnit(int s);

// "T1: 21.5 °C": the name, the value with the decimals of the series' scale
// and the unit; "T1: -" for a value that is not a number.
std::string readoutLine(int s, double value);

// "17-5-2024 09:30:05": the date as the chart's axis writes it and the time
// of day to the second; empty for a number that names no date.
std::string readoutTime(double dateTime);

}  // namespace bxl
