// The controls file (the unit's 200 settings, 804 bytes) and the CSV export of
// every menu line. Pure functions over bytes; the windows only pick paths.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Bindings.h"
#include "model/ValueStore.h"

namespace bxl {

inline constexpr std::size_t kControlsFileSize = 804;
inline constexpr uint32_t kControlsFileSeed = 0x12E45687u;

using Bytes = std::vector<uint8_t>;
using ControlsBlock = std::array<int32_t, kControlsCount>;

// Current values 0..199 as little-endian int32, then the checksum.
Bytes encodeControlsFile(const ValueStore& store);
// The same file for a controls block of any origin.
Bytes encodeControlsBlock(const ControlsBlock& controls);

// The 200 values of a controls file, or nothing when the file is shorter than
// 804 bytes or its checksum does not hold. Bytes after 804 are ignored.
std::optional<ControlsBlock> decodeControlsFile(const Bytes& bytes);

// One line per bound menu line: "M01-01","name","value" with CR LF, in
// Windows-1252, quotes inside texts written as they are.
std::string exportCsv(const ValueStore& store, const BindingTable& bindings);

}  // namespace bxl
