// Fault-injection runs: the real serial adapter and sequencer, driven by a
// real 100 ms timer, against bxl-unit-sim on a pseudo-terminal while the unit
// drops, corrupts, splits, slows down or garbles its replies, falls silent,
// echoes a differing value, or its line vanishes and comes back.
//
// Every run also reads the unit's trace: no write frame (0x20, 0x22) may
// reach the unit unless Send was pressed, and then at most one of each.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "link/QtSerialPortAdapter.h"
#include "link/Sequencer.h"
#include "tests/support/FakeLinkView.h"
#include "tests/support/SimulatedUnit.h"
#include "tests/support/WaitUntil.h"

using namespace bxl;

namespace {

bool sameColour(Rgb a, Rgb b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// One line of the unit's trace.
struct TraceLine {
    double seconds;
    std::string kind;  // in, out, drop, bad
    int length;
    int command;  // first byte, -1 when none
    std::string note;
};

class FaultRun : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dataHome.isValid());
        // BXL_KEEP_TRACES=1 keeps the unit's traces for a look after a failure.
        if (qEnvironmentVariableIsSet("BXL_KEEP_TRACES")) {
            dataHome.keep();
            std::fprintf(stderr, "traces in %s\n", qPrintable(dataHome.path()));
        }
        store.setOffline(1);
        port.setTriggerAvail([this](uint16_t count) { seq.bytesAvailable(count); });
        QObject::connect(&timer, &QTimer::timeout, [this] {
            ++view.tick;
            seq.tick();
        });
    }

    void TearDown() override {
        timer.stop();
        seq.shutdown();
        for (test::SimulatedUnit* u : {&sim, &sim2})
            if (u->isRunning()) u->stop();
        // Whatever the fault, the tool never wrote what nobody asked for.
        for (const QString& trace : traces) {
            int writes = 0, writes2 = 0;
            for (const TraceLine& l : readTrace(trace)) {
                if (l.kind != "in") continue;
                writes += l.command == kCmdWriteControls ? 1 : 0;
                writes2 += l.command == kCmdSecondWrite ? 1 : 0;
            }
            EXPECT_LE(writes, sends) << trace.toStdString();
            EXPECT_LE(writes2, sends) << trace.toStdString();
        }
    }

    // Starts a simulated unit on port `number` with a trace.
    void startSim(test::SimulatedUnit& unit, int number, const QStringList& extra) {
        const QString trace = dataHome.filePath(QStringLiteral("trace%1.txt").arg(traces.size()));
        traces.push_back(trace);
        ASSERT_TRUE(unit.start(dataHome.path(), number, extra, trace)) << unit.problem().toStdString();
    }

    // Starts the unit and the tool's link on port `number`.
    void start(int number, const QStringList& extra = {}) {
        startSim(sim, number, extra);
        seq.portNumberChanged(number);
        ASSERT_TRUE(port.isOpen()) << port.describe();
        timer.start(100);
    }

    static bool runUntil(const std::function<bool()>& done, int ms) { return test::waitUntil(done, ms); }
    static void runFor(int ms) { test::runEventsFor(ms); }

    void pressSend() {
        ++sends;
        seq.send();
    }

    static std::vector<TraceLine> readTrace(const QString& path) {
        std::vector<TraceLine> lines;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) return lines;
        while (!f.atEnd()) {
            const QStringList w = QString::fromLatin1(f.readLine()).trimmed().split(' ');
            if (w.size() < 3) continue;
            TraceLine l{w[0].toDouble(), w[1].toStdString(), w[2].toInt(), -1, {}};
            if (w.size() > 3) l.command = w[3].toInt(nullptr, 16);
            if (w.size() > 3 + l.length) l.note = w.back().toStdString();
            lines.push_back(l);
        }
        return lines;
    }

    // Times of the read-process requests the unit received.
    static std::vector<double> requestTimes(const std::vector<TraceLine>& trace) {
        std::vector<double> t;
        for (const auto& l : trace)
            if (l.kind == "in" && l.command == kCmdReadProcess) t.push_back(l.seconds);
        return t;
    }

    test::PrivateDataHome dataHome;
    test::SimulatedUnit sim, sim2;
    QStringList traces;
    int sends = 0;
    ValueStore store;
    QtSerialPortAdapter port;
    test::FakeLinkView view;
    Sequencer seq{store, port, view};
    QTimer timer;
};

// Faults the link rides through, each with a short run: replies keep being
// applied and the connection is never declared lost.
struct SurvivableFault {
    const char* name;
    QStringList args;
    int minReplies;  // process replies applied within the run
};

class SurvivableFaults : public FaultRun, public ::testing::WithParamInterface<SurvivableFault> {};

