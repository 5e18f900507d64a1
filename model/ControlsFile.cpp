#include "model/ControlsFile.h"

#include <cstdio>

#include "model/Format.h"
#include "model/LittleEndian.h"
#include "model/ParamTable.h"

namespace bxl {

Bytes encodeControlsFile(const ValueStore& store) {
    ControlsBlock controls{};
    for (int i = 0; i < kControlsCount; ++i) controls[static_cast<std::size_t>(i)] = store.current(i);
    return encodeControlsBlock(controls);
}

Bytes encodeControlsBlock(const ControlsBlock& controls) {
    Bytes out;
    out.reserve(kControlsFileSize);
    uint32_t sum = kControlsFileSeed;
    for (const int32_t value : controls) {
        const auto u = static_cast<uint32_t>(value);
        sum += u;
        appendLittleEndian(out, u);
    }
    appendLittleEndian(out, sum);
    return out;
}

std::optional<ControlsBlock> decodeControlsFile(const Bytes& bytes) {
    if (bytes.size() < kControlsFileSize) return std::nullopt;
    auto get = [&](std::size_t at) { return readLittleEndian<uint32_t>(bytes.data() + at); };
    ControlsBlock block{};
    uint32_t check = get(800);
    for (std::size_t i = 0; i < kControlsCount; ++i) {
        const uint32_t u = get(4 * i);
        block[i] = static_cast<int32_t>(u);
        check -= u;
    }
    if (check != kControlsFileSeed) return std::nullopt;
    return block;
}

std::string exportCsv(const ValueStore& store, const BindingTable& bindings) {
    std::string out;
    for (int i = 0; i < kBindingCount; ++i) {
        const Binding& b = bindings.at(i);
        // Lines without a value (index -1) and the line of value 0 are left out.
        if (b.valueIndex <= 0) continue;
        const ParamRow& row = kParamTable[b.row];
        char code[32];
        std::snprintf(code, sizeof code, "%cM%02d-%02d%c,", '"', row.menu, row.item, '"');
        out += code;
        out += '"';
        out += row.name;
        out += "\",\"";
        out += formatValue(b.row, store.current(b.valueIndex));
        out += "\"\r\n";
    }
    return out;
}

}  // namespace bxl
