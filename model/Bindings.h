// The control-binding table: one record per displayed menu line, linking a
// value field on screen to its value index and parameter row. The widgets
// themselves live in the main window, which keeps them in arrays parallel to
// this table (entry i here is field i there).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/ValueStore.h"

namespace bxl {

inline constexpr int kBindingCount = 1000;
inline constexpr int kMenuPageCount = 20;

struct MenuPage {
    int32_t menu;         // menu number
    const char* tabName;  // object name of the tab page
    const char* caption;  // tab caption
    const char* scrollName;
};

// The twenty menu pages in tab order.
extern const std::array<MenuPage, kMenuPageCount> kMenuPages;

// Page index (0..19) of a menu number, or -1 when the menu has no page.
int pageOfMenu(int32_t menu);

struct Binding {
    int32_t valueIndex = -1;  // -1 marks a free entry
    int32_t row = 0;          // parameter row
    int32_t page = -1;        // page index the line sits on
    int32_t top = 0;          // top coordinate inside the page's scroll box
};

struct Rgb {
    int r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

class BindingTable {
public:
    // Walks the parameter table and fills entries for every displayable row
    // (menu with a page, item not 0) in table order; rows of a page sit at
    // top 10, 30, 50, ... Returns the number of entries used.
    int build();

    const Binding& at(int i) const { return entries_[static_cast<std::size_t>(i)]; }
    int used() const { return used_; }

    // Formats the current value of value index k with the row of its first
    // binding; "?" when no binding uses k.
    std::string formatByValueIndex(const ValueStore& store, int k) const;

    // First binding of value index k, or -1 (the scan stops at the first free
    // entry).
    int findByValueIndex(int k) const;

private:
    std::array<Binding, kBindingCount> entries_{};
    int used_ = 0;
};

// Display text of a bound value and its font colour from the offline flag,
// the comparison with the received copy and the value index.
std::string bindingText(const ValueStore& store, const Binding& b);
Rgb bindingColour(const ValueStore& store, const Binding& b);

// "M01.01   Temp NTC1 (ODA)": the caption of a row on its menu page.
std::string rowCaption(int row);

}  // namespace bxl
