#include "model/log/CursorReadout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/Text.h"
#include "model/log/DateTime.h"
#include "model/log/RecordingCsv.h"

namespace bxl {

namespace {

// The series whose times stand for the sample: the first one with points
// (every series has them, or a file filled only the first few).
const std::vector<double>* sampleTimes(const LogStore& log) {
    for (int s = 0; s < kLogSeriesCount; ++s) {
        if (log.count(s) > 0) return &log.series(s).times;
    }
    return nullptr;
}

}  // namespace

std::optional<std::size_t> nearestSample(const LogStore& log, double time) {
    const std::vector<double>* times = sampleTimes(log);
    if (times == nullptr || std::isnan(time)) return std::nullopt;
    // Times ascend, with any NaN at the end: they count as later than all.
    const auto finiteEnd =
        std::partition_point(times->begin(), times->end(), [](double t) { return !std::isnan(t); });
    auto first = times->begin();
    while (first != finiteEnd && !std::isfinite(*first)) ++first;
    auto last = finiteEnd;
    while (last != first && !std::isfinite(*(last - 1))) --last;
    if (first == last) return std::nullopt;
    auto at = std::lower_bound(first, last, time);
    if (at == last) --at;
    if (at != first && time - *(at - 1) <= *at - time) --at;
    return static_cast<std::size_t>(at - times->begin());
}

std::string seriesName(int s) {
    if (s < 0 || s >= kLogSeriesCount) return {};
    const std::string caption = utf8FromCp1252(kLogSeries[static_cast<std::size_t>(s)].caption);
    return caption.substr(0, caption.find(" ("));
}

std::string seriesUnit(int s) {
    if (s < 0 || s >= kLogSeriesCount) return {};
    const std::string caption = utf8FromCp1252(kLogSeries[static_cast<std::size_t>(s)].caption);
    const std::size_t open = caption.find(" (");
    const std::size_t close = caption.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open + 2) return {};
    return caption.substr(open + 2, close - open - 2);
}

std::string readoutLine(int s, double value) {
    const std::string text = seriesValueText(s, value);
    if (text.empty()) return seriesName(s) + ": -";
    return seriesName(s) + ": " + text + " " + seriesUnit(s);
}

std::string readoutTime(double dateTime) {
    CalendarTime c;
    if (!calendarTime(dateTime, c)) return {};
    char text[48];
    std::snprintf(text, sizeof text, "%d-%d-%04d %02d:%02d:%02d", c.day, c.month, c.year, c.hour, c.minute,
                  c.second);
    return text;
}

}  // namespace bxl
