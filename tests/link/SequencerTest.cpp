#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/Frames.h"
#include "link/Sequencer.h"
#include "model/FileIo.h"
#include "model/SettingsHistory.h"
#include "tests/support/FakeLinkView.h"
#include "tests/support/FakePort.h"
#include "tests/support/TempFolder.h"

using namespace bxl;
using test::FakeLinkView;
using test::FakePort;

namespace {

BlockValues filled(int32_t base) {
    BlockValues v{};
    for (int k = 0; k < kBlockValues; ++k) v[static_cast<std::size_t>(k)] = base + k;
    return v;
}

class SequencerTest : public ::testing::Test {
protected:
    SequencerTest() { store.setOffline(1); }  // as the main window sets it when first shown

    void ticks(int n) {
        for (int i = 0; i < n; ++i) seq.tick();
    }
    // Bytes from the unit, in one data-available event.
    void receive(const Frame& bytes) {
        port.incoming.insert(port.incoming.end(), bytes.begin(), bytes.end());
        seq.bytesAvailable(static_cast<uint16_t>(bytes.size()));
    }
    // A reply arriving between two ticks, then the two ticks that find the
    // line quiet and handle it.
    void answer(const Frame& reply) {
        receive(reply);
        ticks(2);
    }
    // Runs ticks until the sequencer writes something; returns the bytes.
    Frame nextWrite(int limit = 20) {
        for (int i = 0; i < limit && port.written.empty(); ++i) seq.tick();
        return port.take();
    }
    // Start-up: the first tick sends the first request; the first process
    // reply is handled and the link is live.
    void goLive() {
        ticks(1);
        port.take();
        answer(blockFrame(kCmdProcessReply, filled(0)));
    }

    ValueStore store;
    FakePort port{/*openAtStart=*/true};
    FakeLinkView view;
    Sequencer seq{store, port, view};
};

const Frame kReadProcess{0x0C, 0x00, 0x47};
const Frame kReadControls{0x16, 0x00, 0x3D};

}  // namespace

TEST_F(SequencerTest, StartUpSendsFirstRequestInFirstTick) {
    seq.tick();
    EXPECT_TRUE(view.portOpen);
    ASSERT_EQ(view.statuses.size(), 2u);
    EXPECT_EQ(view.statuses[0].text, kTextNoConnection);
    EXPECT_EQ(view.statuses[0].colour, kStatusRed);
    EXPECT_EQ(view.last().text, kTextReadingProcess);
    EXPECT_EQ(view.last().colour, kStatusBlue);
    EXPECT_FALSE(view.buttons);
    EXPECT_EQ(view.refreshes, 0);  // already offline: no redraw
    EXPECT_EQ(port.take(), kReadProcess);

    answer(blockFrame(kCmdProcessReply, filled(100)));
    EXPECT_EQ(view.last().text, kTextProcessReceived);
    EXPECT_EQ(view.last().colour, kStatusBlack);
    EXPECT_TRUE(view.buttons);
    EXPECT_EQ(view.refreshes, 1);
    EXPECT_EQ(view.processReplies, 1);
    EXPECT_EQ(store.current(256), 100);
    EXPECT_EQ(store.received(455), 299);
    EXPECT_EQ(store.offline(), 1);  // live values stay grey until a Get
}

TEST_F(SequencerTest, PollingCadence) {
    goLive();
    // One tick after a handled frame the next request goes out.
    seq.tick();
    EXPECT_EQ(port.take(), kReadProcess);

    // A reply arriving in pieces across ticks is handled only once the line
    // has been quiet for a whole tick.
    const Frame reply = blockFrame(kCmdProcessReply, filled(7));
    receive(Frame(reply.begin(), reply.begin() + 200));
    seq.tick();
    receive(Frame(reply.begin() + 200, reply.end()));
    seq.tick();
    EXPECT_EQ(view.last().text, kTextReadingProcess);
    seq.tick();
    EXPECT_EQ(view.last().text, kTextProcessReceived);
    EXPECT_EQ(store.current(256), 7);

    // Without an answer a request goes out every 15 ticks.
    seq.tick();
    EXPECT_EQ(port.take(), kReadProcess);
    ticks(14);
    EXPECT_TRUE(port.written.empty());
    seq.tick();
    EXPECT_EQ(port.take(), kReadProcess);
}