TEST_P(SurvivableFaults, PollingGoesOnAndNothingIsWritten) {
    const SurvivableFault& f = GetParam();
    start(1, f.args + QStringList{"--seed", "3"});
    ASSERT_TRUE(runUntil([&] { return view.processReplies >= f.minReplies; }, 12000))
        << f.name << ": " << view.processReplies << " replies";
    // Before the first reply the watchdog only holds 10 ticks; after it the
    // connection is never declared lost.
    const auto* firstReply = view.firstAfter(kTextProcessReceived, 0);
    ASSERT_NE(firstReply, nullptr);
    EXPECT_EQ(view.firstAfter(kTextNoConnection, firstReply->tick), nullptr) << f.name;
    EXPECT_TRUE(view.buttons);
    EXPECT_TRUE(view.portOpen);
}

INSTANTIATE_TEST_SUITE_P(Faults, SurvivableFaults,
                         ::testing::Values(SurvivableFault{"drop", {"--drop", "0.3"}, 6},
                                           SurvivableFault{"corrupt", {"--corrupt", "0.3"}, 6},
                                           SurvivableFault{"garbage", {"--garbage", "0.3"}, 6},
                                           // A pause shorter than a tick does not split a frame.
                                           SurvivableFault{
                                               "short split", {"--split", "1", "--split-pause", "40"}, 5},
                                           // 2 ms a byte (4800 baud) is slow but never quiet for a tick.
                                           SurvivableFault{"slow bytes", {"--byte-ms", "2"}, 4},
                                           // A run past the receive buffer, a lone byte, a frame
                                           // the tool has no use for, in place of some replies.
                                           SurvivableFault{"overrun", {"--overrun", "0.3"}, 5},
                                           SurvivableFault{"stray byte", {"--stray", "0.3"}, 4},
                                           SurvivableFault{"unexpected frame", {"--unexpected", "0.3"}, 5}),
                         [](const ::testing::TestParamInfo<SurvivableFault>& info) {
                             std::string n = info.param.name;
                             std::replace(n.begin(), n.end(), ' ', '_');
                             return n;
                         });

// A lost reply is asked for again after a full request period; a bad one one
// tick after it ended, as for a good one.
TEST_F(FaultRun, LostRepliesAreRequestedAgainAfterOnePeriod) {
    start(2, {"--drop", "0.3", "--corrupt", "0.3", "--seed", "10"});
    runFor(9000);
    timer.stop();
    const auto trace = readTrace(traces[0]);
    int afterDrop = 0, afterBad = 0;
    for (std::size_t i = 0; i < trace.size(); ++i) {
        if (trace[i].kind == "in" || trace[i].command != kCmdProcessReply) continue;
        // The next read-process request after this reply (or its absence).
        double next = -1;
        for (std::size_t j = i + 1; j < trace.size(); ++j)
            if (trace[j].kind == "in" && trace[j].command == kCmdReadProcess) {
                next = trace[j].seconds;
                break;
            }
        if (next < 0) break;
        const double gap = next - trace[i].seconds;
        if (trace[i].kind == "drop") {
            // 15 ticks; a loaded machine delays a tick now and then.
            EXPECT_GT(gap, 1.35) << "a dropped reply is asked for again after 15 ticks";
            EXPECT_LT(gap, 1.9);
            ++afterDrop;
        } else if (trace[i].note == "corrupt") {
            // The reply takes 0.42 s; then one or two quiet ticks and one to the request.
            EXPECT_GT(gap, 0.55) << "a corrupt reply is followed one tick after its end";
            EXPECT_LT(gap, 1.0);
            ++afterBad;
        }
    }
    EXPECT_GT(afterDrop, 0);
    EXPECT_GT(afterBad, 0);
    // Corrupt replies are never applied.
    int good = 0;
    for (const auto& l : trace)
        good += l.kind == "out" && l.command == kCmdProcessReply && l.note.empty() ? 1 : 0;
    EXPECT_LE(view.processReplies, good);
    EXPECT_GE(view.processReplies, good - 1);  // the last one may still be on its way
}

// Faults that leave no valid frame: the connection is declared lost within
// the watchdog's time and stays lost, with the buttons disabled.
struct FatalFault {
    const char* name;
    QStringList args;
};

class FatalFaults : public FaultRun, public ::testing::WithParamInterface<FatalFault> {};

TEST_P(FatalFaults, ConnectionIsDeclaredLost) {
    const FatalFault& f = GetParam();
    start(3, f.args);
    runFor(6500);
    EXPECT_EQ(view.processReplies, 0) << f.name;
    // Lost at the start-up tick and then again on 4 ticks of every request
    // period. (A garbled piece may pass the checksum by chance, 1 in 256:
    // that only refreshes the watchdog, so the buttons are not checked.)
    EXPECT_GE(view.count(kTextNoConnection), 3) << f.name;
    EXPECT_EQ(store.offline(), 1);
    const auto* lost = view.lastOf(kTextNoConnection);
    ASSERT_NE(lost, nullptr);
    EXPECT_TRUE(sameColour(lost->colour, kStatusRed));
    EXPECT_TRUE(view.portOpen);
}

