// 32-bit two's-complement arithmetic that wraps instead of overflowing, with
// division truncating toward zero: the arithmetic of the unit's values in
// the graphs and the select clocks, whatever the controller sends.
#pragma once

#include <cstdint>

namespace bxl {

inline int32_t add32(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t sub32(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int32_t mul32(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
// b must not be 0; INT32_MIN / -1 wraps to INT32_MIN.
inline int32_t div32(int32_t a, int32_t b) {
    return b == -1 ? sub32(0, a) : a / b;
}
// Remainder with the sign of the dividend; b must not be 0.
inline int32_t mod32(int32_t a, int32_t b) {
    return b == -1 ? 0 : a % b;
}

}  // namespace bxl
