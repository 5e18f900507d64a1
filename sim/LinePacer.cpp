#include "sim/LinePacer.h"

#include <unistd.h>

#include <algorithm>

namespace bxl::sim {

namespace {

LinePacer::Clock::duration milliseconds(double ms) {
    return std::chrono::duration_cast<LinePacer::Clock::duration>(
        std::chrono::duration<double, std::milli>(ms));
}

}  // namespace

LinePacer::LinePacer(double byteMs, double replyDelayMs, double splitPauseMs)
    : byteTime_(milliseconds(byteMs)),
      replyDelay_(milliseconds(replyDelayMs)),
      splitPause_(milliseconds(splitPauseMs)) {}

void LinePacer::queue(const Frame& reply, std::size_t splitAt, Clock::time_point now) {
    Clock::time_point due = std::max(now + replyDelay_, queue_.empty() ? now : queue_.back().due + byteTime_);
    for (std::size_t i = 0; i < reply.size(); ++i) {
        if (i == splitAt) due += splitPause_;
        queue_.push_back({reply[i], due});
        due += byteTime_;
    }
}

bool LinePacer::sendDue(int fd, Clock::time_point now) {
    while (!queue_.empty() && queue_.front().due <= now) {
        const uint8_t b = queue_.front().byte;
        if (::write(fd, &b, 1) != 1) return false;
        queue_.pop_front();
    }
    return true;
}

}  // namespace bxl::sim
