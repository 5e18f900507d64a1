#include "ui/log/LogChart.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <cmath>

#include "model/log/CursorReadout.h"
#include "ui/common/UiCommon.h"
#include "ui/log/ChartCursor.h"
#include "ui/log/LogAxisTickers.h"

namespace bxl::ui {

namespace {

constexpr double kMinute = 1.0 / 1440.0;
// Pixels kept free at the plot's edges while point markers are shown.
constexpr int kMarkerRoom = 3;

// The series read on the right axis when the flows get one: those in m3/h or
// Pa, as their legend captions say.
SeriesMask flowSeries() {
    SeriesMask flows{};
    for (int s = 0; s < kLogSeriesCount; ++s) {
        const std::string unit = seriesUnit(s);
        flows[static_cast<std::size_t>(s)] = unit == "m3/h" || unit == "Pa";
    }
    return flows;
}

const QString kCursorLayer = QStringLiteral("overlay");

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
    timeTicker_ = new DateTimeNumberTicker;
    timeTicker_->setBlank(true);
    xAxis->setTicker(QSharedPointer<QCPAxisTicker>(timeTicker_));
    yAxis->setTicker(QSharedPointer<QCPAxisTicker>(new MinStepTicker));
    yAxis2->setTicker(QSharedPointer<QCPAxisTicker>(new MinStepTicker));
    yAxis2->setLabel(QStringLiteral("m3/h"));
    for (int s = 0; s < kLogSeriesCount; ++s) {
        QCPGraph* series = addGraph(xAxis, yAxis);
        series->setPen(QPen(toQColor(kLogSeries[static_cast<std::size_t>(s)].colour), 1));
        series->setLineStyle(QCPGraph::lsLine);
        series->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
        series->setName(QString::fromStdString(seriesName(s) + " (" + seriesUnit(s) + ")"));
        series->removeFromLegend();
    }
    // The cursor draws on the buffered top layer, above the curves: moving it
    // repaints that layer alone.
    layer(kCursorLayer)->setMode(QCPLayer::lmBuffered);
    cursor_ = new ChartCursor(this, kCursorLayer, log_);
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
    cursor_->setShownSeries(shown);
    applyAxes();
    redraw();
}

bool LogChart::axesSplit() const {
    return flowsOnOwnAxis_ && splitsAxes(shown_, flowSeries());
}

void LogChart::setFlowsOnOwnAxis(bool own) {
    if (own == flowsOnOwnAxis_) return;
    flowsOnOwnAxis_ = own;
    applyAxes();
    redraw();
}

void LogChart::applyAxes() {
    const bool split = axesSplit();
    const SeriesMask flows = flowSeries();
    for (int s = 0; s < kLogSeriesCount; ++s) {
        QCPAxis* wanted = split && flows[static_cast<std::size_t>(s)] ? yAxis2 : yAxis;
        if (graph(s)->valueAxis() != wanted) graph(s)->setValueAxis(wanted);
    }
    yAxis2->setVisible(split);
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
    const SeriesMask onRight = flowsOnOwnAxis_ ? flowSeries() : SeriesMask{};
    ChartRanges r = view_.ranges(log_, shown_, onRight);
    // Flows moved onto their own axis after a zoom span their points there.
    if (axesSplit() && view_.zoomed() && !(r.right.max > r.right.min)) {
        r.right = LogView{}.ranges(log_, shown_, onRight).right;
    }
    timeTicker_->setBlank(log_.empty());
    // About one time label per 90 pixels, so that the date and time fit.
    timeTicker_->setTickCount(std::max(2, axisRect()->width() / 90));
    QCPRange x = shownRange(r.bottom, kMinute);
    QCPRange y = shownRange(r.left, 1.0);
    QCPRange y2 = shownRange(r.right, 1.0);
    const QRect plot = axisRect()->rect();
    if (!view_.zoomed() && markers_ && plot.width() > 8 * kMarkerRoom && plot.height() > 8 * kMarkerRoom) {
        // Room for the markers of the outermost points.
        const double padX = x.size() * kMarkerRoom / (plot.width() - 2 * kMarkerRoom);
        const double padY = y.size() * kMarkerRoom / (plot.height() - 2 * kMarkerRoom);
        x = {x.lower - padX, x.upper + padX};
        y = {y.lower - padY, y.upper + padY};
        const double padY2 = y2.size() * kMarkerRoom / (plot.height() - 2 * kMarkerRoom);
        y2 = {y2.lower - padY2, y2.upper + padY2};
    }
    xAxis->setRange(x);
    yAxis->setRange(y);
    yAxis2->setRange(y2);
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
    view_.zoomByPercent(log_, shown_, percent, flowsOnOwnAxis_ ? flowSeries() : SeriesMask{});
    redraw();
}

void LogChart::zoomToPixels(const QRect& rect) {
    const QRect r = rect.normalized();
    if (r.width() < 3 || r.height() < 3) return;
    const double x0 = xAxis->pixelToCoord(r.left());
    const double x1 = xAxis->pixelToCoord(r.right());
    const double y0 = yAxis->pixelToCoord(r.bottom());
    const double y1 = yAxis->pixelToCoord(r.top());
    const double right0 = yAxis2->pixelToCoord(r.bottom());
    const double right1 = yAxis2->pixelToCoord(r.top());
    view_.setRanges({{std::min(x0, x1), std::max(x0, x1)},
                     {std::min(y0, y1), std::max(y0, y1)},
                     {std::min(right0, right1), std::max(right0, right1)}});
    redraw();
}

void LogChart::panByPixels(QPoint from, QPoint to, const ChartRanges& start) {
    const double dx = xAxis->pixelToCoord(from.x()) - xAxis->pixelToCoord(to.x());
    const double dy = yAxis->pixelToCoord(from.y()) - yAxis->pixelToCoord(to.y());
    const double dy2 = yAxis2->pixelToCoord(from.y()) - yAxis2->pixelToCoord(to.y());
    view_.setRanges({{start.bottom.min + dx, start.bottom.max + dx},
                     {start.left.min + dy, start.left.max + dy},
                     {start.right.min + dy2, start.right.max + dy2}});
    redraw();
}

ChartRanges LogChart::shownRanges() const {
    return {{xAxis->range().lower, xAxis->range().upper},
            {yAxis->range().lower, yAxis->range().upper},
            {yAxis2->range().lower, yAxis2->range().upper}};
}

void LogChart::undoZoom() {
    view_.undoZoom();
    redraw();
}

void LogChart::showCursorAt(std::optional<QPoint> pixel) {
    cursor_->follow(pixel);
}

QStringList LogChart::cursorReadout() const {
    return cursor_->lines();
}

std::optional<std::size_t> LogChart::cursorSample() const {
    return cursor_->sample();
}

void LogChart::showPictureLegend(bool on) {
    for (int s = 0; s < kLogSeriesCount; ++s) {
        if (on && graph(s)->visible()) {
            graph(s)->addToLegend();
        } else {
            graph(s)->removeFromLegend();
        }
    }
    legend->setVisible(on && legend->itemCount() > 0);
    if (on) {
        legend->setBrush(QColor(255, 255, 255, 220));
        legend->setFont(font());
        axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
    }
}

void LogChart::drawPicture(QCPPainter& painter, QSize size) {
    // A hidden chart has not taken its ranges yet.
    applyRanges();
    // The picture is the chart, not where the mouse happens to be.
    cursor_->setVisible(false);
    showPictureLegend(true);
    toPainter(&painter, size.width(), size.height());
    showPictureLegend(false);
    cursor_->setVisible(true);
    // Back to the layout the widget shows.
    if (isVisible()) replot(QCustomPlot::rpQueuedReplot);
}

QByteArray LogChart::pngPicture() {
    const QSize size = this->size().expandedTo(QSize(1, 1));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QCPPainter painter(&image);
        drawPicture(painter, size);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes;
}

QByteArray LogChart::pdfPicture() {
    const QSize size = this->size().expandedTo(QSize(1, 1));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        // One point of the page for each pixel of the chart.
        pdf.setResolution(72);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setCreator(QStringLiteral("Brisaval XL Control Center"));
        pdf.setTitle(QStringLiteral("Log"));
        QCPPainter painter;
        if (!painter.begin(&pdf)) return {};
        painter.setMode(QCPPainter::pmVectorized);
        painter.setMode(QCPPainter::pmNoCaching);
        drawPicture(painter, size);
        painter.end();
    }
    return bytes;
}

}  // namespace bxl::ui
