#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "ui/graphs/GraphMath.h"

namespace bxl::graphs {
namespace {

TEST(GraphTabForMenu, MenusWithAGraph) {
    const int menus[][2] = {{2, 0}, {10, 1}, {60, 2}, {70, 3}, {1, -1}, {3, -1}, {99, -1}, {0, -1}};
    for (const auto& m : menus) EXPECT_EQ(graphTabForMenu(m[0]), m[1]) << m[0];
}

TEST(FanScale, RoundsUpToMultiplesOf2000) {
    const struct {
        int32_t a[4];
        int32_t full, perPixel;
    } cases[] = {
        {{0, 0, 0, 0}, 2000, 5},          {{2000, 1500, 0, 100}, 2000, 5},
        {{2001, 0, 0, 0}, 4000, 10},      {{5000, 6000, 7000, 8000}, 8000, 20},
        {{0, 0, 0, 10000}, 10000, 25},    {{8001, 0, 0, 0}, 10000, 25},
        {{-500, -9000, -1, -2}, 2000, 5},
    };
    for (const auto& c : cases) {
        const FanScale f = fanScale(c.a[0], c.a[1], c.a[2], c.a[3]);
        EXPECT_EQ(f.fullScale, c.full) << c.a[3];
        EXPECT_EQ(f.perPixel, c.perPixel) << c.a[3];
    }
    EXPECT_NE(fanScale(INT_MAX, 0, 0, 0).perPixel, 0);
    EXPECT_EQ(fanY(4000, 20), 220);
    EXPECT_EQ(fanY(-9, 5), 421);
}

TEST(HeatLine, LeftEndIsExtendedAndLimited) {
    const struct {
        const char* what;
        int32_t hiOut, hiSup, medOut, medSup;
        int32_t end;
    } cases[] = {
        {"defaults", 0, 300, 100, 250, 400},
        {"above 80.0 limited", 0, 800, 100, 250, 800},
        {"below the med level limited", 0, 200, 100, 250, 250},
        {"truncated toward zero", 10, 301, 100, 250, 250 + 51 * 300 / 90},
        {"same outdoor temperature: level at hi", 100, 300, 100, 250, 300},
        {"same outdoor, hi above 80.0", 100, 900, 100, 250, 800},
        {"same outdoor, hi below med", 100, 200, 100, 250, 250},
    };
    for (const auto& c : cases) {
        ValueStore s;
        s.setCurrent(69, c.hiOut);
        s.setCurrent(79, c.hiSup);
        s.setCurrent(68, c.medOut);
        s.setCurrent(78, c.medSup);
        EXPECT_EQ(heatLineLeftEnd(s), c.end) << c.what;
    }
    EXPECT_EQ(heatY(-5), 422);
    EXPECT_EQ(heatY(-4), 422);
    EXPECT_EQ(heatY(801), 20);
    EXPECT_EQ(heatX(-200), 50);
}

TEST(Filters, DivisorHysteresisAndAirflowPosition) {
    EXPECT_EQ(filterDivisor(339, 339, 339, 339), 1);
    EXPECT_EQ(filterDivisor(340, 0, 0, 0), 2);
    EXPECT_EQ(filterDivisor(0, 340, 0, 0), 2);
    EXPECT_EQ(filterDivisor(0, 0, 340, 0), 2);
    EXPECT_EQ(filterDivisor(0, 0, 0, 340), 2);

    const struct {
        int32_t limit, percent, q, y;
    } hyst[] = {
        {70, 10, 2, 368}, {300, 10, 2, 265},  {70, 10, 1, 337},  {300, 10, 1, 130},
        {70, 0, 2, 365},  {300, 100, 2, 400}, {70, 100, 1, 400}, {900, 10, 2, 400 - 405},
    };
    for (const auto& h : hyst)
        EXPECT_EQ(hysteresisY(h.limit, h.percent, h.q), h.y) << h.limit << " " << h.percent;
    hysteresisY(INT_MAX, INT_MAX, 1);  // no overflow trap
    hysteresisY(INT_MIN, INT_MIN, 2);

    const struct {
        int32_t airflow, set1, set2, x;
    } flow[] = {
        {3500, 1000, 6000, 200}, {0, 1000, 6000, 60},     {9000, 1000, 6000, 320}, {-1000000, 1000, 6000, 50},
        {1000, 1000, 6000, 100}, {6000, 1000, 6000, 300}, {9000, 6000, 6000, 200}, {0, 6000, 1000, 200},
    };
    for (const auto& f : flow) EXPECT_EQ(filterAirflowX(f.airflow, f.set1, f.set2), f.x) << f.airflow;
    const int32_t far = filterAirflowX(INT_MAX, INT_MIN, INT_MAX);  // wraps, but stays on the graph
    EXPECT_GE(far, 50);
    EXPECT_LE(far, 320);
}

}  // namespace
}  // namespace bxl::graphs
