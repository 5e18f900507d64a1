// Measures the poll cycle of the link against bxl-unit-sim: the real
// adapter and sequencer with a real 100 ms timer, the unit on a
// pseudo-terminal writing a trace; the cycle is the time between
// consecutive read-process requests as the unit received them.
//
// Side by side in the same run, each against a unit of its own: the link
// driven here, the windowed tool (bxl-control-center, offscreen) and the
// command-line tool (bxl-cli watch), so that their cycles can be compared.
//
//   link_poll_cycle_bench [seconds] [path to bxl-unit-sim]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numeric>
#include <vector>

#include "link/QtSerialPortAdapter.h"
#include "link/Sequencer.h"
#include "tests/support/SimulatedUnit.h"

using namespace bxl;

namespace {

class NoView : public LinkView {
public:
    void showPortOpen(bool) override {}
    void showReceiveCount(int) override {}
    void showStatus(const std::string&, Rgb) override {}
    void enableTransferButtons(bool) override {}
    void refreshAllBindings() override {}
    void closeEditor() override {}
    void liveOverviewRefresh() override {}
};

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    const double pos = q * static_cast<double>(v.size() - 1);
    const auto lo = static_cast<std::size_t>(std::floor(pos));
    const auto hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (pos - static_cast<double>(lo));
}

// A simulated unit on port 1 of a data directory of its own, with a trace.
struct Unit {
    QTemporaryDir dir;
    std::unique_ptr<test::SimulatedUnit> sim;
    QString trace;

    bool start(const QString& simPath) {
        trace = dir.filePath("trace.txt");
        sim = std::make_unique<test::SimulatedUnit>(simPath);
        if (sim->start(dir.path(), 1, {}, trace)) return true;
        std::fprintf(stderr, "%s\n", qPrintable(sim->problem()));
        return false;
    }
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dir.path());
        return env;
    }
    void stop() {
        if (sim) sim->stop();
    }
    // Times between consecutive read-process requests, in seconds.
    std::vector<double> cycles() const {
        QFile file(trace);
        std::vector<double> requests;
        if (file.open(QIODevice::ReadOnly)) {
            QTextStream in(&file);
            while (!in.atEnd()) {
                const QStringList f = in.readLine().split(' ');
                if (f.size() > 3 && f[1] == "in" && f[3] == "0C") requests.push_back(f[0].toDouble());
            }
        }
        std::vector<double> out;
        for (std::size_t i = 1; i < requests.size(); ++i) out.push_back(requests[i] - requests[i - 1]);
        return out;
    }
};

void printCycles(const char* label, const std::vector<double>& cycles) {
    std::printf(
        "%spoll cycle median %.1f ms, mean %.1f ms, p10 %.1f ms, p90 %.1f ms, min %.1f ms, max %.1f ms (%zu "
        "cycles)\n",
        label, 1000 * quantile(cycles, 0.5),
        1000 * std::accumulate(cycles.begin(), cycles.end(), 0.0) / static_cast<double>(cycles.size()),
        1000 * quantile(cycles, 0.1), 1000 * quantile(cycles, 0.9),
        1000 * *std::min_element(cycles.begin(), cycles.end()),
        1000 * *std::max_element(cycles.begin(), cycles.end()), cycles.size());
}

// A program of the tool polling its own unit for the whole run.
struct Program {
    Program(const char* label, QString path, QStringList args, bool offscreen)
        : label(label), path(std::move(path)), args(std::move(args)), offscreen(offscreen) {}
    const char* label;
    QString path;
    QStringList args;
    bool offscreen;
    Unit unit;
    QProcess process;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(5, QString(argv[1]).toInt()) : 30;
    const QString simPath = argc > 2 ? QString(argv[2]) : QStringLiteral(BXL_UNIT_SIM);

    Unit unit;
    qputenv("XDG_DATA_HOME", unit.dir.path().toLocal8Bit());
    if (!unit.start(simPath)) {
        std::fprintf(stderr, "cannot start %s\n", qPrintable(simPath));
        return 1;
    }

