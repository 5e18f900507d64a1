// The four graphs of the graphs window. Each operation redraws the whole
// 700 x 440 image of the canvas from the current values of the store; each
// graph has its file (VentilationGraph.cpp, HeatLineGraph.cpp,
// TimeClockGraph.cpp, FiltersGraph.cpp), their shared helpers are in
// GraphDrawing.h.
#pragma once

#include <array>

#include "model/ValueStore.h"
#include "ui/graphs/Canvas.h"

namespace bxl::graphs {

inline constexpr int kGraphWidth = 700;
inline constexpr int kGraphHeight = 440;
inline constexpr int kGraphTabCount = 4;

// The captions of the graphs window's tabs, in tab order.
inline constexpr std::array<const char*, kGraphTabCount> kGraphTabCaptions = {
    "M2 Ventilation", "M10 Heatline", "M60 Time clock", "M70 Filters"};

// Tab 0: the supply and exhaust fan curves of menu M02.
void DrawVentilationGraph(Canvas& canvas, const ValueStore& store);
// Tab 1: the heating and cooling lines of menu M10 with the operating point.
void DrawHeatLineGraph(Canvas& canvas, const ValueStore& store);
// Tab 2: the week of the select clocks of menu M60, as ventilation speeds
// (flow control modes 0 and 5) or as the setpoint choice (other modes).
void DrawTimeClockSpeedGraph(Canvas& canvas, const ValueStore& store);
void DrawTimeClockSetpointGraph(Canvas& canvas, const ValueStore& store);
// Tab 3: the filter pressure limits of menu M70 with the operating points.
void DrawFiltersGraph(Canvas& canvas, const ValueStore& store);

// Draws the graph of a tab index 0..3; any other index draws nothing. For
// tab 2 the flow control mode (M02.10, kFlowControlMode) picks the form.
void DrawGraphForTab(Canvas& canvas, const ValueStore& store, int tab);

// True when the time clock tab shows speeds for this flow control mode.
inline bool timeClockShowsSpeed(int32_t flowControlMode) {
    return flowControlMode == 0 || flowControlMode == 5;
}

}  // namespace bxl::graphs
