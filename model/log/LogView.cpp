#include "model/log/LogView.h"

namespace bxl {

AxisRange zoomByPercent(AxisRange r, int percent) {
    const double d = (r.max - r.min) * static_cast<double>(percent - 100) * 0.01;
    return {r.min + d, r.max - d};
}

bool splitsAxes(const SeriesMask& visible, const SeriesMask& onRight) {
    bool right = false;
    bool left = false;
    for (std::size_t s = 0; s < visible.size(); ++s) {
        if (!visible[s]) continue;
        (onRight[s] ? right : left) = true;
    }
    return right && left;
}

ChartRanges LogView::ranges(const LogStore& log, const SeriesMask& visible, const SeriesMask& onRight) const {
    if (zoomed_) return fixed_;
    if (!splitsAxes(visible, onRight)) return {log.timeRange(visible), log.valueRange(visible), {}};
    SeriesMask left{};
    SeriesMask right{};
    for (std::size_t s = 0; s < visible.size(); ++s) {
        left[s] = visible[s] && !onRight[s];
        right[s] = visible[s] && onRight[s];
    }
    return {log.timeRange(visible), log.valueRange(left), log.valueRange(right)};
}

void LogView::zoomByPercent(const LogStore& log, const SeriesMask& visible, int percent,
                            const SeriesMask& onRight) {
    const ChartRanges now = ranges(log, visible, onRight);
    setRanges({bxl::zoomByPercent(now.bottom, percent), bxl::zoomByPercent(now.left, percent),
               bxl::zoomByPercent(now.right, percent)});
}

void LogView::setRanges(const ChartRanges& r) {
    fixed_ = r;
    zoomed_ = true;
}

}  // namespace bxl
