// The log chart "Chart1": the fifteen series drawn from the log store in
// their swatch colours against time, the axes spanning the shown series
// until zoomed, and the zoom operations. While the window is hidden nothing
// is scanned or drawn; what changed meanwhile is drawn when it is shown.
#pragma once

#include <qcustomplot.h>

#include <QRect>
#include <cstddef>

#include "model/log/LogSeries.h"
#include "model/log/LogStore.h"
#include "model/log/LogView.h"

namespace bxl::ui {

class LogChart : public QCustomPlot {
    Q_OBJECT
public:
    LogChart(const LogStore& log, QWidget* window);

    const LogView& view() const { return view_; }

    // The legend applied: which series are drawn and whether their points
    // carry markers.
    void showSeries(const SeriesMask& shown, bool markers);
    // Every point anew from the store.
    void rebuild();
    // The sample at `index` was added: appended when it is the last one,
    // otherwise everything anew.
    void append(std::size_t index);

    // Both axes narrowed (percent below 100: wider) about their centres.
    void zoomByPercent(int percent);
    // The axes fixed at the ranges under a rectangle of pixels.
    void zoomToPixels(const QRect& rect);
    // The axes moved by a drag from `from` to `to`, from the ranges the drag
    // began with.
    void panByPixels(QPoint from, QPoint to, const ChartRanges& startRanges);
    // The ranges the axes show now.
    ChartRanges shownRanges() const;
    // Back to axes spanning the shown series.
    void undoZoom();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyRanges();
    void redraw();

    const LogStore& log_;
    LogView view_;
    SeriesMask shown_{};
    bool markers_ = false;
    bool dirty_ = false;  // changed while hidden
};

}  // namespace bxl::ui
