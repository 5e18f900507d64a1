#include "ui/log/ChartGestures.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include "ui/log/LogChart.h"

namespace bxl::ui {

namespace {
constexpr int kWheelNotch = 120;
}  // namespace

ChartGestures::ChartGestures(LogChart* chart) : QObject(chart), chart_(chart) {
    chart_->setSelectionRectMode(QCP::srmCustom);
    connect(chart_->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& r, QMouseEvent*) { emit rectangleDragged(r); });
    connect(chart_, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent* e) {
        if (e->button() == Qt::LeftButton) emit doubleClicked();
    });
    chart_->setMouseTracking(true);
    chart_->installEventFilter(this);
}

bool ChartGestures::eventFilter(QObject* watched, QEvent* event) {
    if (watched != chart_) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::Wheel: {
            // One zoom step per notch; a fine-grained wheel adds up to one.
            wheelRest_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
            while (wheelRest_ <= -kWheelNotch) {
                wheelRest_ += kWheelNotch;
                emit wheelDown();
            }
            while (wheelRest_ >= kWheelNotch) {
                wheelRest_ -= kWheelNotch;
                emit wheelUp();
            }
            return true;
        }
        case QEvent::MouseButtonPress: {
            auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() != Qt::RightButton) break;
            // Panning moves the view with the pointer from where the drag
            // began, so the axes are measured once at the press.
            panning_ = true;
            panFrom_ = press->position().toPoint();
            panRanges_ = chart_->shownRanges();
            chart_->setCursor(Qt::ClosedHandCursor);
            return true;
        }
        case QEvent::MouseMove: {
            if (!panning_) {
                emit hovered(static_cast<QMouseEvent*>(event)->position().toPoint());
                break;
            }
            emit panned(panFrom_, static_cast<QMouseEvent*>(event)->position().toPoint(), panRanges_);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* release = static_cast<QMouseEvent*>(event);
            if (!panning_ || release->button() != Qt::RightButton) break;
            panning_ = false;
            chart_->unsetCursor();
            return true;
        }
        case QEvent::Leave:
            emit hoverEnded();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace bxl::ui
