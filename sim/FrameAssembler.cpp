#include "sim/FrameAssembler.h"

namespace bxl::sim {

std::size_t expectedLength(uint8_t command) {
    switch (command) {
        case kCmdReadProcess:
        case kCmdReadControls:
            return kRequestLength;
        case kCmdWriteControls:
        case kCmdSecondWrite:
            return kBlockLength;
        default:
            return 0;
    }
}

void FrameAssembler::take(const uint8_t* bytes, std::size_t count, Clock::time_point now) {
    if (!incoming_.empty() && now - lastRead_ > kAbandonAfter) {
        onDiscard_(incoming_, "incomplete");
        incoming_.clear();
    }
    lastRead_ = now;
    for (std::size_t i = 0; i < count; ++i) {
        if (incoming_.empty() && expectedLength(bytes[i]) == 0) {
            onDiscard_(Frame{bytes[i]}, "stray");
            continue;
        }
        if (incoming_.empty()) frameStart_ = now;
        incoming_.push_back(bytes[i]);
        if (incoming_.size() == expectedLength(incoming_[0])) {
            onFrame_(incoming_);
            incoming_.clear();
        }
    }
}

}  // namespace bxl::sim
