// The service report: the one place where the model, the overview, the log
// and the graphs meet to make it.
#include "app/ToolWindows.h"
#include "ui/overview/LiveOverview.h"
#include "ui/report/ServiceReport.h"

namespace bxl {

namespace {

// Image pixels for each pixel of a window picture: about 300 dots per inch
// at the width the picture gets on the page.
constexpr int kPictureScale = 3;
// The trend as a chart of this size in the log window.
constexpr QSize kTrendSize(900, 520);

}  // namespace

QByteArray ToolWindows::serviceReportPdf(const QString& note, const QDateTime& when) {
    const std::optional<ControlsBlock> asFound =
        history != nullptr ? history->firstReceivedThisRun() : std::nullopt;
    // The main window builds the binding table as it is first shown; a
    // report made before that uses a table of its own, the same.
    BindingTable ownTable;
    if (bindings.used() == 0) ownTable.build();
    const BindingTable& lines = bindings.used() == 0 ? ownTable : bindings;
    const report::Report texts =
        report::buildReport(store, lines, asFound, QString::fromLatin1(TForm1::kTitle), note, when);
    report::Pictures pictures;
    // The overview's labels follow the process replies only while it is
    // shown; brought up to date first.
    liveOverviewRefresh(store, lines, form2);
    pictures.overview = form2.panelPicture(store, kPictureScale);
    pictures.graphs = report::drawGraphs(report::valuesAsLeft(store, asFound.has_value()), kPictureScale);
    if (form3.hasRecording()) pictures.trend = form3.trendPicture(kTrendSize, 2.5);
    return report::reportPdf(texts, pictures);
}

}  // namespace bxl
