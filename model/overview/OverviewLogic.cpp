#include "model/overview/OverviewLogic.h"

namespace bxl::overview {

namespace {

// Of a pair, the first panel shows exactly when its partner does not; the
// partner itself keeps its state.
void selectPair(PanelVisibility& p, int first, int second) {
    p[first] = !p[second];
}

bool sensorInUse(int32_t function) {
    // "Function T6/T7": 1 siphon temperature, 2 adopt NTC5; 0, 3 and 4 are no
    // temperature at all.
    return function == 1 || function == 2;
}

}  // namespace

bool toggleAndSelect(bool windowVisible, PanelVisibility& p, int32_t heatExchanger, int32_t bypassPosition) {
    if (windowVisible) return false;
    if (heatExchanger != 0) {
        if (bypassPosition == 2 || bypassPosition == 3 || bypassPosition == 4) {
            selectPair(p, kMarvek1, kMarvek2);
            p[kRecup1] = p[kRecup2] = false;
        } else {
            selectPair(p, kRecup1, kRecup2);
            p[kMarvek1] = p[kMarvek2] = false;
        }
        p[kWWLi] = p[kWWRe] = false;
    } else {
        p[kRecup2] = p[kRecup1] = p[kMarvek1] = p[kMarvek2] = false;
        selectPair(p, kWWRe, kWWLi);
    }
    return true;
}

void flip(PanelVisibility& p) {
    for (int first = 0; first < kPanelCount; first += 2) {
        if (p[first] || p[first + 1]) {
            p[first] = !p[first];
            p[first + 1] = !p[first + 1];
        }
    }
}

std::string percentText(int32_t value, int32_t divisor) {
    return std::to_string(value / divisor) + "%";
}

LiveTexts computeLiveTexts(const ValueStore& s, const BindingTable& b) {
    LiveTexts l;
    static constexpr std::array<int, 7> kTemps{kTempT1Outdoor, kTempT2Supply, kTempT3Extract, kTempT4Exhaust,
                                               kTempT5,        kTempT6,       kTempT7};
    for (std::size_t i = 0; i < kTemps.size(); ++i) l.t[i] = b.formatByValueIndex(s, kTemps[i]);
    l.supplyFlow = b.formatByValueIndex(s, kSupplyFlow);
    l.exhaustFlow = b.formatByValueIndex(s, kExhaustFlow);
    l.supplyFan = percentText(s.current(kSupplyFanControl), 10);
    l.exhaustFan = percentText(s.current(kExhaustFanControl), 10);
    l.heatWheel = percentText(s.current(kHeatWheelSpeed), 100);
    l.bypass = percentText(s.current(kBypassControl), 100);
    l.heatingCoil = percentText(s.current(kHeatingCoilControl), 10);
    l.coolingCoil = percentText(s.current(kCoolingCoilControl), 10);
    l.frost = s.current(kFrostState) != 0 ? "FROST" : "";
    l.fire = s.current(kFireState) != 0 ? "FIRE" : "";
    l.supplyFilter = b.formatByValueIndex(s, kSupplyFilterPressure);
    l.exhaustFilter = b.formatByValueIndex(s, kExhaustFilterPressure);
    l.bypassVisible = s.current(kHeatExchanger) != 0;
    l.exhaustDamperOpen = s.current(kExhaustDamperState) != 0;
    l.supplyDamperOpen = s.current(kSupplyDamperState) != 0;
    l.wheelRunning = s.current(kHeatWheelSpeed) != 0;
    l.exchangerFrost = s.current(kExchangerFrostState) != 0;
    l.t6Visible = sensorInUse(s.current(kFunctionT6));
    l.t7Visible = sensorInUse(s.current(kFunctionT7));
    return l;
}

}  // namespace bxl::overview
