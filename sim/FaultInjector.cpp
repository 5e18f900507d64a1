#include "sim/FaultInjector.h"

namespace bxl::sim {

FaultInjector::FaultInjector(const FaultSettings& settings, unsigned seed)
    : settings_(settings), random_(seed * 7919u + 17u) {}

bool FaultInjector::chance(double p) {
    return p > 0 && share_(random_) < p;
}

ReplyFate FaultInjector::apply(Frame& reply, double secondsSinceStart) {
    ReplyFate fate;
    if (settings_.silentAfter >= 0 && secondsSinceStart >= settings_.silentAfter) {
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
