// The real serial adapter and sequencer, driven by a real 100 ms timer,
// against bxl-unit-sim on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <functional>
#include <string>

#include "link/QtSerialPortAdapter.h"
#include "link/Sequencer.h"
#include "model/ValueIndexes.h"
#include "sim/UnitModel.h"
#include "tests/support/FakeLinkView.h"
#include "tests/support/SimulatedUnit.h"
#include "tests/support/WaitUntil.h"

using namespace bxl;

namespace {

class LinkE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dataHome.isValid());
        store.setOffline(1);
        port.setTriggerAvail([this](uint16_t count) { seq.bytesAvailable(count); });
        QObject::connect(&timer, &QTimer::timeout, [this] { seq.tick(); });
    }

    void TearDown() override {
        timer.stop();
        seq.shutdown();
    }

    // Starts the simulated unit on port `number` and opens the port.
    void start(int number, const QStringList& extra = {}) {
        ASSERT_TRUE(sim.start(dataHome.path(), number, extra)) << sim.problem().toStdString();
        seq.portNumberChanged(number);
        ASSERT_TRUE(port.isOpen()) << port.describe();
        timer.start(100);
    }

    static bool runUntil(const std::function<bool()>& done, int ms) { return test::waitUntil(done, ms); }

    // A private alias folder: no real port alias is touched.
    test::PrivateDataHome dataHome;
    test::SimulatedUnit sim;
    ValueStore store;
    QtSerialPortAdapter port;
    test::FakeLinkView view;
    Sequencer seq{store, port, view};
    QTimer timer;
};

}  // namespace

TEST_F(LinkE2E, GetFillsControlsWithFactoryDefaults) {
    start(1);
    ASSERT_TRUE(runUntil([&] { return view.processReplies > 0; }, 4000));
    EXPECT_TRUE(view.portOpen);
    EXPECT_EQ(store.current(kSoftwareVersion), 307);
    EXPECT_TRUE(runUntil([&] { return view.buttons; }, 1000));

    // Renumbering to the same port closes and re-opens it.
    seq.portNumberChanged(1);
    ASSERT_TRUE(port.isOpen()) << port.describe();

    seq.get();
    ASSERT_TRUE(runUntil([&] { return view.count(kTextControlsReceived) > 0; }, 4000));
    const auto factory = sim::UnitModel::factoryControls();
    for (int i = 0; i < 200; ++i) ASSERT_EQ(store.current(i), factory[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(store.offline(), 0);
    EXPECT_NE(sim.stop().indexOf("controls 1"), -1);
}

TEST_F(LinkE2E, SentValueComesBackInTheEcho) {
    start(2);
    ASSERT_TRUE(runUntil([&] { return view.buttons; }, 4000));
    seq.get();
    ASSERT_TRUE(runUntil([&] { return view.count(kTextControlsReceived) > 0 && view.buttons; }, 4000));

    store.setCurrent(1, 5510);  // "Supply air 1"
    seq.send();
    ASSERT_TRUE(runUntil([&] { return !store.changed(1); }, 4000));
    EXPECT_EQ(store.received(1), 5510);
    EXPECT_EQ(view.count(kTextWrongData), 0);

    // The unit keeps it: a fresh Get reads it back.
    store.setCurrent(1, 0);
    store.setReceived(1, 0);
    const int before = view.count(kTextControlsReceived);
    ASSERT_TRUE(runUntil([&] { return view.buttons; }, 4000));
    seq.get();
    ASSERT_TRUE(runUntil([&] { return view.count(kTextControlsReceived) > before; }, 4000));
    EXPECT_EQ(store.current(1), 5510);
}

TEST_F(LinkE2E, RejectedEchoIsReported) {
    start(3, {"--echo-diff", "50"});
    ASSERT_TRUE(runUntil([&] { return view.buttons; }, 4000));
    store.setCurrent(60, 1);  // unsent values are compared too: only 0..49 get confirmed
    seq.send();
    ASSERT_TRUE(runUntil([&] { return view.count(kTextWrongData) > 0; }, 4000));
    EXPECT_TRUE(store.changed(60));
}

TEST_F(LinkE2E, DroppedAndCorruptRepliesAreSurvived) {
    start(4, {"--drop", "0.2", "--corrupt", "0.2", "--split", "0.1", "--seed", "5"});
    ASSERT_TRUE(runUntil([&] { return view.processReplies > 0; }, 4000));
    const int lossesBefore = view.count(kTextNoConnection);
    ASSERT_TRUE(runUntil([&] { return view.processReplies >= 6; }, 15000));
    EXPECT_EQ(view.count(kTextNoConnection), lossesBefore);
    const QString summary = sim.stop();
    EXPECT_EQ(summary.indexOf(" 0 dropped"), -1) << summary.toStdString();
    EXPECT_EQ(summary.indexOf(" 0 corrupted"), -1) << summary.toStdString();
}

TEST_F(LinkE2E, LineClosedByTheUnitEndsWithPortClosed) {
    start(5, {"--close-after", "1.5"});
    ASSERT_TRUE(runUntil([&] { return !port.isOpen(); }, 5000)) << "the port hung after the line went away";
    ASSERT_TRUE(runUntil([&] { return !view.portOpen; }, 1000));
    EXPECT_NE(port.describe().find("lost"), std::string::npos) << port.describe();
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
