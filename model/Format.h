// Turns one raw value into its display text, driven by a parameter row's
// display format and unit or option list. Texts are Windows-1252 bytes; the
// user interface converts them with toDisplayText().
#pragma once

#include <cstdint>
#include <string>

namespace bxl {

// Longest text a formatting call yields (the rest is cut off).
inline constexpr std::size_t kFormatTextMax = 199;

// Formats raw value v with the display format and unit of parameter row
// `row`; the row's value index is not consulted.
std::string formatValue(int row, int32_t v);

// The same with the display format and unit given directly.
std::string formatWith(int32_t format, const char* unit, int32_t v);

}  // namespace bxl
