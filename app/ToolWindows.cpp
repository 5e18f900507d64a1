#include "app/ToolWindows.h"

#include <QPushButton>

#include "link/PortResolver.h"
#include "link/QtSerialPortAdapter.h"
#include "link/SerialPortList.h"
#include "model/FileIo.h"
#include "ui/common/UiCommon.h"
#include "ui/common/WindowPlacement.h"
#include "ui/overview/LiveOverview.h"

namespace bxl {

namespace {

// The main window's buttons that show and hide the secondary windows, in
// global coordinates: the one of the window being placed first.
QList<QRect> toggleButtons(const TForm1& main, const char* own) {
    const auto rectOf = [&main](const char* name) {
        return ui::globalRect(main.findChild<QPushButton*>(QLatin1String(name)));
    };
    QList<QRect> rects{rectOf(own)};
    for (const char* name : {"BitBtnWHRBDA", "BitBtnLog", "BitBtnGraph"})
        if (qstrcmp(name, own) != 0) rects.append(rectOf(name));
    return rects;
}

// "Log": hides the log window when it is visible, shows it otherwise.
void toggleLogWindow(TForm3& log) {
    if (log.isVisible()) {
        log.hide();
    } else {
        log.show();
        log.raise();
    }
}

// "Graph": the tab of the active menu page (-1: the tab it has), the window
// shown, and the tab-change handler run so that the graph is drawn at once.
void openGraphs(TForm4& graphs, int tab) {
    if (tab >= 0) graphs.selectTab(tab);
    graphs.show();
    graphs.raise();
    graphs.TabControl1Change();
}

}  // namespace

ToolWindows::ToolWindows(std::optional<std::string> journalFolder, std::optional<std::string> historyFolder)
    : ToolWindows(std::make_unique<QtSerialPortAdapter>(), std::make_unique<ui::MessageBoxDialogs>(), nullptr,
                  std::move(journalFolder), std::move(historyFolder)) {}

ToolWindows::ToolWindows(std::unique_ptr<SerialPort> port, ui::Dialogs& dialogs,
                         std::optional<std::string> journalFolder, std::optional<std::string> historyFolder)
    : ToolWindows(std::move(port), nullptr, &dialogs, std::move(journalFolder), std::move(historyFolder)) {}

ToolWindows::ToolWindows(std::unique_ptr<SerialPort> givenPort, std::unique_ptr<ui::Dialogs> own,
                         ui::Dialogs* given, std::optional<std::string> journalFolder,
                         std::optional<std::string> historyFolder)
    : port(std::move(givenPort)),
      ownDialogs(std::move(own)),
      dialogs(given != nullptr ? *given : *ownDialogs),
      journal(journalFolder ? std::make_unique<LogJournal>(std::move(*journalFolder)) : nullptr),
      history(historyFolder ? std::make_unique<SettingsHistory>(std::move(*historyFolder)) : nullptr),
      form1(store, bindings, *port, dialogs),
      form3(store, dialogs),
      form4(store),
      compare(store, bindings, dialogs) {
    form3.setJournal(journal.get());
    form1.setHistory(history.get());
    if (history != nullptr) compare.setHistoryFolder(ui::fromLocalPath(history->folder()));
    wire();

    // Every window stays on the screen, and no secondary window opens over
    // the buttons that show and hide the secondary windows.
    ui::keepOnScreen(&form1);
    ui::keepOnScreen(&form2, &form1, [this] { return toggleButtons(form1, "BitBtnWHRBDA"); });
    ui::keepOnScreen(&form3, &form1, [this] { return toggleButtons(form1, "BitBtnLog"); });
    ui::keepOnScreen(&form4, &form1, [this] { return toggleButtons(form1, "BitBtnGraph"); });
}

void ToolWindows::wire() {
    QObject::connect(&form1, &TForm1::overviewToggleRequested, &form2, [this] {
        form2.toggleAndSelect(store);
        if (overviewBehind_ && form2.isVisible()) {
            overviewBehind_ = false;
            liveOverviewRefresh(store, bindings, form2);
        }
    });
    QObject::connect(&form1, &TForm1::logToggleRequested, &form3, [this] { toggleLogWindow(form3); });
    QObject::connect(&form1, &TForm1::graphRequested, &form4, [this](int tab) { openGraphs(form4, tab); });
    QObject::connect(&form1, &TForm1::liveOverviewRefreshRequested, &form2,
                     [this] { refreshOverviewIfShown(); });
    QObject::connect(&form3, &TForm3::logFlash, &form1, &TForm1::showLogFlash);
    QObject::connect(&form1, &TForm1::compareRequested, &compare, [this] {
        compare.show();
        compare.raise();
        compare.activateWindow();
        compare.refresh();
    });
    QObject::connect(&compare, &ui::CompareWindow::lineChosen, &form1, &TForm1::showBinding);
    form1.setRecordingStatus(&form3);
    QObject::connect(&form1, &TForm1::portDialogRequested, &form1, [this] { openPortDialog(); });
    QObject::connect(&form1, &TForm1::linkMonitorRequested, &form1, [this] { openLinkMonitor(); });
    QObject::connect(&form1, &TForm1::serviceReportRequested, &form1, [this] { writeServiceReport(); });
    listPorts = [this] {
        const auto* adapter = dynamic_cast<const QtSerialPortAdapter*>(port.get());
        return listSerialPorts(adapter != nullptr ? adapter->openDevice() : std::string());
    };
}

ui::PortDialog& ToolWindows::openPortDialog() {
    if (portDialog == nullptr) {
        portDialog = std::make_unique<ui::PortDialog>(
            *port, [this] { return listPorts(); }, portAliasDir(), &form1);
        portDialog->setWindowFlag(Qt::Window);
        // A new alias takes effect at once: the port number is opened anew.
        QObject::connect(portDialog.get(), &ui::PortDialog::aliasWritten, &form1,
                         [this](int) { form1.reopenPort(); });
        QObject::connect(portDialog.get(), &ui::PortDialog::monitorRequested, &form1,
                         [this] { openLinkMonitor(); });
    }
    portDialog->showPort(form1.portNumber());
    portDialog->show();
    portDialog->raise();
    portDialog->activateWindow();
    return *portDialog;
}

ToolWindows::~ToolWindows() {
    form1.setLinkObserver(nullptr);
}

ui::LinkMonitorWindow& ToolWindows::openLinkMonitor() {
    if (monitorWindow == nullptr) {
        linkMonitor = std::make_unique<LinkMonitor>();
        form1.setLinkObserver(linkMonitor.get());
        monitorWindow = std::make_unique<ui::LinkMonitorWindow>(*linkMonitor, dialogs, &form1);
    }
    monitorWindow->show();
    monitorWindow->raise();
    monitorWindow->activateWindow();
    return *monitorWindow;
}

void ToolWindows::writeServiceReport() {
    QString note;
    ui::FileDialogSetup setup{"SaveDialogReport", "Save service report:", true, "PDF (*.pdf)", "pdf"};
    setup.note = &note;
    const QString path = dialogs.pickPath(&form1, setup);
    if (path.isEmpty()) return;
    const QByteArray pdf = serviceReportPdf(note, QDateTime::currentDateTime());
    if (pdf.isEmpty() ||
        !writeFileSafely(ui::localPath(path), pdf.constData(), static_cast<std::size_t>(pdf.size())))
        dialogs.tell(&form1, QStringLiteral("Cannot write to file."));
}

void ToolWindows::refreshOverviewIfShown() {
    if (!form2.isVisible()) {
        overviewBehind_ = true;
        return;
    }
    overviewBehind_ = false;
    liveOverviewRefresh(store, bindings, form2);
}

void ToolWindows::offerRecovery() {
    if (journal != nullptr && form3.offerRecovery(*journal)) form3.show();
}

}  // namespace bxl
