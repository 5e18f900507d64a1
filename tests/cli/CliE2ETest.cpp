// bxl-cli against bxl-unit-sim on a pseudo-terminal, each test with its own
// alias folder (XDG_DATA_HOME) and the unit's trace of every frame.
#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <string>
#include <vector>

#include "link/Frames.h"
#include "model/Bindings.h"
#include "model/ControlsFile.h"
#include "model/FileIo.h"
#include "model/log/LogFile.h"
#include "model/log/RecordingCsv.h"
#include "sim/UnitModel.h"
#include "tests/support/SimulatedUnit.h"

using namespace bxl;

namespace {

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

struct TraceFrame {
    double seconds;
    QString kind;
    std::vector<uint8_t> bytes;
};

class CliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    void TearDown() override {
        if (sim.isRunning()) sim.stop();
    }

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dir.path());
        return env;
    }

    // The simulated unit on port 1, tracing every frame.
    void startUnit(const QStringList& extra = {}) {
        ASSERT_TRUE(sim.start(dir.path(), 1, extra, path("trace.txt"))) << sim.problem().toStdString();
    }

    void startCli(QProcess& cli, const QStringList& args) {
        cli.setProcessEnvironment(environment());
        cli.start(BXL_CLI, args);
        ASSERT_TRUE(cli.waitForStarted(3000));
    }

    CliRun run(const QStringList& args, int ms = 30000) {
        QProcess cli;
        startCli(cli, args);
        cli.closeWriteChannel();  // standard input is not a terminal
        CliRun r;
        if (!cli.waitForFinished(ms)) {
            cli.kill();
            cli.waitForFinished(3000);
            ADD_FAILURE() << "bxl-cli did not end: " << args.join(' ').toStdString();
            return r;
        }
        r.status = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
        r.out = cli.readAllStandardOutput();
        r.err = cli.readAllStandardError();
        return r;
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // The record count in a log file's header; -1 without a header.
    int recordCount(const QString& name) const {
        const auto bytes = bytesOf(name);
        if (bytes.size() < kLogHeaderSize) return -1;
        return bytes[4] | bytes[5] << 8 | bytes[6] << 16 | bytes[7] << 24;
    }

    std::vector<uint8_t> bytesOf(const QString& name) const {
        return readFilePrefix(path(name).toStdString(), 1 << 22).value_or(std::vector<uint8_t>{});
    }

    void writeBytes(const QString& name, const std::vector<uint8_t>& bytes) {
        ASSERT_TRUE(writeFileSafely(path(name).toStdString(), bytes));
    }

    // A controls file of the unit's factory values with some changed.
    void writeControls(const QString& name, const std::vector<std::pair<int, int32_t>>& changes) {
        ValueStore store;
        const auto factory = sim::UnitModel::factoryControls();
        for (int i = 0; i < kControlsCount; ++i) store.setCurrent(i, factory[static_cast<std::size_t>(i)]);
        for (const auto& [index, value] : changes) store.setCurrent(index, value);
        writeBytes(name, encodeControlsFile(store));
    }

    std::vector<TraceFrame> trace() const {
        std::vector<TraceFrame> frames;
        QFile file(path("trace.txt"));
        if (!file.open(QIODevice::ReadOnly)) return frames;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() < 3) continue;
            TraceFrame t{f[0].toDouble(), QString::fromLatin1(f[1]), {}};
            const int length = f[2].toInt();
            for (int i = 0; i < length && 3 + i < f.size(); ++i)
                t.bytes.push_back(static_cast<uint8_t>(f[3 + i].toUInt(nullptr, 16)));
            frames.push_back(std::move(t));
        }
        return frames;
    }

    // Frames of one kind ("in", "out") and command.
    std::vector<TraceFrame> framesOf(const char* kind, uint8_t command) const {
        std::vector<TraceFrame> out;
        for (const TraceFrame& f : trace())
            if (f.kind == kind && !f.bytes.empty() && f.bytes[0] == command) out.push_back(f);
        return out;
    }

    QTemporaryDir dir;
    test::SimulatedUnit sim;
};

