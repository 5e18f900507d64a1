#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

#include "TestSupport.h"
#include "ui/graphs/Canvas.h"

namespace bxl::graphs {
namespace {

using test::countColour;
using test::kFace;
using Pixels = std::set<std::pair<int, int>>;

Pixels pixelsOf(const Canvas& c, QRgb colour) {
    Pixels out;
    for (int y = 0; y < c.image().height(); ++y)
        for (int x = 0; x < c.image().width(); ++x)
            if (c.pixel(x, y) == colour) out.insert({x, y});
    return out;
}

TEST(Canvas, LineToExcludesItsEndPointAndMovesTheCurrentPoint) {
    Canvas c(8, 6, kFace);
    c.setPen(kRed);
    c.moveTo(1, 1);
    c.lineTo(5, 1);
    c.lineTo(5, 4);
    c.lineTo(5, 4);  // zero length: nothing
    EXPECT_EQ(pixelsOf(c, kRed), (Pixels{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {5, 2}, {5, 3}}));

    Canvas d(8, 6, kFace);
    d.setPen(kBlue);
    d.line(0, 0, 3, 3);
    d.line(7, 0, 5, 5);  // steep: one pixel per row
    EXPECT_EQ(pixelsOf(d, kBlue), (Pixels{{0, 0}, {1, 1}, {2, 2}, {7, 0}, {7, 1}, {6, 2}, {6, 3}, {5, 4}}));
}

TEST(Canvas, ClippingKeepsThePixelsOfTheUnclippedLine) {
    // A long line clipped to a small image lights the same pixels as the same
    // line drawn whole on a large image (shifted along its major axis).
    const struct {
        int x0, y0, x1, y1;
        bool steep;
    } lines[] = {{-1000, 0, 1003, 5, false},
                 {1003, 0, -1000, 5, false},
                 {-997, 7, 1006, -1, false},
                 {0, -1000, 5, 1003, true},
                 {7, 1006, -2, -997, true}};
    for (const auto& l : lines) {
        Canvas small(8, 6, kFace);
        Canvas large(l.steep ? 8 : 2100, l.steep ? 2100 : 6, kFace);
        small.setPen(kRed);
        large.setPen(kRed);
        small.line(l.x0, l.y0, l.x1, l.y1);
        const int sx = l.steep ? 0 : 1000;
        const int sy = l.steep ? 1000 : 0;
        large.line(l.x0 + sx, l.y0 + sy, l.x1 + sx, l.y1 + sy);
        Pixels expected;
        for (const auto& [x, y] : pixelsOf(large, kRed))
            if (x - sx >= 0 && x - sx < 8 && y - sy >= 0 && y - sy < 6) expected.insert({x - sx, y - sy});
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(pixelsOf(small, kRed), expected) << l.x0 << "," << l.y0 << " -> " << l.x1 << "," << l.y1;
    }

    // Coordinates at the ends of the 32-bit range are clipped, not walked.
    Canvas c(8, 6, kFace);
    c.setPen(kGreen);
    c.line(INT_MIN, 2, INT_MAX, 2);
    c.line(6, INT_MAX, 6, INT_MIN);
    c.line(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(countColour(c.image(), QRect(0, 2, 8, 1), kGreen), 8);
    EXPECT_EQ(countColour(c.image(), QRect(6, 0, 1, 6), kGreen), 6);
}

TEST(Canvas, FillRectIsHalfOpenAndClipped) {
    Canvas c(8, 6, kFace);
    c.setBrush(kBlue);
    c.fillRect(1, 1, 4, 3);
    c.fillRect(6, 5, 5, 4);  // inverted: nothing
    EXPECT_EQ(pixelsOf(c, kBlue), (Pixels{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}}));
    c.setBrush(kRed);
    c.fillRect(INT_MIN, INT_MIN, INT_MAX, 1);
    EXPECT_EQ(countColour(c.image(), QRect(0, 0, 8, 6), kRed), 8);
}

TEST(Canvas, PolygonIsFilledWithTheBrushAndOutlinedWithThePen) {
    Canvas c(8, 7, kFace);
    c.setPen(kBlack);
    c.setBrush(kGreen);
    c.polygon({{1, 1}, {1, 5}, {6, 5}, {6, 1}});
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool edge =
                (x == 1 || x == 6) && y >= 1 && y <= 5 ? true : (y == 1 || y == 5) && x >= 1 && x <= 6;
            const bool inside = x > 1 && x < 6 && y > 1 && y < 5;
            const QRgb want = edge ? kBlack : inside ? kGreen : kFace;
            EXPECT_EQ(c.pixel(x, y), want) << x << "," << y;
        }

    // A polygon far larger than the image fills all of it.
    Canvas big(8, 6, kFace);
    big.setPen(kBlack);
    big.setBrush(kOrange);
    big.polygon({{-2000000000, -2000000000},
                 {-2000000000, 2000000000},
                 {2000000000, 2000000000},
                 {2000000000, -2000000000}});
    EXPECT_EQ(countColour(big.image(), QRect(0, 0, 8, 6), kOrange), 48);
}

TEST(Canvas, TextSitsOnAnOpaqueBrushBoxAtItsTopLeftCorner) {
    Canvas c(60, 30, kFace);
    c.setBrush(kBlue);
    c.setFontColour(kRed);
    const QString text = QStringLiteral("80\u00B0C");
    const QSize box = c.textExtent(text);
    EXPECT_GE(box.height(), 11);
    EXPECT_LE(box.height(), 14);
    EXPECT_GT(box.width(), 15);
    c.textOut(5, 4, text);
    const QRect r(QPoint(5, 4), box);
    const int blue = countColour(c.image(), r, kBlue);
    const int red = countColour(c.image(), r, kRed);
    EXPECT_GT(red, 10);  // aliased glyphs: only the two colours inside the box
    EXPECT_EQ(blue + red, box.width() * box.height());
    EXPECT_EQ(c.pixel(5, 4), kBlue);
    EXPECT_EQ(countColour(c.image(), QRect(0, 0, 60, 4), kFace), 60 * 4);  // nothing above the box
    EXPECT_EQ(countColour(c.image(), QRect(0, 0, 5, 30), kFace), 5 * 30);  // nothing left of it

    // Twelve point text is taller; far-off and half-outside text is clipped.
    Canvas d(60, 30, kFace);
    const int small = d.textExtent(text).height();
    d.setFontSize(12);
    EXPECT_GT(d.textExtent(text).height(), small);
    d.setBrush(kGreen);
    d.textOut(INT_MIN, INT_MAX, text);
    EXPECT_EQ(countColour(d.image(), d.image().rect(), kGreen), 0);
    d.textOut(-10, 25, text);
    EXPECT_GT(countColour(d.image(), d.image().rect(), kGreen), 0);
}

}  // namespace
}  // namespace bxl::graphs
