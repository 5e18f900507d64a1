// The overview window's behaviour as plain C++: which of the six panels is
// visible, and the texts and indicators the live refresh writes onto them.
// No Qt here (CMake refuses to link it); the window only applies the results.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/Bindings.h"
#include "model/ValueIndexes.h"
#include "model/ValueStore.h"

namespace bxl::overview {

// The six panels: three unit variants, each as a left/right pair.
enum PanelId : int {
    kWWLi = 0,  // heat wheel unit
    kWWRe,      // heat wheel unit, mirrored
    kRecup1,    // plate exchanger, bypass on the exhaust side
    kRecup2,    // the same, mirrored
    kMarvek1,   // plate exchanger, bypass on the supply side
    kMarvek2,   // the same, mirrored
    kPanelCount
};

inline bool isHeatWheelPanel(int p) {
    return p == kWWLi || p == kWWRe;
}

using PanelVisibility = std::array<bool, kPanelCount>;

// Every panel is visible at start except the first heat wheel panel, so the
// first opening shows the second panel of whichever pair is chosen.
inline constexpr PanelVisibility kInitialPanels{false, true, true, true, true, true};

// The main window's "Overview" button. Returns the window's new visibility;
// when the window was visible it is hidden and the panels are left as they
// are, otherwise the panel of the unit variant is chosen, keeping the
// orientation of the pair as it was. The variant comes from the settings
// "Heat Exchanger" (kHeatExchanger: 0 No, else Yes) and "Bypass position"
// (kBypassPosition: 0..4).
bool toggleAndSelect(bool windowVisible, PanelVisibility& panels, int32_t heatExchanger,
                     int32_t bypassPosition);

// "Left <-> Right": swaps the visible panel of each pair that shows one.
void flip(PanelVisibility& panels);

// value / divisor truncated toward zero, followed by "%" ("52%", "-1%").
std::string percentText(int32_t value, int32_t divisor);

// Everything one live refresh writes, computed from the value store. Texts
// are Windows-1252 bytes like the rest of the model's texts.
struct LiveTexts {
    std::array<std::string, 7> t;  // T1..T7
    std::string supplyFlow, exhaustFlow;
    std::string supplyFan, exhaustFan;
    std::string heatWheel, bypass;
    std::string heatingCoil, coolingCoil;
    std::string frost, fire;
    std::string supplyFilter, exhaustFilter;
    bool bypassVisible = false;
    bool exhaustDamperOpen = false;
    bool supplyDamperOpen = false;
    bool wheelRunning = false;
    bool exchangerFrost = false;
    bool t6Visible = false;
    bool t7Visible = false;
};

LiveTexts computeLiveTexts(const ValueStore& store, const BindingTable& bindings);

}  // namespace bxl::overview
