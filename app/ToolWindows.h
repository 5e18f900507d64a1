// The tool's objects as the application owns them: the value store, the
// control-binding table, the serial port, the dialogs, the log journal and
// the four windows, created in the order main, overview, log, graphs. This
// is the one place where the windows are wired to each other: the main
// window's buttons show the other windows, its process replies refresh the
// overview (at once when it is in view, else as it is shown), its close
// query asks the log recorder, and the recorder flashes its "Log" caption.
// The program, the tools and the tests start from it.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/SerialPort.h"
#include "model/Bindings.h"
#include "model/SettingsHistory.h"
#include "model/ValueStore.h"
#include "model/log/LogJournal.h"
#include "ui/common/Dialogs.h"
#include "ui/compare/CompareWindow.h"
#include "ui/graphs/Form4.h"
#include "ui/log/Form3.h"
#include "ui/main/Form1.h"
#include "ui/main/PortDialog.h"
#include "ui/monitor/LinkMonitorWindow.h"
#include "ui/overview/Form2.h"

namespace bxl {

struct ToolWindows {
    // The program's: the serial port adapter and real message boxes and file
    // dialogs. With a journal folder, every recording is also kept in a
    // journal there (the program uses defaultJournalFolder()); without,
    // recordings live in memory only. With a history folder, the controls
    // read from the unit and the unit's controls before each Send are kept
    // there (the program uses defaultHistoryFolder()); without, not at all.
    explicit ToolWindows(std::optional<std::string> journalFolder = std::nullopt,
                         std::optional<std::string> historyFolder = std::nullopt);
    ~ToolWindows();
    ToolWindows(const ToolWindows&) = delete;
    ToolWindows& operator=(const ToolWindows&) = delete;
    // With a port and dialogs of the caller's (a test's or a tool's).
    ToolWindows(std::unique_ptr<SerialPort> port, ui::Dialogs& dialogs,
                std::optional<std::string> journalFolder = std::nullopt,
                std::optional<std::string> historyFolder = std::nullopt);

    // At start: offers to restore a recording an earlier run left unsaved,
    // and shows the log window with it when the engineer accepts.
    void offerRecovery();

    // The port dialog for the main window's port number, made at the first
    // click on the port state and shown again on every later one.
    ui::PortDialog& openPortDialog();
    // The link monitor window, from the port dialog: the monitor starts
    // watching the line at the first opening and goes on while the tool runs.
    ui::LinkMonitorWindow& openLinkMonitor();
    // "Report" or Ctrl+P in the main window: the save dialog with its note
    // field, then the report written to the file picked.
    void writeServiceReport();
    // The service report of this moment as PDF bytes: `note` as typed by the
    // engineer, `when` its date and time.
    QByteArray serviceReportPdf(const QString& note, const QDateTime& when);

    ValueStore store;
    BindingTable bindings;
    std::unique_ptr<SerialPort> port;
    std::unique_ptr<ui::Dialogs> ownDialogs;  // the real ones, unless given
    ui::Dialogs& dialogs;
    std::unique_ptr<LogJournal> journal;
    std::unique_ptr<SettingsHistory> history;
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    TForm4 form4;
    // Opened with Alt+C in the main window; a click on a line shows it there.
    ui::CompareWindow compare;
    // What the port dialog lists: the system's serial ports unless a test
    // sets its own before the dialog is first opened.
    ui::PortDialog::Lister listPorts;
    std::unique_ptr<ui::PortDialog> portDialog;
    std::unique_ptr<LinkMonitor> linkMonitor;
    std::unique_ptr<ui::LinkMonitorWindow> monitorWindow;

private:
    ToolWindows(std::unique_ptr<SerialPort> port, std::unique_ptr<ui::Dialogs> own, ui::Dialogs* given,
                std::optional<std::string> journalFolder, std::optional<std::string> historyFolder);
    void wire();
    // Process replies that arrived while the overview was hidden: it is
    // refreshed as it is shown again.
    void refreshOverviewIfShown();

    bool overviewBehind_ = false;
};

}  // namespace bxl