    // The programs, each on a unit of its own, when they are built.
    std::vector<std::unique_ptr<Program>> programs;
#ifdef BXL_CONTROL_CENTER
    programs.push_back(std::make_unique<Program>("windowed tool (bxl-control-center): ", BXL_CONTROL_CENTER,
                                                 QStringList{}, true));
#endif
#ifdef BXL_CLI
    programs.push_back(std::make_unique<Program>("command line (bxl-cli watch):       ", BXL_CLI,
                                                 QStringList{"watch"}, false));
#endif
    for (auto& p : programs) {
        if (!QFileInfo(p->path).isExecutable() || !p->unit.start(simPath)) {
            p->path.clear();
            continue;
        }
        QProcessEnvironment env = p->unit.environment();
        if (p->offscreen) env.insert("QT_QPA_PLATFORM", "offscreen");
        p->process.setProcessEnvironment(env);
        p->process.setStandardOutputFile(QProcess::nullDevice());
        p->process.setStandardErrorFile(QProcess::nullDevice());
        p->process.start(p->path, p->args);
        if (!p->process.waitForStarted(3000)) p->path.clear();
    }

    ValueStore store;
    store.setOffline(1);
    QtSerialPortAdapter port;
    NoView view;
    Sequencer seq(store, port, view);
    port.setTriggerAvail([&](uint16_t n) { seq.bytesAvailable(n); });
    seq.portNumberChanged(1);
    if (!port.isOpen()) {
        std::fprintf(stderr, "cannot open the port: %s\n", port.describe().c_str());
        return 1;
    }
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { seq.tick(); });
    timer.start(100);
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    timer.stop();
    seq.shutdown();
    unit.stop();
    for (auto& p : programs) {
        if (p->path.isEmpty()) continue;
        p->process.terminate();
        if (!p->process.waitForFinished(3000)) p->process.kill();
        p->process.waitForFinished(3000);
        p->unit.stop();
    }

    const std::vector<double> cycles = unit.cycles();
    if (cycles.size() < 2) {
        std::fprintf(stderr, "too few requests in the trace (%zu)\n", cycles.size() + 1);
        return 1;
    }

    // The tick model: the reply ends r after the request; the first tick
    // after that finds the quiet counter armed, the next handles the frame,
    // and the one after sends the next request.
    const double byteSeconds = 10.0 / 9600.0;
    const double reply = 0.005 + 403 * byteSeconds;  // the unit's 5 ms turnaround, then 403 bytes
    const double request = 3 * byteSeconds;
    const double modelCycle = (std::floor((request + reply) / 0.1) + 3) * 0.1;

    std::printf("requests: %zu over %d s\n", cycles.size() + 1, seconds);
    printCycles("", cycles);
    std::printf("reply on the wire %.1f ms (request %.1f ms); tick model cycle %.0f ms\n", 1000 * reply,
                1000 * request, 1000 * modelCycle);

    // The programs side by side.
    double windowedMedian = 0;
    double windowedMean = 0;
    for (auto& p : programs) {
        if (p->path.isEmpty()) {
            std::printf("%snot run\n", p->label);
            continue;
        }
        const std::vector<double> c = p->unit.cycles();
        if (c.size() < 2) {
            std::printf("%stoo few requests (%zu)\n", p->label, c.size() + 1);
            continue;
        }
        printCycles(p->label, c);
        const double median = quantile(c, 0.5);
        const double mean = std::accumulate(c.begin(), c.end(), 0.0) / static_cast<double>(c.size());
        if (p->offscreen) {
            windowedMedian = median;
            windowedMean = mean;
        } else if (windowedMedian > 0) {
            std::printf("ratio bxl-cli watch / windowed tool: median cycles %.3f, mean cycles %.3f\n",
                        median / windowedMedian, mean / windowedMean);
        }
    }
    return 0;
}
