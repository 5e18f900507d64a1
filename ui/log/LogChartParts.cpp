#include "ui/log/LogChartParts.h"

#include <QDate>
#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "ui/common/UiCommon.h"

namespace bxl::ui {

namespace {
constexpr double kMinute = 1.0 / 1440.0;
// Beyond this many days from 1899 a date-time number names no sensible date.
constexpr double kMaxDays = 2.9e6;
}  // namespace

QString DateTimeNumberTicker::label(double t) {
    if (!std::isfinite(t) || std::fabs(t) > kMaxDays) return {};
    // Ticks land on whole minutes give or take rounding; a tick at midnight
    // must not slip into the day before.
    const auto day = static_cast<qint64>(std::floor(t + 1e-9));
    return QDate(1899, 12, 30).addDays(day).toString(QStringLiteral("d-M-yyyy"));
}

double DateTimeNumberTicker::getTickStep(const QCPRange& range) {
    const double raw = range.size() / (static_cast<double>(tickCount()) + 1e-10);
    // Whole minutes, hours and days, then the usual 1-2-5 steps of days.
    static const double steps[] = {1, 2, 5, 10, 15, 30, 60, 120, 180, 360, 720, 1440};
    for (double s : steps) {
        if (raw <= s * kMinute) return s * kMinute;
    }
    return std::max(1.0, cleanMantissa(raw));
}

QString DateTimeNumberTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
    return label(tick);
}

double MinStepTicker::getTickStep(const QCPRange& range) {
    return std::max(1.0, QCPAxisTicker::getTickStep(range));
}

ColourSwatch::ColourSwatch(Rgb colour, QWidget* parent) : QWidget(parent), colour_(toQColor(colour)) {}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), colour_);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

UpDown::UpDown(int min, int max, int position, QWidget* parent)
    : QWidget(parent),
      min_(min),
      max_(max),
      position_(std::clamp(position, min, max)),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    setFocusPolicy(Qt::TabFocus);
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::setPosition(int p) {
    position_ = std::clamp(p, min_, max_);
}

void UpDown::step(int d) {
    const int p = std::clamp(position_ + d, min_, max_);
    if (p == position_) return;
    position_ = p;
    emit clicked(position_);
}

void UpDown::resizeEvent(QResizeEvent*) {
    const int h = height() / 2;
    up_->setGeometry(0, 0, width(), h);
    down_->setGeometry(0, h, width(), height() - h);
}

}  // namespace bxl::ui

namespace bxl::ui {

void UpDown::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Up) {
        step(1);
    } else if (e->key() == Qt::Key_Down) {
        step(-1);
    } else {
        QWidget::keyPressEvent(e);
    }
}

}  // namespace bxl::ui