TEST_F(SequencerTest, BadFramesAreDroppedAndPollingGoesOn) {
    goLive();
    ticks(1);
    port.take();
    Frame bad = blockFrame(kCmdProcessReply, filled(55));
    bad.back() ^= 1;
    answer(bad);
    EXPECT_EQ(store.current(256), 0);   // unchanged
    EXPECT_EQ(seq.watchdog(), 50 - 3);  // not refreshed by the bad frame
    EXPECT_EQ(seq.requestCountdown(), 1);

    // A valid frame of another command keeps the link alive, changes nothing.
    Frame other = blockFrame(0x23, filled(9));
    ticks(1);
    port.take();
    answer(other);
    EXPECT_EQ(seq.watchdog(), 50);
    EXPECT_EQ(store.current(256), 0);

    // So does a 2-byte sign of life; a single byte is left waiting.
    ticks(1);
    port.take();
    answer(Frame{0x53, 0x00});
    EXPECT_EQ(seq.watchdog(), 50);
    ticks(1);
    port.take();
    answer(Frame{0x53});
    EXPECT_EQ(seq.receiveCount(), 1);
}

TEST_F(SequencerTest, GetReadsControls) {
    goLive();
    store.setPending(300, 1);
    seq.get();
    EXPECT_EQ(store.pending(300), 0);
    EXPECT_EQ(view.editorCloses, 1);
    EXPECT_FALSE(view.buttons);
    EXPECT_EQ(seq.linkState(), kLinkReadControls);

    seq.tick();
    EXPECT_EQ(port.take(), kReadControls);
    EXPECT_EQ(view.last().text, kTextReadingControls);
    EXPECT_EQ(view.last().colour, kStatusMagenta);
    EXPECT_EQ(seq.linkState(), kLinkReadProcess);

    const int refreshes = view.refreshes;
    answer(blockFrame(kCmdControlsReply, filled(-50)));
    EXPECT_EQ(view.last().text, kTextControlsReceived);
    EXPECT_EQ(view.last().colour, kStatusBlack);
    EXPECT_EQ(store.current(0), -50);
    EXPECT_EQ(store.received(199), 149);
    EXPECT_EQ(store.offline(), 0);
    EXPECT_EQ(view.refreshes, refreshes + 1);
    EXPECT_TRUE(view.buttons);
}

TEST_F(SequencerTest, ReplyWhileGetIsPendingDoesNotEnableButtons) {
    ticks(1);
    port.take();
    seq.get();
    const int enables = view.enables;
    answer(blockFrame(kCmdProcessReply, filled(0)));
    EXPECT_EQ(view.enables, enables);
    EXPECT_FALSE(view.buttons);
    seq.tick();
    EXPECT_EQ(port.take(), kReadControls);
}

TEST_F(SequencerTest, SendWithNothingChangedSendsNothing) {
    goLive();
    seq.send();
    EXPECT_EQ(view.editorCloses, 1);
    EXPECT_FALSE(view.buttons);
    seq.tick();
    EXPECT_EQ(seq.linkState(), kLinkSecondWrite);
    seq.tick();
    EXPECT_EQ(seq.linkState(), kLinkReadProcess);
    EXPECT_TRUE(port.written.empty());
    seq.tick();
    EXPECT_EQ(port.take(), kReadProcess);
}

TEST_F(SequencerTest, SendWithOnlyProcessChangesSendsSecondFrameNextTick) {
    goLive();
    store.setCurrent(431, 1);  // "Save parameters on SD card"
    store.setPending(431, 1);
    seq.send();
    seq.tick();
    EXPECT_TRUE(port.written.empty());
    seq.tick();
    const Frame f = port.take();
    ASSERT_EQ(f.size(), 403u);
    EXPECT_EQ(f[0], kCmdSecondWrite);
    EXPECT_TRUE(checksumValid(f.data(), f.size()));
    EXPECT_EQ(view.last().text, kTextWritingControls2);
    EXPECT_EQ(view.last().colour, kStatusMagenta);
    for (int k = 0; k < 200; ++k)
        ASSERT_EQ(blockValue(f.data(), k), k == 431 - 256 ? 1 : static_cast<int16_t>(kNoChangeMarker)) << k;
    EXPECT_EQ(store.pending(431), 0);
    EXPECT_EQ(seq.linkState(), kLinkReadProcess);

    // The unit's short answer enables the buttons again.
    answer(Frame{0x23, 0x00, static_cast<uint8_t>(256 - ((0xAD + 0x23) & 0xFF))});
    EXPECT_TRUE(view.buttons);
}

