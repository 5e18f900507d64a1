// The faults the simulated unit injects: each kind on its own, the shares a
// seeded generator gives, and runs that repeat with their seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "sim/FaultInjector.h"

using namespace bxl;
using sim::FaultInjector;
using sim::FaultSettings;
using sim::ReplyFate;

namespace {

Frame reply() {
    BlockValues values{};
    for (int k = 0; k < kBlockValues; ++k) values[static_cast<std::size_t>(k)] = k;
    return blockFrame(kCmdProcessReply, values);
}

// The fates of n replies in a row, one letter each: d dropped, g garbage,
// c corrupt, s split, . sent as it is.
std::string run(const FaultSettings& settings, unsigned seed, int n) {
    FaultInjector faults(settings, seed);
    std::string fates;
    for (int i = 0; i < n; ++i) {
        Frame f = reply();
        const ReplyFate fate = faults.apply(f, 1.0);
        fates += fate.dropped ? 'd' : fate.note ? fate.note[0] : '.';
    }
    return fates;
}

}  // namespace

TEST(FaultInjector, EachFaultOnItsOwn) {
    const Frame original = reply();
    {
        FaultInjector none({}, 1);
        Frame f = original;
        const ReplyFate fate = none.apply(f, 1e6);
        EXPECT_FALSE(fate.dropped);
        EXPECT_EQ(fate.note, nullptr);
        EXPECT_EQ(fate.splitAt, f.size());
        EXPECT_EQ(f, original);
    }
    {
        FaultInjector silent({.silentAfter = 3}, 1);
        Frame f = original;
        EXPECT_FALSE(silent.apply(f, 2.9).dropped);
        const ReplyFate fate = silent.apply(f, 3.0);
        EXPECT_TRUE(fate.dropped);
        EXPECT_STREQ(fate.note, "silent");
    }
    {
        FaultInjector corrupt({.corrupt = 1}, 1);
        Frame f = original;
        EXPECT_STREQ(corrupt.apply(f, 0).note, "corrupt");
        ASSERT_EQ(f.size(), original.size());
        EXPECT_TRUE(std::equal(f.begin(), f.end() - 1, original.begin())) << "only the checksum changes";
        EXPECT_FALSE(checksumValid(f.data(), f.size()));
        EXPECT_EQ(corrupt.counts().corrupted, 1);
    }
    {
        // Garbage replaces the reply; it is never corrupted on top.
        FaultInjector garbage({.corrupt = 1, .garbage = 1}, 1);
        for (int i = 0; i < 50; ++i) {
            Frame f = original;
            EXPECT_STREQ(garbage.apply(f, 0).note, "garbage");
            EXPECT_GE(f.size(), 2u);
            EXPECT_LE(f.size(), 64u);
        }
        EXPECT_EQ(garbage.counts().corrupted, 0);
    }
    {
        FaultInjector split({.split = 1}, 1);
        Frame f = original;
        const ReplyFate fate = split.apply(f, 0);
        EXPECT_STREQ(fate.note, "split");
        EXPECT_EQ(fate.splitAt, original.size() / 2);
        Frame shortest{0x53, 0x00};
        EXPECT_EQ(split.apply(shortest, 0).splitAt, 2u) << "two bytes are never split";
    }
}

TEST(FaultInjector, SharesFollowTheSettingsAndRepeatWithTheSeed) {
    const FaultSettings settings{.drop = 0.2, .corrupt = 0.2, .split = 0.1};
    const std::string fates = run(settings, 5, 2000);
    const auto share = [&](char c) {
        return static_cast<double>(std::count(fates.begin(), fates.end(), c)) / 2000;
    };
    // A corrupt reply that is also split is noted as corrupt.
    EXPECT_NEAR(share('d'), 0.2, 0.04);
    EXPECT_NEAR(share('c'), 0.8 * 0.2, 0.04);
    EXPECT_NEAR(share('s'), 0.8 * 0.8 * 0.1, 0.03);
    EXPECT_EQ(run(settings, 5, 2000), fates) << "the same seed gives the same run";
    EXPECT_NE(run(settings, 6, 2000), fates);

    // A fault that is off draws nothing: with drops alone, reply i is
    // dropped exactly when the generator's i-th draw falls below the share,
    // so a seeded run keeps its faults when another kind is added at 0.
    std::mt19937 generator(9u * 7919u + 17u);
    std::uniform_real_distribution<double> draw(0.0, 1.0);
    std::string expected;
    for (int i = 0; i < 500; ++i) expected += draw(generator) < 0.3 ? 'd' : '.';
    EXPECT_EQ(run({.drop = 0.3}, 9, 500), expected);
}

// The shapes of line faults that reach the tool's receive buffer: a run
// longer than it holds, a lone byte, and a frame with a good checksum that
// the tool has no use for.
TEST(FaultInjector, OverrunStrayAndUnexpectedFrames) {
    const Frame original = reply();
    {
        FaultInjector overrun({.overrun = 1}, 1);
        Frame f = original;
        const ReplyFate fate = overrun.apply(f, 1.0);
        EXPECT_STREQ(fate.note, "overrun");
        EXPECT_EQ(f.size(), sim::kOverrunLength);
        EXPECT_GT(f.size(), static_cast<std::size_t>(ReceiveBuffer::kMaxCount));
        EXPECT_EQ(overrun.counts().overrun, 1);
    }
    {
        FaultInjector stray({.stray = 1}, 1);
        Frame f = original;
        const ReplyFate fate = stray.apply(f, 1.0);
        EXPECT_STREQ(fate.note, "stray");
        EXPECT_EQ(f.size(), 1u);
        EXPECT_EQ(fate.splitAt, 1u);
    }
    {
        FaultInjector unexpected({.unexpected = 1}, 1);
        bool otherCommand = false, otherLength = false;
        for (int i = 0; i < 20; ++i) {
            Frame f = original;
            EXPECT_STREQ(unexpected.apply(f, 1.0).note, "unexpected");
            EXPECT_TRUE(checksumValid(f.data(), f.size())) << "a valid frame, yet not one the tool expects";
            otherCommand = otherCommand || (f.size() == original.size() && f[0] != original[0]);
            otherLength = otherLength || f.size() != original.size();
            EXPECT_TRUE(f.size() != original.size() || f[0] != original[0]);
        }
        EXPECT_TRUE(otherCommand && otherLength) << "both shapes occur";
    }
}

// Silence for a while and then answers again, after a time or from the start.
TEST(FaultInjector, SilenceForAWhile) {
    const struct {
        double after, lasting;
        std::vector<std::pair<double, bool>> silentAt;
    } cases[] = {
        {3, 2, {{2.9, false}, {3.0, true}, {4.9, true}, {5.0, false}, {60, false}}},
        {-1, 2, {{0, true}, {1.9, true}, {2.0, false}}},
        {3, -1, {{2.9, false}, {3.0, true}, {1e6, true}}},
    };
    for (const auto& c : cases) {
        FaultInjector faults({.silentAfter = c.after, .silentFor = c.lasting}, 1);
        for (const auto& [t, silent] : c.silentAt) {
            Frame f = reply();
            EXPECT_EQ(faults.apply(f, t).dropped, silent)
                << "after " << c.after << " for " << c.lasting << " at " << t;
        }
    }
}
