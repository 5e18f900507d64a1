// The ranges the log chart shows: automatic (spanning the visible points)
// until the user zooms or pans, fixed afterwards until the zoom is undone.
#pragma once

#include "model/log/LogStore.h"

namespace bxl {

struct ChartRanges {
    AxisRange bottom;  // time axis, date-time numbers
    AxisRange left;    // value axis
    AxisRange right;   // second value axis, while some series are read on it
    friend bool operator==(const ChartRanges&, const ChartRanges&) = default;
};

// Zoom by percent: each end moves inwards by (P - 100) % of the span, so 110
// narrows the span to 80 % and 90 widens it to 120 %.
AxisRange zoomByPercent(AxisRange r, int percent);

// Whether the series in `onRight` get an axis of their own: some of them and
// some others are visible.
bool splitsAxes(const SeriesMask& visible, const SeriesMask& onRight);

class LogView {
public:
    // The ranges in force: the fixed ones while zoomed, otherwise those of the
    // visible series' points. The series in `onRight` are spanned by the right
    // axis, and the others by the left one, while both kinds are visible;
    // otherwise the left axis spans them all.
    ChartRanges ranges(const LogStore& log, const SeriesMask& visible, const SeriesMask& onRight = {}) const;

    // Zooms every axis about its centre from the ranges in force.
    void zoomByPercent(const LogStore& log, const SeriesMask& visible, int percent,
                       const SeriesMask& onRight = {});

    // Fixes the axes at the given ranges (rectangle zoom, panning).
    void setRanges(const ChartRanges& r);

    // Back to automatic ranges.
    void undoZoom() { zoomed_ = false; }
    bool zoomed() const { return zoomed_; }

private:
    bool zoomed_ = false;
    ChartRanges fixed_;
};

}  // namespace bxl
