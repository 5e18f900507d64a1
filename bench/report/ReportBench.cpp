// Prints the time to make a service report of a unit with its factory
// settings and one change since it was found, its size and its pages; and,
// run side by side, the same report with its texts only, so that the cost of
// the pictures shows as a ratio.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/ToolWindows.h"
#include "tests/support/FactorySettings.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/NullPort.h"
#include "tests/support/TempFolder.h"
#include "ui/report/ServiceReport.h"

namespace {

double medianMillis(const std::function<void()>& make, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        make();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int pagesOf(const QByteArray& pdf) {
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") +
                            pdf.count("/Type /Page "));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    constexpr int kRuns = 7;

    TempFolder temp;
    bxl::test::FakeDialogs dialogs;
    bxl::ToolWindows windows(std::make_unique<bxl::NullPort>(), dialogs, std::nullopt, temp.file("history"));
    bxl::ValueStore& store = windows.store;
    bxl::test::loadFactorySettings(store);
    bxl::ControlsBlock found{};
    for (int k = 0; k < bxl::kControlsCount; ++k) found[static_cast<std::size_t>(k)] = store.current(k);
    windows.history->keep(found, bxl::HistoryKind::Received);
    store.setCurrent(1, store.current(1) + 100);  // M02.01, sent and confirmed
    for (int k = 0; k < bxl::kValueCount; ++k) store.setReceived(k, store.current(k));

    const QDateTime when = QDateTime::currentDateTime();
    QByteArray full;
    QByteArray textsOnly;
    const double fullMs =
        medianMillis([&] { full = windows.serviceReportPdf(QStringLiteral("bench"), when); }, kRuns);
    const double textsMs = medianMillis(
        [&] {
            const bxl::report::Report texts =
                bxl::report::buildReport(store, windows.bindings, found, QString::fromLatin1(TForm1::kTitle),
                                         QStringLiteral("bench"), when);
            textsOnly = bxl::report::reportPdf(texts, {});
        },
        kRuns);

    std::printf("service report, median of %d runs\n", kRuns);
    std::printf("  full report:  %8.1f ms  %8lld bytes  %2d pages\n", fullMs,
                static_cast<long long>(full.size()), pagesOf(full));
    std::printf("  texts only:   %8.1f ms  %8lld bytes  %2d pages\n", textsMs,
                static_cast<long long>(textsOnly.size()), pagesOf(textsOnly));
    std::printf("  full / texts: %8.2f\n", textsMs > 0 ? fullMs / textsMs : 0.0);
    return full.isEmpty() ? 1 : 0;
}
