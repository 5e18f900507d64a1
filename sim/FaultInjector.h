// The faults the simulated unit injects into its replies on request: silence
// after a time (for good, or for a while and then answers again), and
// dropped, garbled, corrupted and split replies, runs longer than the tool's
// receive buffer, single stray bytes and valid frames of a command or length
// the tool does not expect, each
// chosen for a given share of replies by a seeded generator, so that a run
// with the same seed and the same requests injects the same faults.
#pragma once

#include <cstddef>
#include <random>

#include "link/Frames.h"

namespace bxl::sim {

struct FaultSettings {
    double drop = 0, corrupt = 0, split = 0, garbage = 0;  // shares of replies, 0..1
    double silentAfter = -1;                               // seconds after start; -1 never
    // How long the silence lasts, then the unit answers again; -1 for good.
    // Without silentAfter the silence starts at the start.
    double silentFor = -1;
    double overrun = 0, stray = 0, unexpected = 0;  // shares of replies, 0..1
};

struct FaultCounts {
    long dropped = 0, corrupted = 0, split = 0, garbage = 0;
    long overrun = 0, stray = 0, unexpected = 0;
};

// A run of bytes longer than the tool's receive buffer holds.
inline constexpr std::size_t kOverrunLength = 1000;

// What becomes of one reply.
struct ReplyFate {
    bool dropped = false;
    // Why it was dropped or how it was changed: "silent", "dropped",
    // "garbage", "corrupt", "split"; null for a reply sent as it is.
    const char* note = nullptr;
    // The pause of a split reply comes before this byte; the reply's size
    // when it is not split.
    std::size_t splitAt = 0;
};

class FaultInjector {
public:
    FaultInjector(const FaultSettings& settings, unsigned seed);

    // Decides the fate of a reply sent `secondsSinceStart` after the start:
    // silence and a drop first; otherwise one of random bytes in its place, a
    // wrong checksum, an overrun, a stray byte or an unexpected frame, and
    // then perhaps a split.
    ReplyFate apply(Frame& reply, double secondsSinceStart);

    const FaultCounts& counts() const { return counts_; }

private:
    // True for a share p of calls; draws from the generator only when p > 0,
    // so a fault that is off leaves the others' choices as they are.
    bool chance(double p);
    bool silentAt(double secondsSinceStart) const;

    FaultSettings settings_;
    std::mt19937 random_;
    std::uniform_real_distribution<double> share_{0.0, 1.0};
    FaultCounts counts_;
};

}  // namespace bxl::sim
