// Where the tool's windows go on the screen. Every window has its own
// position and size; on a screen too small for them, or at a scale factor
// that makes them large, a window is moved inside the screen's free area
// (never resized), and a secondary window keeps clear of the main window's
// buttons that show and hide it.
#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <functional>

class QWidget;

namespace bxl::ui {

// The frame rectangle a window gets. `wanted` is its frame (position and
// outer size), `available` the screen's free area, `keepClear` areas the
// window should leave uncovered, the most important first, all in the same
// coordinates.
//
// A window that fits where it is wanted stays there. Otherwise it is moved
// the shortest way inside `available`; a window larger than `available` in
// one direction keeps its top or left edge at the area's edge, so its title
// bar stays reachable. If it then covers a keep-clear area, it goes to the
// nearest place beside those areas that lies inside `available` and covers
// none of them; where there is no such place, to the nearest place that
// leaves the first area clear; where there is none either, it stays covering.
QRect fitWindow(const QRect& wanted, const QRect& available, const QList<QRect>& keepClear = {});

// Frame margins assumed for a window the window manager has not framed yet
// and nothing better is known: a title bar and thin borders.
inline constexpr QMargins kAssumedFrame{4, 32, 4, 4};

// Fits top-level `window` every time it is shown: its frame at its current
// position (the one it was given, or where the user left it) goes through
// fitWindow() on the screen it is on, or else the screen of `anchor`.
// `keepClear` gives the global rectangles to leave uncovered at that moment;
// `anchor` is the window whose frame margins stand in for the window's own
// before it was ever shown (null: kAssumedFrame).
void keepOnScreen(QWidget* window, const QWidget* anchor = nullptr,
                  std::function<QList<QRect>()> keepClear = {});

// The rectangle of a widget in global coordinates, empty while it is hidden.
QRect globalRect(const QWidget* widget);

}  // namespace bxl::ui