INSTANTIATE_TEST_SUITE_P(Faults, FatalFaults,
                         ::testing::Values(FatalFault{"corrupt", {"--corrupt", "1"}},
                                           FatalFault{"garbage", {"--garbage", "1"}},
                                           FatalFault{"split", {"--split", "1", "--split-pause", "300"}},
                                           // A byte every 250 ms: every pause ends a frame.
                                           FatalFault{"slow", {"--byte-ms", "250"}}),
                         [](const ::testing::TestParamInfo<FatalFault>& info) { return info.param.name; });

// The unit falls silent: "No/broken connection" exactly 57 ticks after the
// last valid frame, all fields redrawn offline once, then red on 4 ticks and
// blue on 11 of every 15 while the requests go on.
TEST_F(FaultRun, SilenceTripsTheWatchdogOnTime) {
    start(4, {"--silent-after", "3"});
    ASSERT_TRUE(runUntil([&] { return view.buttons; }, 3000));
    seq.get();
    ASSERT_TRUE(runUntil([&] { return store.offline() == 0; }, 3000));
    ASSERT_TRUE(runUntil([&] { return view.tick > 0 && view.lastOf(kTextNoConnection)->tick > 1; }, 9000));
    const int refreshesAtLoss = view.refreshes;
    runFor(4500);
    timer.stop();

    const auto* lastGood = view.lastOf(kTextProcessReceived);
    ASSERT_NE(lastGood, nullptr);
    const auto* lost = view.firstAfter(kTextNoConnection, lastGood->tick);
    ASSERT_NE(lost, nullptr);
    EXPECT_EQ(lost->tick - lastGood->tick, 57);
    EXPECT_EQ(store.offline(), 1);
    EXPECT_FALSE(view.buttons);
    ASSERT_FALSE(view.refreshTicks.empty());
    EXPECT_EQ(view.refreshTicks.back(), lost->tick) << "all fields are redrawn offline at the loss";
    EXPECT_EQ(view.refreshes, refreshesAtLoss) << "and only once per loss";

    // From the first request after the loss: 11 ticks blue, 4 ticks red, and so on.
    const long first = lastGood->tick + 61;
    ASSERT_GE(view.tick, first + 30);
    for (long t = first; t < first + 30; ++t) {
        const auto* shown = view.shownAt(t);
        ASSERT_NE(shown, nullptr);
        const bool blue = (t - first) % 15 < 11;
        EXPECT_EQ(shown->text, blue ? kTextReadingProcess : kTextNoConnection)
            << "tick " << t - lastGood->tick;
        EXPECT_TRUE(sameColour(shown->colour, blue ? kStatusBlue : kStatusRed));
    }
    const auto requests = requestTimes(readTrace(traces[0]));
    ASSERT_GE(requests.size(), 3u);
    EXPECT_NEAR(requests.back() - requests[requests.size() - 2], 1.5, 0.15);
}

// The unit echoes one value off: "!Wrong data in Brisaval XL!" in red, the
// received copy confirmed below that index only, one write frame on the wire.
TEST_F(FaultRun, DifferingEchoIsReportedAndNotRetried) {
    start(5, {"--echo-diff", "50"});
    ASSERT_TRUE(runUntil([&] { return view.buttons; }, 3000));
    seq.get();
    ASSERT_TRUE(runUntil([&] { return store.offline() == 0 && view.buttons; }, 3000));
    store.setCurrent(1, 5510);  // "Supply air 1", within its limits
    store.setCurrent(60, store.current(60) + 1);
    pressSend();
    ASSERT_TRUE(runUntil([&] { return view.count(kTextWrongData) > 0; }, 3000));
    EXPECT_TRUE(sameColour(view.lastOf(kTextWrongData)->colour, kStatusRed));
    EXPECT_FALSE(store.changed(1));
    EXPECT_TRUE(store.changed(60));
    runFor(2000);  // polling resumes, nothing is sent again
    timer.stop();
    int writes = 0;
    for (const auto& l : readTrace(traces[0]))
        writes += l.kind == "in" && l.command == kCmdWriteControls ? 1 : 0;
    EXPECT_EQ(writes, 1);
    EXPECT_GT(view.processReplies, 0);
}

