// The log window's legend frame "GroupBox2" ("Log Items/legend"): a check
// box "CheckBoxN" and a colour swatch "ShapeN" for each of the fifteen
// series, and "CheckBoxLogP" for the point markers of all of them; below
// the series rows "CheckBoxFlowAxis" puts the air flows on an axis of their
// own (off at start).
#pragma once

#include <QGroupBox>
#include <array>

#include "model/Bindings.h"
#include "model/log/LogSeries.h"

class QCheckBox;

namespace bxl::ui {

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

class LogLegend : public QGroupBox {
    Q_OBJECT
public:
    explicit LogLegend(QWidget* window);

    // Series N is shown exactly when "CheckBoxN" is checked.
    SeriesMask visibleSeries() const;
    // "Logpoint visible".
    bool markersShown() const;
    // "m3/h on right axis".
    bool flowsOnOwnAxis() const;

signals:
    // One of the sixteen check boxes was clicked.
    void clicked();

private:
    std::array<QCheckBox*, kLogSeriesCount> seriesBoxes_{};
    QCheckBox* markersBox_ = nullptr;
    QCheckBox* flowAxisBox_ = nullptr;  // CheckBoxFlowAxis
};

}  // namespace bxl::ui
