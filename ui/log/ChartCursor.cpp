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

    // The read-out box, drawn anew only when what it says changes: a sample
    // added at the end leaves it as it was.
    std::vector<QColor> colours;
    for (int s = 0; s < kLogSeriesCount; ++s) {
        if (shown_[static_cast<std::size_t>(s)] && *at < log_.count(s))
            colours.push_back(toQColor(kLogSeries[static_cast<std::size_t>(s)].colour));
    }
    if (text != boxText_ || colours != boxColours_ || box_.isNull()) {
        boxText_ = text;
        boxColours_ = colours;
        box_ = drawBox(text, colours, mParentPlot->font(), mParentPlot->bufferDevicePixelRatio());
    }
    const QSize size = (QSizeF(box_.size()) / box_.devicePixelRatio()).toSize();
    int left = lineX + kGap;
    if (left + size.width() > plot.right()) left = lineX - kGap - size.width();
    left = std::max(left, plot.left());
    painter->drawImage(QRect(QPoint(left, plot.top() + kPadding), size), box_);
}

QImage ChartCursor::drawBox(const QStringList& text, const std::vector<QColor>& colours, const QFont& font,
                            double pixelRatio) {
    // The time in black, then a swatch and a line per series.
    const QFontMetrics metrics(font);
    int width = 0;
    for (const QString& line : text) width = std::max(width, metrics.horizontalAdvance(line));
    width += 2 * kPadding + kSwatch + kPadding;
    const int lineHeight = metrics.height();
    const int height = 2 * kPadding + lineHeight * static_cast<int>(text.size());
    QImage image(QSize(width + 1, height + 1) * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QRect box(0, 0, width, height);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(box);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(kPadding, kPadding, width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     text.front());
    const int textLeft = kPadding + kSwatch + kPadding;
    for (qsizetype row = 1; row < text.size() && row <= static_cast<qsizetype>(colours.size()); ++row) {
        const int top = kPadding + static_cast<int>(row) * lineHeight;
        const QColor& colour = colours[static_cast<std::size_t>(row - 1)];
        painter.setPen(Qt::black);
        painter.setBrush(colour);
        painter.drawRect(QRect(kPadding, top + (lineHeight - kSwatch) / 2, kSwatch, kSwatch));
        painter.setPen(textColour(colour));
        painter.drawText(QRect(textLeft, top, width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         text[row]);
    }
    return image;
}

}  // namespace bxl::ui
