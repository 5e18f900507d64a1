#include <gtest/gtest.h>

#include "TestSupport.h"
#include "ui/graphs/GraphMath.h"
#include "ui/graphs/Graphs.h"

namespace bxl::graphs {
namespace {

using test::countColour;
using test::kFace;
using test::textAt;

class GraphTest : public ::testing::Test {
protected:
    GraphTest() : canvas(kGraphWidth, kGraphHeight, kFace) { test::loadFactorySettings(store); }
    QRgb at(int x, int y) const { return canvas.pixel(x, y); }
    const QImage& img() const { return canvas.image(); }
    // True when the 4 x 4 marker around (x, y) is filled with the colour.
    bool markerAt(int x, int y, QRgb colour) const {
        return countColour(img(), QRect(x - 2, y - 2, 4, 4), colour) == 16;
    }

    ValueStore store;
    Canvas canvas;
};

// ------------------------------------------------------------ ventilation

TEST_F(GraphTest, VentilationWorkedExample) {
    store.setCurrent(271, 4000);
    store.setCurrent(272, 0);
    DrawVentilationGraph(canvas, store);

    for (int X : {0, 348}) {
        const int ys[4] = {170, 120, 70, 20};
        for (int k = 1; k <= 4; ++k)
            EXPECT_TRUE(markerAt(X + 50 + 75 * k, ys[k - 1], kBlue)) << X << " " << k;
        EXPECT_NE(at(X + 50 + 75 + 2, 170 + 2), kBlue);  // marker is 4 x 4, not 5 x 5
        // The curve: along the bottom, up at x = 52, level to speed 1.
        EXPECT_EQ(at(X + 50, 419), kBlue);
        EXPECT_EQ(at(X + 52, 300), kBlue);
        EXPECT_EQ(at(X + 100, 170), kBlue);
        EXPECT_EQ(at(X + 349, 21), kBlue);
        // Labels F/10 .. F every 40 pixels, grid lines across the plot.
        EXPECT_TRUE(textAt(img(), X + 5, 375, QStringLiteral("800m3"), kBlack, kFace));
        EXPECT_TRUE(textAt(img(), X + 5, 175, QStringLiteral("4800m3"), kBlack, kFace));
        EXPECT_EQ(at(X + 349, 260), kGray);
        EXPECT_EQ(at(X + 49, 416), kGray);  // tick from the axis to x = 48, excluded
        EXPECT_EQ(at(X + 48, 416), kFace);
    }
    EXPECT_TRUE(textAt(img(), 70, 0, QStringLiteral("Supply"), kBlack, kFace));
    EXPECT_TRUE(textAt(img(), 418, 0, QStringLiteral("Exhaust"), kBlack, kFace));
    EXPECT_TRUE(textAt(img(), 47 + 75 * 2, 424, QStringLiteral("2"), kBlack, kFace));
    // Requested airflow: 4000 at y = 220 on the supply side, 0 on the speed axis.
    EXPECT_EQ(countColour(img(), QRect(48, 220, 7, 1), kBlue), 7);
    EXPECT_TRUE(textAt(img(), 5, 215, QStringLiteral("4000m3"), kFace, kBlue));
    EXPECT_EQ(countColour(img(), QRect(348 + 48, 420, 7, 1), kBlue), 7);
    EXPECT_TRUE(textAt(img(), 353, 415, QStringLiteral("0m3"), kFace, kBlue));
}

TEST_F(GraphTest, VentilationHalvesScaleOnTheirOwn) {
    const struct {
        int32_t supplyTop, exhaustTop;
        const char* supplyLabel;
        const char* exhaustLabel;
        int supplyY, exhaustY;  // position of the top setting
    } cases[] = {
        {8000, 10000, "8000m3", "10000m3", 20, 20},
        {2000, 2001, "2000m3", "4000m3", 20, 420 - 2001 / 10},
        {1000, 2000, "2000m3", "2000m3", 220, 20},
    };
    for (const auto& c : cases) {
        for (int i = 1; i <= 8; ++i) store.setCurrent(i, 0);
        store.setCurrent(4, c.supplyTop);
        store.setCurrent(8, c.exhaustTop);
        DrawVentilationGraph(canvas, store);
        EXPECT_TRUE(textAt(img(), 5, 15, QString::fromLatin1(c.supplyLabel), kBlack, kFace)) << c.supplyLabel;
        EXPECT_TRUE(textAt(img(), 353, 15, QString::fromLatin1(c.exhaustLabel), kBlack, kFace));
        EXPECT_TRUE(markerAt(350, c.supplyY, kBlue)) << c.supplyTop;
        EXPECT_TRUE(markerAt(698, c.exhaustY, kBlue)) << c.exhaustTop;
        EXPECT_TRUE(markerAt(125, 420, kBlue));  // a setting of 0 sits on the speed axis
    }
}

TEST_F(GraphTest, VentilationMarksOutsideThePlotAreClipped) {
    store.setCurrent(1, -240);    // below the speed axis: 420 + 12
    store.setCurrent(271, 9000);  // above the full scale of 8000: y = -30
    store.setCurrent(272, 2000000000);
    DrawVentilationGraph(canvas, store);
    EXPECT_TRUE(markerAt(125, 432, kBlue));
    EXPECT_EQ(countColour(img(), QRect(0, 0, 56, 20), kBlue), 0);
    EXPECT_EQ(at(52, 421), kBlue);  // the rise at speed 1 starts below the axis
}

// ------------------------------------------------------------------ heat line

TEST_F(GraphTest, HeatLineWorkedExample) {
    store.setCurrent(256, -5);
    store.setCurrent(336, 330);
    DrawHeatLineGraph(canvas, store);

    for (auto [x, y] : {std::pair{250, 270}, {350, 295}, {430, 320}}) EXPECT_TRUE(markerAt(x, y, kRed)) << x;
    for (auto [x, y] : {std::pair{470, 310}, {500, 330}, {550, 345}}) EXPECT_TRUE(markerAt(x, y, kBlue)) << x;
    EXPECT_EQ(at(50, 220), kRed);  // heating line from the left end e = 40.0
    EXPECT_EQ(at(150, 245), kRed);
    EXPECT_EQ(at(382, 305), kRed);   // between med and low
    EXPECT_NE(at(440, 320), kRed);   // ends at the low point
    EXPECT_EQ(at(649, 345), kBlue);  // cooling line level to 40.0 degrees
    EXPECT_NE(at(650, 345), kBlue);
    // Maximum supply temperature 50.0 from the low point's outdoor position.
    EXPECT_EQ(at(430, 170), kRed);
    EXPECT_EQ(at(56, 170), kRed);
    EXPECT_NE(at(55, 170), kRed);
    EXPECT_NE(at(431, 170), kRed);
    // Axes, ticks and point labels.
    EXPECT_TRUE(textAt(img(), 10, 15, QStringLiteral("80\u00B0C"), kBlack, kFace));
    EXPECT_TRUE(textAt(img(), 10, 415, QStringLiteral("0\u00B0C"), kBlack, kFace));
    EXPECT_TRUE(textAt(img(), 40, 425, QStringLiteral("-20\u00B0C"), kBlack, kFace));
    EXPECT_EQ(at(47, 370), kGray);  // 10-degree tick reaches x = 47
    EXPECT_EQ(at(48, 395), kGray);  // 5-degree tick x = 48
    EXPECT_EQ(at(47, 395), kFace);
    EXPECT_EQ(at(49, 400), kGray);  // 1-degree tick x = 49
    EXPECT_EQ(at(48, 400), kFace);
    EXPECT_TRUE(textAt(img(), 60, 165, QStringLiteral("M10-25"), kGray, kFace));
    EXPECT_TRUE(textAt(img(), 535, 400, QStringLiteral("M10-15"), kGray, kFace));
    // Operating point: -0.5 degrees outdoor, 33.0 required; gray with no flag.
    EXPECT_TRUE(textAt(img(), 225, 422, QStringLiteral("-0.5\u00B0C"), kFace, kGray));
    EXPECT_TRUE(textAt(img(), 225, 400, QStringLiteral("M01.01"), kFace, kGray));
    EXPECT_TRUE(textAt(img(), 10, 250, QStringLiteral("33.0\u00B0C"), kFace, kGray));
    EXPECT_TRUE(textAt(img(), 60, 250, QStringLiteral("M10.26"), kFace, kGray));
    EXPECT_EQ(at(249, 255), kGray);
    EXPECT_NE(at(250, 255), kGray);
    EXPECT_EQ(at(245, 300), kGray);
}

TEST_F(GraphTest, HeatLineLeftEndAndOperatingPointColour) {
    const struct {
        int32_t hiOut, hiSup;
        int yEnd;
    } ends[] = {{0, 800, 20}, {0, 200, 295}, {100, 300, 270}, {100, 900, 20}};
    for (const auto& e : ends) {
        store.setCurrent(69, e.hiOut);
        store.setCurrent(79, e.hiSup);
        DrawHeatLineGraph(canvas, store);
        EXPECT_EQ(at(50, e.yEnd), kRed) << e.hiOut << " " << e.hiSup;
    }

    const struct {
        int32_t red, blue;
        QRgb brush;
    } flags[] = {{0, 0, kGray}, {1, 0, kRed}, {0, 1, kBlue}, {1, 1, kBlue}};
    store.setCurrent(256, -15);
    store.setCurrent(336, 0);
    for (const auto& f : flags) {
        store.setCurrent(350, f.red);
        store.setCurrent(351, f.blue);
        DrawHeatLineGraph(canvas, store);
        EXPECT_TRUE(textAt(img(), 215, 422, QStringLiteral("-1.5\u00B0C"), kFace, f.brush))
            << f.red << f.blue;
        EXPECT_TRUE(textAt(img(), 10, 415, QStringLiteral("0.0\u00B0C"), kFace, f.brush));
    }

    store.setCurrent(256, -260);  // marker line left of the image, labels clipped
    DrawHeatLineGraph(canvas, store);
    EXPECT_TRUE(textAt(img(), -30, 400, QStringLiteral("M01.01"), kFace, kBlue));
    EXPECT_TRUE(textAt(img(), -30, 422, QStringLiteral("-26.0\u00B0C"), kFace, kBlue));
}

// ----------------------------------------------------------------- time clock

TEST_F(GraphTest, TimeClockWorkedExampleInTheSpeedForm) {
    const int32_t clocks[2][3] = {{480, 2, 3}, {1320, 1, 1}};
    for (int j = 1; j <= 2; ++j) {
        store.setCurrent(116 + j, clocks[j - 1][0]);
        store.setCurrent(122 + j, clocks[j - 1][1]);
        store.setCurrent(128 + j, clocks[j - 1][2]);
    }
    store.setCurrent(366, 0);
    store.setCurrent(368, 0);
    DrawTimeClockSpeedGraph(canvas, store);

    const QRgb speed3 = qRgb(160, 0, 255);
    for (int d = 0; d < 7; ++d) {
        const int base = 60 * (d + 1);
        const bool weekday = d < 5;
        EXPECT_EQ(at(189, base - 10), kBlue) << d;
        EXPECT_NE(at(189, base - 11), kBlue) << d;
        EXPECT_EQ(at(190, base - 30), weekday ? speed3 : kFace) << d;
        EXPECT_NE(at(190, base - 31), speed3) << d;
        EXPECT_EQ(at(469, base - 20), weekday ? speed3 : kFace) << d;
        EXPECT_EQ(at(470, base - 9), kBlue) << d;
        EXPECT_EQ(at(470, base - 20), kFace) << d;
        EXPECT_EQ(at(509, base), kBlue) << d;
        EXPECT_EQ(at(510, base), kGray) << d;  // 24:00 tick, no bar
    }
    EXPECT_TRUE(textAt(img(), 5, 5, QStringLiteral("Weekdays"), kBlack, kFace));
    EXPECT_TRUE(textAt(img(), 490, 5, QStringLiteral("Speed"), kBlack, kFace));
    EXPECT_TRUE(textAt(img(), 0, 390, QStringLiteral("Sun"), kBlack, kFace));
    EXPECT_TRUE(textAt(img(), 180, 425, QStringLiteral("8:00"), kBlack, kFace));
    EXPECT_TRUE(textAt(img(), 521, 113 - 20, QStringLiteral("2"), kBlack, kFace));
    EXPECT_TRUE(textAt(img(), 513, 113 - 30, QStringLiteral("3"), kBlack, kFace));
    // Present time 0:00 on Monday: cursor at x = 30, label at (20, 66).
    EXPECT_EQ(countColour(img(), QRect(30, 17, 1, 43), kBlue), 43);
    EXPECT_NE(at(30, 16), kBlue);
    EXPECT_TRUE(textAt(img(), 20, 66, QStringLiteral("0:00"), kFace, kBlue));
}

TEST_F(GraphTest, TimeClockBarsPerForm) {
    // Speed 4 at 0:00 and speed 1 from 8:01 every day; speed 5 on Sundays from 12:00.
    const int32_t clocks[3][3] = {{0, 1, 4}, {481, 1, 1}, {720, 10, 5}};
    for (int j = 1; j <= 3; ++j) {
        store.setCurrent(116 + j, clocks[j - 1][0]);
        store.setCurrent(122 + j, clocks[j - 1][1]);
        store.setCurrent(128 + j, clocks[j - 1][2]);
    }
    store.setCurrent(366, 8 * 60 + 5);
    store.setCurrent(368, 6);
    DrawTimeClockSpeedGraph(canvas, store);
    const QRgb speed4 = qRgb(240, 0, 208);
    EXPECT_EQ(at(100, 60 - 39), speed4);
    // Column 190 holds minutes 480 (speed 4) then 481 and 482 (speed 1): the
    // taller bar drawn first stays visible above the shorter one.
    EXPECT_EQ(at(190, 60 - 39), speed4);
    EXPECT_EQ(at(190, 60 - 5), kBlue);
    EXPECT_EQ(at(191, 60 - 39), kFace);
    EXPECT_EQ(at(300, 420 - 39), speed4);  // speed 5 drawn like 4
    EXPECT_NE(at(300, 420 - 41), speed4);
    EXPECT_TRUE(textAt(img(), 181, 426, QStringLiteral("8:05"), kFace, kBlue));

    DrawTimeClockSetpointGraph(canvas, store);
    const QRgb second = qRgb(240, 0, 128);
    EXPECT_TRUE(textAt(img(), 490, 5, QStringLiteral("Setpoint"), kBlack, kFace));
    EXPECT_EQ(at(100, 60 - 10), kNavy);
    EXPECT_EQ(at(100, 60 - 11), kFace);
    EXPECT_EQ(at(300, 420 - 20), second);
    EXPECT_EQ(at(300, 420 - 21), kFace);
    EXPECT_EQ(at(200, 420 - 10), kNavy);
    EXPECT_EQ(countColour(img(), QRect(511, 0, 2, 440), kGray), 2 * 7 * 1);  // levels 1 and 2 only
}

TEST_F(GraphTest, TimeClockWithNoActiveClock) {
    DrawTimeClockSpeedGraph(canvas, store);
    EXPECT_EQ(countColour(img(), QRect(30, 300, 480, 1), kNavy), 480);  // baseline of Friday
    EXPECT_EQ(countColour(img(), QRect(30, 299, 480, 1), kNavy), 0);
    DrawTimeClockSetpointGraph(canvas, store);
    EXPECT_EQ(countColour(img(), QRect(30, 290, 480, 1), kNavy), 480);
    EXPECT_EQ(countColour(img(), QRect(30, 289, 480, 1), kNavy), 0);
}

// -------------------------------------------------------------------- filters

TEST_F(GraphTest, FiltersWorkedExample) {
    store.setCurrent(365, 150);
    store.setCurrent(273, 3500);
    store.setCurrent(364, 150);
    store.setCurrent(274, 9000);
    DrawFiltersGraph(canvas, store);

    for (int X : {0, 350}) {
        // Zone outlines at y1 = 365, y2 = 250, h1 = 368, h2 = 265, top 50.
        for (auto [x, y] : {std::pair{100, 365}, {100, 368}, {300, 250}, {300, 265}, {100, 50}, {300, 400}})
            EXPECT_EQ(at(X + x, y), kBlack) << X << " " << x << "," << y;
        EXPECT_EQ(at(X + 101, 366), kOrange);
        EXPECT_EQ(at(X + 299, 258), kOrange);
        EXPECT_EQ(at(X + 101, 362), kRed);
        EXPECT_EQ(at(X + 200, 100), kRed);
        EXPECT_EQ(at(X + 250, 390), kGreen);
        // Limit lines to x = 95 (excluded) with their labels.
        EXPECT_EQ(at(X + 7, 365), kBlack);
        EXPECT_EQ(at(X + 94, 365), kBlack);
        EXPECT_EQ(at(X + 95, 365), kFace);
        EXPECT_EQ(at(X + 294, 250), kBlack);
        EXPECT_TRUE(textAt(img(), X + 20, 358, QStringLiteral("70Pa"), kBlack, kFace));
        EXPECT_TRUE(textAt(img(), X + 20, 243, QStringLiteral("300Pa"), kBlack, kFace));
        EXPECT_TRUE(textAt(img(), X + 85, 410, QStringLiteral("1000m3"), kBlack, kFace));
        // Maximum pressure 400: a red line two pixels thick at y = 200.
        EXPECT_EQ(at(X + 80, 200), kRed);
        EXPECT_EQ(at(X + 80, 199), kRed);
        EXPECT_NE(at(X + 80, 201), kRed);
        EXPECT_TRUE(textAt(img(), X + 20, 193, QStringLiteral("400Pa"), kRed, kFace));
        // Operating point: 150 Pa at yA = 325.
        EXPECT_TRUE(textAt(img(), X + 60, 318, QStringLiteral("150Pa"), kBlack, kGreen));
    }
    EXPECT_TRUE(textAt(img(), 150, 0, QStringLiteral("Supply"), kBlack, kFace, 12));
    EXPECT_TRUE(textAt(img(), 500, 0, QStringLiteral("Exhaust"), kBlack, kFace, 12));
    // Supply at 3500 m3/h: xA = 200; exhaust at 9000 m3/h: held at xA = 320.
    EXPECT_EQ(at(204, 325), kBlue);
    EXPECT_NE(at(205, 325), kBlue);
    EXPECT_EQ(at(200, 321), kBlue);
    EXPECT_NE(at(200, 320), kBlue);
    EXPECT_TRUE(textAt(img(), 190, 410, QStringLiteral("3500m3"), kFace, kBlue));
    EXPECT_EQ(at(670, 380), kBlue);
    EXPECT_EQ(at(674, 325), kBlue);
    EXPECT_TRUE(textAt(img(), 660, 410, QStringLiteral("9000m3"), kFace, kBlue));
}

TEST_F(GraphTest, FiltersScaleAndZonesPerHalf) {
    // Maximum 300 with every pressure below 340: q = 1 for the supply half,
    // while an exhaust pressure of 340 keeps q = 2 on the right.
    store.setCurrent(164, 300);
    store.setCurrent(364, 340);
    DrawFiltersGraph(canvas, store);
    for (auto [x, y] : {std::pair{100, 330}, {100, 337}, {300, 100}, {300, 130}}) EXPECT_EQ(at(x, y), kBlack);
    for (auto [x, y] : {std::pair{450, 365}, {450, 368}, {650, 250}, {650, 265}}) EXPECT_EQ(at(x, y), kBlack);
    EXPECT_EQ(at(80, 100), kRed);  // 300 Pa maximum at y = 100 on the left, 250 on the right
    EXPECT_EQ(at(430, 250), kRed);

    const QRect supplyZones(101, 51, 199, 349);
    store.setCurrent(140, 0);
    DrawFiltersGraph(canvas, store);
    EXPECT_EQ(countColour(img(), supplyZones, kOrange), 0);
    EXPECT_GT(countColour(img(), supplyZones, kGreen), 0);
    store.setCurrent(140, 100);
    DrawFiltersGraph(canvas, store);
    EXPECT_EQ(countColour(img(), supplyZones, kGreen), 0);
    EXPECT_GT(countColour(img(), supplyZones, kOrange), 0);
}

TEST_F(GraphTest, FiltersOperatingPointPositionAndAlarm) {
    const struct {
        int32_t airflow, set1, set2;
        int x;
    } cases[] = {
        {9000, 1000, 6000, 320}, {-50000, 1000, 6000, 50}, {2000, 6000, 6000, 200}, {0, 6000, 1000, 200}};
    for (const auto& c : cases) {
        store.setCurrent(273, c.airflow);
        store.setCurrent(136, c.set1);
        store.setCurrent(138, c.set2);
        DrawFiltersGraph(canvas, store);
        EXPECT_EQ(at(c.x, 405), kBlue) << c.airflow;
        EXPECT_EQ(at(c.x + 4, 400), kBlue) << c.airflow;  // the pressure line reaches xA + 5
    }

    store.setCurrent(364, 100);
    store.setCurrent(274, 9000);
    store.setCurrent(370, 1);  // exhaust filter alarm
    DrawFiltersGraph(canvas, store);
    EXPECT_TRUE(textAt(img(), 410, 343, QStringLiteral("100Pa"), kFace, kRed));
    EXPECT_TRUE(textAt(img(), 60, 393, QStringLiteral("0Pa"), kBlack, kGreen));
    EXPECT_EQ(at(360, 350), kBlue);  // the line itself stays blue
}

}  // namespace
}  // namespace bxl::graphs
