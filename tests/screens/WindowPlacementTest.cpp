#include <gtest/gtest.h>

#include <QList>
#include <QRect>
#include <ostream>

#include "ui/common/WindowPlacement.h"

using bxl::ui::fitWindow;

void PrintTo(const QPoint& p, std::ostream* os) {
    *os << "(" << p.x() << ", " << p.y() << ")";
}

namespace {

// A frame as a window manager draws it: a 30-pixel title bar and 1-pixel
// borders around the client area.
QRect frame(int left, int top, int clientWidth, int clientHeight) {
    return {left, top, clientWidth + 2, clientHeight + 31};
}

// The main window's buttons that show and hide the secondary windows, for
// the main window's frame at (left, top): own button first.
QList<QRect> buttons(int left, int top, const char* own) {
    const QRect overview(left + 1 + 384, top + 30 + 62, 161, 61);
    const QRect log(left + 1 + 544, top + 30 + 62, 161, 61);
    const QRect graph(left + 1 + 384, top + 30 + 126, 161, 61);
    if (own[0] == 'O') return {overview, log, graph};
    if (own[0] == 'L') return {log, overview, graph};
    return {graph, overview, log};
}

const QRect kMain = frame(632, 204, 712, 615);
const QRect kOverview = frame(567, 26, 901, 579);
const QRect kLog = frame(479, 158, 891, 656);
const QRect kGraphs(953, 305, 754, 537);  // given as its outer size

struct Case {
    const char* what;
    QRect available;
    QRect wanted;
    QList<QRect> keepClear;
    QPoint expected;
};

}  // namespace

TEST(WindowPlacement, FitsEachWindowOnTheScreen) {
    // The screen's free area in the windows' coordinates: 1920 x 1200 device
    // pixels at scale factors 1, 1.5 and 2, and a 1366 x 768 laptop.
    const QRect s1(0, 0, 1920, 1200), s15(0, 0, 1280, 800), s2(0, 0, 960, 600), laptop(0, 0, 1366, 768);
    const Case cases[] = {
        // Scale 1: the main window at its own place; each secondary
        // window the least way down from its own place, below the row of
        // buttons that show and hide the secondary windows.
        {"scale 1, main", s1, kMain, {}, {632, 204}},
        {"scale 1, overview", s1, kOverview, buttons(632, 204, "Overview"), {567, 421}},
        {"scale 1, log", s1, kLog, buttons(632, 204, "Log"), {479, 421}},
        {"scale 1, graphs", s1, kGraphs, buttons(632, 204, "Graph"), {953, 421}},
        {"scale 1, graphs with nothing to keep clear", s1, kGraphs, {}, {953, 305}},
        // Scale 1.5: the main window moves in from the right and bottom
        // edges; the secondary windows fit left of the buttons.
        {"scale 1.5, main", s15, kMain, {}, {566, 154}},
        {"scale 1.5, overview", s15, kOverview, buttons(566, 154, "Overview"), {48, 26}},
        {"scale 1.5, log", s15, kLog, buttons(566, 154, "Log"), {58, 113}},
        {"scale 1.5, graphs", s15, kGraphs, buttons(566, 154, "Graph"), {197, 263}},
        // Scale 2: the main window is taller than the screen and keeps its
        // title bar at the top; no place is clear of the buttons, so the
        // windows only move inside.
        {"scale 2, main", s2, kMain, {}, {246, 0}},
        {"scale 2, overview", s2, kOverview, buttons(246, 0, "Overview"), {57, 0}},
        {"scale 2, graphs", s2, kGraphs, buttons(246, 0, "Graph"), {206, 63}},
        // The laptop: the main window's bottom comes up into the screen.
        {"laptop, main", laptop, kMain, {}, {632, 122}},
        {"laptop, overview", laptop, kOverview, buttons(632, 122, "Overview"), {114, 26}},
        {"laptop, log", laptop, kLog, buttons(632, 122, "Log"), {124, 81}},
        {"laptop, graphs", laptop, kGraphs, buttons(632, 122, "Graph"), {263, 231}},
        // A screen right of the primary one: its own origin counts.
        {"second screen", QRect(1920, 0, 1280, 1024), kMain, {}, {1920, 204}},
        // Too small both ways: the top-left corner stays visible.
        {"tiny screen", QRect(0, 0, 640, 480), kMain, {}, {0, 0}},
        // No place clear of every button: clear of the window's own.
        {"own button only",
         QRect(0, 0, 1000, 700),
         QRect(300, 100, 600, 400),
         {QRect(450, 200, 100, 50), QRect(400, 600, 50, 50)},
         {300, 250}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QRect placed = fitWindow(c.wanted, c.available, c.keepClear);
        EXPECT_EQ(placed.topLeft(), c.expected);
        EXPECT_EQ(placed.size(), c.wanted.size());  // never resized
    }
}
