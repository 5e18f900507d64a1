// The pace of the simulated unit's line: each byte of a reply goes out one
// byte time after the one before (9600 baud by default), a reply starts no
// sooner than the reply delay after the request it answers, and a split
// reply pauses where it is split.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "link/Frames.h"

namespace bxl::sim {

class LinePacer {
public:
    using Clock = std::chrono::steady_clock;

    LinePacer(double byteMs, double replyDelayMs, double splitPauseMs);

    // Queues a reply asked for at `now`, pausing before byte `splitAt` (the
    // reply's size for no pause).
    void queue(const Frame& reply, std::size_t splitAt, Clock::time_point now);

    // Writes every byte that is due at `now` to fd; false when the line took
    // no more for now (full), with the rest still queued.
    bool sendDue(int fd, Clock::time_point now);

    bool empty() const { return queue_.empty(); }
    // When the next byte is due; the queue must not be empty.
    Clock::time_point nextDue() const { return queue_.front().due; }

private:
    struct Outgoing {
        uint8_t byte;
        Clock::time_point due;
    };

    Clock::duration byteTime_;
    Clock::duration replyDelay_;
    Clock::duration splitPause_;
    std::deque<Outgoing> queue_;
};

}  // namespace bxl::sim