// Decodes the 200 values of a traced 403-byte reply.
std::array<int32_t, 200> valuesOf(const TraceFrame& f) {
    std::array<int32_t, 200> v{};
    for (std::size_t k = 0; k < 200; ++k)
        v[k] = static_cast<int16_t>(static_cast<uint16_t>(f.bytes[2 + 2 * k] << 8 | f.bytes[3 + 2 * k]));
    return v;
}

using CliFiles = CliTest;
using CliSend = CliTest;
using CliUsage = CliTest;
using CliLive = CliTest;

}  // namespace

TEST_F(CliFiles, GetAndExportWriteTheFilesOfSaveAndExcel) {
    startUnit();
    const CliRun get = run({"get", "-o", path("unit.ctl")});
    ASSERT_EQ(get.status, 0) << get.err.toStdString();
    EXPECT_TRUE(get.out.isEmpty());
    const CliRun exported = run({"export", "-o", path("unit.csv")});
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();

    // The values as the unit sent them, put in a store as the link puts them,
    // and written with the codecs of the main window's Save and EXCEL.
    const auto controlsReplies = framesOf("out", kCmdControlsReply);
    ASSERT_EQ(controlsReplies.size(), 2u);
    ValueStore store;
    const auto controls = valuesOf(controlsReplies[0]);
    for (int i = 0; i < kControlsCount; ++i) store.setCurrent(i, controls[static_cast<std::size_t>(i)]);
    EXPECT_EQ(bytesOf("unit.ctl"), encodeControlsFile(store));
    // ... which are the unit's factory settings.
    EXPECT_EQ(decodeControlsFile(bytesOf("unit.ctl")).value(), sim::UnitModel::factoryControls());

    // The export's process values are those of the last process reply before
    // its controls reply.
    const double exportControlsAt = controlsReplies[1].seconds;
    const TraceFrame* process = nullptr;
    const auto processReplies = framesOf("out", kCmdProcessReply);
    for (const TraceFrame& f : processReplies)
        if (f.seconds < exportControlsAt && f.seconds > controlsReplies[0].seconds) process = &f;
    ASSERT_NE(process, nullptr);
    const auto live = valuesOf(*process);
    for (int k = 0; k < kProcessCount; ++k)
        store.setCurrent(kProcessFirst + k, live[static_cast<std::size_t>(k)]);
    const auto exportControls = valuesOf(controlsReplies[1]);
    for (int i = 0; i < kControlsCount; ++i) store.setCurrent(i, exportControls[static_cast<std::size_t>(i)]);
    BindingTable bindings;
    bindings.build();
    const std::string csv = exportCsv(store, bindings);
    const auto file = bytesOf("unit.csv");
    EXPECT_EQ(std::string(file.begin(), file.end()), csv);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 222);
    // Nothing but reads went to the unit.
    EXPECT_TRUE(framesOf("in", kCmdWriteControls).empty());
    EXPECT_TRUE(framesOf("in", kCmdSecondWrite).empty());
}

