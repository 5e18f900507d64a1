// Every value the tool knows about the unit, as raw 32-bit integers indexed by
// value index: 0..199 controls block, 256..455 process block.
#pragma once

#include <array>
#include <cstdint>

namespace bxl {

inline constexpr int kValueCount = 512;
inline constexpr int kControlsFirst = 0;
inline constexpr int kControlsCount = 200;
inline constexpr int kProcessFirst = 256;
inline constexpr int kProcessCount = 200;

class ValueStore {
public:
    // Current value: what every display shows and what the write frames send.
    int32_t current(int index) const { return current_[slot(index)]; }
    void setCurrent(int index, int32_t v) { current_[slot(index)] = v; }

    // The value as last received from (or confirmed by) the unit.
    int32_t received(int index) const { return received_[slot(index)]; }
    void setReceived(int index, int32_t v) { received_[slot(index)] = v; }

    // 1 marks a changed process-block value the unit has not yet confirmed.
    int32_t pending(int index) const { return pending_[slot(index)]; }
    void setPending(int index, int32_t v) { pending_[slot(index)] = v; }
    void clearAllPending() { pending_.fill(0); }

    // True when the current value differs from the received copy.
    bool changed(int index) const { return current(index) != received(index); }

    // 1 while the values on screen are not confirmed by a live unit.
    int32_t offline() const { return offline_; }
    void setOffline(int32_t v) { offline_ = v; }

private:
    // Indexes outside 0..511 never come from the tables; they are folded into
    // range rather than trusted, so a stray index cannot reach other memory.
    static int slot(int index) { return static_cast<unsigned>(index) < kValueCount ? index : 0; }

    std::array<int32_t, kValueCount> current_{};
    std::array<int32_t, kValueCount> received_{};
    std::array<int32_t, kValueCount> pending_{};
    int32_t offline_ = 0;
};

}  // namespace bxl
