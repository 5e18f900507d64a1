#include "model/Bindings.h"

#include <cstdio>

#include "model/Format.h"
#include "model/ParamTable.h"

namespace bxl {

const std::array<MenuPage, kMenuPageCount> kMenuPages = {{
    {1, "TabSheet1", "M01 Actual Controls", "ScrollBox1"},
    {2, "TabSheet2", "M02 Ventilation", "ScrollBox2"},
    {3, "TabSheet3", "M03 Heat Wheel", "ScrollBox3"},
    {4, "TabSheet4", "M04 Ventilation setting", "ScrollBox4"},
    {5, "TabSheet5", "M05 Digital Input", "ScrollBox5"},
    {6, "TabSheet6", "M06 Relay", "ScrollBox6"},
    {7, "TabSheet7", "M07 Analog Ouput", "ScrollBox7"},
    {8, "TabSheet8", "M08 Communication", "ScrollBox8"},
    {9, "TabSheet9", "M09 Analog Input", "ScrollBox9"},
    {10, "TabSheet10", "M10 Temp Control", "ScrollBox10"},
    {11, "TabSheet14", "M11 Bypass Settings", "ScrollBox11"},
    {12, "TabSheet15", "M12 Heat Exchanger Settings", "ScrollBox12"},
    {13, "TabSheet16", "M13 Preheat frost", "ScrollBox13"},
    {20, "TabSheet11", "M20 Failure's", "ScrollBox20"},
    {50, "TabSheet12", "M50 Miscellaneous", "ScrollBox50"},
    {60, "TabSheet17", "M60 Time clock", "ScrollBox60"},
    {70, "TabSheet18", "M70 Filters", "ScrollBox70"},
    {80, "TabSheet19", "M80 Modbus", "ScrollBox80"},
    {90, "TabSheet20", "M90 SD card", "ScrollBox90"},
    {99, "TabSheet13", "M99 Service", "ScrollBox99"},
}};

int pageOfMenu(int32_t menu) {
    for (int i = 0; i < kMenuPageCount; ++i)
        if (kMenuPages[static_cast<std::size_t>(i)].menu == menu) return i;
    return -1;
}

int BindingTable::build() {
    entries_.fill(Binding{});
    std::array<int32_t, 100> counter{};
    counter.fill(10);
    used_ = 0;
    for (int r = 0; r < kParamRowCount && kParamTable[r].menu != -1; ++r) {
        const ParamRow& row = kParamTable[r];
        const int page = pageOfMenu(row.menu);
        if (page < 0 || row.item == 0) continue;
        // The table is fixed; it yields far fewer lines than there are entries.
        if (used_ >= kBindingCount) break;
        Binding& b = entries_[static_cast<std::size_t>(used_++)];
        b.valueIndex = row.valueIndex;
        b.row = r;
        b.page = page;
        b.top = counter[static_cast<std::size_t>(row.menu)];
        counter[static_cast<std::size_t>(row.menu)] += 20;
    }
    return used_;
}

int BindingTable::findByValueIndex(int k) const {
    for (int i = 0; i < kBindingCount; ++i) {
        const Binding& b = entries_[static_cast<std::size_t>(i)];
        if (b.valueIndex == -1) break;
        if (b.valueIndex == k) return i;
    }
    return -1;
}

std::string BindingTable::formatByValueIndex(const ValueStore& store, int k) const {
    const int i = findByValueIndex(k);
    if (i < 0) return "?";
    return formatValue(entries_[static_cast<std::size_t>(i)].row, store.current(k));
}

std::string bindingText(const ValueStore& store, const Binding& b) {
    return formatValue(b.row, store.current(b.valueIndex));
}

Rgb bindingColour(const ValueStore& store, const Binding& b) {
    const bool same = store.current(b.valueIndex) == store.received(b.valueIndex);
    if (store.offline() != 0) return same ? Rgb{128, 128, 128} : Rgb{192, 112, 112};
    if (same) return Rgb{0, 0, 0};
    return b.valueIndex < 200 ? Rgb{255, 0, 0} : Rgb{255, 0, 255};
}

std::string rowCaption(int row) {
    const ParamRow& r = kParamTable[row];
    char buf[256];
    std::snprintf(buf, sizeof buf, "M%02d.%02d   %s", r.menu, r.item, r.name);
    return buf;
}

}  // namespace bxl
