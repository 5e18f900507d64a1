// The real serial adapter and sequencer, driven by a real 100 ms timer,
// against bxl-unit-sim on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/PortResolver.h"
#include "link/QtSerialPortAdapter.h"
#include "link/Sequencer.h"
#include "sim/UnitModel.h"

using namespace bxl;

namespace {

class RecordingView : public LinkView {
public:
    void showPortOpen(bool open) override { portOpen = open; }
    void showReceiveCount(int) override {}
    void showStatus(const std::string& text, Rgb) override { statuses.push_back(text); }
    void enableTransferButtons(bool enabled) override { buttons = enabled; }
    void refreshAllBindings() override {}
    void closeEditor() override {}
    void liveOverviewRefresh() override { ++processReplies; }

    int count(const char* text) const {
        int n = 0;
        for (const auto& s : statuses) n += s == text ? 1 : 0;
        return n;
    }

    bool portOpen = false;
    bool buttons = false;
    int processReplies = 0;
    std::vector<std::string> statuses;
};

class LinkE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dataHome.isValid());
        // A private alias directory: no real port alias is touched.
        qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
        store.setOffline(1);
        port.setTriggerAvail([this](uint16_t count) { seq.bytesAvailable(count); });
        QObject::connect(&timer, &QTimer::timeout, [this] { seq.tick(); });
    }

    void TearDown() override {
        timer.stop();
        seq.shutdown();
        if (sim.state() != QProcess::NotRunning) {
            sim.terminate();
            sim.waitForFinished(3000);
        }
    }

    // Starts the simulated unit on port `number` and opens the port.
    void start(int number, const QStringList& extra = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dataHome.path());
        sim.setProcessEnvironment(env);
        sim.start(BXL_UNIT_SIM, QStringList{"--port", QString::number(number)} + extra);
        ASSERT_TRUE(sim.waitForStarted(3000));
        ASSERT_TRUE(sim.waitForReadyRead(3000)) << "the simulated unit did not come up";
        ASSERT_TRUE(sim.readLine().contains("serving"));
        seq.portNumberChanged(number);
        ASSERT_TRUE(port.isOpen()) << port.describe();
        timer.start(100);
    }

    // Runs the event loop until `done` holds or `ms` pass.
    bool runUntil(const std::function<bool()>& done, int ms) {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > ms) return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        }
        return true;
    }

    // Stops the unit and returns its summary line.
    QString stopSim() {
        sim.terminate();
        sim.waitForFinished(3000);
        return QString::fromUtf8(sim.readAllStandardOutput()).trimmed();
    }

    QTemporaryDir dataHome;
    QProcess sim;
    ValueStore store;
    QtSerialPortAdapter port;
    RecordingView view;
    Sequencer seq{store, port, view};
    QTimer timer;
};

}  // namespace

TEST_F(LinkE2E, GetFillsControlsWithFactoryDefaults) {
    start(1);
    ASSERT_TRUE(runUntil([&] { return view.processReplies > 0; }, 4000));
    EXPECT_TRUE(view.portOpen);
    EXPECT_EQ(store.current(280), 307);  // the unit's software version
    EXPECT_TRUE(runUntil([&] { return view.buttons; }, 1000));

    // Renumbering to the same port closes and re-opens it.
    seq.portNumberChanged(1);
    ASSERT_TRUE(port.isOpen()) << port.describe();

    seq.get();
    ASSERT_TRUE(runUntil([&] { return view.count(kTextControlsReceived) > 0; }, 4000));
    const auto factory = sim::UnitModel::factoryControls();
    for (int i = 0; i < 200; ++i) ASSERT_EQ(store.current(i), factory[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(store.offline(), 0);
    EXPECT_NE(stopSim().indexOf("controls 1"), -1);
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
    const QString summary = stopSim();
    EXPECT_EQ(summary.indexOf(" 0 dropped"), -1) << summary.toStdString();
    EXPECT_EQ(summary.indexOf(" 0 corrupted"), -1) << summary.toStdString();
}

TEST_F(LinkE2E, LineClosedByTheUnitEndsWithPortClosed) {
    start(5, {"--close-after", "1.5"});
    ASSERT_TRUE(runUntil([&] { return !port.isOpen(); }, 5000)) << "the port hung after the line went away";
    ASSERT_TRUE(runUntil([&] { return !view.portOpen; }, 1000));
    EXPECT_NE(port.describe().find("lost"), std::string::npos) << port.describe();
}

// An alias that is already there is replaced only when a killed simulated
// unit left it (a link to a pseudo-terminal that is gone); an engineer's own
// alias, a link to an unplugged adapter included, is never touched.
TEST_F(LinkE2E, ExistingAliasIsReplacedOnlyWhenASimulatorLeftIt) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(dataHome.path().toStdString()) / "brisaval-xl" / "ports";
    fs::create_directories(dir);
    const fs::path existing = dir / "existing-file";
    { std::ofstream(existing) << "x"; }

    struct Case {
        const char* what;
        std::string target;  // link target; empty: a plain file as the alias
        bool replaced;
    };
    const Case cases[] = {
        {"link left by a killed simulator", "/dev/pts/987654", true},
        {"engineer's link to an unplugged adapter", "/dev/serial/by-id/usb-FTDI_gone-if00-port0", false},
        {"engineer's link to a device that is there", existing.string(), false},
        {"a plain file", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path alias = dir / "com7";
        fs::remove(alias);
        if (c.target.empty()) {
            std::ofstream(alias) << "mine";
        } else {
            fs::create_symlink(c.target, alias);
        }

        QProcess unit;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dataHome.path());
        unit.setProcessEnvironment(env);
        unit.start(BXL_UNIT_SIM, {"--port", "7"});
        ASSERT_TRUE(unit.waitForStarted(3000));
        if (c.replaced) {
            ASSERT_TRUE(unit.waitForReadyRead(3000));
            EXPECT_TRUE(unit.readLine().contains("serving"));
            ASSERT_TRUE(fs::is_symlink(alias));
            EXPECT_EQ(fs::read_symlink(alias).string().rfind("/dev/pts/", 0), 0u);
            EXPECT_NE(fs::read_symlink(alias), fs::path(c.target));
            unit.terminate();
            ASSERT_TRUE(unit.waitForFinished(3000));
            EXPECT_FALSE(bxl::pathOrLinkExists(alias.string())) << "the unit's own alias stays behind";
        } else {
            ASSERT_TRUE(unit.waitForFinished(3000));
            EXPECT_EQ(unit.exitCode(), 1);
            EXPECT_TRUE(unit.readAllStandardError().contains("left alone"));
            if (c.target.empty()) {
                EXPECT_FALSE(fs::is_symlink(alias));
                std::string content;
                std::ifstream(alias) >> content;
                EXPECT_EQ(content, "mine");
            } else {
                ASSERT_TRUE(fs::is_symlink(alias));
                EXPECT_EQ(fs::read_symlink(alias), fs::path(c.target));
            }
        }
    }
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
