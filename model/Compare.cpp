#include "model/Compare.h"

#include <cstdio>

#include "model/Format.h"
#include "model/ParamTable.h"

namespace bxl {

namespace {

std::string menuCode(const ParamRow& row, char separator) {
    char code[32];
    std::snprintf(code, sizeof code, "M%02d%c%02d", row.menu, separator, row.item);
    return code;
}

ValueArray valuesOf(const ValueStore& store, int32_t (ValueStore::*get)(int) const) {
    ValueArray out{};
    for (int i = 0; i < kValueCount; ++i) out[static_cast<std::size_t>(i)] = (store.*get)(i);
    return out;
}

}  // namespace

ValueArray currentValues(const ValueStore& store) {
    return valuesOf(store, &ValueStore::current);
}

ValueArray receivedValues(const ValueStore& store) {
    return valuesOf(store, &ValueStore::received);
}

ValueArray valuesOfControls(const ControlsBlock& controls) {
    ValueArray out{};
    for (std::size_t i = 0; i < static_cast<std::size_t>(kControlsCount); ++i)
        out[static_cast<std::size_t>(kControlsFirst) + i] = controls[i];
    return out;
}

std::vector<LineDifference> compareValues(const ValueArray& before, const ValueArray& after,
                                          const BindingTable& bindings) {
    std::vector<LineDifference> out;
    for (int i = 0; i < kBindingCount; ++i) {
        const Binding& b = bindings.at(i);
        if (b.valueIndex < 0 || b.valueIndex >= kValueCount) continue;
        const auto k = static_cast<std::size_t>(b.valueIndex);
        std::string first = formatValue(b.row, before[k]);
        std::string second = formatValue(b.row, after[k]);
        if (first == second) continue;
        const ParamRow& row = kParamTable[b.row];
        LineDifference d;
        d.binding = i;
        d.row = b.row;
        d.valueIndex = b.valueIndex;
        d.page = b.page;
        d.csvCode = menuCode(row, '-');
        d.screenCode = menuCode(row, '.');
        d.name = row.name;
        d.before = std::move(first);
        d.after = std::move(second);
        if (b.page >= 0 && b.page < kMenuPageCount)
            d.pageCaption = kMenuPages[static_cast<std::size_t>(b.page)].caption;
        out.push_back(std::move(d));
    }
    return out;
}

std::string differencesCsv(const std::vector<LineDifference>& differences) {
    std::string out;
    for (const LineDifference& d : differences) {
        for (const std::string* field : {&d.csvCode, &d.name, &d.before, &d.after}) {
            if (field != &d.csvCode) out += ',';
            out += '"';
            out += *field;
            out += '"';
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace bxl
