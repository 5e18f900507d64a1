// The log chart's axis tickers: dates with the time of day on the bottom
// axis, plain numbers at least 1 apart on the value axes.
#pragma once

#include <qcustomplot.h>

namespace bxl::ui {

// Bottom axis: date-time numbers labelled "d-M-yyyy", with the time of day
// under the date once the ticks are less than a day apart ("14:05", or
// "14:05:30" for ticks seconds apart). Ticks fall on round steps of seconds,
// minutes, hours or days as the span shrinks and grows. A blank ticker (an
// empty chart) writes no labels.
class DateTimeNumberTicker : public QCPAxisTicker {
public:
    // The date only.
    static QString label(double dateTimeNumber);
    // The label of a tick among ticks `step` days apart.
    static QString label(double dateTimeNumber, double step);
    // The round step, in days, for about `ticks` ticks over `span` days.
    static double roundStep(double span, int ticks);

    void setBlank(bool blank) { blank_ = blank; }

protected:
    double getTickStep(const QCPRange& range) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;

private:
    double step_ = 1.0;
    bool blank_ = false;
};

// Value axes: plain numbers, ticks at least 1 apart.
class MinStepTicker : public QCPAxisTicker {
protected:
    double getTickStep(const QCPRange& range) override;
};

}  // namespace bxl::ui
