// Measures the poll cycle of the link against bxl-unit-sim: the real
// adapter and sequencer with a real 100 ms timer, the unit on a
// pseudo-terminal writing a trace; the cycle is the time between
// consecutive read-process requests as the unit received them.
//
//   link_poll_cycle_bench [seconds] [path to bxl-unit-sim]
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

#include "link/QtSerialPortAdapter.h"
#include "link/Sequencer.h"
#include "tests/support/FakeLinkView.h"
#include "tests/support/SimulatedUnit.h"

using namespace bxl;

namespace {

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    const double pos = q * static_cast<double>(v.size() - 1);
    const auto lo = static_cast<std::size_t>(std::floor(pos));
    const auto hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (pos - static_cast<double>(lo));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(5, QString(argv[1]).toInt()) : 30;
    const QString simPath = argc > 2 ? QString(argv[2]) : QStringLiteral(BXL_UNIT_SIM);

    test::PrivateDataHome dir;
    const QString tracePath = dir.filePath("trace.txt");
    test::SimulatedUnit sim(simPath);
    if (!sim.start(dir.path(), 1, {}, tracePath)) {
        std::fprintf(stderr, "cannot start %s: %s\n", qPrintable(simPath), qPrintable(sim.problem()));
        return 1;
    }

    ValueStore store;
    store.setOffline(1);
    QtSerialPortAdapter port;
    test::FakeLinkView view;
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
    sim.stop();

    // Trace lines: "<seconds> <direction> <length> <bytes...>".
    QFile trace(tracePath);
    if (!trace.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no trace written\n");
        return 1;
    }
    std::vector<double> requests;
    std::vector<double> replyStarts;
    QTextStream in(&trace);
    while (!in.atEnd()) {
        const QStringList f = in.readLine().split(' ');
        if (f.size() > 3 && f[1] == "in" && f[3] == "0C") requests.push_back(f[0].toDouble());
        if (f.size() > 3 && f[1] == "out" && f[3] == "0D") replyStarts.push_back(f[0].toDouble());
    }
    if (requests.size() < 3) {
        std::fprintf(stderr, "too few requests in the trace (%zu)\n", requests.size());
        return 1;
    }
    std::vector<double> cycles;
    for (std::size_t i = 1; i < requests.size(); ++i) cycles.push_back(requests[i] - requests[i - 1]);

    // The tick model: the reply ends r after the request; the first tick
    // after that finds the quiet counter armed, the next handles the frame,
    // and the one after sends the next request.
    const double byteSeconds = 10.0 / 9600.0;
    const double reply = 0.005 + 403 * byteSeconds;  // the unit's 5 ms turnaround, then 403 bytes
    const double request = 3 * byteSeconds;
    const double modelCycle = (std::floor((request + reply) / 0.1) + 3) * 0.1;

    std::printf("requests: %zu over %d s\n", requests.size(), seconds);
    std::printf(
        "poll cycle median %.1f ms, mean %.1f ms, p10 %.1f ms, p90 %.1f ms, min %.1f ms, max %.1f ms\n",
        1000 * quantile(cycles, 0.5),
        1000 * std::accumulate(cycles.begin(), cycles.end(), 0.0) / static_cast<double>(cycles.size()),
        1000 * quantile(cycles, 0.1), 1000 * quantile(cycles, 0.9),
        1000 * *std::min_element(cycles.begin(), cycles.end()),
        1000 * *std::max_element(cycles.begin(), cycles.end()));
    std::printf("reply on the wire %.1f ms (request %.1f ms); tick model cycle %.0f ms\n", 1000 * reply,
                1000 * request, 1000 * modelCycle);
    return 0;
}
