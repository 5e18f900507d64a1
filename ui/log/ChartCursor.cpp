#include "ui/log/ChartCursor.h"

#include <cmath>

#include "model/log/CursorReadout.h"
#include "ui/common/UiCommon.h"

namespace bxl::ui {

namespace {

constexpr int kPadding = 4;
constexpr int kSwatch = 8;
constexpr int kGap = 8;  // between the cursor line and the read-out

// Light swatch colours (yellow, aqua, lime, silver) are written a shade darker
// so their text stays readable on white; the swatch keeps the true colour.
QColor textColour(const QColor& colour) {
    return colour.lightness() > 150 ? colour.darker(170) : colour;
}

}  // namespace

ChartCursor::ChartCursor(QCustomPlot* chart, const QString& layer, const LogStore& log)
    : QCPLayerable(chart, layer), log_(log), timeAxis_(chart->xAxis) {}

void ChartCursor::follow(std::optional<QPoint> pixel) {
    if (pixel && !mParentPlot->axisRect()->rect().contains(*pixel)) pixel.reset();
    if (pixel == pixel_) return;
    pixel_ = pixel;
    layer()->replot();
}

std::optional<std::size_t> ChartCursor::sample() const {
    if (!pixel_) return std::nullopt;
    return nearestSample(log_, timeAxis_->pixelToCoord(pixel_->x()));
}

QStringList ChartCursor::lines() const {
    const std::optional<std::size_t> at = sample();
    if (!at) return {};
    QStringList out;
    double time = qQNaN();
    for (int s = 0; s < kLogSeriesCount && std::isnan(time); ++s) {
        if (*at < log_.count(s)) time = log_.time(s, *at);
    }
    out << QString::fromStdString(readoutTime(time));
    for (int s = 0; s < kLogSeriesCount; ++s) {
        if (!shown_[static_cast<std::size_t>(s)] || *at >= log_.count(s)) continue;
        out << QString::fromStdString(readoutLine(s, log_.value(s, *at)));
    }
    return out;
}

void ChartCursor::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    painter->setAntialiasing(false);
}

void ChartCursor::draw(QCPPainter* painter) {
    const std::optional<std::size_t> at = sample();
    if (!at) return;
    const QStringList text = lines();
    const QRect plot = mParentPlot->axisRect()->rect();
    double time = qQNaN();
    for (int s = 0; s < kLogSeriesCount && std::isnan(time); ++s) {
        if (*at < log_.count(s)) time = log_.time(s, *at);
    }
    const double x = timeAxis_->coordToPixel(time);
    if (!std::isfinite(x)) return;
    const int lineX = static_cast<int>(std::lround(x));
    if (lineX >= plot.left() && lineX <= plot.right()) {
        painter->setPen(QPen(QColor(96, 96, 96), 1, Qt::DashLine));
        painter->drawLine(QPoint(lineX, plot.top()), QPoint(lineX, plot.bottom()));
    }

    // The read-out: the time in black, then a swatch and a line per series.
    const QFontMetrics metrics(mParentPlot->font());
    int width = 0;
    for (const QString& line : text) width = std::max(width, metrics.horizontalAdvance(line));
    width += 2 * kPadding + kSwatch + kPadding;
    const int lineHeight = metrics.height();
    const int height = 2 * kPadding + lineHeight * static_cast<int>(text.size());
    int left = lineX + kGap;
    if (left + width > plot.right()) left = lineX - kGap - width;
    left = std::max(left, plot.left());
    const QRect box(left, plot.top() + kPadding, width, height);
    painter->setPen(QPen(QColor(128, 128, 128), 1));
    painter->setBrush(QColor(255, 255, 255, 235));
    painter->drawRect(box);
    painter->setFont(mParentPlot->font());

    int row = 0;
    const int textLeft = box.left() + kPadding + kSwatch + kPadding;
    painter->setPen(Qt::black);
    painter->drawText(QRect(box.left() + kPadding, box.top() + kPadding, width, lineHeight),
                      Qt::AlignLeft | Qt::AlignVCenter, text.front());
    for (int s = 0; s < kLogSeriesCount; ++s) {
        if (!shown_[static_cast<std::size_t>(s)] || *at >= log_.count(s)) continue;
        ++row;
        if (row >= text.size()) break;
        const int top = box.top() + kPadding + row * lineHeight;
        const QColor colour = toQColor(kLogSeries[static_cast<std::size_t>(s)].colour);
        painter->setPen(Qt::black);
        painter->setBrush(colour);
        painter->drawRect(QRect(box.left() + kPadding, top + (lineHeight - kSwatch) / 2, kSwatch, kSwatch));
        painter->setPen(textColour(colour));
        painter->drawText(QRect(textLeft, top, width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                          text[row]);
    }
}

}  // namespace bxl::ui
