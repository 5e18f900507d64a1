#include "ui/graphs/Canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace bxl::graphs {

namespace {

__extension__ typedef __int128 Int128;

// The index range [lo, hi) of the steps i in [0, n) at which start + dir * i
// lies inside [0, limit).
void stepRange(int64_t start, int dir, int64_t limit, int64_t n, int64_t& lo, int64_t& hi) {
    if (dir > 0) {
        lo = std::max<int64_t>(0, -start);
        hi = std::min<int64_t>(n, limit - start);
    } else {
        lo = std::max<int64_t>(0, start - limit + 1);
        hi = std::min<int64_t>(n, start + 1);
    }
}

}  // namespace

Canvas::Canvas(int width, int height, QRgb faceColour)
    : image_(width, height, QImage::Format_RGB32), face_(faceColour | 0xff000000u), brush_(face_) {
    image_.fill(face_);
    fontFace_ = QStringLiteral("Arial");
    updateFont();
}

void Canvas::setFontFace(const QString& face) {
    fontFace_ = face;
    updateFont();
}

void Canvas::setFontSize(int points) {
    points_ = points;
    updateFont();
}

void Canvas::updateFont() {
    const QString family = fontFace_.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0
                               ? QStringLiteral("Liberation Sans")
                               : fontFace_;
    font_ = QFont(family);
    font_.setPixelSize(std::max(1, static_cast<int>(std::lround(points_ * 96.0 / 72.0))));
    // Aliased glyphs: every text pixel is either the font colour or the box.
    font_.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics fm(font_);
    ascent_ = fm.ascent();
    descent_ = fm.descent();
}

void Canvas::plot(int64_t x, int64_t y, QRgb c, uchar* bits, qsizetype bpl) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
    reinterpret_cast<QRgb*>(bits + y * bpl)[x] = c;
}

void Canvas::moveTo(int32_t x, int32_t y) {
    curX_ = x;
    curY_ = y;
}

void Canvas::lineTo(int32_t x, int32_t y) {
    const int64_t x0 = curX_;
    const int64_t y0 = curY_;
    curX_ = x;
    curY_ = y;
    const int64_t dx = x - x0;
    const int64_t dy = y - y0;
    if (dx == 0 && dy == 0) return;

    uchar* bits = image_.bits();
    const qsizetype bpl = image_.bytesPerLine();
    const int sx = dx < 0 ? -1 : 1;
    const int sy = dy < 0 ? -1 : 1;
    const int64_t adx = dx < 0 ? -dx : dx;
    const int64_t ady = dy < 0 ? -dy : dy;

    // One pixel per step along the major axis, the end point excluded. The
    // minor coordinate of step i is round(i * minor / major), halves rounded
    // away from the start, so the pixels depend only on the end points; only
    // the steps whose major coordinate lies inside the image are visited.
    const bool xMajor = adx >= ady;
    const int64_t major = xMajor ? adx : ady;
    const int64_t minor = xMajor ? ady : adx;
    const int64_t majorStart = xMajor ? x0 : y0;
    const int64_t minorStart = xMajor ? y0 : x0;
    const int majorDir = xMajor ? sx : sy;
    const int minorDir = xMajor ? sy : sx;
    int64_t lo = 0;
    int64_t hi = 0;
    stepRange(majorStart, majorDir, xMajor ? image_.width() : image_.height(), major, lo, hi);
    if (lo >= hi) return;

    const int64_t den = 2 * major;
    const Int128 num = static_cast<Int128>(2) * lo * minor + major;
    int64_t off = static_cast<int64_t>(num / den);
    int64_t rem = static_cast<int64_t>(num % den);
    for (int64_t i = lo; i < hi; ++i) {
        const int64_t a = majorStart + majorDir * i;
        const int64_t b = minorStart + minorDir * off;
        if (xMajor)
            plot(a, b, pen_, bits, bpl);
        else
            plot(b, a, pen_, bits, bpl);
        rem += 2 * minor;
        if (rem >= den) {
            rem -= den;
            ++off;
        }
    }
}

void Canvas::fillRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const int x0 = std::max(0, left);
    const int y0 = std::max(0, top);
    const int x1 = std::min(image_.width(), right);
    const int y1 = std::min(image_.height(), bottom);
    if (x0 >= x1 || y0 >= y1) return;
    uchar* bits = image_.bits();
    const qsizetype bpl = image_.bytesPerLine();
    for (int y = y0; y < y1; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(bits + y * bpl);
        std::fill(row + x0, row + x1, brush_);
    }
}

void Canvas::polygon(std::initializer_list<Point> points) {
    const std::vector<Point> p(points);
    const size_t n = p.size();
    if (n == 0) return;

    // Fill: a pixel belongs to the polygon when its centre lies inside it by
    // the even-odd rule.
    int64_t top = p[0].y;
    int64_t bottom = p[0].y;
    for (const Point& q : p) {
        top = std::min<int64_t>(top, q.y);
        bottom = std::max<int64_t>(bottom, q.y);
    }
    const int yFirst = static_cast<int>(std::max<int64_t>(0, top));
    const int yEnd = static_cast<int>(std::min<int64_t>(image_.height(), bottom + 1));
    uchar* bits = image_.bits();
    const qsizetype bpl = image_.bytesPerLine();
    std::vector<double> cross;
    for (int y = yFirst; y < yEnd; ++y) {
        const double yc = y + 0.5;
        cross.clear();
        for (size_t i = 0; i < n; ++i) {
            const Point& a = p[i];
            const Point& b = p[(i + 1) % n];
            if ((a.y <= yc) == (b.y <= yc)) continue;
            const double t = (yc - a.y) / (static_cast<double>(b.y) - a.y);
            cross.push_back(a.x + t * (static_cast<double>(b.x) - a.x));
        }
        std::sort(cross.begin(), cross.end());
        QRgb* row = reinterpret_cast<QRgb*>(bits + y * bpl);
        for (size_t k = 0; k + 1 < cross.size(); k += 2) {
            const double from = std::clamp(std::ceil(cross[k] - 0.5), 0.0, double(image_.width()));
            const double to = std::clamp(std::ceil(cross[k + 1] - 0.5), 0.0, double(image_.width()));
            if (from < to) std::fill(row + static_cast<int>(from), row + static_cast<int>(to), brush_);
        }
    }

    // Outline: the closed path through all points, every corner included.
    moveTo(p[0].x, p[0].y);
    for (size_t i = 1; i <= n; ++i) lineTo(p[i % n].x, p[i % n].y);
}

QSize Canvas::textExtent(const QString& text) const {
    return {QFontMetrics(font_).horizontalAdvance(text), ascent_ + descent_};
}

void Canvas::textOut(int32_t x, int32_t y, const QString& text) {
    const QSize box = textExtent(text);
    // A box wholly outside the image draws nothing; this also keeps far-off
    // coordinates away from the painter.
    if (int64_t{x} >= image_.width() || int64_t{x} + box.width() <= 0 || int64_t{y} >= image_.height() ||
        int64_t{y} + box.height() <= 0)
        return;
    fillRect(x, y, x + box.width(), y + box.height());
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font_);
    painter.setPen(QColor::fromRgb(fontColour_));
    painter.drawText(QPoint(x, y + ascent_), text);
}

}  // namespace bxl::graphs
