#include "link/Frames.h"

namespace bxl {

namespace {
uint8_t sum(const uint8_t* bytes, std::size_t count) {
    unsigned s = kChecksumSeed;
    for (std::size_t i = 0; i < count; ++i) s += bytes[i];
    return static_cast<uint8_t>(s & 0xFF);
}
}  // namespace

uint8_t checksumFor(const uint8_t* bytes, std::size_t count) {
    return static_cast<uint8_t>((256 - sum(bytes, count)) & 0xFF);
}

bool checksumValid(const uint8_t* bytes, std::size_t count) {
    return count >= 2 && sum(bytes, count) == 0;
}

uint8_t encodeHigh(int32_t v) {
    return static_cast<uint8_t>((v >> 8) & 0xFF);
}

uint8_t encodeLow(int32_t v) {
    return static_cast<uint8_t>(v & 0xFF);
}

int32_t decodeValue(uint8_t high, uint8_t low) {
    int32_t v = high * 256 + low;
    return high >= 0x80 ? v - 65536 : v;
}

Frame requestFrame(uint8_t command) {
    Frame f{command, 0x00};
    f.push_back(checksumFor(f.data(), f.size()));
    return f;
}

Frame blockFrame(uint8_t command, const BlockValues& values) {
    Frame f;
    f.reserve(kBlockLength);
    f.push_back(command);
    f.push_back(0x00);
    for (int32_t v : values) {
        f.push_back(encodeHigh(v));
        f.push_back(encodeLow(v));
    }
    f.push_back(checksumFor(f.data(), f.size()));
    return f;
}

int32_t blockValue(const uint8_t* frame, int k) {
    return decodeValue(frame[2 + 2 * k], frame[3 + 2 * k]);
}

}  // namespace bxl
