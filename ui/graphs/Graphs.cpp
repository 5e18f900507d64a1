#include "ui/graphs/Graphs.h"

#include "model/ValueIndexes.h"

namespace bxl::graphs {

void DrawGraphForTab(Canvas& canvas, const ValueStore& store, int tab) {
    switch (tab) {
        case 0:
            DrawVentilationGraph(canvas, store);
            break;
        case 1:
            DrawHeatLineGraph(canvas, store);
            break;
        case 2:
            if (timeClockShowsSpeed(store.current(kFlowControlMode)))
                DrawTimeClockSpeedGraph(canvas, store);
            else
                DrawTimeClockSetpointGraph(canvas, store);
            break;
        case 3:
            DrawFiltersGraph(canvas, store);
            break;
        default:
            break;
    }
}

}  // namespace bxl::graphs
