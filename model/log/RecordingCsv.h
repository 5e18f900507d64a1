// A recording as a table for a spreadsheet: UTF-8, comma separated, CR LF
// line ends. A header row "time" and the fifteen legend captions, then one
// row per sample: the local time as YYYY-MM-DD HH:MM:SS and each series'
// value with the decimals its scale gives (0.1 one, 0.01 two, 1 none), an
// empty cell where a series has no point. Pure functions; the log window's
// export, the command-line tool's conversion and its live view share them.
#pragma once

#include <array>
#include <string>

#include "model/log/LogSeries.h"
#include "model/log/LogStore.h"

namespace bxl {

// "time,T1 (°C),...,Bypass (%)" and CR LF.
std::string recordingCsvHeader();

// One row of a whole sample: its time and the values of series 1..15.
std::string recordingCsvRow(double time, const std::array<double, kLogSeriesCount>& values);

// The header and one row per sample of the store.
std::string recordingCsv(const LogStore& log);

// "YYYY-MM-DD HH:MM:SS" of a date-time number, to the whole second of the
// nearest millisecond; empty for a number that is not finite or lies outside
// the years 1 to 9999.
std::string dateTimeText(double dateTime);

// A value of series s (0..14) with the decimals of its scale; empty when it
// is not a finite number. A value that rounds to zero has no minus sign.
std::string seriesValueText(int s, double value);

}  // namespace bxl
