// The arithmetic behind the four graphs: scales and positions. Plain C++
// over the value store, no drawing; the select clocks the time clock graph
// shows are evaluated by model/TimeClock.
//
// The unit's values are 32-bit and may hold anything the controller sends, so
// every coordinate is computed in 32-bit two's-complement arithmetic that
// wraps instead of overflowing, with division truncating toward zero
// (model/WrappingInt32.h).
#pragma once

#include <cstdint>

#include "model/ValueStore.h"
#include "model/WrappingInt32.h"

namespace bxl::graphs {

// The graphs window's tab for a menu number (2, 10, 60, 70 give tabs 0 to 3);
// -1 for a menu without a graph, where the Graph button is hidden and the
// window keeps the tab it has.
inline int graphTabForMenu(int menu) {
    switch (menu) {
        case 2:
            return 0;
        case 10:
            return 1;
        case 60:
            return 2;
        case 70:
            return 3;
        default:
            return -1;
    }
}

// ---- Ventilation (menu M02) ----

struct FanScale {
    int32_t fullScale;  // F: smallest multiple of 2000 covering the settings
    int32_t perPixel;   // s: airflow per pixel, F / 400
};

FanScale fanScale(int32_t a1, int32_t a2, int32_t a3, int32_t a4);

// Vertical position of an airflow on a fan half.
inline int32_t fanY(int32_t airflow, int32_t perPixel) {
    return sub32(420, div32(airflow, perPixel));
}

// ---- Heat line (menu M10); temperatures in tenths of a degree ----

inline int32_t heatX(int32_t outdoor) {
    return add32(outdoor, 250);
}
inline int32_t heatY(int32_t supply) {
    return sub32(420, div32(supply, 2));
}

// Supply temperature (tenths) where the heating line meets the left edge
// (-20.0 degrees outdoor), extended through the hi and med points and held
// between the med supply temperature and 80.0 degrees. When the hi and med
// points share one outdoor temperature the line has no slope to extend, and
// the hi point's supply temperature is taken as a level line.
int32_t heatLineLeftEnd(const ValueStore& store);

// ---- Time clock (menu M60) ----

// Horizontal position of minute m of the day.
inline int32_t clockX(int32_t minute) {
    return add32(div32(minute, 3), 30);
}

// ---- Filters (menu M70) ----

// Pa per pixel of one filter half: 1 while every pressure is below 340.
inline int32_t filterDivisor(int32_t p1, int32_t p2, int32_t p, int32_t maxPressure) {
    return (p1 < 340 && p2 < 340 && p < 340 && maxPressure < 340) ? 1 : 2;
}
inline int32_t filterY(int32_t pressure, int32_t divisor) {
    return sub32(400, div32(pressure, divisor));
}
// The hysteresis line, H percent of the limit below it; the one step of the
// graphs made in floating point, truncated toward zero.
int32_t hysteresisY(int32_t limit, int32_t percent, int32_t divisor);
// Horizontal offset of the present airflow between the two set points,
// held to 50..320; 200 when set 2 does not lie above set 1.
int32_t filterAirflowX(int32_t airflow, int32_t set1, int32_t set2);

}  // namespace bxl::graphs
