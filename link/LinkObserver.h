// What a watcher of the line is told by the sequencer: every frame sent,
// every run of received bytes as the sequencer takes it (a frame handled,
// or a piece dropped at a request slot) and every request left unanswered.
// Watching never changes what the sequencer does or when.
#pragma once

#include <cstdint>

#include "link/Frames.h"

namespace bxl {

class LinkObserver {
public:
    virtual ~LinkObserver() = default;
    virtual void frameSent(const Frame& frame) = 0;
    // A run of `count` bytes taken as one frame at a quiet tick; `valid`
    // when its checksum is good.
    virtual void frameReceived(const uint8_t* bytes, int count, bool valid) = 0;
    // Bytes dropped unfinished when a request slot emptied the buffer.
    virtual void pieceDropped(const uint8_t* bytes, int count) = 0;
    // A request slot came while the request before it had no answer.
    virtual void requestUnanswered() = 0;
};

}  // namespace bxl
