#include "ui/log/LogAxisTickers.h"

#include <QDate>
#include <algorithm>
#include <cmath>

#include "model/log/DateTime.h"

namespace bxl::ui {

namespace {
constexpr double kSecond = 1.0 / 86400.0;
// Beyond this many days from 1899 a date-time number names no sensible date.
constexpr double kMaxDays = 2.9e6;
// Round steps below a day, in seconds.
constexpr double kSteps[] = {1,   2,   5,    10,   15,   30,    60,    120,   300,
                             600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
}  // namespace

QString DateTimeNumberTicker::label(double t) {
    if (!std::isfinite(t) || std::fabs(t) > kMaxDays) return {};
    // Ticks land on whole minutes give or take rounding; a tick at midnight
    // must not slip into the day before.
    const auto day = static_cast<qint64>(std::floor(t + 1e-9));
    return QDate(1899, 12, 30).addDays(day).toString(QStringLiteral("d-M-yyyy"));
}

QString DateTimeNumberTicker::label(double t, double step) {
    QString date = label(t);
    if (date.isEmpty() || step >= 1.0 - 1e-9) return date;
    CalendarTime c;
    if (!calendarTime(t, c)) return date;
    QString time =
        QStringLiteral("%1:%2").arg(c.hour, 2, 10, QLatin1Char('0')).arg(c.minute, 2, 10, QLatin1Char('0'));
    if (step < 60 * kSecond - 1e-12) time += QStringLiteral(":%1").arg(c.second, 2, 10, QLatin1Char('0'));
    return date + QLatin1Char('\n') + time;
}

double DateTimeNumberTicker::roundStep(double span, int ticks) {
    const double raw = span / (static_cast<double>(std::max(1, ticks)) + 1e-10);
    for (double s : kSteps) {
        if (raw <= s * kSecond * (1 + 1e-9)) return s * kSecond;
    }
    // Whole days in the usual 1-2-5 steps.
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (raw <= m * magnitude * (1 + 1e-9)) return std::max(1.0, m * magnitude);
    }
    return std::max(1.0, 10.0 * magnitude);
}

double DateTimeNumberTicker::getTickStep(const QCPRange& range) {
    step_ = roundStep(range.size(), tickCount());
    return step_;
}

QString DateTimeNumberTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
    return blank_ ? QString() : label(tick, step_);
}

double MinStepTicker::getTickStep(const QCPRange& range) {
    return std::max(1.0, QCPAxisTicker::getTickStep(range));
}

}  // namespace bxl::ui
