// The simulated unit's trace: one line per frame in or out, with the time
// since the start, for tests and for looking at a run afterwards:
//   "<seconds> <in|out|drop|bad> <length> <hex bytes>[ <note>]"
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "link/Frames.h"

namespace bxl::sim {

class Trace {
public:
    using Clock = std::chrono::steady_clock;

    explicit Trace(Clock::time_point start) : start_(start) {}
    ~Trace();
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;

    // Writes to the file at `path` from now on; false with the reason when
    // it cannot be written. Without a file nothing is written.
    bool open(const std::string& path, std::string& error);

    void frame(const char* direction, const Frame& f, const char* note = nullptr);

private:
    std::FILE* file_ = nullptr;
    Clock::time_point start_;
};

}  // namespace bxl::sim
