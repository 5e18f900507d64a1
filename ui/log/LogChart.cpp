#include "ui/log/LogChart.h"

#include <cmath>

#include "ui/common/UiCommon.h"
#include "ui/log/LogAxisTickers.h"

namespace bxl::ui {

namespace {

constexpr double kMinute = 1.0 / 1440.0;
// Pixels kept free at the plot's edges while point markers are shown.
constexpr int kMarkerRoom = 3;

// QCustomPlot refuses an empty range; a single time or value is shown with a
// little room around it.
QCPRange shownRange(AxisRange r, double pad) {
    if (r.max > r.min) return {r.min, r.max};
    return {r.min - pad, r.max + pad};
}

}  // namespace

LogChart::LogChart(const LogStore& log, QWidget* window) : QCustomPlot(window), log_(log) {
    setObjectName(QStringLiteral("Chart1"));
    setBackground(Qt::white);
    axisRect()->setBackground(Qt::white);
    legend->setVisible(false);
    // The chart's title: one empty line above the plot.
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, new QCPTextElement(this, QStringLiteral(" ")));
    xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new DateTimeNumberTicker));
    yAxis->setTicker(QSharedPointer<QCPAxisTicker>(new MinStepTicker));
    for (const LogSeriesSource& source : kLogSeries) {
        QCPGraph* series = addGraph(xAxis, yAxis);
        series->setPen(QPen(toQColor(source.colour), 1));
        series->setLineStyle(QCPGraph::lsLine);
        series->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
        series->removeFromLegend();
    }
}

void LogChart::showSeries(const SeriesMask& shown, bool markers) {
    shown_ = shown;
    markers_ = markers;
    for (int s = 0; s < kLogSeriesCount; ++s) {
        QCPGraph* series = graph(s);
        series->setVisible(shown[static_cast<std::size_t>(s)]);
        // A square of half-width 1 pixel about each point.
        const QColor colour = series->pen().color();
        series->setScatterStyle(markers ? QCPScatterStyle(QCPScatterStyle::ssSquare, colour, colour, 3)
                                        : QCPScatterStyle(QCPScatterStyle::ssNone));
    }
    redraw();
}

void LogChart::rebuild() {
    for (int s = 0; s < kLogSeriesCount; ++s) {
        const LogSeriesData& data = log_.series(s);
        QVector<QCPGraphData> points;
        points.reserve(static_cast<qsizetype>(data.times.size()));
        for (std::size_t i = 0; i < data.times.size(); ++i) {
            // Points without a finite time cannot be placed on the time axis;
            // non-finite values leave a gap in the line.
            if (!std::isfinite(data.times[i])) continue;
            const double v = std::isfinite(data.values[i]) ? data.values[i] : qQNaN();
            points.append(QCPGraphData(data.times[i], v));
        }
        graph(s)->data()->set(points, true);
    }
    redraw();
}

void LogChart::append(std::size_t index) {
    if (index + 1 != log_.count(0)) {
        rebuild();
        return;
    }
    for (int s = 0; s < kLogSeriesCount; ++s) {
        if (index < log_.count(s)) graph(s)->addData(log_.time(s, index), log_.value(s, index));
    }
    redraw();
}

void LogChart::applyRanges() {
    const ChartRanges r = view_.ranges(log_, shown_);
    QCPRange x = shownRange(r.bottom, kMinute);
    QCPRange y = shownRange(r.left, 1.0);
    const QRect plot = axisRect()->rect();
    if (!view_.zoomed() && markers_ && plot.width() > 8 * kMarkerRoom && plot.height() > 8 * kMarkerRoom) {
        // Room for the markers of the outermost points.
        const double padX = x.size() * kMarkerRoom / (plot.width() - 2 * kMarkerRoom);
        const double padY = y.size() * kMarkerRoom / (plot.height() - 2 * kMarkerRoom);
        x = {x.lower - padX, x.upper + padX};
        y = {y.lower - padY, y.upper + padY};
    }
    xAxis->setRange(x);
    yAxis->setRange(y);
}

void LogChart::redraw() {
    // While the window is hidden the ranges and the repaint wait for the next
    // show: a long recording in the background costs no range scans.
    if (!isVisible()) {
        dirty_ = true;
        return;
    }
    applyRanges();
    replot();
    dirty_ = false;
}

void LogChart::showEvent(QShowEvent* event) {
    QCustomPlot::showEvent(event);
    if (dirty_) redraw();
}

void LogChart::zoomByPercent(int percent) {
    view_.zoomByPercent(log_, shown_, percent);
    redraw();
}

void LogChart::zoomToPixels(const QRect& rect) {
    const QRect r = rect.normalized();
    if (r.width() < 3 || r.height() < 3) return;
    const double x0 = xAxis->pixelToCoord(r.left());
    const double x1 = xAxis->pixelToCoord(r.right());
    const double y0 = yAxis->pixelToCoord(r.bottom());
    const double y1 = yAxis->pixelToCoord(r.top());
    view_.setRanges({{std::min(x0, x1), std::max(x0, x1)}, {std::min(y0, y1), std::max(y0, y1)}});
    redraw();
}

void LogChart::panByPixels(QPoint from, QPoint to, const ChartRanges& start) {
    const double dx = xAxis->pixelToCoord(from.x()) - xAxis->pixelToCoord(to.x());
    const double dy = yAxis->pixelToCoord(from.y()) - yAxis->pixelToCoord(to.y());
    view_.setRanges(
        {{start.bottom.min + dx, start.bottom.max + dx}, {start.left.min + dy, start.left.max + dy}});
    redraw();
}

ChartRanges LogChart::shownRanges() const {
    return {{xAxis->range().lower, xAxis->range().upper}, {yAxis->range().lower, yAxis->range().upper}};
}

void LogChart::undoZoom() {
    view_.undoZoom();
    redraw();
}

}  // namespace bxl::ui
