// The log chart "Chart1": the fifteen series drawn from the log store in
// their swatch colours against time, the axes spanning the shown series
// until zoomed, and the zoom operations; the cursor read-out under the
// mouse; the air flows on a right axis of their own when asked; and the
// chart drawn as a picture (PNG, PDF, or into any painter) as it is shown.
// While the window is hidden nothing is scanned or drawn; what changed
// meanwhile is drawn when it is shown.
#pragma once

#include <qcustomplot.h>

#include <QByteArray>
#include <QRect>
#include <QStringList>
#include <cstddef>
#include <optional>

#include "model/log/LogSeries.h"
#include "model/log/LogStore.h"
#include "model/log/LogView.h"

namespace bxl::ui {

class ChartCursor;
class DateTimeNumberTicker;

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

    // The cursor at `pixel` of the chart; nothing hides it.
    void showCursorAt(std::optional<QPoint> pixel);
    // The read-out of the cursor: its time, then a line per shown series;
    // empty while it is hidden.
    QStringList cursorReadout() const;
    std::optional<std::size_t> cursorSample() const;

    // The air flows (m3/h) on a right axis of their own while other series
    // are shown with them; otherwise every series is read on the left axis.
    void setFlowsOnOwnAxis(bool own);
    bool flowsOnOwnAxis() const { return flowsOnOwnAxis_; }
    // Whether the right axis is in use now.
    bool axesSplit() const;

    // The chart as shown (ranges, shown series, and a legend of them) drawn
    // into `painter` at `size`, also while the window is hidden.
    void drawPicture(QCPPainter& painter, QSize size);
    // The same as a PNG picture and as a one-page PDF document, at the
    // chart's size; empty when it could not be made.
    QByteArray pngPicture();
    QByteArray pdfPicture();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyRanges();
    void applyAxes();
    void redraw();
    // The picture's own legend of the shown series, on only while a picture
    // is drawn.
    void showPictureLegend(bool on);

    const LogStore& log_;
    LogView view_;
    SeriesMask shown_{};
    bool markers_ = false;
    bool dirty_ = false;  // changed while hidden
    bool flowsOnOwnAxis_ = false;
    DateTimeNumberTicker* timeTicker_ = nullptr;
    ChartCursor* cursor_ = nullptr;
};

}  // namespace bxl::ui
