#include "model/log/LogStore.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bxl {

namespace {

// Strict weak order on times with NaN after every number, so a hostile file
// cannot break the sorted order the insertions rely on.
bool timeLess(double a, double b) {
    if (std::isnan(b)) return !std::isnan(a);
    if (std::isnan(a)) return false;
    return a < b;
}

}  // namespace

std::size_t LogStore::add(int s, double time, double value) {
    LogSeriesData& d = series_[idx(s)];
    if (d.times.empty() || !timeLess(time, d.times.back())) {
        d.times.push_back(time);
        d.values.push_back(value);
        return d.times.size() - 1;
    }
    auto it = std::upper_bound(d.times.begin(), d.times.end(), time, timeLess);
    auto pos = it - d.times.begin();
    d.times.insert(it, time);
    d.values.insert(d.values.begin() + pos, value);
    return static_cast<std::size_t>(pos);
}

std::size_t LogStore::addSample(double t, const std::array<double, kLogSeriesCount>& values) {
    std::size_t at = 0;
    for (int s = 0; s < kLogSeriesCount; ++s) at = add(s, t, values[idx(s)]);
    return at;
}

void LogStore::clear() {
    for (auto& d : series_) {
        d.times.clear();
        d.values.clear();
    }
}

bool LogStore::empty() const {
    return std::all_of(series_.begin(), series_.end(),
                       [](const LogSeriesData& d) { return d.times.empty(); });
}

SeriesMask LogStore::effective(const SeriesMask& visible) const {
    if (std::any_of(visible.begin(), visible.end(), [](bool v) { return v; })) return visible;
    SeriesMask all;
    all.fill(true);
    return all;
}

namespace {

AxisRange spanOf(const std::vector<double>& xs, bool& any, AxisRange r) {
    for (double x : xs) {
        if (!std::isfinite(x)) continue;
        if (!any) {
            r = {x, x};
            any = true;
        } else {
            r.min = std::min(r.min, x);
            r.max = std::max(r.max, x);
        }
    }
    return r;
}

}  // namespace

AxisRange LogStore::timeRange(const SeriesMask& visible) const {
    const SeriesMask m = effective(visible);
    AxisRange r;
    bool any = false;
    for (int s = 0; s < kLogSeriesCount; ++s) {
        if (!m[idx(s)]) continue;
        const auto& t = series_[idx(s)].times;
        // Sorted, so only the ends count; NaN times sit at the end and
        // infinite ones at either end, which the scan of the ends skips.
        std::vector<double> ends;
        const auto finite = [](double x) { return std::isfinite(x); };
        if (const auto first = std::find_if(t.begin(), t.end(), finite); first != t.end())
            ends.push_back(*first);
        if (const auto last = std::find_if(t.rbegin(), t.rend(), finite); last != t.rend())
            ends.push_back(*last);
        r = spanOf(ends, any, r);
    }
    return r;
}

AxisRange LogStore::valueRange(const SeriesMask& visible) const {
    const SeriesMask m = effective(visible);
    AxisRange r;
    bool any = false;
    for (int s = 0; s < kLogSeriesCount; ++s) {
        if (m[idx(s)]) r = spanOf(series_[idx(s)].values, any, r);
    }
    return r;
}

}  // namespace bxl
