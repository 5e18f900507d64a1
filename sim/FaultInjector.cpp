#include "sim/FaultInjector.h"

namespace bxl::sim {

FaultInjector::FaultInjector(const FaultSettings& settings, unsigned seed)
    : settings_(settings), random_(seed * 7919u + 17u) {}

bool FaultInjector::chance(double p) {
    return p > 0 && share_(random_) < p;
}

bool FaultInjector::silentAt(double t) const {
    const double from = settings_.silentAfter >= 0 ? settings_.silentAfter
                        : settings_.silentFor >= 0 ? 0
                                                   : -1;
    if (from < 0 || t < from) return false;
    return settings_.silentFor < 0 || t < from + settings_.silentFor;
}

ReplyFate FaultInjector::apply(Frame& reply, double secondsSinceStart) {
    ReplyFate fate;
    if (silentAt(secondsSinceStart)) {
        ++counts_.dropped;
        return {true, "silent", reply.size()};
    }
    if (chance(settings_.drop)) {
        ++counts_.dropped;
        return {true, "dropped", reply.size()};
    }
    if (chance(settings_.garbage)) {
        std::uniform_int_distribution<int> length(2, 64), byte(0, 255);
        reply.assign(static_cast<std::size_t>(length(random_)), 0);
        for (auto& b : reply) b = static_cast<uint8_t>(byte(random_));
        fate.note = "garbage";
        ++counts_.garbage;
    } else if (chance(settings_.corrupt)) {
        reply.back() = static_cast<uint8_t>(reply.back() ^ 0x55);
        fate.note = "corrupt";
        ++counts_.corrupted;
    } else if (chance(settings_.overrun)) {
        std::uniform_int_distribution<int> byte(0, 255);
        reply.assign(kOverrunLength, 0);
        for (auto& b : reply) b = static_cast<uint8_t>(byte(random_));
        fate.note = "overrun";
        ++counts_.overrun;
    } else if (chance(settings_.stray)) {
        std::uniform_int_distribution<int> byte(0, 255);
        reply.assign(1, static_cast<uint8_t>(byte(random_)));
        fate.note = "stray";
        ++counts_.stray;
    } else if (chance(settings_.unexpected)) {
        // A frame with a good checksum that the tool has no use for: a
        // command it never asks for, or half the length it expects.
        if (reply.size() >= 4 && std::uniform_int_distribution<int>(0, 1)(random_) == 1) {
            reply.resize(reply.size() / 2);
        } else {
            reply[0] = 0x7F;
        }
        reply.back() = checksumFor(reply.data(), reply.size() - 1);
        fate.note = "unexpected";
        ++counts_.unexpected;
    }
    fate.splitAt = reply.size();
    if (reply.size() > 2 && chance(settings_.split)) {
        fate.splitAt = reply.size() / 2;
        fate.note = fate.note ? fate.note : "split";
        ++counts_.split;
    }
    return fate;
}

}  // namespace bxl::sim
