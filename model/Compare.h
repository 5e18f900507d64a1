// Which menu lines differ between two sets of values: the unit's controls
// against a file, the unit as last received against the tool's current
// values, one file against another. A pure function over two value arrays
// and the binding table; windows and the command-line tool only show or
// print its result.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Bindings.h"
#include "model/ControlsFile.h"
#include "model/ValueStore.h"

namespace bxl {

// A value for every value index (0..511).
using ValueArray = std::array<int32_t, kValueCount>;

// The current values and the received copy of a store.
ValueArray currentValues(const ValueStore& store);
ValueArray receivedValues(const ValueStore& store);
// A controls block at value indexes 0..199, every other index 0.
ValueArray valuesOfControls(const ControlsBlock& controls);

// One menu line whose formatted value differs. Texts are Windows-1252, as
// the parameter table and the value formatting give them.
struct LineDifference {
    int binding = -1;  // entry of the binding table
    int row = -1;      // parameter row
    int32_t valueIndex = -1;
    int page = -1;                 // page index, 0..19
    std::string csvCode;           // "M02-01", as in the CSV export
    std::string screenCode;        // "M02.01", as the menu page shows it
    std::string name;              // the row's name
    std::string before;            // the line's text with the first values
    std::string after;             // and with the second
    const char* pageCaption = "";  // "M02 Ventilation"
};

// Every displayed menu line (the bound rows, in parameter-table order; rows
// sharing a value index each listed) whose value, formatted as its field
// shows it, differs between `before` and `after`.
std::vector<LineDifference> compareValues(const ValueArray& before, const ValueArray& after,
                                          const BindingTable& bindings);

// The differences as CSV, one line each, with the quoting and formatting of
// the CSV export and one more value column:
// "M02-01","Supply air 1","5000 m3/h","5100 m3/h" and CR LF.
std::string differencesCsv(const std::vector<LineDifference>& differences);

}  // namespace bxl