TEST_F(SequencerTest, SendWithRejectedEchoAtIndex50) {
    goLive();
    store.setCurrent(10, 111);
    store.setCurrent(60, 222);
    seq.send();
    seq.tick();
    const Frame f = port.take();
    ASSERT_EQ(f.size(), 403u);
    EXPECT_EQ(f[0], kCmdWriteControls);
    EXPECT_EQ(blockValue(f.data(), 10), 111);
    EXPECT_EQ(blockValue(f.data(), 60), 222);
    EXPECT_EQ(view.last().text, kTextWritingControls);
    EXPECT_EQ(seq.linkState(), kLinkSecondWrite);

    BlockValues echo{};
    for (int i = 0; i < 200; ++i) echo[static_cast<std::size_t>(i)] = store.current(i);
    echo[50] += 1;
    answer(blockFrame(kCmdWriteEcho, echo));
    EXPECT_EQ(view.last().text, kTextWrongData);
    EXPECT_EQ(view.last().colour, kStatusRed);
    EXPECT_EQ(store.received(10), 111);  // below the difference: confirmed
    EXPECT_EQ(store.received(60), 0);    // from the difference on: still changed
    EXPECT_TRUE(store.changed(60));
    EXPECT_EQ(store.offline(), 0);

    // No process-block change: the second phase sends nothing, polling resumes.
    seq.tick();
    seq.tick();
    EXPECT_EQ(port.take(), kReadProcess);
}

TEST_F(SequencerTest, SendWithGoodEchoConfirmsEverything) {
    goLive();
    store.setCurrent(10, 111);
    seq.send();
    seq.tick();
    port.take();
    BlockValues echo{};
    echo[10] = 111;
    answer(blockFrame(kCmdWriteEcho, echo));
    EXPECT_FALSE(store.changed(10));
    EXPECT_EQ(store.offline(), 0);
}

TEST_F(SequencerTest, OutOfRangeControlIsNeverSentButSecondWriteFollows) {
    goLive();
    store.setCurrent(12, 100000);  // "Supply Air P-zone" allows up to 100000
    store.setCurrent(451, 1);
    store.setPending(451, 1);
    seq.send();
    seq.tick();
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(view.last().text, kTextOutOfRange);
    EXPECT_EQ(view.last().colour, kStatusRed);
    EXPECT_TRUE(store.changed(12));
    EXPECT_EQ(seq.linkState(), kLinkSecondWrite);

    // The message stands for one request period, then the second frame goes.
    ticks(14);
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(view.last().text, kTextOutOfRange);
    seq.tick();
    const Frame f = port.take();
    ASSERT_EQ(f.size(), 403u);
    EXPECT_EQ(f[0], kCmdSecondWrite);
    EXPECT_TRUE(store.changed(12));
}

TEST_F(SequencerTest, HistoryKeepsEachReadAndTheUnitsControlsBeforeAWrite) {
    TempFolder temp;
    SettingsHistory history(temp.path);
    seq.setHistory(&history);
    auto controlsOf = [](const HistoryFile& file) {
        return decodeControlsFile(*readFilePrefix(file.path, kControlsFileSize));
    };
    goLive();
    seq.get();
    seq.tick();
    port.take();
    answer(blockFrame(kCmdControlsReply, filled(-50)));
    ASSERT_EQ(history.files().size(), 1u);
    EXPECT_EQ(history.files()[0].kind, HistoryKind::Received);
    EXPECT_EQ((*controlsOf(history.files()[0]))[199], 149);

    // A Send that writes nothing keeps nothing; one that writes keeps what
    // the unit had, not what is written.
    seq.send();
    ticks(3);
    port.take();
    EXPECT_EQ(history.files().size(), 1u);
    store.setCurrent(10, 111);
    seq.send();
    EXPECT_EQ(nextWrite()[0], kCmdWriteControls);
    const auto before = history.newest(HistoryKind::BeforeSend);
    ASSERT_TRUE(before);
    EXPECT_EQ((*controlsOf(*before))[10], -40);
    EXPECT_EQ(history.files().size(), 2u);
}

