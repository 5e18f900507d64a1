// How the link gets back to a working state, tick by tick: a port that failed
// under the tool is asked for its own device again every kReopenTicks ticks, a
// port that never opened is resolved and opened anew as often (a port the
// main window closed is left alone), and a unit that
// answers only with bad frames is declared lost like a silent one.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "link/Sequencer.h"
#include "tests/support/FakeLinkView.h"
#include "tests/support/FakePort.h"

using namespace bxl;

namespace {

struct Link {
    ValueStore store;
    test::FakePort port;
    test::FakeLinkView view;
    Sequencer seq{store, port, view};
    void ticks(int n) {
        for (int i = 0; i < n; ++i) seq.tick();
    }
};

}  // namespace

TEST(PortReopen, LostPortIsAskedForEveryTwoSecondsUntilItIsBack) {
    Link l;
    l.seq.portNumberChanged(1);
    l.ticks(3);
    l.port.fail();
    l.port.present = false;
    l.ticks(1);
    EXPECT_FALSE(l.view.portOpen) << "the label shows Closed at once";
    l.ticks(kReopenTicks - 2);
    EXPECT_EQ(l.port.reopens, 0);
    l.ticks(1);
    EXPECT_EQ(l.port.reopens, 1);
    l.ticks(kReopenTicks);
    EXPECT_EQ(l.port.reopens, 2);
    l.port.present = true;
    l.ticks(kReopenTicks);
    EXPECT_EQ(l.port.reopens, 3);
    EXPECT_TRUE(l.view.portOpen);
    l.ticks(3 * kReopenTicks);
    EXPECT_EQ(l.port.reopens, 3) << "an open port is left alone";
}

TEST(PortReopen, ClosedPortIsTriedAgainUntilTheWindowCloses) {
    const auto opens = [](const test::FakePort& port) {
        return std::count(port.calls.begin(), port.calls.end(), std::string("open"));
    };
    {
        Link never;  // no device yet for the chosen port: it is opened anew
        never.port.present = false;
        never.seq.portNumberChanged(2);
        ASSERT_EQ(opens(never.port), 1);
        never.ticks(kReopenTicks - 1);
        EXPECT_EQ(opens(never.port), 1);
        never.ticks(1);
        EXPECT_EQ(opens(never.port), 2);
        never.port.present = true;  // the adapter is plugged in
        never.ticks(kReopenTicks);
        EXPECT_EQ(opens(never.port), 3);
        EXPECT_TRUE(never.view.portOpen);
        EXPECT_EQ(never.port.take(), requestFrame(kCmdReadProcess)) << "asked at once, in the tick it opened";
        EXPECT_EQ(never.port.number, 2);
        EXPECT_EQ(never.port.reopens, 0) << "a port that never opened has no device of its own to ask for";
        never.ticks(3 * kReopenTicks);
        EXPECT_EQ(opens(never.port), 3) << "an open port is left alone";
    }
    {
        Link renumbered;  // open, then the user picks a port that does not open
        renumbered.seq.portNumberChanged(1);
        renumbered.ticks(2);
        renumbered.port.present = false;
        renumbered.seq.portNumberChanged(3);
        renumbered.ticks(2 * kReopenTicks);
        EXPECT_EQ(renumbered.port.reopens, 0) << "the old port's device is not asked for";
        EXPECT_EQ(opens(renumbered.port), 4);
        EXPECT_EQ(renumbered.port.number, 3);
    }
    {
        Link closing;  // the main window closes
        closing.seq.portNumberChanged(1);
        closing.ticks(2);
        closing.seq.shutdown();
        const auto before = closing.port.calls.size();
        closing.ticks(5 * kReopenTicks);
        EXPECT_EQ(closing.port.reopens, 0);
        EXPECT_EQ(closing.port.calls.size(), before);
    }
}

TEST(BadFrames, UnitAnsweringOnlyGarbageIsDeclaredLost) {
    Link l;
    l.seq.portNumberChanged(1);
    const auto answer = [&](std::initializer_list<uint8_t> bytes) {
        l.port.incoming.assign(bytes);
        l.seq.bytesAvailable(static_cast<uint16_t>(bytes.size()));
    };
    l.ticks(1);
    answer({0x53, 0x00});  // a valid frame: the connection is alive
    l.ticks(2);
    ASSERT_EQ(l.seq.watchdog(), kWatchdogTicks);
    // From now on every request is answered at once with a bad frame.
    int lostAfter = 0;
    for (int t = 1; t <= 200 && lostAfter == 0; ++t) {
        const std::size_t sentBefore = l.port.written.size();
        l.seq.tick();
        if (l.view.lastText() == kTextNoConnection) lostAfter = t;
        if (l.port.written.size() != sentBefore) answer({0x01, 0x02});
    }
    ASSERT_NE(lostAfter, 0) << "garbage kept the connection alive";
    EXPECT_LE(lostAfter, 57) << "no later than a silent unit";
    EXPECT_EQ(l.store.offline(), 1);
}
