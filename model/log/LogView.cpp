#include "model/log/LogView.h"

namespace bxl {

AxisRange zoomByPercent(AxisRange r, int percent) {
    const double d = (r.max - r.min) * static_cast<double>(percent - 100) * 0.01;
    return {r.min + d, r.max - d};
}

ChartRanges LogView::ranges(const LogStore& log, const SeriesMask& visible) const {
    if (zoomed_) return fixed_;
    return {log.timeRange(visible), log.valueRange(visible)};
}

void LogView::zoomByPercent(const LogStore& log, const SeriesMask& visible, int percent) {
    const ChartRanges now = ranges(log, visible);
    setRanges({bxl::zoomByPercent(now.bottom, percent), bxl::zoomByPercent(now.left, percent)});
}

void LogView::setRanges(const ChartRanges& r) {
    fixed_ = r;
    zoomed_ = true;
}

}  // namespace bxl
