#include "model/log/RecordingCsv.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/Text.h"

namespace bxl {

namespace {

// The proleptic Gregorian date of a day counted from 1 January 1970.
void civilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

// 30 December 1899 counted from 1 January 1970.
constexpr long long kDateTimeEpochDays = -25569;

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
    // Years 1 to 9999 lie within these day numbers.
    if (!std::isfinite(dateTime) || dateTime < -693593.0 || dateTime >= 2958466.0) return {};
    // Whole milliseconds first, so that a time a hair below a full second (as
    // the fraction of a day stores it) shows that second.
    const auto ms = static_cast<long long>(std::floor(dateTime * 86400000.0 + 0.5));
    long long days = ms / 86400000;
    long long rest = ms % 86400000;
    if (rest < 0) {
        rest += 86400000;
        days -= 1;
    }
    int year = 0, month = 0, day = 0;
    civilFromDays(days + kDateTimeEpochDays, year, month, day);
    const long long secs = rest / 1000;
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02lld:%02lld:%02lld", year, month, day, secs / 3600,
                  secs / 60 % 60, secs % 60);
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
