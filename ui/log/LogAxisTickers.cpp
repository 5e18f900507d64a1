#include "ui/log/LogAxisTickers.h"

#include <QDate>
#include <algorithm>
#include <cmath>

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

}  // namespace bxl::ui
