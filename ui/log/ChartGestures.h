// The log chart's own mouse gestures, turned into requests: the wheel by
// whole notches, a rectangle dragged with the left button, a drag with the
// right button (panning, from the axes' ranges where the drag began), a
// double-click with the left button, and the pointer moving over the chart
// and leaving it (for the cursor read-out).
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

#include "model/log/LogView.h"

namespace bxl::ui {

class LogChart;

class ChartGestures : public QObject {
    Q_OBJECT
public:
    // Watches `chart` from now on.
    explicit ChartGestures(LogChart* chart);

signals:
    void wheelDown();  // one notch towards the user
    void wheelUp();
    void rectangleDragged(const QRect& pixels);
    void panned(QPoint from, QPoint to, const bxl::ChartRanges& startRanges);
    void doubleClicked();
    void hovered(QPoint pixel);
    void hoverEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LogChart* chart_;
    int wheelRest_ = 0;  // wheel delta short of a whole notch
    bool panning_ = false;
    QPoint panFrom_;
    ChartRanges panRanges_;
};

}  // namespace bxl::ui
