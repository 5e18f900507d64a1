#include "model/log/RecordingCsv.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/Text.h"
#include "model/log/DateTime.h"

namespace bxl {

namespace {

int decimalsOf(double scale) {
    if (!(scale > 0) || scale >= 1) return 0;
    return std::clamp(static_cast<int>(std::lround(-std::log10(scale))), 0, 6);
}

// Quotes a cell only when it needs it: a comma, a quote or a line break.
void putCell(std::string& out, const std::string& cell) {
    if (cell.find_first_of(",\"\r\n") == std::string::npos) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

std::string dateTimeText(double dateTime) {
    CalendarTime at;
    if (!calendarTime(dateTime, at)) return {};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", at.year, at.month, at.day, at.hour,
                  at.minute, at.second);
    return text;
}

std::string seriesValueText(int s, double value) {
    if (!std::isfinite(value) || s < 0 || s >= kLogSeriesCount) return {};
    const int decimals = decimalsOf(kLogSeries[static_cast<std::size_t>(s)].scale);
    // The largest double has 309 digits before the point.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string recordingCsvHeader() {
    std::string out = "time";
    for (const LogSeriesSource& series : kLogSeries) {
        out += ',';
        putCell(out, utf8FromCp1252(series.caption));
    }
    out += "\r\n";
    return out;
}

std::string recordingCsvRow(double time, const std::array<double, kLogSeriesCount>& values) {
    std::string out = dateTimeText(time);
    for (int s = 0; s < kLogSeriesCount; ++s) {
        out += ',';
        out += seriesValueText(s, values[static_cast<std::size_t>(s)]);
    }
    out += "\r\n";
    return out;
}

std::string recordingCsv(const LogStore& log) {
    std::string out = recordingCsvHeader();
    std::size_t rows = 0;
    for (int s = 0; s < kLogSeriesCount; ++s) rows = std::max(rows, log.count(s));
    out.reserve(out.size() + rows * 120);
    for (std::size_t i = 0; i < rows; ++i) {
        // Series with points share their times; series beyond a file's count
        // have none.
        int first = 0;
        while (log.count(first) <= i) ++first;
        out += dateTimeText(log.time(first, i));
        for (int s = 0; s < kLogSeriesCount; ++s) {
            out += ',';
            if (i < log.count(s)) out += seriesValueText(s, log.value(s, i));
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace bxl
