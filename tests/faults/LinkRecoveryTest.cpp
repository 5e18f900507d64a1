// How the link gets back to a working state, tick by tick: a port that failed
// under the tool is asked to re-open every kReopenTicks ticks (a port the user
// closed, renumbered or never managed to open is left alone), and a unit that
// answers only with bad frames is declared lost like a silent one.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "link/Sequencer.h"

using namespace bxl;

namespace {

class ScriptedPort : public SerialPort {
public:
    bool setOpen(bool open) override {
        open_ = open && present;
        return open_ == open;
    }
    void setComNumber(uint16_t) override {}
    bool isOpen() const override { return open_; }
    void putChar(uint8_t) override { ++sent; }
    uint8_t getChar() override {
        const uint8_t b = rx.front();
        rx.pop_front();
        return b;
    }
    void setTriggerAvail(std::function<void(uint16_t)>) override {}
    bool reopen() override {
        ++reopens;
        open_ = present;
        return open_;
    }
    void fail() { open_ = false; }

    bool present = true;
    int reopens = 0;
    int sent = 0;
    std::deque<uint8_t> rx;

private:
    bool open_ = false;
};

class SilentView : public LinkView {
public:
    void showPortOpen(bool open) override { labels.push_back(open); }
    void showReceiveCount(int) override {}
    void showStatus(const std::string& text, Rgb) override { status = text; }
    void enableTransferButtons(bool) override {}
    void refreshAllBindings() override {}
    void closeEditor() override {}
    void liveOverviewRefresh() override {}
    std::vector<bool> labels;
    std::string status;
};

struct Link {
    ValueStore store;
    ScriptedPort port;
    SilentView view;
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
    EXPECT_FALSE(l.view.labels.back()) << "the label shows Closed at once";
    l.ticks(kReopenTicks - 2);
    EXPECT_EQ(l.port.reopens, 0);
    l.ticks(1);
    EXPECT_EQ(l.port.reopens, 1);
    l.ticks(kReopenTicks);
    EXPECT_EQ(l.port.reopens, 2);
    l.port.present = true;
    l.ticks(kReopenTicks);
    EXPECT_EQ(l.port.reopens, 3);
    EXPECT_TRUE(l.view.labels.back());
    l.ticks(3 * kReopenTicks);
    EXPECT_EQ(l.port.reopens, 3) << "an open port is left alone";
}

TEST(PortReopen, PortsTheUserChoseOrClosedAreNotRetried) {
    {
        Link never;  // the chosen port never opened
        never.port.present = false;
        never.seq.portNumberChanged(2);
        never.ticks(5 * kReopenTicks);
        EXPECT_EQ(never.port.reopens, 0);
    }
    {
        Link renumbered;  // open, then the user picks a port that does not open
        renumbered.seq.portNumberChanged(1);
        renumbered.ticks(2);
        renumbered.port.present = false;
        renumbered.seq.portNumberChanged(3);
        renumbered.ticks(5 * kReopenTicks);
        EXPECT_EQ(renumbered.port.reopens, 0);
    }
    {
        Link closing;  // the main window closes
        closing.seq.portNumberChanged(1);
        closing.ticks(2);
        closing.seq.shutdown();
        closing.ticks(5 * kReopenTicks);
        EXPECT_EQ(closing.port.reopens, 0);
    }
}

TEST(BadFrames, UnitAnsweringOnlyGarbageIsDeclaredLost) {
    Link l;
    l.seq.portNumberChanged(1);
    const auto answer = [&](std::initializer_list<uint8_t> bytes) {
        l.port.rx.assign(bytes);
        l.seq.bytesAvailable(static_cast<uint16_t>(bytes.size()));
    };
    l.ticks(1);
    answer({0x53, 0x00});  // a valid frame: the connection is alive
    l.ticks(2);
    ASSERT_EQ(l.seq.watchdog(), kWatchdogTicks);
    // From now on every request is answered at once with a bad frame.
    int lostAfter = 0;
    for (int t = 1; t <= 200 && lostAfter == 0; ++t) {
        const int sentBefore = l.port.sent;
        l.seq.tick();
        if (l.view.status == kTextNoConnection) lostAfter = t;
        if (l.port.sent != sentBefore) answer({0x01, 0x02});
    }
    ASSERT_NE(lostAfter, 0) << "garbage kept the connection alive";
    EXPECT_LE(lostAfter, 57) << "no later than a silent unit";
    EXPECT_EQ(l.store.offline(), 1);
}
