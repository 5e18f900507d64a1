// Frames exchanged with the unit's controller: requests and 200-value
// blocks, the additive checksum seeded with 0xAD, the 16-bit value encoding
// and the receive buffer that collects a frame. Pure functions over bytes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace bxl {

inline constexpr uint8_t kCmdReadProcess = 0x0C;
inline constexpr uint8_t kCmdProcessReply = 0x0D;
inline constexpr uint8_t kCmdReadControls = 0x16;
inline constexpr uint8_t kCmdControlsReply = 0x17;
inline constexpr uint8_t kCmdWriteControls = 0x20;
inline constexpr uint8_t kCmdWriteEcho = 0x21;
inline constexpr uint8_t kCmdSecondWrite = 0x22;

inline constexpr uint8_t kChecksumSeed = 0xAD;
inline constexpr int kBlockValues = 200;
inline constexpr int kRequestLength = 3;
inline constexpr int kBlockLength = 403;
// Sent in the second write frame for every value the unit should leave alone.
inline constexpr uint16_t kNoChangeMarker = 0x9F45;

using Frame = std::vector<uint8_t>;
using BlockValues = std::array<int32_t, kBlockValues>;

// The byte that makes 0xAD plus every byte of the frame sum to 0 mod 256.
uint8_t checksumFor(const uint8_t* bytes, std::size_t count);
// True when 0xAD plus every byte (checksum included) is 0 mod 256 and there
// are at least 2 bytes.
bool checksumValid(const uint8_t* bytes, std::size_t count);

// Bits 8..15 and 0..7 of a 32-bit value: what travels on the wire.
uint8_t encodeHigh(int32_t v);
uint8_t encodeLow(int32_t v);
// A 16-bit two's complement value, high byte first, sign-extended.
int32_t decodeValue(uint8_t high, uint8_t low);
// True when the value survives the 16-bit wire unchanged.
inline bool fitsOnWire(int32_t v) {
    return v >= -32768 && v <= 32767;
}

// Command, 0x00, checksum.
Frame requestFrame(uint8_t command);
// Command, 0x00, 200 values high byte first, checksum.
Frame blockFrame(uint8_t command, const BlockValues& values);
// Value k (0..199) of a block frame of at least 403 bytes.
int32_t blockValue(const uint8_t* frame, int k);

// Bytes of one incoming frame. 800 places; the count stops at 799, so from
// the 800th byte on every byte lands in the last place, outside the count.
class ReceiveBuffer {
public:
    static constexpr int kPlaces = 800;
    static constexpr int kMaxCount = kPlaces - 1;

    void append(uint8_t b) {
        bytes_[static_cast<std::size_t>(count_)] = b;
        if (count_ < kMaxCount) ++count_;
    }
    void clear() { count_ = 0; }
    int count() const { return count_; }
    const uint8_t* data() const { return bytes_.data(); }
    bool valid() const { return checksumValid(bytes_.data(), static_cast<std::size_t>(count_)); }
    uint8_t command() const { return bytes_[0]; }
    int32_t value(int k) const { return blockValue(bytes_.data(), k); }

private:
    std::array<uint8_t, kPlaces> bytes_{};
    int count_ = 0;
};

}  // namespace bxl
