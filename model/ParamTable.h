// The unit's menu description: one constant row per menu line of the
// controller. Everything that lists rows (menu pages, CSV export, the
// editor's limits, the simulated unit's factory values) derives from it.
#pragma once

#include <cstdint>

namespace bxl {

// Display format codes of a row.
enum DisplayFormat : int32_t {
    kFormatInteger = 0,
    kFormatTenths = 1,
    kFormatHundredths = 2,
    kFormatOptionList = -1,
    kFormatTimeOfDay = -2,
    kFormatDate = -3,
};

struct ParamRow {
    int32_t menu;        // 1..99; 0 for placeholder rows; -1 in the end marker
    int32_t item;        // line number within the menu; 0 is the menu's title row
    const char* name;    // Windows-1252 text
    const char* unit;    // unit text, or the "#"-separated option list (format -1)
    int32_t valueIndex;  // index into the value store
    int32_t minimum;
    int32_t maximum;
    int32_t defaultValue;  // factory value, reference data only
    int32_t step;
    int32_t format;
};

inline constexpr int kParamRowCount = 259;
inline constexpr int kEndMarkerRow = 258;

// The table, rows 0..258; row 258 is the end marker (menu -1).
extern const ParamRow kParamTable[kParamRowCount];

inline bool isEditable(const ParamRow& row) {
    return row.minimum < row.maximum;
}

}  // namespace bxl
