// Little-endian numbers in byte buffers, as the controls file and the log
// file store them: 32-bit integers and 64-bit IEEE doubles, whatever the
// byte order of the machine.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace bxl {

// The value of type T (an integer or a double) stored at p.
template <class T>
T readLittleEndian(const uint8_t* p) {
    std::array<uint8_t, sizeof(T)> bytes;
    std::memcpy(bytes.data(), p, sizeof(T));
    if constexpr (std::endian::native == std::endian::big) std::reverse(bytes.begin(), bytes.end());
    return std::bit_cast<T>(bytes);
}

// Appends the bytes of v to out.
template <class T>
void appendLittleEndian(std::vector<uint8_t>& out, T v) {
    auto bytes = std::bit_cast<std::array<uint8_t, sizeof(T)>>(v);
    if constexpr (std::endian::native == std::endian::big) std::reverse(bytes.begin(), bytes.end());
    out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace bxl