// The line vanishes (an adapter pulled out) while garbage was arriving: the
// label shows "Closed"; once the same port is back the tool opens it again
// by itself, without a message, and the link recovers.
TEST_F(FaultRun, VanishedPortComesBackAndTheLinkRecovers) {
    start(6, {"--garbage", "1", "--close-after", "2.5"});
    ASSERT_TRUE(runUntil([&] { return !view.portOpen && view.tick > 20; }, 5000)) << "the port hung";
    EXPECT_EQ(view.processReplies, 0);
    const std::size_t statusesWhileClosed = view.statuses.size();
    runFor(1000);
    EXPECT_FALSE(port.isOpen()) << "nothing to open while the unit is away";
    for (std::size_t i = statusesWhileClosed; i < view.statuses.size(); ++i)
        EXPECT_EQ(view.statuses[i].text, kTextNoConnection);

    startSim(sim2, 6, {});
    const long back = view.tick;
    ASSERT_TRUE(runUntil([&] { return view.portOpen; }, 4000)) << port.describe();
    EXPECT_LE(view.tick - back, kReopenTicks + 2);
    ASSERT_TRUE(runUntil([&] { return view.processReplies > 0 && view.buttons; }, 3000));
    EXPECT_TRUE(sameColour(view.lastOf(kTextProcessReceived)->colour, kStatusBlack));
    EXPECT_EQ(store.offline(), 1) << "the values are not confirmed until a Get";
}

// Only runs longer than the receive buffer: its count stops at 799 and
// never grows past it, each run is dropped as a bad frame and polling goes
// on; the port stays open.
TEST_F(FaultRun, ReceiveCountStopsAtItsCapOnOverlongRuns) {
    start(8, {"--overrun", "1"});
    int most = 0;
    bool alwaysOpen = true;
    runUntil(
        [&] {
            most = std::max(most, seq.receiveCount());
            alwaysOpen = alwaysOpen && port.isOpen();
            return false;
        },
        4000);
    EXPECT_EQ(most, ReceiveBuffer::kMaxCount);
    EXPECT_TRUE(alwaysOpen);
    EXPECT_EQ(view.processReplies, 0);
    int requests = 0;
    for (const auto& l : readTrace(traces[0]))
        requests += l.kind == "in" && l.command == kCmdReadProcess ? 1 : 0;
    EXPECT_GE(requests, 3) << "polling goes on";
}

// Valid frames of a command or length the tool does not expect keep the
// connection alive and enable the buttons, yet change no value.
TEST_F(FaultRun, UnexpectedFramesKeepTheLinkButChangeNothing) {
    start(9, {"--unexpected", "1"});
    const ValueStore before = store;
    runFor(7000);
    EXPECT_EQ(view.processReplies, 0);
    EXPECT_TRUE(view.buttons);
    const auto* firstGood = view.firstAfter(kTextReadingProcess, 1);
    ASSERT_NE(firstGood, nullptr);
    EXPECT_EQ(view.firstAfter(kTextNoConnection, firstGood->tick), nullptr)
        << "valid frames reload the watchdog";
    for (int i = 256; i < 456; ++i) ASSERT_EQ(store.current(i), before.current(i)) << i;
}

// A unit that falls silent for a while and then answers again is polled on
// without the port being closed or opened: the link comes back by itself.
TEST_F(FaultRun, LinkRecoversAfterSilenceWithoutReopeningThePort) {
    start(10, {"--silent-after", "1.2", "--silent-for", "7"});
    bool alwaysOpen = true;
    const auto open = [&] { alwaysOpen = alwaysOpen && port.isOpen(); };
    ASSERT_TRUE(runUntil([&] { return open(), view.processReplies > 0; }, 3000));
    ASSERT_TRUE(runUntil([&] { return open(), view.lastText() == kTextNoConnection; }, 8000))
        << "the silence is noticed";
    const int repliesBefore = view.processReplies;
    ASSERT_TRUE(runUntil([&] { return open(), view.processReplies > repliesBefore; }, 5000))
        << "polling found the unit again";
    EXPECT_TRUE(alwaysOpen);
    EXPECT_TRUE(view.buttons);
    EXPECT_EQ(port.problem(), PortProblem::None);
}

// An adapter that appears after start (here the unit's alias made while
// the tool already runs) is taken within 3 s, without the user stepping the
// port number, and the port says why it was closed until then.
TEST_F(FaultRun, AdapterAppearingAfterStartIsUsedWithinThreeSeconds) {
    seq.portNumberChanged(7);
    ASSERT_FALSE(port.isOpen());
    EXPECT_EQ(port.problem(), PortProblem::NoDevice);
    EXPECT_EQ(port.reason(), "no device for port 7");
    timer.start(100);
    runFor(700);
    startSim(sim, 7, {});
    QElapsedTimer since;
    since.start();
    ASSERT_TRUE(runUntil([&] { return view.processReplies > 0; }, 3000)) << port.describe();
    EXPECT_LE(since.elapsed(), 3000);
    EXPECT_EQ(port.problem(), PortProblem::None);
    EXPECT_EQ(port.reason(), "");
    EXPECT_NE(port.describe().find("COM7 = /dev/pts/"), std::string::npos)
        << "the alias is named by the device it points to: " << port.describe();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
