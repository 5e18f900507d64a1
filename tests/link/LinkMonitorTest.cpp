// The link monitor only listens: a tick-by-tick run gives the same frames,
// statuses and values with it attached as without, and its rows and counters
// tell what went over the line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/LinkMonitor.h"
#include "link/Sequencer.h"
#include "tests/support/FakeLinkView.h"
#include "tests/support/FakePort.h"

using namespace bxl;

namespace {

BlockValues filled(int32_t base) {
    BlockValues v{};
    for (int k = 0; k < kBlockValues; ++k) v[static_cast<std::size_t>(k)] = base + k;
    return v;
}

struct LinkRun {
    ValueStore store;
    test::FakePort port{true};
    test::FakeLinkView view;
    Sequencer seq{store, port, view};
    int64_t now = 1'700'000'000'000;  // the monitor's clock, 100 ms a tick
    std::vector<Frame> sentPerTick;

    void tick() {
        ++view.tick;
        now += 100;
        seq.tick();
        sentPerTick.push_back(port.take());
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) tick();
    }
    void receive(const Frame& bytes) {
        port.incoming.insert(port.incoming.end(), bytes.begin(), bytes.end());
        seq.bytesAvailable(static_cast<uint16_t>(bytes.size()));
    }

    // Polls, a Get, a Send of one changed setting, a bad reply, a lone byte
    // and a silence long enough to lose the connection.
    void script() {
        store.setOffline(1);
        ticks(1);
        receive(blockFrame(kCmdProcessReply, filled(0)));
        ticks(3);
        seq.get();
        ticks(1);
        receive(blockFrame(kCmdControlsReply, filled(10)));
        ticks(3);
        store.setCurrent(5, 99);
        seq.send();
        ticks(1);
        BlockValues echo = filled(10);
        echo[5] = 99;
        receive(blockFrame(kCmdWriteEcho, echo));
        ticks(3);
        Frame bad = blockFrame(kCmdProcessReply, filled(3));
        bad.back() ^= 0x11;
        receive(bad);
        ticks(3);
        receive({0x42});
        ticks(80);
    }
};

}  // namespace

TEST(LinkMonitor, WatchingChangesNothing) {
    LinkRun plain;
    plain.script();
    LinkRun watched;
    LinkMonitor monitor([&watched] { return watched.now; });
    watched.seq.setObserver(&monitor);
    watched.script();

    EXPECT_EQ(watched.sentPerTick, plain.sentPerTick) << "the same frames on the same ticks";
    ASSERT_EQ(watched.view.statuses.size(), plain.view.statuses.size());
    for (std::size_t i = 0; i < plain.view.statuses.size(); ++i) {
        EXPECT_EQ(watched.view.statuses[i].text, plain.view.statuses[i].text) << i;
        EXPECT_EQ(watched.view.statuses[i].tick, plain.view.statuses[i].tick) << i;
    }
    for (int i = 0; i < kValueCount; ++i) {
        ASSERT_EQ(watched.store.current(i), plain.store.current(i)) << i;
        ASSERT_EQ(watched.store.received(i), plain.store.received(i)) << i;
    }
    EXPECT_EQ(watched.view.refreshes, plain.view.refreshes);
}

TEST(LinkMonitor, RowsAndCountersTellWhatWentOverTheLine) {
    LinkRun run;
    LinkMonitor monitor([&run] { return run.now; });
    run.seq.setObserver(&monitor);
    run.script();

    long sent = 0;
    for (const Frame& f : run.sentPerTick) sent += f.empty() ? 0 : 1;
    const MonitorCounters& c = monitor.counters();
    EXPECT_EQ(c.requests, sent);
    EXPECT_EQ(c.goodReplies, 3) << "process, controls and the echo";
    EXPECT_EQ(c.badFrames, 2) << "the bad checksum and the lone byte";
    EXPECT_GE(c.timeouts, 4) << "the silence at the end";
    EXPECT_EQ(c.pollCycleMs, 1500) << "requests a request period apart while the unit is silent";
    EXPECT_GT(c.lastGoodReplyMs, 0);

    // The first rows: the first request, its reply, then the next request.
    const auto& rows = monitor.rows();
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0].kind, MonitorRow::Kind::Sent);
    EXPECT_EQ(rows[0].bytes, (Frame{0x0C, 0x00, 0x47}));
    EXPECT_TRUE(rows[0].checksumGood);
    EXPECT_EQ(rows[1].kind, MonitorRow::Kind::Received);
    EXPECT_EQ(rows[1].bytes.size(), static_cast<std::size_t>(kBlockLength));
    const std::string first = rowText(rows[0]);
    EXPECT_EQ(first.substr(12), "  PC > unit              3  0C  good  0C 00 47");
    EXPECT_EQ(first[2], ':');
    EXPECT_EQ(first[8], '.');

    // A silence of a request period is marked before the row that ends it.
    bool gapMarked = false;
    for (const MonitorRow& row : rows)
        if (row.silentMsBefore >= 1000) {
            gapMarked = true;
            EXPECT_NE(rowText(row).find("--- 1.5 s silent ---"), std::string::npos) << rowText(row);
        }
    EXPECT_TRUE(gapMarked);

    const std::string saved = monitorText(monitor);
    EXPECT_EQ(saved.rfind("requests " + std::to_string(sent) + ", good replies 3, bad frames 2", 0), 0u)
        << saved;
    EXPECT_NE(saved.find("unit > PC (dropped)    1  42  bad   42"), std::string::npos) << saved;

    // Pause keeps the rows as they are while the counters go on; clear
    // empties both.
    monitor.setPaused(true);
    const std::size_t before = rows.size();
    run.ticks(30);
    EXPECT_EQ(monitor.rows().size(), before);
    EXPECT_GT(monitor.counters().requests, sent);
    monitor.clear();
    EXPECT_TRUE(monitor.rows().empty());
    EXPECT_EQ(monitor.counters().requests, 0);
}
