// The simulated unit's side of the line: the bytes the tool sends, as they
// come in reads of any size, put together into frames by the length their
// command announces (a request of 3 bytes or a block of 403). A byte that
// starts no known frame is stray, and a pause of more than 200 ms inside a
// frame abandons what came before it.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "link/Frames.h"

namespace bxl::sim {

// Length of a frame starting with this command, 0 for none the tool sends.
std::size_t expectedLength(uint8_t command);

class FrameAssembler {
public:
    using Clock = std::chrono::steady_clock;
    // A whole frame (its checksum is not checked here).
    using FrameHandler = std::function<void(const Frame& frame)>;
    // Bytes that make no frame, and why: "stray" or "incomplete".
    using DiscardHandler = std::function<void(const Frame& bytes, const char* why)>;

    static constexpr std::chrono::milliseconds kAbandonAfter{200};

    FrameAssembler(FrameHandler onFrame, DiscardHandler onDiscard)
        : onFrame_(std::move(onFrame)), onDiscard_(std::move(onDiscard)) {}

    // Takes the bytes of one read made at `now`; the handlers run for what
    // they complete, in order.
    void take(const uint8_t* bytes, std::size_t count, Clock::time_point now);

    // Bytes of a frame begun and not yet whole.
    std::size_t pending() const { return incoming_.size(); }
    // When the read with the first byte of the frame being handed over (or
    // being put together) came in.
    Clock::time_point frameStart() const { return frameStart_; }

private:
    FrameHandler onFrame_;
    DiscardHandler onDiscard_;
    Frame incoming_;
    Clock::time_point lastRead_{};
    Clock::time_point frameStart_{};
};

}  // namespace bxl::sim
