#include "ui/overview/OverviewLogic.h"

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
    static constexpr std::array<int, 7> kTemps{256, 257, 258, 259, 260, 261, 323};
    for (std::size_t i = 0; i < kTemps.size(); ++i) l.t[i] = b.formatByValueIndex(s, kTemps[i]);
    l.supplyFlow = b.formatByValueIndex(s, 273);
    l.exhaustFlow = b.formatByValueIndex(s, 274);
    l.supplyFan = percentText(s.current(300), 10);
    l.exhaustFan = percentText(s.current(301), 10);
    l.heatWheel = percentText(s.current(276), 100);
    l.bypass = percentText(s.current(296), 100);
    l.heatingCoil = percentText(s.current(297), 10);
    l.coolingCoil = percentText(s.current(298), 10);
    l.frost = s.current(293) != 0 ? "FROST" : "";
    l.fire = s.current(347) != 0 ? "FIRE" : "";
    l.supplyFilter = b.formatByValueIndex(s, 365);
    l.exhaustFilter = b.formatByValueIndex(s, 364);
    l.bypassVisible = s.current(kHeatExchanger) != 0;
    l.exhaustDamperOpen = s.current(295) != 0;
    l.supplyDamperOpen = s.current(294) != 0;
    l.wheelRunning = s.current(276) != 0;
    l.exchangerFrost = s.current(355) != 0;
    l.t6Visible = sensorInUse(s.current(42));
    l.t7Visible = sensorInUse(s.current(145));
    return l;
}

}  // namespace bxl::overview