TEST_F(SequencerTest, PendingFlagKeepsUserValueUntilUnitReportsIt) {
    goLive();
    store.setCurrent(366, 600);
    store.setPending(366, 1);
    BlockValues v = filled(0);
    v[366 - 256] = 599;
    seq.tick();
    answer(blockFrame(kCmdProcessReply, v));
    EXPECT_EQ(store.current(366), 600);
    EXPECT_EQ(store.received(366), 599);
    EXPECT_EQ(store.pending(366), 1);

    v[366 - 256] = 600;
    seq.tick();
    answer(blockFrame(kCmdProcessReply, v));
    EXPECT_EQ(store.pending(366), 0);
    EXPECT_FALSE(store.changed(366));
}

TEST_F(SequencerTest, WatchdogRunsOutAfter57SilentTicksThenFourOnElevenOff) {
    goLive();
    store.setOffline(0);
    seq.get();  // an unfinished request is dropped by the loss
    const int refreshes = view.refreshes;
    for (int t = 1; t <= 56; ++t) {
        seq.tick();
        ASSERT_NE(view.last().text, kTextNoConnection) << "tick " << t;
    }
    seq.send();  // pressed just before the loss: dropped by it
    seq.tick();  // tick 57
    EXPECT_EQ(view.last().text, kTextNoConnection);
    EXPECT_EQ(view.last().colour, kStatusRed);
    EXPECT_EQ(seq.linkState(), kLinkReadProcess);
    EXPECT_FALSE(view.buttons);
    EXPECT_EQ(store.offline(), 1);
    EXPECT_EQ(view.refreshes, refreshes + 1);

    // From then on, over every 15 ticks: red on 4, blue on 11.
    std::string pattern;
    for (int t = 0; t < 30; ++t) {
        seq.tick();
        pattern += view.last().text == kTextNoConnection ? 'R' : 'B';
    }
    EXPECT_EQ(pattern, "RRRBBBBBBBBBBBRRRRBBBBBBBBBBBR");
    EXPECT_EQ(view.refreshes, refreshes + 1);  // once per loss
}

TEST_F(SequencerTest, PortClosedFromTheStart) {
    port.present = false;
    port.fail();
    for (int t = 0; t < 100; ++t) {
        seq.tick();
        ASSERT_EQ(view.last().text, kTextNoConnection) << t;
    }
    EXPECT_FALSE(view.portOpen);
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(view.enables, 0);
    seq.get();
    ticks(20);
    EXPECT_TRUE(port.written.empty());
}

TEST_F(SequencerTest, ProgressFollowsReceiveCount) {
    ticks(1);
    const Frame reply = blockFrame(kCmdProcessReply, filled(0));
    receive(Frame(reply.begin(), reply.begin() + 220));
    EXPECT_EQ(view.receiveCount, 220);
    receive(Frame(reply.begin() + 220, reply.end()));
    EXPECT_EQ(view.receiveCount, 403);
    ticks(2);
    EXPECT_EQ(seq.receiveCount(), 0);
    seq.tick();
    EXPECT_EQ(view.receiveCount, 0);

    // A run longer than the buffer is counted to 799 and fails the length
    // test; a request slot empties a half-received frame.
    receive(Frame(1000, 0x00));
    EXPECT_EQ(view.receiveCount, 799);
    ticks(16);
    EXPECT_EQ(seq.receiveCount(), 0);
}

TEST_F(SequencerTest, PortNumberChangeReopensAndSwallowsFailures) {
    seq.portNumberChanged(3);
    EXPECT_EQ(port.calls, (std::vector<std::string>{"close", "com3", "open"}));
    port.throwOnOpen = true;
    port.calls.clear();
    EXPECT_NO_THROW(seq.portNumberChanged(17));
    EXPECT_EQ(port.calls, (std::vector<std::string>{"close", "com16", "open"}));
    EXPECT_FALSE(port.isOpen());
    seq.tick();
    EXPECT_FALSE(view.portOpen);
    seq.shutdown();
    EXPECT_EQ(port.calls.back(), "close");
}
