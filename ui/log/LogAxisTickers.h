// The log chart's axis tickers: dates on the bottom axis, plain numbers at
// least 1 apart on the left axis.
#pragma once

#include <qcustomplot.h>

namespace bxl::ui {

// Bottom axis: date-time numbers labelled "d-M-yyyy", ticks at least one
// minute apart on whole minutes, hours or days.
class DateTimeNumberTicker : public QCPAxisTicker {
public:
    static QString label(double dateTimeNumber);

protected:
    double getTickStep(const QCPRange& range) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;
};

// Left axis: plain numbers, ticks at least 1 apart.
class MinStepTicker : public QCPAxisTicker {
protected:
    double getTickStep(const QCPRange& range) override;
};

}  // namespace bxl::ui
