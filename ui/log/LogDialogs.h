// What the log window asks and tells: the file dialogs "SaveDialog1" and
// "OpenDialog1" with the log file written or read and the failures shown,
// the question before unsaved samples are discarded, and the start-up
// question about a recording an earlier run left unsaved in its journal;
// and the exports of the recording shown: a CSV table and a picture of the
// chart.
#pragma once

#include <optional>
#include <string>

#include "model/log/LogFile.h"
#include "model/log/LogStore.h"

class QWidget;

namespace bxl::ui {

class Dialogs;
class LogChart;

class LogDialogs {
public:
    LogDialogs(Dialogs& dialogs, QWidget* window);

    // "Log samples not saved, discard them?"; Cancel is the default.
    bool askToDiscard();
    // Whether to restore the journal found unsaved; Cancel keeps it aside
    // under `asidePath`.
    bool askToRestore(const LogFileContents& found, const std::string& asidePath);

    // Writes the log to the file picked. False when cancelled or refused
    // (the failure told).
    bool save(const LogStore& log);
    // The contents of the log file picked; nothing when cancelled or refused
    // (the failure told).
    std::optional<LogFileContents> load();
    // Writes the log as a CSV table to the file picked.
    void exportCsv(const LogStore& log);
    // Writes the chart as shown to the file picked: a PDF document for a
    // name ending in .pdf, otherwise a PNG picture.
    void savePicture(LogChart& chart);

private:
    Dialogs& dialogs_;
    QWidget* window_;
};

}  // namespace bxl::ui
