#include "ui/common/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace bxl::ui {

namespace {

// Start of a window of `size` along one axis of the area [lo, lo + length):
// as near to `pos` as the area allows, at `lo` when the window is longer.
int clampAxis(int pos, int size, int lo, int length) {
    if (size >= length) return lo;
    return std::clamp(pos, lo, lo + length - size);
}

bool insideAxis(int pos, int size, int lo, int length) {
    if (size >= length) return pos == lo;
    return pos >= lo && pos + size <= lo + length;
}

bool inside(const QRect& r, const QRect& area) {
    return insideAxis(r.x(), r.width(), area.x(), area.width()) &&
           insideAxis(r.y(), r.height(), area.y(), area.height());
}

bool coversAny(const QRect& r, const QList<QRect>& areas) {
    return std::any_of(areas.begin(), areas.end(), [&](const QRect& k) { return r.intersects(k); });
}

// The nearest place to `from` beside the areas (left, right, above or below
// one of them or of all of them together) that lies inside `available` and
// covers none of them.
bool nearestClearPlace(const QRect& from, const QRect& available, const QList<QRect>& areas, QRect& best) {
    QList<QRect> sides = areas;
    QRect all;
    for (const QRect& k : areas) all |= k;
    sides.append(all);

    int bestDistance = std::numeric_limits<int>::max();
    auto consider = [&](QPoint topLeft) {
        const QRect candidate(topLeft, from.size());
        if (!inside(candidate, available) || coversAny(candidate, areas)) return;
        const int distance = std::abs(candidate.x() - from.x()) + std::abs(candidate.y() - from.y());
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    };
    for (const QRect& k : sides) {
        if (k.isEmpty()) continue;
        consider({k.x() - from.width(), from.y()});
        consider({k.x() + k.width(), from.y()});
        consider({from.x(), k.y() - from.height()});
        consider({from.x(), k.y() + k.height()});
    }
    return bestDistance != std::numeric_limits<int>::max();
}

}  // namespace

QRect fitWindow(const QRect& wanted, const QRect& available, const QList<QRect>& keepClear) {
    const QRect moved(clampAxis(wanted.x(), wanted.width(), available.x(), available.width()),
                      clampAxis(wanted.y(), wanted.height(), available.y(), available.height()),
                      wanted.width(), wanted.height());
    if (!coversAny(moved, keepClear)) return moved;

    QRect place;
    if (nearestClearPlace(moved, available, keepClear, place)) return place;
    if (keepClear.size() > 1 && nearestClearPlace(moved, available, {keepClear.first()}, place)) return place;
    return moved;
}

QRect globalRect(const QWidget* widget) {
    if (widget == nullptr || !widget->isVisible()) return {};
    return {widget->mapToGlobal(QPoint(0, 0)), widget->size()};
}

namespace {

QMargins marginsOf(const QWidget* w) {
    const QRect frame = w->frameGeometry();
    const QRect client = w->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

// Fits its window on every show, before the window appears.
class ScreenKeeper : public QObject {
public:
    ScreenKeeper(QWidget* window, const QWidget* anchor, std::function<QList<QRect>()> keepClear)
        : QObject(window), window_(window), anchor_(anchor), keepClear_(std::move(keepClear)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show && !event->spontaneous()) fit();
        return false;
    }

private:
    void fit() {
        // Until the window manager has framed the window once, its frame is
        // not known: take the anchor's, which the same manager framed.
        QMargins frame = kAssumedFrame;
        if (framed_)
            frame = marginsOf(window_);
        else if (anchor_ != nullptr && anchor_->isVisible())
            frame = marginsOf(anchor_);
        framed_ = true;

        const QRect wanted(window_->pos(), window_->size().grownBy(frame));
        QScreen* screen = QGuiApplication::screenAt(wanted.center());
        if (screen == nullptr && anchor_ != nullptr) screen = anchor_->screen();
        if (screen == nullptr) screen = QGuiApplication::primaryScreen();
        if (screen == nullptr) return;
        const QRect place =
            fitWindow(wanted, screen->availableGeometry(), keepClear_ ? keepClear_() : QList<QRect>{});
        if (place.topLeft() != wanted.topLeft()) window_->move(place.topLeft());
    }

    QWidget* window_;
    QPointer<const QWidget> anchor_;
    std::function<QList<QRect>()> keepClear_;
    bool framed_ = false;
};

}  // namespace

void keepOnScreen(QWidget* window, const QWidget* anchor, std::function<QList<QRect>()> keepClear) {
    new ScreenKeeper(window, anchor, std::move(keepClear));
}

}  // namespace bxl::ui