TEST_F(CliFiles, DiffOfTwoFiles) {
    writeControls("a.ctl", {});
    writeControls("b.ctl", {{1, 5100}, {117, 390}});
    CliRun r = run({"diff", path("a.ctl"), path("b.ctl")});
    EXPECT_EQ(r.status, 1) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(),
              "\"M02-01\",\"Supply air 1\",\"5000 m3/h\",\"5100 m3/h\"\r\n"
              "\"M60-11\",\"Selectclock 1-Time\",\"0:00\",\"6:30\"\r\n");
    r = run({"diff", path("a.ctl"), path("a.ctl")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.isEmpty());
    r = run({"diff", path("a.ctl"), path("missing.ctl")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.indexOf("missing.ctl: cannot read: no such file"), -1) << r.err.toStdString();
}

TEST_F(CliSend, AsksFirstThenWritesAndConfirms) {
    startUnit();
    writeControls("new.ctl", {{1, 5100}});
    const QByteArray line = "\"M02-01\",\"Supply air 1\",\"5000 m3/h\",\"5100 m3/h\"\r\n";

    // Without --yes and without a terminal: the change is shown, nothing written.
    CliRun r = run({"send", path("new.ctl")});
    EXPECT_EQ(r.status, 2) << r.err.toStdString();
    EXPECT_EQ(r.out, line);
    EXPECT_NE(r.err.indexOf("nothing written"), -1) << r.err.toStdString();
    EXPECT_TRUE(framesOf("in", kCmdWriteControls).empty());

    r = run({"send", path("new.ctl"), "--yes"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, line + "written and confirmed\n");
    ASSERT_EQ(framesOf("in", kCmdWriteControls).size(), 1u);
    EXPECT_TRUE(framesOf("in", kCmdSecondWrite).empty());
    // What the unit had before the write is kept in the settings history.
    const QString history = path("brisaval-xl/history");
    const QStringList kept = QDir(history).entryList({"*-before-send.bxl"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1) << QDir(history).entryList().join(' ').toStdString();
    const auto bytes = readFilePrefix((history + "/" + kept[0]).toStdString(), kControlsFileSize);
    ASSERT_TRUE(bytes);
    const auto before = decodeControlsFile(*bytes);
    ASSERT_TRUE(before);
    EXPECT_EQ((*before)[1], 5000);

    // The unit holds the file's values now; a second send has nothing to do.
    r = run({"diff", "unit", path("new.ctl")});
    EXPECT_EQ(r.status, 0) << r.out.toStdString() << r.err.toStdString();
    r = run({"send", path("new.ctl"), "--yes"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_NE(r.err.indexOf("nothing to send"), -1) << r.err.toStdString();
    EXPECT_EQ(framesOf("in", kCmdWriteControls).size(), 1u);
}

TEST_F(CliSend, OnATerminalOnlyYesWrites) {
    const QString script = QStandardPaths::findExecutable("script");
    if (script.isEmpty()) GTEST_SKIP() << "script (util-linux) gives the program a terminal; not installed";
    startUnit();
    writeControls("new.ctl", {{1, 5100}});
    for (const char* answer : {"n\n", "y\n"}) {
        // script runs bxl-cli on a pseudo-terminal and passes our input to it.
        QProcess terminal;
        terminal.setProcessEnvironment(environment());
        terminal.start(script,
                       {"-qec", QString("'%1' send '%2'").arg(BXL_CLI, path("new.ctl")), "/dev/null"});
        ASSERT_TRUE(terminal.waitForStarted(3000));
        terminal.write(answer);
        terminal.closeWriteChannel();
        ASSERT_TRUE(terminal.waitForFinished(20000));
        const QByteArray seen = terminal.readAllStandardOutput();
        EXPECT_NE(seen.indexOf("Write these 1 change to the unit on port 1? [y/N]"), -1)
            << seen.toStdString();
        if (answer[0] == 'n') {
            EXPECT_EQ(terminal.exitCode(), 2) << seen.toStdString();
            EXPECT_NE(seen.indexOf("not confirmed: nothing written"), -1) << seen.toStdString();
            EXPECT_TRUE(framesOf("in", kCmdWriteControls).empty());
        } else {
            EXPECT_EQ(terminal.exitCode(), 0) << seen.toStdString();
            EXPECT_NE(seen.indexOf("written and confirmed"), -1) << seen.toStdString();
            EXPECT_EQ(framesOf("in", kCmdWriteControls).size(), 1u);
        }
    }
}

TEST_F(CliSend, EchoThatDiffersIsALinkFailure) {
    startUnit({"--echo-diff", "50"});
    writeControls("new.ctl", {{1, 5100}});
    const CliRun r = run({"send", path("new.ctl"), "--yes"});
    EXPECT_EQ(r.status, 3) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_NE(r.err.indexOf("port 1: the unit's echo differs"), -1) << r.err.toStdString();
    EXPECT_NE(r.err.indexOf("first at M05.08 \"Input 8\": written 0.No function, echoed 1.Ventilation 1"), -1)
        << r.err.toStdString();
    EXPECT_EQ(r.out.indexOf("written and confirmed"), -1);
    // One write and nothing after it.
    ASSERT_EQ(framesOf("in", kCmdWriteControls).size(), 1u);
    EXPECT_TRUE(framesOf("in", kCmdSecondWrite).empty());
}

TEST_F(CliSend, BadFilesAreRefusedBeforeTheLine) {
    startUnit();
    writeControls("good.ctl", {{1, 5100}});
    auto bad = bytesOf("good.ctl");
    bad[4] ^= 1;
    writeBytes("bad.ctl", bad);
    writeBytes("short.ctl", std::vector<uint8_t>(bad.begin(), bad.begin() + 800));
    writeControls("wide.ctl", {{12, 100000}});  // M04.01 allows it, the wire does not

    struct Case {
        const char* file;
        const char* says;
    } cases[] = {
        {"bad.ctl", "bad.ctl: not a controls file: its checksum is wrong"},
        {"short.ctl", "short.ctl: not a controls file: 800 bytes"},
        {"wide.ctl", "wide.ctl: M04.01 \"Supply Air P-zone\" holds 100000, outside the -32768..32767"},
        {"missing.ctl", "missing.ctl: cannot read: no such file"},
    };
    for (const Case& c : cases) {
        const CliRun r = run({"send", path(c.file), "--yes"});
        EXPECT_EQ(r.status, 2) << c.file;
        EXPECT_NE(r.err.indexOf(c.says), -1) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << c.file;
    }
    // The port was never opened: the unit saw no frame at all.
    EXPECT_TRUE(trace().empty());
}

TEST_F(CliSend, SilentUnitTimesOut) {
    startUnit({"--silent-after", "0"});
    writeControls("new.ctl", {{1, 5100}});
    QElapsedTimer clock;
    clock.start();
    CliRun r = run({"--timeout", "1.5", "send", path("new.ctl"), "--yes"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.indexOf("port 1: no answer from the unit within 1.5 s"), -1) << r.err.toStdString();
    EXPECT_LT(clock.elapsed(), 6000);
    EXPECT_TRUE(framesOf("in", kCmdWriteControls).empty());

    r = run({"--timeout", "1", "get", "-o", path("unit.ctl")});
    EXPECT_EQ(r.status, 3);
    EXPECT_FALSE(QFile::exists(path("unit.ctl")));
}

TEST_F(CliUsage, HelpAndMistakes) {
    CliRun r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.indexOf("record [--interval S] --duration D -o FILE"), -1);
    r = run({"record", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.indexOf("--duration D"), -1);
    r = run({"fetch"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.toStdString(), "bxl-cli: unknown command \"fetch\" (see bxl-cli --help)\n");
    r = run({"--device", path("no-such-tty"), "get", "-o", path("unit.ctl")});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.indexOf("cannot open " + path("no-such-tty").toUtf8()), -1) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1);
    r = run({"get", "-o", path("no/such/folder.ctl")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.indexOf("cannot write: no such folder"), -1) << r.err.toStdString();
}

TEST_F(CliLive, WatchPrintsOneRowPerProcessReply) {
    startUnit();
    const CliRun r = run({"watch", "--count", "3"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QList<QByteArray> lines = r.out.split('\n');
    ASSERT_EQ(lines.size(), 5) << r.out.toStdString();  // header, three rows, the empty end
    EXPECT_EQ(lines[0] + '\n', QByteArray::fromStdString(recordingCsvHeader()));
    const QRegularExpression row(
        "^\\d{4}-\\d\\d-\\d\\d "
        "\\d\\d:\\d\\d:\\d\\d(,-?\\d+\\.\\d){6},\\d+,\\d+,-?\\d+\\.\\d\\d(,-?\\d+\\.\\d){5},"
        "-?\\d+\\.\\d\\d\\r$");
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(row.match(QString::fromUtf8(lines[i])).hasMatch()) << lines[i].toStdString();
    // The rows follow the unit's replies, not a clock of their own.
    EXPECT_GE(framesOf("out", kCmdProcessReply).size(), 3u);
}

TEST_F(CliLive, WatchEndsCleanlyOnCtrlC) {
    startUnit();
    QProcess cli;
    startCli(cli, {"watch"});
    QElapsedTimer clock;
    clock.start();
    while (cli.readAllStandardOutput().isEmpty() && clock.elapsed() < 5000) cli.waitForReadyRead(100);
    ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
    ASSERT_TRUE(cli.waitForFinished(3000));
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
}

TEST_F(CliLive, RecordingInterruptedLeavesAFileThatLoads) {
    startUnit();
    for (const int signal : {SIGINT, SIGKILL}) {
        const QString name = signal == SIGINT ? "int.LOG" : "kill.LOG";
        QProcess cli;
        startCli(cli, {"record", "--interval", "2", "--duration", "1m", "-o", path(name)});
        // Two samples: the first when the unit first answers, the second 2 s later.
        QElapsedTimer clock;
        clock.start();
        while (recordCount(name) < 2 && clock.elapsed() < 8000) QThread::msleep(20);
        ::kill(static_cast<pid_t>(cli.processId()), signal);
        ASSERT_TRUE(cli.waitForFinished(3000));
        if (signal == SIGINT) {
            EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(cli.exitCode(), 0);
            EXPECT_NE(cli.readAllStandardError().indexOf("stopped: 2 samples"), -1);
        }

        // The file loads as "Load Log" loads it: whole records, as many as the header says.
        const auto bytes = bytesOf(name);
        LogFileContents contents;
        ASSERT_EQ(decodeLogFile(bytes, contents), LogDecodeStatus::Ok) << name.toStdString();
        EXPECT_EQ(contents.series, 15);
        ASSERT_EQ(contents.recordCount(), 2u) << name.toStdString();
        EXPECT_EQ(recordCount(name), 2);
        EXPECT_GE(bytes.size(), kLogHeaderSize + 2 * 128);
        EXPECT_NEAR((contents.times[1] - contents.times[0]) * 86400, 2.0, 0.5);
        EXPECT_GT(contents.values[15 + 6], 0.0);  // "Supply (m3/h)": the unit runs

        // And converts to the recording CSV of the log window.
        const CliRun csv = run({"log2csv", path(name)});
        EXPECT_EQ(csv.status, 0);
        LogStore log;
        addLogFileContents(contents, log);
        EXPECT_EQ(csv.out.toStdString(), recordingCsv(log));
    }
    // Recording only reads.
    EXPECT_TRUE(framesOf("in", kCmdWriteControls).empty());
    EXPECT_TRUE(framesOf("in", kCmdReadControls).empty());
}

TEST_F(CliLive, RecordingGoesOnWhenTheUnitFallsSilentAndSaysSo) {
    startUnit({"--silent-after", "2.5"});
    const CliRun r = run({"record", "--interval", "2", "--duration", "12s", "-o", path("gap.LOG")});
    // Six samples as the log window takes them; those after the connection
    // was declared lost (5.7 s after the last reply) repeat the last values.
    EXPECT_EQ(r.status, 3) << r.err.toStdString();
    EXPECT_NE(r.err.indexOf("port 1: no answer from the unit; samples repeat its last values"), -1)
        << r.err.toStdString();
    EXPECT_NE(r.err.indexOf(" of 6 samples in " + path("gap.LOG").toUtf8() +
                            " were taken while the unit did not answer"),
              -1)
        << r.err.toStdString();
    LogFileContents contents;
    ASSERT_EQ(decodeLogFile(bytesOf("gap.LOG"), contents), LogDecodeStatus::Ok);
    ASSERT_EQ(contents.recordCount(), 6u);
    EXPECT_EQ(contents.values[5 * 15 + 6], contents.values[4 * 15 + 6]);
}

TEST_F(CliLive, Log2CsvRefusesWhatIsNoLogFile) {
    writeBytes("not.LOG", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const CliRun r = run({"log2csv", path("not.LOG"), "-o", path("out.csv")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.indexOf("not.LOG: not a log file"), -1) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.csv")));
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
