// Pieces of the log window's chart and setup frame: the axis tickers, the
// colour swatch and the interval spinner.
#pragma once

#include <qcustomplot.h>

#include <QWidget>

#include "model/Bindings.h"

class QToolButton;

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

// A rectangle filled with a colour, with a black 1-pixel outline.
class ColourSwatch : public QWidget {
    Q_OBJECT
public:
    ColourSwatch(Rgb colour, QWidget* parent);
    QColor colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colour_;
};

// An up-down spinner: two arrow buttons stepping a position in a range,
// without wrap-around.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(int min, int max, int position, QWidget* parent);
    int position() const { return position_; }
    // Sets the position (clamped to the range); emits nothing.
    void setPosition(int p);
    void stepUp() { step(1); }
    void stepDown() { step(-1); }

signals:
    // A click moved the position.
    void clicked(int position);

protected:
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void step(int d);
    int min_, max_, position_;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace bxl::ui
